#include "openings/ImportEco.h"

#include "localisation/Encoding.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <cctype>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace quarvelin {

std::string rejouer_ligne(const std::string& coups) {
    Position p = Position::initial();
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
        if (dot != std::string::npos && token.find_first_not_of("0123456789.") >= dot)
            token.erase(0, dot + 1);
        if (token.empty()) continue;
        Colour side = p.side_to_move();
        ReadMove lu = lire_coup(p, side, NotationCode::Pgn, token);
        Move c = lu.move();
        if (!lu.readable || lu.isResult() || !isLegal(p, c)) return {};
        if (!out.empty()) out += ' ';
        if (side == Colour::White) out += std::to_string(p.MoveCount + 1) + ".";
        out += san(p, c);
        playMove(p, c);
    }
    if (out.empty()) return {};
    return out + " *";
}

ImportEco lire_fichier_eco(std::istream& in) {
    ImportEco r;
    // An entry is a code, a quoted name and moves up to "*"; long entries go on over several
    // lines. '#' starts a comment line.
    struct Morceau {
        std::string text;
        int line;
    };
    std::vector<Morceau> entrees;
    std::string courante;
    int debutEntree = 0, number = 0;
    for (std::string brute; std::getline(in, brute);) {
        ++number;
        std::string line = utf8Text(brute);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto debut = line.find_first_not_of(" \t");
        if (debut == std::string::npos || line[debut] == '#') continue;
        if (courante.empty()) debutEntree = number;
        courante += ' ' + line;
        // The entry ends with a "*" standing as a token of its own, outside the name.
        auto q1 = courante.find('"'),
             q2 = q1 == std::string::npos ? q1 : courante.find('"', q1 + 1);
        std::string apresNom = courante.substr(q2 == std::string::npos ? 0 : q2 + 1);
        std::istringstream mots(apresNom);
        bool end = false;
        for (std::string mot; mots >> mot;) end = mot == "*";
        if (end) {
            entrees.push_back({std::move(courante), debutEntree});
            courante.clear();
        }
    }
    if (!courante.empty()) entrees.push_back({std::move(courante), debutEntree});

    for (const Morceau& m : entrees) {
        const std::string& e = m.text;
        auto refuser = [&](const char* why) {
            r.refusees.push_back("line " + std::to_string(m.line) + ": " + why);
        };
        auto debut = e.find_first_not_of(" \t");
        auto q1 = e.find('"', debut), q2 = q1 == std::string::npos ? q1 : e.find('"', q1 + 1);
        if (q2 == std::string::npos) {
            refuser("no quoted name");
            continue;
        }
        LigneEco l;
        std::istringstream code(e.substr(debut, q1 - debut));
        code >> l.code;
        // Sub-codes ("B99a") name the family's code, upper case.
        if (l.code.size() > 3) l.code.resize(3);
        for (char& ch : l.code)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        l.libelle = e.substr(q1 + 1, q2 - q1 - 1);
        if (l.code.empty() || l.libelle.empty()) {
            refuser("no code or no name");
            continue;
        }
        std::istringstream suite(e.substr(q2 + 1));
        std::string premier;
        suite >> premier;
        if (premier == "*") continue; // the start position: a name for no move at all
        l.coups = rejouer_ligne(e.substr(q2 + 1));
        if (l.coups.empty()) {
            refuser("moves that do not replay");
            continue;
        }
        r.lignes.push_back(std::move(l));
    }
    return r;
}

std::vector<LigneEco> fusionner_lignes(const std::vector<LigneEco>& anglaises,
                                       const std::vector<LigneEco>& francaises) {
    std::unordered_map<std::string, const LigneEco*> parCoups;
    for (const LigneEco& l : francaises) parCoups.emplace(l.coups, &l);
    std::vector<LigneEco> out;
    std::unordered_set<std::string> vues;
    for (const LigneEco& l : anglaises) {
        if (!vues.insert(l.coups).second) continue;
        auto fr = parCoups.find(l.coups);
        out.push_back(fr == parCoups.end() ? l : *fr->second);
    }
    for (const LigneEco& l : francaises)
        if (vues.insert(l.coups).second) out.push_back(l);
    return out;
}

} // namespace quarvelin
