// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PgnReader.h"

#include "localisation/Encoding.h"
#include "localisation/TextCatalogue.h"
#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "records/GameStart.h"

#include <algorithm>
#include <istream>
#include <sstream>

namespace quarvelin {

namespace {

constexpr std::size_t Piece = 64 << 10;
// No real game comes near it; a file without another game start after a broken one is not
// read whole.
constexpr std::size_t MaximumSize = 16 << 20;
// Longer than any game can be; keeps a wild move number before a comment from growing the
// comment list without end.
constexpr int IndexMaximal = 2 * 9000;

// The bytes from `position` to the next game's first line, the end, or MaximumSize.
std::string gameText(std::istream& in, std::uint64_t position, bool& error) {
    std::string text;
    in.clear();
    in.seekg(static_cast<std::streamoff>(position));
    if (!in) return text;
    std::size_t from = 0;
    for (;;) {
        std::size_t before = text.size();
        text.resize(before + Piece);
        in.read(text.data() + before, static_cast<std::streamsize>(Piece));
        text.resize(before + static_cast<std::size_t>(in.gcount()));
        bool end = !in;
        if (in.bad()) error = true;
        StartSearch r;
        for (;;) {
            r = findGameStart(text, from, true, end);
            if (r.line != 0) break;
            from = r.bracket + 1; // the game's own first line
        }
        if (r.line != StartSearch::None) {
            text.resize(r.line);
            return text;
        }
        from = r.resumption;
        if (end) return text;
        if (text.size() >= MaximumSize) {
            text.resize(MaximumSize);
            return text;
        }
    }
}

// The leading digits of a move number as written; 0 when there are none.
int count(std::string_view s) {
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        n = n * 10 + (c - '0');
        if (n > IndexMaximal) return IndexMaximal;
    }
    return n;
}

// The move number a token starts with ("12.", "12...", "12.Nf3", "12...Nf6"), and whether it is
// Black's; 0 for a token without one, "e4xd3e.p." included.
struct WrittenNumber {
    int n = 0;
    bool black = false;
};

WrittenNumber writtenNumber(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    if (i == 0 || i == t.size() || t[i] != '.') return {};
    return {count(t), t.substr(i).starts_with("..")};
}

// The half-move a comment belongs to, found from the text before it: a last token starting
// with a number gives that move, "12." and "12.Nf3" White's move 12 (index 23), "12...Nf6"
// Black's (24); a token without one (a move written apart from its number, "1. e4" included)
// gives the Black move of the last number written, 2n.
int commentIndex(const PgnAside& a) {
    if (a.previous.empty()) return 0;
    int index = 0;
    if (WrittenNumber n = writtenNumber(a.previous); n.n > 0)
        index = n.black ? 2 * n.n : 2 * n.n - 1;
    else if (WrittenNumber d = writtenNumber(a.lastNumbered); d.n > 0)
        index = 2 * d.n;
    return std::clamp(index, 0, IndexMaximal);
}

// Line breaks and the blanks around them become one space; the ends are trimmed.
std::string onOneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool cut = false;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
            cut = true;
        } else if (cut && (c == ' ' || c == '\t')) {
        } else {
            if (cut && !out.empty()) out += ' ';
            cut = false;
            out += c;
        }
    }
    std::size_t beginning = out.find_first_not_of(" \t");
    if (beginning == std::string::npos) return {};
    std::size_t end = out.find_last_not_of(" \t");
    return out.substr(beginning, end - beginning + 1);
}

std::string tagLine(const std::string& name, const std::string& value) {
    std::string line = "[" + name + " \"";
    for (char c : value) {
        if (c == '"' || c == '\\') line += '\\';
        line += c;
    }
    return line + "\"]\r\n";
}

} // namespace

ParsedGame readPgnGame(std::istream& in, std::uint64_t position) {
    ParsedGame parsed;
    parsed.position = position;
    bool readError = false;
    std::string text = gameText(in, position, readError);
    std::istringstream flux(utf8Text(text));
    text.clear();
    PgnStream stream(flux, true);
    PgnGame game;
    if (!stream.next(game) || (game.tags.empty() && game.moves.empty())) {
        parsed.error = readError ? GameReadProblem::FileReadError : GameReadProblem::NoGameAtPlace;
        parsed.detail = std::to_string(position);
        return parsed;
    }

    for (const auto& [name, value] : game.tags) parsed.GameText += tagLine(name, value);
    parsed.GameText += "\r\n";
    parsed.tags = game.tags;

    Position start = Position::initial(Colour::White);
    if (const std::string* fen = game.tag("FEN")) {
        if (auto p = readFen(*fen, Colour::White)) {
            start = *p;
            parsed.FenDepart = *fen;
        } else {
            parsed.error = GameReadProblem::StartFenRejected;
            parsed.detail = *fen;
        }
    }

    // The main line numbered from the start position.
    Colour sideToMove = start.sideToMove();
    int number = sideToMove == Colour::White ? start.MoveCount + 1 : start.MoveCount;
    const int firstIndex = sideToMove == Colour::White ? 2 * number - 1 : 2 * number;
    for (std::size_t k = 0; k < game.moves.size(); ++k) {
        if (k > 0) parsed.GameMoveText += ' ';
        if (sideToMove == Colour::White)
            parsed.GameMoveText += std::to_string(number) + ".";
        else if (k == 0)
            parsed.GameMoveText += std::to_string(number) + "...";
        parsed.GameMoveText += game.moves[k];
        if (sideToMove == Colour::Black) ++number;
        sideToMove = opposite(sideToMove);
    }

    for (const PgnAside& a : game.asides) {
        std::string asideText = onOneLine(a.text);
        if (a.variation) {
            int halfMove = a.movesBefore == 0 ? 0 : firstIndex + a.movesBefore - 1;
            parsed.variations.push_back({halfMove, std::move(asideText)});
            continue;
        }
        if (asideText.empty()) continue;
        std::size_t index = static_cast<std::size_t>(commentIndex(a));
        if (parsed.comments.size() <= index) parsed.comments.resize(index + 1);
        std::string& place = parsed.comments[index];
        if (!place.empty()) place += ' ';
        place += asideText;
    }

    const std::string* resultTag = game.tag("Result");
    parsed.GameResult = !game.result.empty()                ? game.result
                        : resultTag && isResult(*resultTag) ? *resultTag
                                                            : "*";

    if (!parsed.ok()) return parsed;
    if (game.unclosed != 0) {
        parsed.error = GameReadProblem::NotClosedAtEnd;
        parsed.detail = std::string(1, game.unclosed);
        return parsed;
    }
    Replay r = replay(game);
    if (!r.ok) {
        parsed.error = GameReadProblem::MoveUnreadable;
        parsed.errorNumber = r.errorNumber;
        parsed.detail = r.errorToken;
    }
    return parsed;
}

TextKey readProblemText(GameReadProblem problem) {
    switch (problem) {
    case GameReadProblem::NoGameAtPlace:
        return TextKey::NoGameAtPlace;
    case GameReadProblem::FileReadError:
        return TextKey::FileReadError;
    case GameReadProblem::StartFenRejected:
        return TextKey::StartFenRejected;
    case GameReadProblem::NotClosedAtEnd:
        return TextKey::NotClosedAtEnd;
    case GameReadProblem::MoveUnreadable:
    case GameReadProblem::None:
        break;
    }
    return TextKey::MoveUnreadableAt;
}

std::string readingMessage(const ParsedGame& parsed, const TextCatalogue& catalogue) {
    if (parsed.ok()) return {};
    return catalogue.text(readProblemText(parsed.error), {std::to_string(parsed.errorNumber)}) +
           parsed.detail;
}

} // namespace quarvelin
