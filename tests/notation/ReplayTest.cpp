// SPDX-License-Identifier: GPL-3.0-or-later
// Replaying real-world PGN, checked against two independent peers: pgn-extract reads the same
// file itself, and Stockfish plays the moves we read.
#include "support/Peers.h"
#include "support/TestFolder.h"

#include "notation/Fen.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>

using namespace quarvelin;

namespace {

const std::string Varied = std::string(QUARVELIN_TEST_DATA) + "/varied.pgn";

// A FEN without its en-passant field: tools differ on writing it when no capture is possible.
std::string withoutEnPassant(const std::string& fen) {
    std::istringstream in(fen);
    std::string f[6];
    for (auto& x : f) in >> x;
    return f[0] + ' ' + f[1] + ' ' + f[2] + ' ' + f[4] + ' ' + f[5];
}

struct Played {
    std::string event, start, fen;
    std::vector<std::string> uci;
    std::string verdict; // "ok", or the number and token of the move that failed
    std::uint64_t offset;
};

std::vector<Played> replayFile(const std::string& text, Colour bottom = Colour::White) {
    std::istringstream in(text);
    PgnStream stream(in);
    PgnGame game;
    std::vector<Played> out;
    while (stream.next(game)) {
        Played j;
        j.event = game.tag("Event") ? *game.tag("Event") : "";
        j.start = game.tag("FEN") ? *game.tag("FEN") : "startpos";
        Replay r = replay(game, NotationCode::Pgn, bottom, &j.uci);
        j.verdict = r.ok ? "ok" : std::to_string(r.errorNumber) + " " + r.errorToken;
        j.fen = writeFen(r.position);
        j.offset = game.offset;
        out.push_back(j);
    }
    return out;
}

TEST(Replay, VariedFileReadsEveryGameAtItsOffsetWithEitherSideAtTheBottom) {
    const std::string text = test::readText(Varied);
    const auto games = replayFile(text), flipped = replayFile(text, Colour::Black);
    ASSERT_EQ(games.size(), 7u);
    ASSERT_EQ(flipped.size(), 7u);
    for (std::size_t i = 0; i < games.size(); ++i) {
        EXPECT_EQ(games[i].verdict, "ok") << games[i].event;
        ASSERT_LT(games[i].offset, text.size());
        EXPECT_EQ(text[games[i].offset], '[') << games[i].event;
        EXPECT_EQ(flipped[i].fen, games[i].fen) << games[i].event;
    }
}

TEST(Replay, EndsWherePgnExtractEnds) {
    std::string tool = test::findProgram("pgn-extract");
    ASSERT_FALSE(tool.empty()) << "pgn-extract is installed by 'make test'";
    // pgn-extract refuses ";" comments after a move; give it the file without them.
    std::string text = std::regex_replace(test::readText(Varied), std::regex(";[^\r\n]*"), "");
    std::string output = test::run(tool + " -F --quiet", text);

    std::map<std::string, std::string> theirs;
    std::regex eventRe("\\[Event \"([^\"]*)\"\\]"), fenRe("\\{ \"([^\"]+)\" \\}");
    std::string event;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, eventRe)) event = m[1];
        if (std::regex_search(line, m, fenRe)) theirs[event] = m[1];
    }
    ASSERT_GE(theirs.size(), 6u);
    for (const auto& g : replayFile(test::readText(Varied)))
        if (theirs.count(g.event)) {
            EXPECT_EQ(withoutEnPassant(g.fen), withoutEnPassant(theirs[g.event])) << g.event;
        }
}

TEST(Replay, EndsWhereStockfishEndsWithTheSameMoves) {
    std::string stockfish = test::findProgram("stockfish");
    ASSERT_FALSE(stockfish.empty()) << "stockfish is installed by 'make test'";
    auto games = replayFile(test::readText(Varied));
    std::string commands;
    for (const auto& g : games) {
        commands += g.start == "startpos" ? "position startpos moves"
                                          : "position fen " + g.start + " moves";
        for (const auto& m : g.uci) commands += ' ' + m;
        commands += "\nd\n";
    }
    commands += "quit\n";
    std::istringstream out(test::run(stockfish, commands));
    std::size_t i = 0;
    for (std::string line; std::getline(out, line);)
        if (line.rfind("Fen: ", 0) == 0) {
            ASSERT_LT(i, games.size());
            EXPECT_EQ(withoutEnPassant(games[i].fen), withoutEnPassant(line.substr(5)))
                << games[i].event;
            ++i;
        }
    EXPECT_EQ(i, games.size());
}

TEST(PgnStream, SeparatesTagsMovesAndResults) {
    std::istringstream in(
        "\xEF\xBB\xBF[White \"A \\\"quoted\\\" name\"]\r\n[Result \"0-1\"]\r\n\r\n"
        "1. e4 {a (brace) comment} 1... e5 $2 2.Nf3!? (2. f4 exf4 (2... d5)) Nc6 3. Bb5 0-1\n"
        "%escape line 1. d4\n"
        "[Event \"second\"]\n1.d4 d5\n[Event \"third\"]\n1. c4 *\n");
    PgnStream stream(in);
    PgnGame g;
    ASSERT_TRUE(stream.next(g));
    EXPECT_EQ(*g.tag("White"), "A \"quoted\" name");
    EXPECT_EQ(g.moves, (std::vector<std::string>{"e4", "e5", "Nf3!?", "Nc6", "Bb5"}));
    EXPECT_EQ(g.result, "0-1");
    EXPECT_EQ(g.offset, 3u); // after the byte order mark
    ASSERT_TRUE(stream.next(g));
    EXPECT_EQ(*g.tag("Event"), "second");
    EXPECT_EQ(g.moves, (std::vector<std::string>{"d4", "d5"}));
    EXPECT_EQ(g.result, "");
    ASSERT_TRUE(stream.next(g));
    EXPECT_EQ(g.moves, (std::vector<std::string>{"c4"}));
    EXPECT_FALSE(stream.next(g));
}

// Keeping the first moves only reads the same games to the same ends: comments, variations,
// escape lines and tags after them, and a result cut by the stream's block boundary.
TEST(PgnStream, KeepingTheFirstMovesReadsTheSameGames) {
    std::vector<std::string> texts = {
        "[Event \"a\"]\n\n1. e4 e5 2. Nf3 {1-0 [x]} (2. f4 *) Nc6 $1 ; 0-1\n3. Bb5 1/2-1/2\n"
        "%1-0\n[Event \"b\"]\n1.d4 d5 2.c4 [c] ] } $2 (( 2... e6 ) ) e6 3. Nc3\n[Event \"c\"]\n"
        "1. c4 { open"};
    const std::string tail = " e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n[Event \"z\"]\n\n1. d4 *\n";
    for (std::size_t cut = 0; cut < tail.size(); ++cut) {
        // A comment long enough that the block ends `cut` bytes into the tail.
        const std::string head = "[Event \"y\"]\n\n1. e4 {";
        const std::size_t block = 1 << 20;
        texts.push_back(head + std::string(block - head.size() - 1 - cut, 'x') + "}" + tail);
    }
    for (const std::string& text : texts)
        for (std::size_t kept : {1u, 2u, 3u, 12u}) {
            std::istringstream a(text), b(text);
            PgnStream whole(a), first(b);
            first.keepMoves(kept);
            PgnGame g, h;
            for (;;) {
                const bool more = whole.next(g);
                ASSERT_EQ(first.next(h), more) << kept;
                if (!more) break;
                EXPECT_EQ(h.tags, g.tags);
                EXPECT_EQ(h.result, g.result) << kept << " " << text.substr(0, 40);
                EXPECT_EQ(h.offset, g.offset);
                EXPECT_EQ(h.unclosed, g.unclosed);
                g.moves.resize(std::min(kept, g.moves.size()));
                EXPECT_EQ(h.moves, g.moves);
            }
        }
}

} // namespace
