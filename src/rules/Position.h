// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The position in play, in display orientation: (x, y) from 1..8, column from the left and row
// from the top, with the side of PlayerColour drawn at the bottom.
#include "rules/Types.h"

#include <array>
#include <cstdint>
#include <string>

namespace quarvelin {

// Per-wing castling rights, kept beside CastlingDone so a moved or captured rook ends its wing.
enum CastlingRight : std::uint8_t {
    WhiteShort = 1,
    WhiteLong = 2,
    BlackShort = 4,
    BlackLong = 8,
    AllCastling = 15
};

struct Position {
    // 9 x 9, index x + 9 * y; row 0 and column 0 are never squares.
    std::array<PieceCode, 81> Board{};
    Colour PlayerColour = Colour::White;
    Colour LastMoverColour = Colour::Black;
    std::int16_t EnPassantForWhite = 0; // 10 * x + y, 0 for none
    std::int16_t EnPassantForBlack = 0;
    std::array<bool, 5> CastlingDone{}; // indexed by colour, 2 and 3 used
    std::uint8_t CastlingRights = AllCastling;
    std::int16_t MoveCount = 0;      // White moves played
    std::int16_t QuietMoveCount = 0; // half-moves since the last capture or pawn move

    PieceCode at(int x, int y) const { return Board[x + 9 * y]; }
    PieceCode& at(int x, int y) { return Board[x + 9 * y]; }

    Colour sideToMove() const { return opposite(LastMoverColour); }

    // The start position for the current PlayerColour; White to move.
    static Position initial(Colour playerColour = Colour::White);
    void clear(); // all squares empty

    bool operator==(const Position&) const = default;
};

// Absolute squares: file 0..7 from a, rank 0..7 from 1; index file + 8 * rank (a1 = 0).
struct Square {
    int x = 0, y = 0;
    bool operator==(const Square&) const = default;
};

constexpr int absoluteSquare(int x, int y, Colour playerColour) {
    return playerColour == Colour::Black ? (8 - x) + 8 * (y - 1) : (x - 1) + 8 * (8 - y);
}
constexpr Square displayedSquare(int sq, Colour playerColour) {
    int file = sq & 7, rank = sq >> 3;
    return playerColour == Colour::Black ? Square{8 - file, rank + 1} : Square{file + 1, 8 - rank};
}

// "e4" for the square shown at (x, y); empty when off the board.
std::string squareName(int x, int y, Colour playerColour);
// The square named by a file letter and rank digit; {0, 0} when not a square name.
Square namedSquare(char file, char rank, Colour playerColour);

} // namespace quarvelin
