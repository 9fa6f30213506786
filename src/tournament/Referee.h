// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tournament's referee: judges each position of a game by the rules of chess alone (mate,
// stalemate, threefold repetition, fifty moves, insufficient material) and by a move limit.
// The desktop's automatic mode keeps its own end-of-game rules; this one serves tournaments.
#include "rules/Position.h"

#include <map>
#include <string>

namespace quarvelin {

enum class Ending {
    None,
    Checkmate,
    Stalemate,
    Repetition,
    FiftyMoves,
    Material,
    MoveLimit,
    Forfeit
};

// The PGN Termination tag's text of an ending.
std::string terminationText(Ending e);

// Neither side can ever mate: kings alone, one minor piece, or bishops all on one colour.
bool insufficientMaterial(const Position& p);

class Referee {
public:
    // `maxMoves`: full moves after which the game is drawn; 0 for no limit.
    Referee(const Position& start, int maxMoves);
    // Judges the position after a move; None while the game goes on.
    Ending judge(const Position& after);
    int halfMoves() const { return halfMoves_; }

private:
    std::map<std::string, int> seen_;
    int maxMoves_, halfMoves_ = 0;
};

// "1-0", "0-1" or "1/2-1/2" for an ending reached with `sideToMove` to play; a forfeit loses
// for the side to move.
std::string resultOf(Ending e, Colour sideToMove);

} // namespace quarvelin
