// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Engine.h"
#include "engine/Search.h"
#include "notation/Fen.h"
#include "rules/FastPosition.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarvelin;

namespace {

Position at(const char* fen) { return *readFen(fen, Colour::White); }

const MoveAppraisal& named(const std::vector<MoveAppraisal>& all, const Position& p,
                           const std::string& uci) {
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const MoveAppraisal& a) { return uciMove(p, a.move) == uci; });
    EXPECT_NE(it, all.end()) << uci;
    return *it;
}

const MoveAppraisal& best(const std::vector<MoveAppraisal>& all) {
    return *std::max_element(all.begin(), all.end(),
                             [](const auto& a, const auto& b) { return a.value < b.value; });
}

// A plain minimax, each quiet position valued by a search of its own set up from the position
// as the program holds it: what the pruned, ordered search must equal move by move. Only the
// captures that follow are pruned, in the generator's order, which leaves their value exact.
struct Reference {
    Position root;
    EngineWeights weights;

    float leaf(const FastPosition& f) const {
        Position p = root;
        f.to(p);
        p.MoveCount = root.MoveCount; // the mobility units are the root's
        return Search(p, weights, NotationCode::Pgn)
            .balance(f.side == 0 ? Colour::White : Colour::Black);
    }
    float captures(const FastPosition& f, int ply, float alpha, float beta) const {
        MoveList list;
        f.generate(list);
        if (list.size == 0) return f.isInCheck() ? -(100000.0f - static_cast<float>(ply)) : 0.0f;
        if (!f.isInCheck()) alpha = std::max(alpha, leaf(f));
        for (FastMove m : list)
            if (alpha < beta && (f.isInCheck() || m.isCapture() || m.kind() == PromoQueen))
                alpha = std::max(alpha, -captures(f.after(m), ply + 1, -beta, -alpha));
        return std::min(alpha, beta);
    }
    float search(const FastPosition& f, int depth, int ply) const {
        if (depth == 0) return captures(f, ply, -1e9f, 1e9f);
        MoveList list;
        f.generate(list);
        if (list.size == 0) return f.isInCheck() ? -(100000.0f - static_cast<float>(ply)) : 0.0f;
        float v = -Infinity * 1000;
        for (FastMove m : list) v = std::max(v, -search(f.after(m), depth - 1, ply + 1));
        return v;
    }
};

TEST(Appraisal, EachMoveIsWorthWhatAPlainMinimaxGivesIt) {
    for (const char* fen : {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
                            "r3k2r/pp3ppp/2n1b3/2bp4/8/2N1BN2/PPP2PPP/R3K2R w KQkq - 4 10",
                            "4k3/1p3p2/2n5/3pP3/1b6/2N2N2/1P3PP1/4K2R w K d6 0 30",
                            "8/2P5/4k3/8/2q5/8/5PK1/8 w - - 0 50"}) {
        const Position p = at(fen);
        EngineWeights w;
        SearchCounters one, two;
        const auto single = appraiseMoves(p, w, 1, 1, one);
        const auto shared = appraiseMoves(p, w, 1, 2, two);
        ASSERT_EQ(single.size(), legalMoves(p).size()) << fen;
        ASSERT_EQ(shared.size(), single.size());
        EXPECT_EQ(one.PositionsEvaluated, two.PositionsEvaluated);
        const Reference ref{p, w};
        const FastPosition f = FastPosition::from(p);
        for (std::size_t i = 0; i < single.size(); ++i) {
            const float expected = -ref.search(f.after(fastMove(p, single[i].move)), 1, 1);
            EXPECT_FLOAT_EQ(single[i].value, expected) << fen << " " << uciMove(p, single[i].move);
            EXPECT_EQ(shared[i].value, single[i].value);
        }
    }
}

struct Verdict {
    const char* fen;
    int plies;
    const char* good; // the best move; null when several are as good
    int mate;         // its mate count, 0 for none
    const char* bad;  // a move worth far less
    float atLeast;    // by at least this much
};

class Appraisals : public testing::TestWithParam<Verdict> {};

TEST_P(Appraisals, TellTheBestMoveFromABadOne) {
    const Verdict& k = GetParam();
    const Position p = at(k.fen);
    SearchCounters c;
    const auto all = appraiseMoves(p, EngineWeights{}, k.plies, 2, c);
    if (k.good) {
        EXPECT_EQ(uciMove(p, best(all).move), k.good);
    }
    EXPECT_EQ(best(all).mate, k.mate);
    EXPECT_GT(best(all).value - named(all, p, k.bad).value, k.atLeast);
    EXPECT_GT(c.PositionsEvaluated, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, Appraisals,
    testing::Values(
        // Back-rank mate; the rook that stays home gives it away.
        Verdict{"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 30", 1, "a1a8", 1, "a1a2", 90000},
        // Mate in two with the rooks' ladder; a king move lets Black off.
        Verdict{"6k1/8/8/8/8/8/R7/1R4K1 w - - 0 30", 3, nullptr, 2, "g1f1", 90000},
        // The knight on d4 is taken by the e5 pawn: the pawn's capture is worth a knight.
        Verdict{"rnbqkbnr/ppp2ppp/3p4/4p3/3NP3/8/PPPP1PPP/RNBQKB1R b KQkq - 1 3", 1, "e5d4", 0,
                "g8f6", 100},
        // A queen left to the pawn on b5 against one that takes the free rook.
        Verdict{"k7/8/2p5/1Q2r3/8/8/8/6K1 w - - 0 40", 1, "b5e5", 0, "b5b4", 400},
        // Three moves mate; Qb6 stalemates, worth nothing.
        Verdict{"k7/2Q5/K7/8/8/8/8/8 w - - 0 60", 1, nullptr, 1, "c7b6", 90000}));

} // namespace
