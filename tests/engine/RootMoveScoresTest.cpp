// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Engine.h"
#include "engine/Search.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct Case {
    const char* fen;
    int depth;
    bool alphaBeta;
};

class RootMoveScores : public testing::TestWithParam<Case> {};

// Each root score is the move's own score at depth 0 less the opponent's best reply, searched
// on its own from the position after the move at one ply less: the score of a full window, with
// or without ALPHA_BETA in the profile.
TEST_P(RootMoveScores, EqualEachMoveSearchedAloneOnePlyLess) {
    const Case& k = GetParam();
    SearchRequest request;
    request.position = *readFen(k.fen, Colour::White);
    request.colour = request.position.sideToMove();
    request.weights.ALPHA_BETA = k.alphaBeta ? 1 : 0;
    request.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(k.depth);
    SearchCounters counters;
    const auto scores = rootMoveScores(request, counters);
    request.weights.PROFONDEUR_MAX = 0;
    SearchCounters flat;
    const auto immediate = rootMoveScores(request, flat);
    ASSERT_EQ(scores.size(), immediate.size());
    ASSERT_GT(scores.size(), 10u);
    EXPECT_GT(counters.PositionsEvaluated, flat.PositionsEvaluated);

    EngineWeights alone = request.weights;
    alone.ALPHA_BETA = 0;
    alone.PROFONDEUR_MAX = static_cast<std::int16_t>(k.depth - 1);
    for (std::size_t i = 0; i < scores.size(); ++i) {
        const RootMoveScore& m = scores[i];
        if (immediate[i].score <= -Infinity + 1000) continue; // leaves the king attacked
        // The search moves only the piece: the position after it, every other value kept.
        Position after = request.position;
        after.at(m.toX, m.toY) = after.at(m.fromX, m.fromY);
        after.at(m.fromX, m.fromY) = PieceCode::Empty;
        Search reply(after, alone, NotationCode::Pgn);
        SearchCounters c;
        c.SearchDepth = 0;
        const float r = reply.cherche_coup(opposite(request.colour), c).score;
        const float expected = r == -Infinity ? immediate[i].score : immediate[i].score - r;
        EXPECT_FLOAT_EQ(m.score, expected) << k.fen << " move " << i;
    }
}

// The search's best move is among the best root scores when the pruning is off.
TEST_P(RootMoveScores, HoldTheSearchsChoice) {
    const Case& k = GetParam();
    if (k.alphaBeta) GTEST_SKIP() << "with the pruning the search's scores are bounds";
    SearchRequest request;
    request.position = *readFen(k.fen, Colour::White);
    request.colour = request.position.sideToMove();
    request.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(k.depth);
    SearchCounters a, b;
    const auto scores = rootMoveScores(request, a);
    const SearchResult best = searchMove(request, b);
    float top = -Infinity;
    for (const auto& s : scores) top = std::max(top, s.score);
    EXPECT_EQ(top, best.score);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, RootMoveScores,
    testing::Values(
        Case{"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", 1, false},
        Case{"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", 2, true},
        Case{"rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5", 2, false},
        Case{"2r2rk1/pp3ppp/2n1bn2/q2p4/3P4/P1N1PN2/1P1QBPPP/2R2RK1 b - - 0 15", 1, true},
        Case{"2r2rk1/pp3ppp/2n1bn2/q2p4/3P4/P1N1PN2/1P1QBPPP/2R2RK1 b - - 0 15", 2, false}));

} // namespace
