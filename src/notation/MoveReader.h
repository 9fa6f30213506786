// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading one move token (short algebraic in either notation's letters, or long algebraic)
// against the current position. Nothing here changes the board.
#include "notation/Notation.h"
#include "rules/Move.h"
#include "rules/Position.h"

#include <string>

namespace quarvelin {

struct ReadMove {
    int fromX = 0, fromY = 0, toX = 0, toY = 0; // 0: not given or not found
    PieceCode piece = PieceCode::Empty;         // Empty (1) for a result token
    std::string suffix;   // what was cut off the end ("e.p.", "+", "=Q+") or the result token
    bool readable = true; // false when the token could not be read at all
    // Not read, though it has a move's length: worth telling the user (with the token).
    bool malformed = false;

    bool isResult() const { return readable && piece == PieceCode::Empty && !suffix.empty(); }
    // The move as played: the promotion piece taken from the suffix (a queen when none).
    Move move() const;
};

// Reads token for `side`; token is trimmed and stripped of the parts cut off, in place.
ReadMove lire_coup(const Position& p, Colour side, NotationCode notation, std::string& token);

// The origin of a piece move to (toX, toY): the first square in walk order holding `piece`
// that agrees with the hints (0 = no hint) and from which the move is legal; failing a legal
// one, the first that agrees. Returns false, leaving the hints, when no square agrees.
bool chercher_origine(const Position& p, PieceCode piece, int toX, int toY, int& hintX, int& hintY);

bool isResult(std::string_view token); // "1-0", "0-1", "1/2-1/2", "*"

} // namespace quarvelin
