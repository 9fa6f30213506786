// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/Fen.h"
#include "rules/FastPosition.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct PerftCase {
    const char* fen;
    std::vector<std::uint64_t> counts; // depth 1, 2, ...
};

// Published counts: the start position, Kiwipete and the usual tricky positions (en passant
// that exposes the king, castling through check, promotions with capture).
const PerftCase Cases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281, 4865609}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
     {48, 2039, 97862, 4085603}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467, 422333}},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", {6, 264, 9467, 422333}},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487}},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
     {46, 2079, 89890, 3894594}},
    {"3k4/3p4/8/K1P4r/8/8/8/8 b - - 0 1", {18, 92, 1670, 10138, 185429, 1134888}},
    {"8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1", {0, 0, 0, 0, 0, 1015133}},
    {"8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1", {0, 0, 0, 0, 0, 1440467}},
    {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", {0, 0, 0, 0, 0, 661072}},
    {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", {0, 0, 0, 0, 0, 803711}},
    {"r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1", {0, 0, 0, 1274206}},
    {"r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq - 0 1", {0, 0, 0, 1720476}},
    {"2K2r2/4P3/8/8/8/8/8/3k4 w - - 0 1", {0, 0, 0, 0, 0, 3821001}},
    {"8/8/1P2K3/8/2n5/1q6/8/5k2 b - - 0 1", {0, 0, 0, 0, 1004658}},
    {"4k3/1P6/8/8/8/8/K7/8 w - - 0 1", {0, 0, 0, 0, 0, 217342}},
    {"8/P1k5/K7/8/8/8/8/8 w - - 0 1", {0, 0, 0, 0, 0, 92683}},
    {"K1k5/8/P7/8/8/8/8/8 w - - 0 1", {0, 0, 0, 0, 0, 2217}},
    {"8/k1P5/8/1K6/8/8/8/8 w - - 0 1", {0, 0, 0, 0, 0, 0, 567584}},
    {"8/8/2k5/5q2/5n2/8/5K2/8 b - - 0 1", {0, 0, 0, 23527}},
};

TEST(Perft, MatchesPublishedCountsInBothOrientationsAndMateHasNone) {
    for (const PerftCase& c : Cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            auto p = readFen(c.fen, bottom);
            ASSERT_TRUE(p) << c.fen;
            FastPosition f = FastPosition::from(*p);
            for (std::size_t d = 0; d < c.counts.size(); ++d) {
                if (!c.counts[d]) continue;
                EXPECT_EQ(f.perft(static_cast<int>(d + 1)), c.counts[d])
                    << c.fen << " depth " << d + 1 << " bottom " << code(bottom);
            }
        }
    const FastPosition mate = FastPosition::from(*readFen("7k/6Q1/6K1/8/8/8/8/8 b", Colour::White));
    EXPECT_EQ(mate.perft(0), 1u);
    EXPECT_EQ(mate.perft(1), 0u);
}

} // namespace
