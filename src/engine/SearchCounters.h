// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search bookkeeping the user sees: reset by the caller before a machine move or a hint.
#include <array>
#include <cstdint>
#include <string>

namespace quarvelin {

inline constexpr float Infinity = 999999.0f;

struct SearchCounters {
    std::int16_t SearchDepth = 0;
    std::array<float, 4> BestAtDepth{-Infinity, -Infinity, -Infinity, -Infinity};
    std::int32_t MovesExamined = 0;
    std::int32_t PositionsEvaluated = 0;

    void reset() { *this = SearchCounters{}; }
    bool operator==(const SearchCounters&) const = default;
};

// What cherche_coup returns: the chosen move in display coordinates (0 when none), the best
// score, and the move's long text, or "MAT" or "PAT".
struct SearchResult {
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    float score = -Infinity;
    std::string text;
    bool operator==(const SearchResult&) const = default;
};

} // namespace quarvelin
