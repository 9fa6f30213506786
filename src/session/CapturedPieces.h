// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captured-pieces table of a position: what each side has lost from its starting set, and
// the material balance in pawns (queen 9, rook 5, bishop and knight 3, pawn 1).
#include "rules/Position.h"

#include <vector>

namespace quarvelin {

struct CapturedPieces {
    // The pieces each side has lost, queen first, then rooks, bishops, knights and pawns.
    std::vector<PieceCode> white, black;
    int balance = 0; // White's material minus Black's, in pawns
};

// A promoted piece is counted as the pawn it was: the queen it became is not one more.
CapturedPieces capturedPieces(const Position& p);

} // namespace quarvelin
