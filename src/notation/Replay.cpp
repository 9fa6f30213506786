// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/Replay.h"

#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "rules/MoveRules.h"

namespace quarvelin {

Replay replay(const PgnGame& game, NotationCode notation, Colour playerColour,
              std::vector<std::string>* uci) {
    Replay r;
    r.position = Position::initial(playerColour);
    if (const std::string* fen = game.tag("FEN")) {
        auto start = readFen(*fen, playerColour);
        if (!start) {
            r.ok = false;
            r.errorToken = "[FEN \"" + *fen + "\"]";
            return r;
        }
        r.position = *start;
    }
    for (const std::string& token : game.moves) {
        Position& p = r.position;
        Colour side = p.sideToMove();
        std::string t = token;
        ReadMove parsed = lire_coup(p, side, notation, t);
        Move c = parsed.move();
        if (!parsed.readable || parsed.isResult() || !isLegal(p, c)) {
            r.ok = false;
            r.errorNumber = side == Colour::White ? p.MoveCount + 1 : p.MoveCount;
            r.errorToken = token;
            return r;
        }
        PlayedMove played = playMove(p, c);
        if (uci) uci->push_back(uciMove(p, played.move));
        ++r.movesPlayed;
    }
    return r;
}

} // namespace quarvelin
