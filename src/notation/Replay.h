// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replays a game's main line from its start, or from its [FEN] position, through the rules.
#include "notation/Notation.h"
#include "notation/PgnStream.h"
#include "rules/Position.h"

#include <string>
#include <vector>

namespace quarvelin {

struct Replay {
    Position position; // after the last move replayed
    bool ok = true;
    int errorNumber = 0;    // full-move number of the move that failed
    std::string errorToken; // the token as found in the game
    int movesPlayed = 0;    // half-moves replayed
};

// When `uci` is given, each move replayed is appended to it in long algebraic form.
Replay replay(const PgnGame& game, NotationCode notation = NotationCode::Pgn,
              Colour playerColour = Colour::White, std::vector<std::string>* uci = nullptr);

} // namespace quarvelin
