// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GameRecordText.h"

#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"

#include <cstdio>
#include <ctime>

namespace quarvelin {

namespace {

constexpr const char* LineEnd = "\r\n";

std::string twoDigits(unsigned n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02u", n % 100);
    return buf;
}

std::string fourDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", n);
    return buf;
}

std::size_t profileIndex(int profile) { return profile == 2 ? 2 : 1; }

bool space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// "12." or "12...": a move number standing alone.
bool numberOnly(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == 0 || i == t.size()) return false;
    return t.find_first_not_of('.', i) == std::string_view::npos;
}

// "12.Nf3": a White move carries its number.
bool whiteMove(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    return i > 0 && i + 1 < t.size() && t[i] == '.' && t[i + 1] != '.';
}

struct Token {
    std::size_t beginning = 0, end = 0;
    bool white = false;
};

// The k-th move of the text (k from 1), passing over notes already put back and lone numbers.
bool findHalfMove(const std::string& t, std::size_t k, Token& token) {
    std::size_t i = 0, tally = 0;
    while (i < t.size()) {
        if (space(t[i])) {
            ++i;
            continue;
        }
        if (t[i] == '{') {
            std::size_t f = t.find('}', i);
            i = f == std::string::npos ? t.size() : f + 1;
            continue;
        }
        std::size_t beginning = i;
        while (i < t.size() && !space(t[i]) && t[i] != '{') ++i;
        std::string_view word(t.data() + beginning, i - beginning);
        // Lone numbers and NAGs ("$4") are no moves.
        if (numberOnly(word) || word.starts_with('$')) continue;
        if (++tally == k) {
            token = {beginning, i, whiteMove(word)};
            // The move's NAGs stay with it, before its note.
            for (std::size_t j = i; j + 1 < t.size() && t[j] == ' ' && t[j + 1] == '$';) {
                j += 2;
                while (j < t.size() && !space(t[j]) && t[j] != '{') ++j;
                token.end = i = j;
            }
            return true;
        }
    }
    return false;
}

// The tag section's last line end and its empty line, whatever the loaded text ended with;
// the start position's tags go before that empty line.
std::string finishHeader(std::string header, const std::string& fen) {
    while (!header.empty() && (header.back() == '\r' || header.back() == '\n')) header.pop_back();
    if (!header.empty()) header += LineEnd;
    if (!fen.empty() && header.find("[FEN ") == std::string::npos)
        header += tagLine("SetUp", "1") + tagLine("FEN", fen);
    return header + LineEnd;
}

std::string tags(const std::string& event, const std::string& date, const Players& j,
                 const GameSession& s, const Settings& settings,
                 const std::optional<EcoLine>& opening) {
    std::string t = tagLine("Event", event) + tagLine("Site", settings.LIEU_JEU) +
                    tagLine("Date", date) + tagLine("Round", "1") + tagLine("White", j.white) +
                    tagLine("Black", j.black) + tagLine("WhiteElo", j.whiteElo) +
                    tagLine("BlackElo", j.blackElo) + tagLine("Result", s.GameResult);
    if (opening) t += tagLine("ECO", opening->code) + tagLine("Opening", opening->label);
    return t;
}

} // namespace

std::chrono::year_month_day today() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string datePgn(std::chrono::year_month_day d) {
    return fourDigits(static_cast<int>(d.year())) + "." +
           twoDigits(static_cast<unsigned>(d.month())) + "." +
           twoDigits(static_cast<unsigned>(d.day()));
}

std::string dateDdMmYyyy(std::chrono::year_month_day d) {
    return twoDigits(static_cast<unsigned>(d.day())) + "/" +
           twoDigits(static_cast<unsigned>(d.month())) + "/" +
           fourDigits(static_cast<int>(d.year()));
}

std::string dateMmDdYyyy(std::chrono::year_month_day d) {
    return twoDigits(static_cast<unsigned>(d.month())) + "/" +
           twoDigits(static_cast<unsigned>(d.day())) + "/" + fourDigits(static_cast<int>(d.year()));
}

std::string defaultFileName(std::chrono::year_month_day d, GameFormat format) {
    auto year = static_cast<unsigned>(static_cast<int>(d.year()) % 100);
    return "Quarv" + twoDigits(static_cast<unsigned>(d.day())) +
           twoDigits(static_cast<unsigned>(d.month())) + twoDigits(year) +
           (format == GameFormat::Pgn ? ".pgn" : ".xml");
}

std::string levelLabel(int depth) {
    // Depth 4 has no label of its own; it reads as the strongest one.
    if (depth < 0) depth = 0;
    if (depth >= static_cast<int>(EloLevels.size())) return std::string(EloLevels.back());
    return std::string(EloLevels[static_cast<std::size_t>(depth)]);
}

std::string tagLine(std::string_view name, std::string_view value) {
    std::string out = "[";
    out.append(name).append(" \"");
    for (char c : value) {
        if (c == '"' || c == '\\') out += '\\';
        // A line end would break the tag line apart.
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out + "\"]" + LineEnd;
}

Players savePlayers(const GameSession& s, const Settings& r, Colour player) {
    const std::size_t p = profileIndex(s.EngineProfile);
    if (s.PlayMode == GameMode::Auto) {
        const std::size_t black = r.TwoProfiles ? 2 : 1;
        return {r.NOM_MOTEUR[1], r.NOM_MOTEUR[black], levelLabel(r.PROFONDEUR_MAX[1]),
                levelLabel(r.PROFONDEUR_MAX[black])};
    }
    if (player != Colour::White)
        return {r.NOM_MOTEUR[1], r.NOM_JOUEUR[p], std::to_string(r.NIVEAU_ELO[1]),
                levelLabel(r.PROFONDEUR_MAX[p])};
    return {r.NOM_JOUEUR[p], r.NOM_MOTEUR[1], levelLabel(r.PROFONDEUR_MAX[p]),
            std::to_string(r.NIVEAU_ELO[1])};
}

Players printPlayers(const GameSession& s, const Settings& r, Colour player) {
    const std::size_t p = profileIndex(s.EngineProfile);
    const std::string engine = r.NOM_MOTEUR[p];
    const std::string level = levelLabel(r.PROFONDEUR_MAX[p]);
    if (s.PlayMode == GameMode::Auto) return {engine, engine, level, level};
    if (player != Colour::White) return {engine, r.NOM_JOUEUR[p], level, level};
    return {r.NOM_JOUEUR[p], engine, level, level};
}

std::string saveHeader(const GameSession& s, const Settings& settings, Colour player,
                       std::chrono::year_month_day d, const TextCatalogue& catalogue,
                       const std::optional<EcoLine>& opening) {
    if (!s.GameText.empty()) return finishHeader(s.GameText, s.FenDepart);
    return finishHeader(tags(catalogue.text(TextKey::ChessGame), datePgn(d),
                             savePlayers(s, settings, player), s, settings, opening),
                        s.FenDepart);
}

std::string printHeader(const GameSession& s, const Settings& settings, Colour player,
                        const std::string& date, const std::optional<EcoLine>& opening) {
    if (!s.GameText.empty()) return finishHeader(s.GameText, s.FenDepart);
    return finishHeader(
        tags("Partie du " + date, date, printPlayers(s, settings, player), s, settings, opening),
        s.FenDepart);
}

std::optional<EcoLine> gameOpening(const GameSession& s, const OpeningBase* base) {
    if (!base || !base->isOpen() || !s.GameText.empty() || !s.FenDepart.empty()) return {};
    const std::optional<EcoLine> line = base->openingOfGame(s.GameMoveText);
    return base->names() ? base->names()->named(line) : line;
}

std::string movesText(const GameSession& s, const Settings& settings) {
    std::string moves = settings.SAUVE_ABREGE == 1 ? s.GameMoveText : s.LongMoveText;
    moves = trimmed(moves);
    if (moves.empty() || s.PositionStates.empty()) return moves;
    const Position& start = s.PositionStates.front();
    // Without its number a first Black move would read as White's in other programs.
    if (start.sideToMove() == Colour::Black && !whiteMove(moves) && !numberOnly(moves))
        moves = std::to_string(start.MoveCount) + "... " + moves;
    return moves;
}

std::string inserer_commentaires(std::string text, const std::vector<std::string>& notes,
                                 Dialogs& dialogs, const TextCatalogue& catalogue,
                                 const std::string& title) {
    for (std::size_t k = 1; k < notes.size(); ++k) {
        if (notes[k].empty()) continue;
        Token j;
        if (!findHalfMove(text, k, j)) {
            dialogs.message(title, catalogue.text(TextKey::CommentInsertionProblem),
                            DialogIcon::Exclamation);
            continue;
        }
        // A closing brace would end the note early and leave the rest of it as moves.
        std::string note = notes[k];
        for (char& c : note)
            if (c == '}') c = ')';
        const bool atEnd = j.end >= text.size();
        text.insert(j.end, (j.white || atEnd ? " {" : "  {") + note + "}");
    }
    return text;
}

std::string saveText(const GameSession& s, const Settings& settings, Colour player,
                     std::chrono::year_month_day d, const TextCatalogue& catalogue,
                     Dialogs& dialogs, const std::string& title,
                     const std::optional<EcoLine>& opening) {
    std::string moves =
        inserer_commentaires(movesText(s, settings), s.notes, dialogs, catalogue, title);
    // A note on the game as a whole, read before its first move, goes back in front of it.
    if (!s.notes.empty() && !s.notes[0].empty()) {
        std::string note = s.notes[0];
        for (char& c : note)
            if (c == '}') c = ')';
        moves = "{" + note + "}" + (moves.empty() ? "" : " ") + moves;
    }
    if (!moves.empty()) moves += ' ';
    return saveHeader(s, settings, player, d, catalogue, opening) + moves + s.GameResult + LineEnd;
}

} // namespace quarvelin
