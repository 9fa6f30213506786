// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The castling moves in display coordinates, for either side at the bottom of the board.
#include "rules/Position.h"

#include <cstdint>

namespace quarvelin {

struct CastlingCase {
    int fromX, toX, rookX, passX; // the king's columns, its rook's corner, the square it passes
    int empty[3];                 // columns that must be empty (0: none)
};

// White at the bottom: the king castles from column 5; Black at the bottom: from column 4.
inline constexpr CastlingCase CastlingWithWhiteBelow[2] = {{5, 7, 8, 6, {6, 7, 0}},
                                                           {5, 3, 1, 4, {2, 3, 4}}};
inline constexpr CastlingCase CastlingWithBlackBelow[2] = {{4, 2, 1, 3, {3, 2, 0}},
                                                           {4, 6, 8, 5, {5, 6, 7}}};

// The castling a king move from fromX to toX along its row would be, or null.
constexpr const CastlingCase* castlingCases(Colour playerColour, int fromX, int toX) {
    const CastlingCase* table =
        playerColour == Colour::Black ? CastlingWithBlackBelow : CastlingWithWhiteBelow;
    for (int i = 0; i < 2; ++i)
        if (table[i].fromX == fromX && table[i].toX == toX) return &table[i];
    return nullptr;
}

// The wing right a castling king of colour c needs, by the column it lands on.
constexpr std::uint8_t wingRight(Colour c, int toX, Colour playerColour) {
    int file = playerColour == Colour::Black ? 9 - toX : toX; // 7 = g, 3 = c
    bool shortSide = file == 7;
    if (c == Colour::White) return shortSide ? WhiteShort : WhiteLong;
    return shortSide ? BlackShort : BlackLong;
}

} // namespace quarvelin
