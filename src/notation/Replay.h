#pragma once
// Replays a game's main line from its start, or from its [FEN] position, through the rules.
#include "notation/Notation.h"
#include "notation/PgnStream.h"
#include "rules/Position.h"

#include <string>
#include <vector>

namespace quarvelin {

struct Rejeu {
    Position position; // after the last move replayed
    bool ok = true;
    int numeroErreur = 0;    // full-move number of the move that failed
    std::string jetonErreur; // the token as found in the game
    int coupsJoues = 0;      // half-moves replayed
};

// When `uci` is given, each move replayed is appended to it in long algebraic form.
Rejeu rejouer(const PgnGame& game, NotationCode notation = NotationCode::Pgn,
              Colour playerColour = Colour::White, std::vector<std::string>* uci = nullptr);

} // namespace quarvelin
