// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where games start in PGN text: a line whose first non-blank characters are "[Event " (the tag
// name in exactly that case). Searched for with memchr on '[', so a scan runs at the speed of
// memory rather than byte by byte.
#include <cstddef>
#include <string>
#include <string_view>

namespace quarvelin {

struct StartSearch {
    static constexpr std::size_t None = std::string::npos;
    std::size_t line = None; // start of the game's first line, None when none was found
    std::size_t bracket = 0; // its '['
    // With nothing found: where to search again once more text is appended (a candidate too
    // near the end to tell), or the text's size.
    std::size_t resumption = 0;
};

// Searches text from `from`. lineStart: whether text[0] starts a line (only blanks
// before it on its line). complete: nothing follows the text, so a candidate cut short by its
// end is not a game start.
StartSearch findGameStart(std::string_view text, std::size_t from, bool lineStart, bool complete);

// Whether the end of text lies at a line start, given the same for its beginning.
bool endsAtLineStart(std::string_view text, bool lineStart);

inline bool lineWhite(char c) { return c == ' ' || c == '\t'; }

} // namespace quarvelin
