// SPDX-License-Identifier: GPL-3.0-or-later
// The fast engine's own ways out: cancelling and reporting (its results are checked against
// the plain engine case by case and at large).
#include "engine/Engine.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

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
    d.position = *readFen("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 30", Colour::White);
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

} // namespace
