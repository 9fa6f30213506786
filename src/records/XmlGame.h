// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game as the XML game record takes it: PGN tag lines, the move text and the result.
#include <string>
#include <utility>
#include <vector>

namespace quarvelin {

struct XmlGame {
    std::string header; // "[Event "..."]" lines, CR LF or LF apart
    std::string moves;  // move text; several lines are joined with single spaces
    std::string result; // added after the moves unless they already end with it
    // Tag values already read, when there are: taken before header, each name's first one,
    // so no value is cut at a "]" or mistaken for a longer tag's.
    std::vector<std::pair<std::string, std::string>> tags = {};
};

} // namespace quarvelin
