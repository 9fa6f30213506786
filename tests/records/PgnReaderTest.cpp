// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PgnReader.h"

#include "localisation/Catalogue.h"
#include "support/GamesOfText.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

std::vector<ParsedGame> gamesOf(const char* file) {
    return readGames(readText(std::string(QUARVELIN_TEST_DATA) + "/" + file));
}

std::map<std::size_t, std::string> comments(const ParsedGame& p) {
    std::map<std::size_t, std::string> m;
    for (std::size_t i = 0; i < p.comments.size(); ++i)
        if (!p.comments[i].empty()) m[i] = p.comments[i];
    return m;
}

struct ReadCase {
    const char* moves;
    std::map<std::size_t, std::string> comments; // by the half-move before them
    const char* moveText = nullptr;              // null: not checked
    std::vector<std::pair<int, std::string>> variations = {};
    const char* tags = "[Event \"e\"]\n";
    const char* gameText = nullptr; // null: not checked
    const char* result = "*";
};

TEST(PgnReader, ReadsMovesCommentsAndVariations) {
    const ReadCase cases[] = {
        {"1.e4 {a} e5 {b} *", {{1, "a"}, {2, "b"}}},
        // Written apart from its number, White's move reads as Black's.
        {"1. e4 {c} *", {{2, "c"}}},
        {"1.e4 e5 2.Nf3 {d} Nc6 {e} 3.Bb5 *", {{3, "d"}, {4, "e"}}},
        {"1.e4 e5 {x}\n{y} 2.Nf3 *", {{2, "x y"}}},
        {"1.e4 {over\r\n   two lines } e5 *", {{1, "over two lines"}}},
        {"1.e4 ; to the end of the line\ne5 *", {{1, "to the end of the line"}}},
        {"{before the first move} 1.e4 *", {{0, "before the first move"}}},
        {"1.e4 $1 {after a NAG} e5 !? {after a glyph} *",
         {{1, "after a NAG"}, {2, "after a glyph"}}},
        {"1.e4 (1.d4 {in a variation} d5) e5 *",
         {},
         "1.e4 e5",
         {{1, "(1.d4 {in a variation} d5)"}}},
        {"1.e4 e5 2.Nf3 {} *", {}},
        // A Black move carrying its own number.
        {"1.e4 e5 2.Nf3 2...Nc6 {f} 3.Bb5 *", {{4, "f"}}},
        {"1.e4 e5 2.Nf3 2... {g} Nc6 *", {{4, "g"}}},
        // Long notation: the full stops of "e.p." are no move number.
        {"1.e2-e4 d7-d5 2.e4-e5 f7-f5 3.e5xf6e.p. {h} e7xf6 {i} *", {{5, "h"}, {6, "i"}}},
        {"1.a2-a3 d7-d5 2.a3-a4 d5-d4 3.e2-e4 d4xe3e.p. {j} *", {{6, "j"}}},
        {"1. e2-e4 d7-d5 2. e4-e5 f7-f5 3. e5xf6e.p. e7xf6 {k} *", {{6, "k"}}},
        // Any move number style.
        {"1.e4 e5 2.Nf3 Nc6 *", {}, "1.e4 e5 2.Nf3 Nc6"},
        {"1. e4 e5 2. Nf3 Nc6 *", {}, "1.e4 e5 2.Nf3 Nc6"},
        {"1. e4 1... e5 2. Nf3 2...Nc6 *", {}, "1.e4 e5 2.Nf3 Nc6"},
        {"1 e4 e5 2 Nf3 Nc6 *", {}, "1.e4 e5 2.Nf3 Nc6"},
        {"e4 e5 Nf3 Nc6 *", {}, "1.e4 e5 2.Nf3 Nc6"},
        {"1.e4 1...e5 2.Nf3 2. .. Nc6 *", {}, "1.e4 e5 2.Nf3 Nc6"},
        // Nested variations, NAGs and escape lines stay out of the main line.
        {"1. e4 e5 2. Nf3 $1 (2. f4 exf4 (2... d5 {counter}) 3. Nf3)\n%escape line 2. d4\n"
         "2... Nc6 3.Bb5!? a6 1-0",
         {},
         "1.e4 e5 2.Nf3 Nc6 3.Bb5!? a6",
         {{3, "(2. f4 exf4 (2... d5 {counter}) 3. Nf3)"}},
         "[Event \"v\"]\r\n[White \"A \\\"quoted\\\" name\"]\r\n",
         "[Event \"v\"]\r\n[White \"A \\\"quoted\\\" name\"]\r\n\r\n",
         "1-0"},
        // From a FEN position the moves are numbered from it.
        {"30... Kd7 (30... Ke7 31. Kf2) 31.Kf2 {quiet} *",
         {{61, "quiet"}},
         "30...Kd7 31.Kf2",
         {{60, "(30... Ke7 31. Kf2)"}},
         "[Event \"fen\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n"},
        // Windows-1252 names and comments read as UTF-8.
        {"1.e4 {gagn\xE9} *",
         {{1, "gagné"}},
         nullptr,
         {},
         "[Event \"x\"]\n[White \"M\xFCller\"]\n",
         "[Event \"x\"]\r\n[White \"Müller\"]\r\n\r\n"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.moves);
        std::istringstream in(std::string(c.tags) + "\n" + c.moves + "\n");
        const ParsedGame p = readPgnGame(in, 0);
        EXPECT_TRUE(p.ok()) << static_cast<int>(p.error) << " " << p.detail;
        EXPECT_EQ(comments(p), c.comments);
        EXPECT_EQ(p.GameMoveText, c.moveText ? c.moveText : p.GameMoveText);
        EXPECT_EQ(p.GameText, c.gameText ? c.gameText : p.GameText);
        EXPECT_EQ(p.GameResult, c.result);
        std::vector<std::pair<int, std::string>> variations;
        for (const auto& v : p.variations) variations.emplace_back(v.halfMove, v.text);
        EXPECT_EQ(variations, c.variations);
    }
    std::istringstream fen("[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 30\"]\n\n30... Kd7 *\n");
    EXPECT_EQ(readPgnGame(fen, 0).FenDepart, "4k3/8/8/8/8/8/4P3/4K3 b - - 0 30");
}

TEST(PgnReader, EachPlaceOfTheIndexReadsItsOwnGame) {
    const std::vector<ParsedGame> games = gamesOf("varied.pgn");
    const std::vector<std::string> events = {"Paris opera",         "Club game",
                                             "Promotions",          "Black side",
                                             "Black to move first", "No result, next game follows",
                                             "Windows lines"};
    ASSERT_EQ(games.size(), events.size());
    for (std::size_t i = 0; i < games.size(); ++i) {
        EXPECT_TRUE(games[i].ok()) << events[i] << ": " << games[i].detail;
        EXPECT_EQ(games[i].GameText.rfind("[Event \"" + events[i] + "\"]\r\n", 0), 0u) << events[i];
    }
    EXPECT_EQ(games[0].GameMoveText.substr(0, 22), "1.e4 e5 2.Nf3 d6 3.d4 ");
    EXPECT_EQ(comments(games[0]).at(6), "This is a weak move already.--Fischer");
    EXPECT_NE(games[1].GameText.find("\r\n[White \"Müller, Jürgen\"]\r\n"), std::string::npos);
    EXPECT_EQ(games[4].GameMoveText.substr(0, 13), "1...c5 2.Nf3 ");
    EXPECT_EQ(games[5].GameResult, "*"); // neither a result token nor a Result tag
}

TEST(PgnReader, ABrokenGameIsReportedAndTheNextOneRead) {
    const std::vector<ParsedGame> games = gamesOf("broken.pgn");
    ASSERT_EQ(games.size(), 5u);
    Catalogue catalogue;
    catalogue.appliquer_langue(2);
    std::vector<std::string> messages;
    for (const ParsedGame& p : games) messages.push_back(readingMessage(p, catalogue));
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "", "Move 2 cannot be read or played: Ke3",
                            "Move 2 cannot be read or played: Zz9",
                            "Start position [FEN] rejected: 8/8/8/8/8/8/8/8 w - - 0 1", ""}));
    EXPECT_EQ(games[1].GameMoveText, "1.e4 e5 2.Ke3 Nc6");
    EXPECT_EQ(games[4].GameMoveText, "1.d4 Nf6 2.c4 g6");

    // An unclosed comment runs to the next game's first line, not into that game.
    const std::vector<ParsedGame> open = readGames("[Event \"a\"]\n\n1.e4 {never closed\n\n"
                                                   "[Event \"b\"]\n\n1.d4 (1.c4 *\n\n"
                                                   "[Event \"c\"]\n\n1.Nf3 *\n");
    ASSERT_EQ(open.size(), 3u);
    const OffsetCatalogue numbers;
    EXPECT_EQ(readingMessage(open[0], numbers), "<879>{");
    EXPECT_EQ(open[0].GameMoveText, "1.e4");
    EXPECT_EQ(readingMessage(open[1], numbers), "<879>(");
    EXPECT_TRUE(open[2].ok());
    EXPECT_EQ(open[2].GameMoveText, "1.Nf3");

    // Nothing to read at a place.
    std::istringstream in("[Event \"a\"]\n\n1.e4 *\n\n\n");
    EXPECT_EQ(readingMessage(readPgnGame(in, 20), numbers), "<880>20");
    EXPECT_EQ(readingMessage(readPgnGame(in, 1000), numbers), "<880>1000");
    EXPECT_TRUE(readPgnGame(in, 0).ok());
}

} // namespace
