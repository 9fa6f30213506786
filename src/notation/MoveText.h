// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Move texts: the long text of the move list and the short (standard SAN) text of game records.
#include "notation/Notation.h"
#include "rules/Move.h"
#include "rules/Position.h"

#include <string>
#include <string_view>

namespace quarvelin {

// The long text, from the move's squares: " 1.e2-e4", " e7-e5", " 5.O-O", " 9.e5xd6".
// The caller appends "e.p.", the promotion, the check marks and the quality mark.
std::string ecrire_coup(int number, PieceCode piece, int fromX, int fromY, PieceCode captured,
                        int toX, int toY, bool enPassant, NotationCode notation,
                        Colour playerColour);

// The whole long text of a legal move played in `before`, numbered from MoveCount, with
// "e.p.", "=" and the promoted piece's letter, and one "+" per checking piece unless
// checkMarks is false (a move replayed from a game text has none).
std::string longMoveText(const Position& before, const Move& c, NotationCode notation,
                         bool checkMarks = true);

// Standard SAN of a legal move in `before`: origin file, rank or square only where another
// piece of the same kind could legally reach the square; "+" for check, "#" for mate.
std::string san(const Position& before, const Move& c);

// The short text for a long text of a move played in `before`: the move number kept
// (" 12.Nf3", " e5"), standard SAN without check marks. Castling keeps its mark only.
// Empty when the long text names no move of the position.
std::string coup_en_pgn(std::string_view longText, const Position& before, NotationCode notation);

// "+" or "#" for the side to move in `after`, or nothing.
std::string checkMark(const Position& after);

} // namespace quarvelin
