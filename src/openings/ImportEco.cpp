// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/ImportEco.h"

#include "localisation/Encoding.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace quarvelin {

std::string openingLabel(std::string label) {
    auto unopened = [&] {
        long depth = 0;
        for (char c : label) depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        return depth < 0;
    };
    while (!label.empty()) {
        const char last = label.back();
        if (last == ' ' || last == '\t' || last == ',' || last == ';' ||
            (last == ')' && unopened()))
            label.pop_back();
        else
            break;
    }
    label.erase(0, std::min(label.size(), label.find_first_not_of(" \t")));
    return label;
}

std::string replayLine(const std::string& moves) {
    Position p = Position::initial();
    // Continuations in parentheses are not part of the line.
    std::string main;
    int depth = 0;
    for (char ch : moves) {
        if (ch == '(') ++depth;
        if (depth == 0) main += ch;
        if (ch == ')' && depth > 0) --depth;
    }
    std::istringstream in(main);
    std::string out, token;
    while (in >> token) {
        if (token == "*") break;
        if (token.find_first_not_of("0123456789") == std::string::npos) continue; // a stray number
        // "1.e4" and "1." "e4" alike; "1..." before a Black move.
        auto dot = token.find_last_of('.');
        if (dot != std::string::npos && token.find_first_not_of("0123456789.") >= dot)
            token.erase(0, dot + 1);
        if (token.empty()) continue;
        Colour side = p.sideToMove();
        ReadMove parsed = lire_coup(p, side, NotationCode::Pgn, token);
        Move c = parsed.move();
        if (!parsed.readable || parsed.isResult() || !isLegal(p, c)) return {};
        if (!out.empty()) out += ' ';
        if (side == Colour::White) out += std::to_string(p.MoveCount + 1) + ".";
        out += san(p, c);
        playMove(p, c);
    }
    if (out.empty()) return {};
    return out + " *";
}

ImportEco readEcoFile(std::istream& in) {
    ImportEco r;
    // An entry is a code, a quoted name and moves up to "*"; long entries go on over several
    // lines. '#' starts a comment line.
    struct Piece {
        std::string text;
        int line;
    };
    std::vector<Piece> entries;
    std::string currentPicture;
    int entryStart = 0, number = 0;
    for (std::string brute; std::getline(in, brute);) {
        ++number;
        std::string line = utf8Text(brute);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto beginning = line.find_first_not_of(" \t");
        if (beginning == std::string::npos || line[beginning] == '#') continue;
        if (currentPicture.empty()) entryStart = number;
        currentPicture += ' ' + line;
        // The entry ends with a "*" standing as a token of its own, outside the name.
        auto q1 = currentPicture.find('"'),
             q2 = q1 == std::string::npos ? q1 : currentPicture.find('"', q1 + 1);
        std::string afterName = currentPicture.substr(q2 == std::string::npos ? 0 : q2 + 1);
        std::istringstream words(afterName);
        bool end = false;
        for (std::string word; words >> word;) end = word == "*";
        if (end) {
            entries.push_back({std::move(currentPicture), entryStart});
            currentPicture.clear();
        }
    }
    if (!currentPicture.empty()) entries.push_back({std::move(currentPicture), entryStart});

    for (const Piece& m : entries) {
        const std::string& e = m.text;
        auto refuse = [&](const char* why) {
            r.refused.push_back("line " + std::to_string(m.line) + ": " + why);
        };
        auto beginning = e.find_first_not_of(" \t");
        auto q1 = e.find('"', beginning), q2 = q1 == std::string::npos ? q1 : e.find('"', q1 + 1);
        if (q2 == std::string::npos) {
            refuse("no quoted name");
            continue;
        }
        EcoLine l;
        std::istringstream code(e.substr(beginning, q1 - beginning));
        code >> l.code;
        // Sub-codes ("B99a") name the family's code, upper case.
        if (l.code.size() > 3) l.code.resize(3);
        for (char& ch : l.code)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        l.label = openingLabel(e.substr(q1 + 1, q2 - q1 - 1));
        if (l.code.empty() || l.label.empty()) {
            refuse("no code or no name");
            continue;
        }
        std::istringstream next(e.substr(q2 + 1));
        std::string first;
        next >> first;
        if (first == "*") continue; // the start position: a name for no move at all
        l.moves = replayLine(e.substr(q2 + 1));
        if (l.moves.empty()) {
            refuse("moves that do not replay");
            continue;
        }
        r.lines.push_back(std::move(l));
    }
    return r;
}

std::vector<EcoLine> mergeLines(const std::vector<EcoLine>& english,
                                const std::vector<EcoLine>& french) {
    std::unordered_map<std::string, const EcoLine*> byMoves;
    for (const EcoLine& l : french) byMoves.emplace(l.moves, &l);
    std::vector<EcoLine> out;
    std::unordered_set<std::string> views;
    for (const EcoLine& l : english) {
        if (!views.insert(l.moves).second) continue;
        auto fr = byMoves.find(l.moves);
        out.push_back(fr == byMoves.end() ? l : *fr->second);
    }
    for (const EcoLine& l : french)
        if (views.insert(l.moves).second) out.push_back(l);
    return out;
}

} // namespace quarvelin
