// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A move in display coordinates, with the moving piece and the piece a pawn promotes to.
#include "rules/FastMove.h"
#include "rules/Position.h"

#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

struct Move {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    PieceCode piece = PieceCode::Empty;
    PieceCode promotion = PieceCode::Empty; // Empty: none, or a queen by default for a pawn

    bool operator==(const Move&) const = default;
};

Move moveFrom(const Position& p, FastMove m);
// The generator's move matching c in p (c's promotion, a queen when none is given).
FastMove fastMove(const Position& p, const Move& c);
// "e2e4", "e7e8q": the move in the long algebraic form engines exchange.
std::string uciMove(const Position& p, const Move& c);
// The legal move between two squares; a queen when several promotions share them.
std::optional<Move> moveOnSquares(const std::vector<Move>& legal, int fromX, int fromY, int toX,
                                  int toY);

} // namespace quarvelin
