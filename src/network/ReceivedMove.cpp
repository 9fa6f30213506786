// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/ReceivedMove.h"

#include "rules/MoveRules.h"

namespace quarvelin::net {

std::optional<Move> receivedMove(const Position& board, const Message& m, Colour sender) {
    if (m.kind != MessageKind::Move || board.sideToMove() != sender) return std::nullopt;
    for (int d : m.squares)
        if (d < 1 || d > 8) return std::nullopt;
    Move c{9 - m.squares[0], 9 - m.squares[1], 9 - m.squares[2],
           9 - m.squares[3], PieceCode::Empty, PieceCode::Empty};
    c.piece = board.at(c.fromX, c.fromY);
    if (c.piece == PieceCode::Empty || colourOf(c.piece) != sender) return std::nullopt;
    const PromotionMark mark = promotionIn(m.text);
    const bool lastRank = pieceType(c.piece) == PieceType::Pawn && (c.toY == 1 || c.toY == 8);
    // A promotion is named exactly when a pawn reaches the last rank.
    if (lastRank != mark.present) return std::nullopt;
    if (lastRank) {
        if (!mark.piece) return std::nullopt;
        c.promotion = pieceOf(*mark.piece, sender);
    }
    if (!isLegal(board, c)) return std::nullopt;
    return c;
}

} // namespace quarvelin::net
