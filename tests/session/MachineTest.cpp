// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"

#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <unistd.h>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

// Holds the search's end until the test lets it go, as a worker thread would.
class DeferredSearch : public SearchRunner {
public:
    std::vector<std::function<void()>> waiting;
    int cancels = 0;
    void launch(const SearchRequest& d, const SearchCounters& c, const EngineCallbacks& r,
                End end) override {
        waiting.push_back([=] {
            SearchCounters cc = c;
            SearchResult outcome = searchMove(d, cc, r);
            end(outcome, cc);
        });
    }
    void cancel() override { ++cancels; }
};

TEST(MachineMove, AWholeGameByClicksAgainstDepthOne) {
    for (bool white : {true, false}) {
        Settings s = testSettings(1);
        s.DEB_BLANC = white ? 1 : 0;
        Bench b(s);
        b.dialogs.byDefault = false; // play on through repetitions
        std::mt19937 rng(1);
        b->newGame();
        int halfMoves = 0;
        while (!b->session().gameOver() && halfMoves < 600) {
            ASSERT_EQ(b->position().sideToMove(), b->position().PlayerColour);
            b.playRandomMove(rng);
            halfMoves += 2;
        }
        const GameSession& g = b->session();
        ASSERT_TRUE(g.gameOver()) << g.GameMoveText;
        // The machine beats a random player: a real mate, the loser to move.
        EXPECT_EQ(gameEnd(b->position()), GameEnd::Mate) << g.GameMoveText;
        EXPECT_EQ(b->position().sideToMove(), b->position().PlayerColour);
        EXPECT_EQ(g.GameResult, white ? "0-1" : "1-0");
        EXPECT_TRUE(g.GameMoveText.ends_with("#")) << g.GameMoveText;
        EXPECT_TRUE(b.screenUpToDate()) << writeFen(b->position()) << " " << g.GameMoveText;
        // Every position recorded, the result line included.
        EXPECT_EQ(g.PositionIndex, static_cast<int>(g.lines.size()) + 1);
        EXPECT_EQ(b.timers.intervals[Timer::Bottom], 0);
        EXPECT_EQ(b.timers.intervals[Timer::Top], 0);
        EXPECT_EQ(b.timers.intervals[Timer::Duration], 0);
    }
}

TEST(MachineMove, EveryEndOfGame) {
    struct Case {
        const char* fen;
        const char* of; // the human's move, or nothing when the machine moves first
        const char* to;
        const char* result;
        const char* line;
    };
    const Case cases[] = {
        // The human mates or stalemates the machine.
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1", "a8", "1-0", "<167> - <146> !!! "},
        {"7k/8/6Q1/8/8/8/8/6K1 w - - 0 1", "g6", "f7", "1/2-1/2", "<168> - PAT !! "},
        // The machine mates the human at once.
        {"6k1/8/8/8/8/8/r4PPP/6K1 b - - 0 1", nullptr, nullptr, "0-1", "<167> - <147> !!! "},
    };
    for (const Case& c : cases) {
        Bench b;
        b->newGame();
        b->pastePosition(c.fen);
        if (c.of) b.move(c.of, c.to);
        const GameSession& g = b->session();
        EXPECT_EQ(g.GameResult, c.result) << c.fen;
        EXPECT_EQ(g.lines.back(), c.line) << c.fen;
        EXPECT_EQ(b.view.shownResult, c.result);
        EXPECT_EQ(b.timers.intervals[Timer::Bottom], 0);
    }
}

TEST(MachineMove, DefaultOpeningAndItsScore) {
    struct Case {
        const char* opening;
        bool withoutSearch;
    };
    for (Case c : {Case{"e4", true}, Case{"d4", true}, Case{"zz9", false}, Case{"", false}}) {
        Settings s = testSettings(0);
        s.DEB_BLANC = 0;
        s.OUVERTURE_DEFAUT = {c.opening, c.opening, c.opening};
        Bench b(s);
        b->newGame();
        const GameSession& g = b->session();
        ASSERT_EQ(g.lines.size(), 1u);
        EXPECT_TRUE(g.GameMoveText.starts_with("1.")) << g.GameMoveText;
        if (c.withoutSearch) {
            EXPECT_EQ(g.GameMoveText, std::string("1.") + c.opening);
            EXPECT_EQ(b->counters().MovesExamined, 0);
            ASSERT_GE(g.ScoreHistory.size(), 2u);
            EXPECT_EQ(g.ScoreHistory[1], 0.0f);
        } else {
            EXPECT_GT(b->counters().MovesExamined, 0) << c.opening;
        }
        EXPECT_EQ(b->position().MoveCount, 1);
    }
}

class Book : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("quarvelin-livre-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    OpeningBase base;
    void SetUp() override {
        fs::create_directories(dir);
        ASSERT_TRUE(base.open((dir / "eco.db").string(), true));
        ASSERT_TRUE(base.append(
            {{0, "C44", "Partie du cavalier du roi", "1.e4 e5 2.Nf3 Nc6 *", 0, false}}));
    }
    void TearDown() override { fs::remove_all(dir); }
    Settings book(bool white) {
        Settings s = testSettings(0);
        s.DEB_BLANC = white ? 1 : 0;
        s.ACTIVE_BASE_CON = {1, 1, 1};
        s.OUVERTURE_ALEATOIRE = {0, 0, 0};
        return s;
    }
};

TEST_F(Book, BookMovesForBothSidesAndTheOpeningNamed) {
    Bench black(book(false), &base);
    black->newGame();
    black.move("e7", "e5");
    EXPECT_EQ(black->session().GameMoveText, "1.e4 e5 2.Nf3");
    EXPECT_EQ(black->counters().MovesExamined, 0); // no search
    EXPECT_EQ(black->session().OpeningCode, "C44");
    EXPECT_NE(black.commentary.text.find("[C44 - Partie du cavalier du roi]"), std::string::npos);

    Bench white(book(true), &base);
    white->newGame();
    white.move("e2", "e4");
    EXPECT_EQ(white->session().GameMoveText, "1.e4 e5");
    white.move("g1", "f3");
    EXPECT_EQ(white->session().GameMoveText, "1.e4 e5 2.Nf3 Nc6");
    // Out of the base: the search takes over and the name stays.
    white.move("f1", "c4");
    EXPECT_GT(white->counters().MovesExamined, 0);
    EXPECT_EQ(white->session().OpeningCode, "C44");
}

TEST_F(Book, NoBookWhenTheProfileSaysSoOrTheBaseIsClosed) {
    Settings s = book(true);
    s.ACTIVE_BASE_CON = {0, 0, 0};
    Bench b(s, &base);
    b->newGame();
    b.move("e2", "e4");
    EXPECT_GT(b->counters().MovesExamined, 0);

    OpeningBase closed;
    EXPECT_FALSE(closed.open((dir / "absent" / "eco.db").string()));
    Bench c(book(true), &closed);
    c->newGame();
    c.move("e2", "e4");
    EXPECT_GT(c->counters().MovesExamined, 0);
    EXPECT_EQ(c->session().OpeningCode, UnknownOpening);
    EXPECT_TRUE(c.dialogs.messages.empty());
}

TEST(MachineMove, AutomaticPlayAlternatesProfilesToTheEnd) {
    Settings s = testSettings(0);
    s.MODE_JEUX = 4;
    s.TwoProfiles = true;
    s.PROFONDEUR_MAX = {0, 0, 1};
    Bench b(s);
    b->newGame();
    std::vector<int> profiles;
    int ticks = 0;
    while (b.timers.intervals[Timer::Auto] != 0 && ticks < 700) {
        profiles.push_back(b->profile());
        b->tick(Timer::Auto);
        ++ticks;
    }
    const GameSession& g = b->session();
    ASSERT_TRUE(g.gameOver()) << g.GameMoveText;
    EXPECT_FALSE(b.view.running); // the play button shows play again
    for (std::size_t i = 0; i < profiles.size(); ++i) EXPECT_EQ(profiles[i], i % 2 == 0 ? 1 : 2);
    // Decisive results are mates, unless the position stood a third time.
    if (gameEnd(b->position()) == GameEnd::InProgress) {
        int times = 0;
        const std::string& end = g.PositionHistory[static_cast<std::size_t>(g.PositionIndex - 1)];
        for (int i = 0; i < g.PositionIndex - 1; ++i)
            times += g.PositionHistory[static_cast<std::size_t>(i)] == end;
        EXPECT_GE(times, 3) << g.GameMoveText; // the result line records it once more
        // The list and the comment window say why.
        EXPECT_NE(g.lines.back().find("<33>"), std::string::npos) << g.lines.back();
        EXPECT_NE(b.commentary.text.find(g.lines.back()), std::string::npos);
    }
    EXPECT_TRUE(b.dialogs.questions.empty()); // automatic play never asks
}

TEST(MachineMove, ThinkingShowsEachSidesMovesAsTheListDoes) {
    for (bool humanWhite : {false, true}) {
        Settings s = testSettings(1);
        s.DEB_BLANC = humanWhite ? 1 : 0;
        Bench b(s);
        b->newGame(); // the machine's first White move is its opening, not a search
        b.move(humanWhite ? "e2" : "e7", humanWhite ? "e4" : "e5");
        ASSERT_FALSE(b.view.thoughts.empty());
        // Black's moves carry the dots; White's never do.
        for (const std::string& t : b.view.thoughts)
            EXPECT_EQ(t.find("..."), humanWhite ? 0u : std::string::npos) << t;
    }
}

TEST(MachineMove, EnPassantCommentLine) {
    Bench b;
    b->newGame();
    // Black's only move after e2-e4 is the capture en passant.
    b->pastePosition("k7/2K5/2N5/8/3p4/3B4/4P3/8 w - - 0 1");
    b.move("e2", "e4");
    EXPECT_EQ(b.on("e4"), PieceCode::Empty);
    EXPECT_EQ(b->session().lines.back(), "    ..... d4xe3e.p.");
    EXPECT_NE(b.commentary.text.find(
                  "\n- <164>" + pieceName(code(PieceCode::WhitePawn), b.catalogue) + "<995>\n"),
              std::string::npos)
        << b.commentary.text;
}

TEST(MachineMove, TraceMarksAndHint) {
    Settings s = testSettings(0);
    Bench b(s);
    b->newGame();
    b.move("e2", "e4");
    ASSERT_EQ(b.board.marks.size(), 2u);
    EXPECT_EQ(b.board.marks[0][2], 65535);

    b->conseil_coup();
    ASSERT_FALSE(b.dialogs.messages.empty());
    EXPECT_TRUE(b.dialogs.messages.back().text.starts_with("<333> 2."))
        << b.dialogs.messages.back().text;
    EXPECT_TRUE(b.dialogs.messages.back().text.ends_with(")"));
    EXPECT_EQ(b->position().MoveCount, 1); // raised for the hint only
    EXPECT_FALSE(b.board.marks.empty());
}

TEST(MachineMove, BoardRefusesInputWhileThinkingAndNewGameDropsTheSearch) {
    Settings s = testSettings(0);
    Bench b(s);
    DeferredSearch deferred;
    Environment env{b.settings,         b.catalogue,
                    b.dialogs,          b.sounds,
                    b.commentary,       b.board,
                    b.timers,           b.view,
                    deferred,           nullptr,
                    "/opt/quarvelin",   "quarvelin",
                    [] { return 0.9; }, 1};
    GameController p(env);
    p.newGame();
    Square e2 = namedSquare('e', '2', Colour::White), e4 = namedSquare('e', '4', Colour::White);
    p.clickSquare(e2.x, e2.y);
    p.clickSquare(e4.x, e4.y);
    ASSERT_TRUE(p.machineThinking());
    ASSERT_EQ(deferred.waiting.size(), 1u);
    Square d2 = namedSquare('d', '2', Colour::White);
    p.clickSquare(d2.x, d2.y);
    EXPECT_EQ(p.state(), BoardState::Waiting);

    p.newGame();
    EXPECT_EQ(deferred.cancels, 1);
    EXPECT_FALSE(p.machineThinking());
    deferred.waiting[0](); // the old search ends late: nothing happens
    EXPECT_TRUE(p.session().lines.empty());
    EXPECT_EQ(p.position(), Position::initial());
}

} // namespace
