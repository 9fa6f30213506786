// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A board of the printed game: the move that led to it and the position after it.
#include "rules/Types.h"

#include <string>

namespace quarvelin {

struct DiagramSquare {
    std::string move;
    std::string key; // 64 characters in display order, piece code + 32
    Colour bottom = Colour::White;

    bool operator==(const DiagramSquare&) const = default;
};

} // namespace quarvelin
