#include "notation/Replay.h"

#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "rules/MoveRules.h"

namespace quarvelin {

Rejeu rejouer(const PgnGame& game, NotationCode notation, Colour playerColour,
              std::vector<std::string>* uci) {
    Rejeu r;
    r.position = Position::initiale(playerColour);
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
        Coup c = lu.coup();
        if (!lu.lisible || lu.est_resultat() || !coup_legal(p, c)) {
            r.ok = false;
            r.numeroErreur = side == Colour::White ? p.MoveCount + 1 : p.MoveCount;
            r.jetonErreur = token;
            return r;
        }
        CoupJoue joue = jouer_coup(p, c);
        if (uci) uci->push_back(coup_uci(p, joue.coup));
        ++r.coupsJoues;
    }
    return r;
}

} // namespace quarvelin
