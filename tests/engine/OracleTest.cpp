// SPDX-License-Identifier: GPL-3.0-or-later
// The fast engine against the plain one: same move, same score to the bit, same text, same
// counters, on positions of every kind, both orientations and several weight profiles.
#include "engine/reference/ReferenceEngine.h"
#include "support/RandomPlay.h"

#include "engine/Engine.h"
#include "engine/Search.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

#include <bit>
#include <sstream>

using namespace quarvelin;

namespace {

std::string bits(float f) {
    std::ostringstream s;
    s << f << " [" << std::hex << std::bit_cast<std::uint32_t>(f) << "]";
    return s.str();
}

std::string describe(const SearchResult& r, const SearchCounters& c) {
    std::ostringstream s;
    s << r.fromX << r.fromY << "-" << r.toX << r.toY << " '" << r.text << "' score "
      << bits(r.score) << " moves " << c.MovesExamined << " evals " << c.PositionsEvaluated
      << " best";
    for (float b : c.BestAtDepth) s << ' ' << bits(b);
    return s.str();
}

struct Profile {
    const char* name;
    EngineWeights weights;
};

std::vector<Profile> profiles() {
    EngineWeights base;
    EngineWeights ab = base;
    ab.ALPHA_BETA = 1;
    EngineWeights undefended = base;
    undefended.INDICE_DEFENSE = 0;
    EngineWeights aggressive = base;
    aggressive.BONUS_ECHEC = 350.5f;
    aggressive.SEUIL_BONUS_ECHEC = 0;
    aggressive.NOTE_CENTRE = 0;
    aggressive.MOBILITE_EVOLUTIVE = {0, 0, 0.3f, 0.05f, 0.125f, 0.2f, 0.7f, 0.01f};
    aggressive.NOTE_MATERIEL[6] = 1000.25f;
    aggressive.ALPHA_BETA = 1;
    return {{"default", base},
            {"alpha-beta", ab},
            {"no defence", undefended},
            {"aggressive", aggressive}};
}

// Runs both engines from the same state; the fast one with one and with two threads.
void compare(const Position& p, const EngineWeights& weights, const std::string& what) {
    Position refPos = p;
    SearchCounters refCounters;
    reference::Context ctx{refPos, weights, refCounters, NotationCode::French};
    SearchResult expected = reference::cherche_coup(ctx, p.sideToMove());
    ASSERT_EQ(refPos, p) << "the plain engine left the board changed: " << what;

    for (int threads : {1, 2}) {
        SearchRequest d;
        d.position = p;
        d.colour = p.sideToMove();
        d.weights = weights;
        d.notation = NotationCode::French;
        d.threads = threads;
        SearchCounters counters;
        SearchResult got = searchMove(d, counters);
        EXPECT_EQ(describe(got, counters), describe(expected, refCounters))
            << what << " threads " << threads;
    }
}

TEST(Oracle, EvaluationAfterEveryMoveOfRandomPositions) {
    int compared = 0;
    for (const std::string& fen : test::randomPositions(10, 40, 21)) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fen, bottom);
            p.MoveCount = static_cast<std::int16_t>(compared % 30);
            for (const Move& c : legalMoves(p)) {
                Position after = p;
                after.at(c.toX, c.toY) = c.piece; // moved on the board alone, as the search does
                after.at(c.fromX, c.fromY) = PieceCode::Empty;
                for (const Profile& prof : profiles()) {
                    SearchCounters rc, fc;
                    reference::Context ctx{after, prof.weights, rc, NotationCode::French};
                    float expected = reference::evalue_position(ctx, colourOf(c.piece));
                    Search fast(after, prof.weights, NotationCode::French);
                    float got = fast.evalue_position(colourOf(c.piece), fc);
                    ASSERT_EQ(bits(got), bits(expected))
                        << fen << " " << uciMove(p, c) << " " << prof.name;
                    ASSERT_EQ(fc, rc) << fen << " " << uciMove(p, c) << " " << prof.name;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

// A small set here; bench_engine --oracle runs the full corpus.
TEST(Oracle, SearchAtDepthsZeroToTwo) {
    auto fens = test::randomPositions(6, 40, 99);
    int n = 0;
    for (std::size_t i = 0; i < fens.size(); i += 29) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fens[i], bottom);
            for (const Profile& prof : profiles()) {
                EngineWeights weights = prof.weights;
                weights.PROFONDEUR_MAX = static_cast<std::int16_t>(n++ % 2 + (i % 2)); // 0..2
                compare(p, weights,
                        fens[i] + " " + prof.name + " depth " +
                            std::to_string(weights.PROFONDEUR_MAX));
                if (HasFailure()) return;
            }
        }
    }
}

TEST(Oracle, ChecksMatesStalematesAndDepthThree) {
    struct Case {
        const char* fen;
        int maxDepth; // the plain engine is slow: depth 3 only where the tree is small
    };
    const Case cases[] = {
        {"7k/8/6QK/8/8/8/8/8 b - - 0 40", 3},      // stalemated
        {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 40", 3},    // mated
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 30", 3}, // mate in one
        {"8/8/8/8/8/2k5/1q6/K7 w - - 0 60", 3},    // no move but in check
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 7", 3},  // en passant
        {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", 1}, // Qxf7#
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 12", 2}, // castling both sides
        {"4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 50", 2},    // promotions
    };
    for (const Case& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(c.fen, bottom);
            for (const Profile& prof : profiles())
                for (int depth = 0; depth <= c.maxDepth; ++depth) {
                    EngineWeights weights = prof.weights;
                    weights.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);
                    compare(p, weights,
                            std::string(c.fen) + " " + prof.name + " depth " +
                                std::to_string(depth));
                    if (HasFailure()) return;
                }
        }
}

} // namespace
