// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"

#include "notation/Fen.h"
#include "records/GameRecordText.h"
#include "records/PgnReader.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

ParsedGame read(const std::string& pgn) {
    std::istringstream in(pgn);
    return readPgnGame(in, 0);
}

TEST(Loading, NotesFromCommentsLandOnTheMovesTheyFollow) {
    const struct {
        std::string pgn;
        std::size_t moves;
        std::vector<std::pair<std::size_t, std::string>> notes; // by move played, from 1
        std::string finalFen;
    } cases[] = {
        {"[Event \"a\"]\n\n1.e4 {a} e5 {b} 2.Nf3 Nc6 {c} 1-0\n",
         4,
         {{1, "a"}, {2, "b"}, {4, "c"}},
         "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"},
        // From a position with Black to move at move 20: its first move is half-move 40.
        {"[Event \"b\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 20\"]\n\n"
         "20... Kd7 {first} 21.e4 Kc6 {third} *\n",
         3,
         {{1, "first"}, {3, "third"}},
         "8/8/2k5/8/4P3/8/8/4K3 w - - 1 22"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pgn);
        Bench b;
        ASSERT_TRUE(b->loadGame(read(c.pgn)));
        const GameSession& s = b->session();
        EXPECT_EQ(s.lines.size(), c.moves);
        EXPECT_EQ(s.NotationCode, NotationCode::Pgn);
        ASSERT_EQ(s.notes.size(), c.moves + 1);
        std::vector<std::pair<std::size_t, std::string>> notes;
        for (std::size_t k = 0; k < s.notes.size(); ++k)
            if (!s.notes[k].empty()) notes.emplace_back(k, s.notes[k]);
        EXPECT_EQ(notes, c.notes);
        EXPECT_EQ(writeFen(b->position()), c.finalFen);
    }
}

TEST(Loading, ResultKeptAndCommentaryShowsCommentsAndVariations) {
    Bench b;
    b.commentary.text.clear();
    ASSERT_TRUE(b->loadGame(
        read("[Event \"a\"]\n[Result \"0-1\"]\n\n{opening words} 1.e4 (1.d4 d5) e5 {b} 0-1\n")));
    EXPECT_EQ(b->session().GameResult, "0-1");
    const std::string& t = b.commentary.text;
    EXPECT_NE(t.find("{opening words}"), std::string::npos) << t;
    EXPECT_NE(t.find("{b}"), std::string::npos) << t;
    EXPECT_NE(t.find("1. (1.d4 d5)"), std::string::npos) << t;
    // The opening comment is the game's own note, saved in front of the first move.
    EXPECT_EQ(b->session().notes.at(0), "opening words");
    const std::string saved =
        saveText(b->session(), b.settings, Colour::White, std::chrono::year_month_day{},
                 b.catalogue, b.dialogs, "quarvelin", {});
    EXPECT_NE(saved.find("\r\n{opening words} 1.e4 e5 {b} 0-1"), std::string::npos) << saved;
}

TEST(Loading, ClocksOfTheGameBeforeAreResetAndStill) {
    Bench b;
    b->newGame();
    for (int i = 0; i < 5; ++i) b->tick(Timer::Bottom);
    ASSERT_EQ(b->clocks().bottom(), "00:14:55");
    ASSERT_TRUE(b->loadGame(read("[Event \"a\"]\n\n1.e4 e5 *\n")));
    EXPECT_EQ(b->clocks().bottom(), "00:15:00");
    for (Timer m : {Timer::Bottom, Timer::Top, Timer::Duration})
        EXPECT_EQ(b.timers.intervals[m], 0);
}

TEST(Loading, RefusedStartLeavesTheGameOnTheBoard) {
    Bench b;
    b->newGame();
    b->loadGame(read("[Event \"a\"]\n\n1.e4 e5 *\n"));
    const std::string before = b->session().GameMoveText;
    ParsedGame twoKings = read("[Event \"b\"]\n\n1.d4 *\n");
    twoKings.FenDepart = "4k3/8/8/8/8/8/8/4KK2 w - - 0 1";
    EXPECT_FALSE(b->loadGame(twoKings));
    EXPECT_EQ(b->session().GameMoveText, before);
    EXPECT_FALSE(b.dialogs.messages.empty());
}

} // namespace
