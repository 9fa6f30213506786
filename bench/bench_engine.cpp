// SPDX-License-Identifier: GPL-3.0-or-later
// Machine-move time and evaluation speed of the engine beside its plain reference, depths 0-3,
// on 20 fixed positions; checks on the way that both give the same results.
#include "engine/reference/ReferenceEngine.h"
#include "support/RandomPlay.h"

#include "engine/Engine.h"
#include "notation/Fen.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace quarvelin;

namespace {

const char* const Positions[20] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 1 5",
    "rnbqk2r/ppp1bppp/4pn2/3p2B1/2PP4/2N5/PP2PPPP/R2QKBNR w KQkq - 4 5",
    "r2q1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P1b1/2NP1N2/PPP2PPP/R2Q1RK1 w - - 4 8",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N2N2/PP2BPPP/R2QKB1R w KQ - 0 8",
    "2r2rk1/pp3ppp/2n1bn2/q2p4/3P4/P1N1PN2/1P1QBPPP/2R2RK1 b - - 0 15",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "3r1rk1/p4ppp/1pq1pn2/8/2PP4/P4N2/1Q3PPP/3RR1K1 w - - 0 20",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "4rrk1/pp3ppp/3b4/3p4/3P4/2PB4/P4PPP/R4RK1 w - - 0 22",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 40",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 30",
    "4k3/8/8/8/8/8/4P3/4K3 w - - 0 50",
    "8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 45",
    "8/5pk1/6p1/7p/7P/6P1/5PK1/8 w - - 0 50",
    "2k5/8/8/8/8/8/3Q4/4K3 w - - 0 60",
    "r5k1/5ppp/8/8/8/8/5PPP/2R3K1 b - - 0 33",
};

// The full comparison: positions of every phase from random games, both orientations, four
// weight profiles, depths 0 to 3 (deeper where the tree is small enough for the plain engine).
int oracle(int games) {
    EngineWeights base;
    std::vector<EngineWeights> profiles(4, base);
    profiles[1].ALPHA_BETA = 1;
    profiles[2].INDICE_DEFENSE = 0;
    profiles[3].BONUS_ECHEC = 350.5f;
    profiles[3].SEUIL_BONUS_ECHEC = 0;
    profiles[3].NOTE_CENTRE = 0;
    profiles[3].MOBILITE_EVOLUTIVE = {0, 0, 0.3f, 0.05f, 0.125f, 0.2f, 0.7f, 0.01f};
    profiles[3].ALPHA_BETA = 1;
    auto fens = test::randomPositions(games, 90, 4242);
    int compared = 0, mismatches = 0, byDepth[4] = {};
    for (std::size_t i = 0; i < fens.size(); i += 3) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fens[i], bottom);
            int pieces = 0;
            for (auto piece : p.Board) pieces += isPiece(piece);
            int depth = pieces <= 8 ? 3 : pieces <= 14 ? 2 : static_cast<int>(i / 3 % 2);
            const EngineWeights& weights0 =
                profiles[(i / 3 + (bottom == Colour::Black)) % profiles.size()];
            EngineWeights weights = weights0;
            weights.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);

            Position refPos = p;
            SearchCounters rc;
            reference::Context ctx{refPos, weights, rc, NotationCode::French};
            SearchResult ref = reference::cherche_coup(ctx, p.sideToMove());
            SearchRequest d;
            d.position = p;
            d.colour = p.sideToMove();
            d.weights = weights;
            SearchCounters fc;
            SearchResult fast = searchMove(d, fc);
            ++compared;
            ++byDepth[depth];
            if (!(fast == ref) || !(fc == rc)) {
                ++mismatches;
                std::printf("MISMATCH depth %d: %s\n", depth, fens[i].c_str());
            }
        }
    }
    std::printf("oracle: %d positions compared (depth 0: %d, 1: %d, 2: %d, 3: %d), %d mismatches\n",
                compared, byDepth[0], byDepth[1], byDepth[2], byDepth[3], mismatches);
    return mismatches ? 1 : 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v[v.size() / 2] + v[(v.size() - 1) / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    int maxDepth = 3, threads = 2;
    std::printf("build: %s\n", QUARVELIN_BENCH_BUILD);
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--oracle"))
            return oracle(i + 1 < argc ? std::atoi(argv[i + 1]) : 12);
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--max-depth"))
            maxDepth = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--threads"))
            threads = std::atoi(argv[++i]);
    }
    std::printf("20 positions, built-in weights, fast engine on %d threads, reference on one\n\n",
                threads);
    std::printf("depth  median move (fast)  median move (ref)   evals/s (fast)   evals/s (ref)   "
                "speed ratio\n");
    int mismatches = 0;
    for (int depth = 0; depth <= maxDepth; ++depth) {
        std::vector<double> fastTimes, refTimes;
        double fastEvals = 0, refEvals = 0, fastTotal = 0, refTotal = 0;
        for (const char* fen : Positions) {
            Position p = *readFen(fen, Colour::White);
            if (p.sideToMove() == Colour::White) ++p.MoveCount;
            EngineWeights weights;
            weights.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);

            SearchRequest d;
            d.position = p;
            d.colour = p.sideToMove();
            d.weights = weights;
            d.threads = threads;
            SearchCounters fc;
            auto t0 = std::chrono::steady_clock::now();
            SearchResult fast = searchMove(d, fc);
            double tf =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

            Position refPos = p;
            SearchCounters rc;
            reference::Context ctx{refPos, weights, rc, NotationCode::French};
            t0 = std::chrono::steady_clock::now();
            SearchResult ref = reference::cherche_coup(ctx, p.sideToMove());
            double tr =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

            if (!(fast == ref) || !(fc == rc)) {
                ++mismatches;
                std::printf("MISMATCH depth %d: %s\n", depth, fen);
            }
            fastTimes.push_back(tf);
            refTimes.push_back(tr);
            fastEvals += fc.PositionsEvaluated;
            refEvals += rc.PositionsEvaluated;
            fastTotal += tf;
            refTotal += tr;
        }
        std::printf("%5d  %16.4f s  %16.4f s  %15.0f  %14.0f   %10.1fx\n", depth, median(fastTimes),
                    median(refTimes), fastEvals / fastTotal, refEvals / refTotal,
                    refTotal / fastTotal);
        std::fflush(stdout);
    }
    std::printf("\n%s\n", mismatches ? "results DIFFER from the reference"
                                     : "identical results on every position");
    return mismatches ? 1 : 0;
}
