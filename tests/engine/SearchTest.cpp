// The fast engine's own edge cases (the oracle tests compare it with the plain engine at large).
#include "support/TestDoubles.h"

#include "cli/Cli.h"
#include "engine/Engine.h"
#include "engine/Search.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarvelin;

namespace {

Position fen(const char* text, Colour bottom) { return *readFen(text, bottom); }

TEST(Search, IllegalMoveAndMateScores) {
    for (Colour bottom : {Colour::White, Colour::Black}) {
        // White's king is left attacked by the rook: whatever else stands, exactly -999999.
        Search illegal(fen("4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", bottom), EngineWeights{},
                       NotationCode::Pgn);
        SearchCounters c;
        EXPECT_EQ(illegal.evalue_position(Colour::White, c), -Infinity);

        struct Mate {
            int depth;
            float score;
        };
        for (Mate m : {Mate{0, 99999.9f}, Mate{1, 49999.95f}, Mate{2, 33333.3f}}) {
            Search mated(fen("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", bottom), EngineWeights{},
                         NotationCode::Pgn);
            SearchCounters k;
            k.SearchDepth = static_cast<std::int16_t>(m.depth);
            EXPECT_EQ(mated.evalue_position(Colour::White, k), m.score);
            EXPECT_EQ(k.SearchDepth, m.depth);
        }
    }
}

TEST(Search, MobilityUnits) {
    struct Case {
        const char* fen;
        const char* square;
        float units;
    };
    const Case cases[] = {{"4k3/8/8/8/8/1P6/2P5/N3K3 w - - 0 1", "a1", 2},
                          {"4k3/8/8/8/8/7K/P7/R7 w - - 0 1", "a1", 8},
                          {"4k3/8/8/8/3Q4/8/8/K7 w - - 0 1", "d4", 27},
                          {"4k3/8/8/8/8/8/4P3/K7 w - - 0 1", "e2", 2}};
    EngineWeights weights;
    weights.NOTE_MOBILITE.fill(1);
    weights.MOBILITE_EVOLUTIVE.fill(0);
    for (const Case& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Search r(fen(c.fen, bottom), weights, NotationCode::Pgn);
            Square s = namedSquare(c.square[0], c.square[1], bottom);
            EXPECT_EQ(r.mobilite_piece(s.x, s.y), c.units) << c.fen;
        }
}

TEST(Search, CancelledSearchReturnsAtOnce) {
    std::atomic<bool> cancel{true};
    SearchRequest d;
    d.position = Position::initial();
    d.weights.PROFONDEUR_MAX = 3;
    SearchCounters c;
    searchMove(d, c, {}, &cancel);
    EXPECT_LT(c.PositionsEvaluated, 100);
}

TEST(Search, RisesAndLogLinesReachTheCaller) {
    SearchRequest d;
    d.position = fen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 30", Colour::White);
    d.weights.PROFONDEUR_MAX = 1;
    d.logHeader = "Move no. 29 - White - ";
    std::vector<std::string> rises, log;
    EngineCallbacks r;
    r.best = [&](const std::string& t, float s) { rises.push_back(t + " " + scoreText(s)); };
    r.log = [&](const std::string& line) { log.push_back(line); };
    SearchCounters c;
    SearchResult result = searchMove(d, c, r);
    EXPECT_EQ(result.text, " 29.Ta1-a8");
    ASSERT_FALSE(rises.empty());
    EXPECT_EQ(rises.back(), " 29.Ta1-a8 99999.9");
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front().rfind(d.logHeader, 0), 0u);
    EXPECT_EQ(log.back().rfind(" * Selection : ( 29.Ta1-a8) note (99999.9) - end : ", 0), 0u);
}

TEST(Search, ScoresAreShownToTwoDecimalsAtMost) {
    const struct {
        float score;
        const char* shown;
    } cases[] = {{52.899902f, "52.9"},    {-6.3999023f, "-6.4"}, {999999.0f, "999999"},
                 {-999999.0f, "-999999"}, {0.004f, "0"},         {-0.004f, "0"},
                 {12.345678f, "12.35"},   {-100.0f, "-100"}};
    for (const auto& c : cases) EXPECT_EQ(scoreText(c.score), c.shown) << c.score;
}

TEST(Search, BestmoveCommand) {
    test::OffsetCatalogue cat;
    auto run = [&](std::vector<std::string> args) {
        std::ostringstream out, err;
        int status = runCli(args, out, err, cat);
        return std::to_string(status) + " " + out.str() + err.str();
    };
    EXPECT_EQ(run({"bestmove", "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 30", "--depth", "1"}).substr(0, 45),
              "0 bestmove a1a8 score 99999.9 text 30.Ra1-a8 ");
    EXPECT_EQ(run({"bestmove", "7k/6Q1/6K1/8/8/8/8/8 b - - 0 1"}).substr(0, 41),
              "0 bestmove (none) score -999999 text MAT ");
    EXPECT_EQ(run({"bestmove", "7k/8/6QK/8/8/8/8/8 b - - 0 1"}).substr(0, 41),
              "0 bestmove (none) score -999999 text PAT ");
    EXPECT_EQ(run({"bestmove", "7k/8/6QK/8/8/8/8/8 b - - 0 1", "--depth", "4"}),
              "2 quarvelin-cli: <902>4\n");
    EXPECT_EQ(run({"bestmove", "7k/8/6QK/8/8/8/8/8 b - - 0 1", "--profile", "/nonexistent.ini"}),
              "2 quarvelin-cli: <904>/nonexistent.ini\n");
}

} // namespace
