#include "notation/Replay.h"

#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "rules/MoveRules.h"

namespace quarvelin {

Rejeu rejouer(const PgnGame& game, NotationCode notation, Colour playerColour,
              std::vector<std::string>* uci) {
    Rejeu r;
    r.position = Position::initial(playerColour);
    if (const std::string* fen = game.tag("FEN")) {
        auto start = lire_fen(*fen, playerColour);
        if (!start) {
            r.ok = false;
            r.jetonErreur = "[FEN \"" + *fen + "\"]";
            return r;
        }
        r.position = *start;
    }
    for (const std::string& token : game.moves) {
        Position& p = r.position;
        Colour side = p.side_to_move();
        std::string t = token;
        CoupLu lu = lire_coup(p, side, notation, t);
        Move c = lu.move();
        if (!lu.lisible || lu.est_resultat() || !isLegal(p, c)) {
            r.ok = false;
            r.numeroErreur = side == Colour::White ? p.MoveCount + 1 : p.MoveCount;
            r.jetonErreur = token;
            return r;
        }
        PlayedMove played = playMove(p, c);
        if (uci) uci->push_back(uciMove(p, played.move));
        ++r.coupsJoues;
    }
    return r;
}

} // namespace quarvelin
