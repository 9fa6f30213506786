// SPDX-License-Identifier: GPL-3.0-or-later
// The UCI client against Debian's Stockfish and against scripted engines that misbehave.
#include "uci/UciEngine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

using namespace quarvelin;
using namespace std::chrono_literals;

namespace {

const char* const Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// A shell script standing in for an engine: `script` runs after the uci/isready handshake.
std::string fake(const std::string& script) {
    static int made = 0;
    auto file = std::filesystem::temp_directory_path() /
                ("quarvelin-fake-engine-" + std::to_string(::getpid()) + "-" +
                 std::to_string(++made) + ".sh");
    std::ofstream(file) << "read a; echo 'id name Fake'; echo uciok; read b; echo readyok\n"
                        << script << '\n';
    return "sh " + file.string();
}

} // namespace

TEST(UciEngine, PlaysAndScoresWithStockfish) {
    UciEngine engine;
    ASSERT_TRUE(engine.start("stockfish")) << "stockfish is installed by 'make test'";
    EXPECT_NE(engine.name().find("Stockfish"), std::string::npos);
    EXPECT_TRUE(engine.hasOption("Skill Level"));
    ASSERT_TRUE(engine.setOption("Threads=1"));
    ASSERT_TRUE(engine.newGame());

    // Mate in one for White: Qh5xf7.
    UciLimits depth;
    depth.depth = 6;
    auto mate = engine.search(Start, {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6"}, depth);
    ASSERT_TRUE(mate);
    EXPECT_EQ(mate->bestMove, "h5f7");
    EXPECT_EQ(mate->score, (UciScore{true, true, 1}));

    // Black is mated: no move, a mate score against the side to move.
    auto mated = engine.search(Start, {"f2f3", "e7e5", "g2g4", "d8h4"}, depth);
    ASSERT_TRUE(mated);
    EXPECT_EQ(mated->bestMove, "");

    // A poor move's own score, searched alone, against the best lines.
    UciLimits only = depth;
    only.searchMoves = {"g1h3"};
    auto knight = engine.search(Start, {}, only);
    ASSERT_TRUE(knight);
    EXPECT_EQ(knight->bestMove, "g1h3");
    EXPECT_TRUE(knight->score.known && !knight->score.mate);

    UciLimits three = depth;
    three.multiPv = 3;
    auto best = engine.search(Start, {}, three);
    ASSERT_TRUE(best);
    ASSERT_EQ(best->lines.size(), 3u);
    std::set<std::string> moves;
    for (const UciLine& l : best->lines) moves.insert(l.move);
    EXPECT_EQ(moves.size(), 3u);
    EXPECT_EQ(best->lines[0].move, best->bestMove);
    EXPECT_GE(best->lines[0].score.value, best->lines[2].score.value);

    ASSERT_TRUE(engine.setOption("Skill Level", "0"));
    UciLimits quick;
    quick.movetimeMs = 50;
    auto weak = engine.search(Start, {"e2e4"}, quick);
    ASSERT_TRUE(weak);
    EXPECT_EQ(weak->bestMove.size(), 4u);
    EXPECT_EQ(engine.problem(), UciProblem::None);
}

TEST(UciEngine, ReadsThroughLinesThatAreNotUci) {
    UciEngine engine(2s, 2s);
    ASSERT_TRUE(engine.start(fake("read c; read d; echo noise\n"
                                  "echo 'info depth 2 score cp 40 upperbound pv d2d4'\n"
                                  "echo 'info depth 3 score cp 17 pv e2e4 e7e5'\n"
                                  "echo 'info string score cp 99'\n"
                                  "echo 'info depth 4 score cp x'\n"
                                  "echo 'bestmove e2e4 ponder e7e5'; read e")));
    EXPECT_EQ(engine.name(), "Fake");
    auto r = engine.search(Start, {}, UciLimits{});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->bestMove, "e2e4");
    EXPECT_EQ(r->ponder, "e7e5");
    EXPECT_EQ(r->score, (UciScore{true, false, 17}));
    EXPECT_EQ(r->depth, 3);
}

TEST(UciEngine, ReportsEnginesThatFail) {
    struct Case {
        const char* what;
        std::string command;
        bool starts;
        UciProblem problem;
    };
    const Case cases[] = {
        {"missing program", "/nonexistent/engine", false, UciProblem::CannotStart},
        {"empty command", "", false, UciProblem::CannotStart},
        {"exits at once", "true", false, UciProblem::Stopped},
        {"never says uciok", "cat", false, UciProblem::NoAnswer},
        {"writes without end", "yes", false, UciProblem::NoAnswer},
        {"crashes in search", fake("read c; read d; kill -9 $$"), true, UciProblem::Stopped},
        {"never ends its search", fake("read c; read d; exec sleep 30"), true,
         UciProblem::NoAnswer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UciEngine engine(500ms, 500ms);
        auto begun = std::chrono::steady_clock::now();
        bool started = engine.start(c.command);
        EXPECT_EQ(started, c.starts);
        if (started) {
            EXPECT_FALSE(engine.search(Start, {}, UciLimits{}));
        }
        EXPECT_EQ(engine.problem(), c.problem);
        EXPECT_EQ(engine.detail(), c.command);
        EXPECT_FALSE(engine.running());
        EXPECT_LT(std::chrono::steady_clock::now() - begun, 5s);
    }
}

TEST(UciEngine, ReadsScoresOfInfoLines) {
    struct Case {
        const char* line;
        UciScore score;
    };
    const Case cases[] = {
        {"info depth 9 score cp -35 nodes 100 pv e2e4", {true, false, -35}},
        {"info depth 9 score mate -2 pv e2e4", {true, true, -2}},
        {"info depth 9 score cp 12 lowerbound", {true, false, 12}},
        {"info string score cp", {}},
        {"info depth 9 score cp 1x", {}},
        {"info depth 9 nodes 10", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(UciEngine::parseScore(c.line), c.score) << c.line;
}
