// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ScoreStatistics.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

TEST(ScoreStatistics, RowsWithTheirFormats) {
    // Index 0 is before the first move; move 3 was not scored by the machine.
    const std::vector<float> history = {0, 40, 30, 0, -12.345f, 90000};
    auto rows = scoreRows(history, 6);
    ASSERT_EQ(rows.size(), 6u);
    struct Row {
        const char *number, *score, *variation;
    } expected[] = {{"1", "40.00", ""},      {"2", "30.00", "-33%"},    {"3", "0.00", "0%"},
                    {"4", "-12.35", "100%"}, {"5", "90000.00", "100%"}, {"6", "0.00", "0%"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, expected[i].number);
        EXPECT_EQ(rows[i].score, expected[i].score) << i;
        EXPECT_EQ(rows[i].variation, expected[i].variation) << i;
    }
    EXPECT_TRUE(scoreRows({}, 0).empty()); // no move: an empty list
}

TEST(ScoreStatistics, ChartPointsStayOnTheScale) {
    const std::vector<float> history = {0, 250, -99999, 4000, 10};
    auto points = chartPoints(history, 3);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0], (std::pair{1, 250.0f}));
    EXPECT_EQ(points[1], (std::pair{2, -3000.0f})); // a mate at the edge
    EXPECT_EQ(points[2], (std::pair{3, 3000.0f}));
    EXPECT_EQ(chartPoints(history, 9).size(), 4u); // moves without a score are not joined
    EXPECT_TRUE(chartPoints({}, 5).empty());
}

} // namespace
