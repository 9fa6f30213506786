// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/AnnotatedGame.h"

#include "notation/MoveText.h"
#include "records/GameRecordText.h"
#include "rules/MoveRules.h"

namespace quarvelin {

std::string markedMoves(const GameLine& line, const GameAnalysis& analysis) {
    std::string out;
    Position p = line.start;
    for (std::size_t i = 0; i < line.moves.size(); ++i) {
        const Move& m = line.moves[i];
        if (!out.empty()) out += ' ';
        if (p.sideToMove() == Colour::White)
            out += std::to_string(p.MoveCount + 1) + ".";
        else if (i == 0)
            out += std::to_string(p.MoveCount) + "... ";
        out += san(p, m);
        if (i < analysis.moves.size() && analysis.moves[i].mark != MoveMark::None)
            (out += " $") += std::to_string(static_cast<int>(analysis.moves[i].mark));
        playMove(p, m);
    }
    return out;
}

std::vector<std::string> analysisNotes(const PgnGame& game, const GameAnalysis& analysis,
                                       const TextCatalogue& catalogue) {
    std::vector<std::string> notes(analysis.moves.size() + 1);
    auto add = [&](std::size_t k, std::string text) {
        // On one line: a line of the note starting with '%' would read as an escape line.
        for (char& c : text)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        if (k >= notes.size()) notes.resize(k + 1);
        if (!notes[k].empty()) notes[k] += ' ';
        notes[k] += text;
    };
    for (const PgnAside& a : game.asides)
        if (!a.variation && !a.text.empty()) add(static_cast<std::size_t>(a.movesBefore), a.text);
    for (std::size_t i = 0; i < analysis.moves.size(); ++i)
        if (analysis.moves[i].mark != MoveMark::None)
            add(i + 1, verdictNote(analysis.moves[i], catalogue));
    return notes;
}

namespace {

// Breaks at spaces so that no line passes 79 characters unless one word does; never before a
// word starting with '%', which would read as an escape line.
std::string wrapped(const std::string& text) {
    std::string out, line;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = text.find(' ', i);
        if (j == std::string::npos) j = text.size();
        if (j > i) {
            std::string_view word(text.data() + i, j - i);
            if (!line.empty() && line.size() + 1 + word.size() > 79 && word[0] != '%') {
                out += line + "\r\n";
                line.clear();
            }
            if (!line.empty()) line += ' ';
            line += word;
        }
        i = j + 1;
    }
    return out + line + "\r\n";
}

} // namespace

std::string annotatedGamePgn(const PgnGame& game, const GameLine& line,
                             const GameAnalysis& analysis, const std::string& annotator,
                             const TextCatalogue& catalogue, Dialogs& dialogs) {
    std::string out;
    for (const auto& [name, value] : game.tags)
        if (name != "Annotator") out += tagLine(name, value);
    out += tagLine("Annotator", annotator) + "\r\n";

    std::vector<std::string> notes = analysisNotes(game, analysis, catalogue);
    // A comment written after the last move read stays after it.
    const std::size_t last = line.moves.size();
    for (std::size_t k = last + 1; k < notes.size(); ++k) {
        if (notes[k].empty()) continue;
        if (!notes[last].empty()) notes[last] += ' ';
        notes[last] += notes[k];
    }
    if (notes.size() > last + 1) notes.resize(last + 1);
    std::string moves = last == 0 ? std::string() : markedMoves(line, analysis);
    if (last > 0) moves = inserer_commentaires(moves, notes, dialogs, catalogue, "quarvelin-cli");
    if (!notes.empty() && !notes[0].empty()) {
        std::string note = notes[0];
        for (char& c : note)
            if (c == '}') c = ')';
        moves = "{" + note + "}" + (moves.empty() ? "" : " ") + moves;
    }
    const std::string result = game.result.empty() ? "*" : game.result;
    return out + wrapped(moves.empty() ? result : moves + " " + result) + "\r\n";
}

} // namespace quarvelin
