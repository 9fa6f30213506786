// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One line of a printed game: a text line in the title or body font, or a row of boards each
// under the move that led to it.
#include "records/DiagramSquare.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarvelin {

enum class Font : std::uint8_t { Title, Text };

struct PrintedLine {
    Font font = Font::Text;
    std::string text;
    std::vector<DiagramSquare> diagrams; // not empty: a row of boards instead of the text

    bool operator==(const PrintedLine&) const = default;
};

} // namespace quarvelin
