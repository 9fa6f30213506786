// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ScoreStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quarvelin {

namespace {

float scoreAt(const std::vector<float>& history, int move) {
    return static_cast<std::size_t>(move) < history.size() ? history[static_cast<std::size_t>(move)]
                                                           : 0.0f;
}

std::string format(const char* pattern, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    std::string out = buffer;
    if (out == "-0" || out == "-0.00" || out == "-0%") out.erase(0, 1);
    return out;
}

} // namespace

std::vector<ScoreRow> scoreRows(const std::vector<float>& history, int moveCount) {
    std::vector<ScoreRow> rows;
    for (int move = 1; move <= moveCount; ++move) {
        const float score = scoreAt(history, move);
        ScoreRow r{std::to_string(move), format("%.2f", score), {}};
        if (move > 1) {
            const double change =
                score == 0 ? 0.0 : (score - scoreAt(history, move - 1)) / score * 100.0;
            r.variation = format("%.0f%%", std::round(change));
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<std::pair<int, float>> chartPoints(const std::vector<float>& history, int moveCount) {
    std::vector<std::pair<int, float>> points;
    const int last = std::min(moveCount, static_cast<int>(history.size()) - 1);
    for (int move = 1; move <= last; ++move)
        points.emplace_back(move, std::clamp(scoreAt(history, move), -ChartLimit, ChartLimit));
    return points;
}

} // namespace quarvelin
