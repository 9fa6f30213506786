// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GameFile.h"

#include "config/AtomicFileWriter.h"

namespace quarvelin {

std::string writeGameFile(const std::string& path, std::string_view content, bool append) {
    AtomicFileWriter file;
    using Start = AtomicFileWriter::Start;
    if (!file.open(path, append ? Start::OldContent : Start::Empty)) return file.error();
    // A file whose last line has no end would glue its last game to the new one.
    if (const auto last = file.lastByte(); last && *last != '\n') file.write("\r\n");
    if (file.write(content)) file.commit();
    return file.error();
}

std::string crlfLines(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace quarvelin
