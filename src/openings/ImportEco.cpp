#include "openings/ImportEco.h"

#include "localisation/Encodage.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <sstream>

namespace quarvelin {

std::string rejouer_ligne(const std::string& coups) {
    Position p = Position::initiale();
    // Continuations in parentheses are not part of the line.
    std::string principale;
    int profondeur = 0;
    for (char ch : coups) {
        if (ch == '(') ++profondeur;
        if (profondeur == 0) principale += ch;
        if (ch == ')' && profondeur > 0) --profondeur;
    }
    std::istringstream in(principale);
    std::string out, token;
    while (in >> token) {
        if (token == "*") break;
        if (token.find_first_not_of("0123456789") == std::string::npos) continue; // a stray number
        // "1.e4" and "1." "e4" alike; "1..." before a Black move.
        auto dot = token.find_last_of('.');
        if (dot != std::string::npos && token.find_first_not_of("0123456789.") >= dot) token.erase(0, dot + 1);
        if (token.empty()) continue;
        Colour side = p.side_to_move();
        CoupLu lu = lire_coup(p, side, NotationCode::Pgn, token);
        Coup c = lu.coup();
        if (!lu.lisible || lu.est_resultat() || !coup_legal(p, c)) return {};
        if (!out.empty()) out += ' ';
        if (side == Colour::White) out += std::to_string(p.MoveCount + 1) + ".";
        out += san(p, c);
        jouer_coup(p, c);
    }
    if (out.empty()) return {};
    return out + " *";
}

ImportEco lire_fichier_eco(std::istream& in) {
    ImportEco r;
    int numero = 0;
    for (std::string brute; std::getline(in, brute);) {
        ++numero;
        std::string ligne = texte_utf8(brute);
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        auto debut = ligne.find_first_not_of(" \t");
        if (debut == std::string::npos || ligne[debut] == '#') continue;
        auto refuser = [&](const char* why) { r.refusees.push_back("line " + std::to_string(numero) + ": " + why); };
        auto q1 = ligne.find('"', debut), q2 = q1 == std::string::npos ? q1 : ligne.find('"', q1 + 1);
        if (q2 == std::string::npos) {
            refuser("no quoted name");
            continue;
        }
        LigneEco l;
        std::istringstream code(ligne.substr(debut, q1 - debut));
        code >> l.code;
        l.libelle = ligne.substr(q1 + 1, q2 - q1 - 1);
        if (l.code.empty() || l.libelle.empty()) {
            refuser("no code or no name");
            continue;
        }
        l.coups = rejouer_ligne(ligne.substr(q2 + 1));
        if (l.coups.empty()) {
            refuser("moves that do not replay");
            continue;
        }
        r.lignes.push_back(std::move(l));
    }
    return r;
}

} // namespace quarvelin
