// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Movement rules and the making of a move, on the display-oriented position.
#include "rules/Move.h"
#include "rules/Position.h"

#include <array>
#include <vector>

namespace quarvelin {

// Whether piece may go from (fromX, fromY) to (toX, toY), where target is what stands there now.
// The mover's own king being left attacked is not judged here.
bool coup_valide(const Position& p, PieceCode piece, int fromX, int fromY, PieceCode target,
                 int toX, int toY);

// coup_valide, and the mover's king is not attacked once the move is made.
bool isLegal(const Position& p, const Move& c);

bool inCheck(const Position& p, Colour c);

// All legal moves of the side to move, promotions once per piece choice.
std::vector<Move> legalMoves(const Position& p);

// What a played move changed, enough to take it back exactly.
struct PlayedMove {
    Move move;
    PieceCode captured = PieceCode::Empty;
    int capturedX = 0, capturedY = 0; // differs from the destination for en passant
    bool castling = false, enPassant = false, promotion = false;
    int rookFromX = 0, rookToX = 0; // on the king's row, when castling
    Position before;                // the state values and squares as they were
};

// The game update of a move: rook of a castling, en-passant capture, promotion (a queen unless
// the move names another piece), en-passant values, castling state, counters.
PlayedMove playMove(Position& p, const Move& c);
void takeMove(Position& p, const PlayedMove& played);

enum class GameEnd { InProgress, Mate, Stalemate };
// Mate and stalemate by the rules of chess, for the side to move.
GameEnd gameEnd(const Position& p);

} // namespace quarvelin
