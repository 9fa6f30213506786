// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the statistics window shows of a game's evaluation: one row per move with its score and
// its change from the move before, and the points of the score curve on the chart's scale.
#include <string>
#include <utility>
#include <vector>

namespace quarvelin {

inline constexpr float ChartLimit = 3000; // the chart spans -3000 to +3000

struct ScoreRow {
    std::string number;    // "##0"
    std::string score;     // "##0.00"
    std::string variation; // "##0%": (score - previous) / score; empty on the first row
};

// Rows for moves 1 to moveCount; a move the machine did not score counts as 0.
std::vector<ScoreRow> scoreRows(const std::vector<float>& scoreHistory, int moveCount);

// (move, score) for every move from 1 to moveCount that has a score, mates and other scores
// beyond the scale drawn at its edge.
std::vector<std::pair<int, float>> chartPoints(const std::vector<float>& scoreHistory,
                                               int moveCount);

} // namespace quarvelin
