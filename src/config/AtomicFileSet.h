// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files written beside their targets and put in place together once every one is written, so a
// failure or a cancel before then leaves every target as it was. Files never put in place are
// removed.
#include "config/AtomicFileWriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class AtomicFileSet {
public:
    // A whole file; empty on success, else why not.
    std::string add(const std::string& path, std::string_view content);
    // A file written through its own writer, finished here; empty on success, else why not.
    std::string add(AtomicFileWriter&& file);
    // Puts every file in place; empty on success, else "target : why" of the first that could
    // not be (those before it stay in place).
    std::string commit();

private:
    std::vector<AtomicFileWriter> files_;
};

} // namespace quarvelin
