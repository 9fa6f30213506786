// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Square-control counts on which check, legality and the engine's threat terms rest.
#include "rules/Position.h"

#include <functional>
#include <initializer_list>

namespace quarvelin {

// Enemies of colour attacking (x, y); piece sets the pawn direction (usually the piece on the
// square, or the king whose safety is asked).
int nombre_attaquants(const Position& p, PieceCode piece, int x, int y, Colour colour);
// Pieces of colour bearing on (x, y).
int nombre_defenseurs(const Position& p, PieceCode piece, int x, int y, Colour colour);
// Pieces of the other colour that the piece on (x, y) attacks.
int nombre_cibles(const Position& p, int x, int y);

// Marks every undefended piece: red (255) for colour's, green (65280) for the other side's.
// Returns how many of colour's pieces are undefended.
inline constexpr int RedMark = 255;
inline constexpr int GreenMark = 65280;
int marque_pieces_non_defendues(const Position& p, Colour colour,
                                const std::function<void(int x, int y, int markColour)>& mark);

// Pawn direction in y of a colour's pawns: -1 for the side drawn at the bottom.
constexpr int pawnDirection(Colour c, Colour playerColour) { return c == playerColour ? -1 : 1; }

} // namespace quarvelin
