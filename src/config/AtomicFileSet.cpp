// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/AtomicFileSet.h"

#include <algorithm>

namespace quarvelin {

std::string AtomicFileSet::add(const std::string& path, std::string_view content) {
    AtomicFileWriter file;
    if (!file.open(path) || !file.write(content)) return file.error();
    return add(std::move(file));
}

std::string AtomicFileSet::add(AtomicFileWriter&& file) {
    // On disk now, so that only the renames are left once all are written.
    if (!file.finish()) return file.error();
    files_.push_back(std::move(file));
    return {};
}

std::string AtomicFileSet::commit() {
    std::string failure;
    std::vector<std::string> folders;
    for (AtomicFileWriter& file : files_) {
        if (!file.replaceTarget()) {
            failure = file.target() + " : " + file.error();
            break;
        }
        std::string folder = AtomicFileWriter::folderOf(file.target());
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    for (const std::string& folder : folders) AtomicFileWriter::syncFolder(folder);
    files_.clear();
    return failure;
}

} // namespace quarvelin
