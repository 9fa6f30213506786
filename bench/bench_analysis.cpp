// SPDX-License-Identifier: GPL-3.0-or-later
// Game analysis speed: positions judged per second on a fixed master game, by the built-in
// engine at depth 1 and 2 (every root move searched with a full window).
// Usage: bench_analysis
#include "session/GameAnalysis.h"

#include <chrono>
#include <cstdio>
#include <sstream>

using namespace quarvelin;
using Clock = std::chrono::steady_clock;

namespace {

// A complete game of 41 moves through every phase.
constexpr const char* Game =
    "[Event \"bench\"]\n\n"
    "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 d6 8.c3 O-O 9.h3 Nb8\n"
    "10.d4 Nbd7 11.c4 c6 12.cxb5 axb5 13.Nc3 Bb7 14.Bg5 b4 15.Nb1 h6 16.Bh4 c5 17.dxe5 Nxe4\n"
    "18.Bxe7 Qxe7 19.exd6 Qf6 20.Nbd2 Nxd6 21.Nc4 Nxc4 22.Bxc4 Nb6 23.Ne5 Rae8 24.Bxf7+ Rxf7\n"
    "25.Nxf7 Rxe1+ 26.Qxe1 Kxf7 27.Qe3 Qg5 28.Qxg5 hxg5 29.b3 Ke6 30.a3 Kd6 31.axb4 cxb4\n"
    "32.Ra5 Nd5 33.f3 Bc8 34.Kf2 Bf5 35.Ra7 g6 36.Ra6+ Kc5 37.Ke1 Nf4 38.g3 Nxh3 39.Kd2 Kb5\n"
    "40.Rd6 Kc5 41.Ra6 Nf2 *\n";

} // namespace

int main() {
    std::printf("bench_analysis, build %s\n", QUARVELIN_BENCH_BUILD);
    std::istringstream in(Game);
    PgnStream stream(in);
    PgnGame game;
    stream.next(game);
    const GameLine line = readMainLine(game);
    if (!line.ok) {
        std::printf("the bench game does not replay at %s\n", line.errorToken.c_str());
        return 1;
    }
    for (int depth : {1, 2}) {
        for (int threads : {1, 2}) {
            BuiltInJudge judge(EngineWeights{}, depth, threads);
            const auto beginning = Clock::now();
            const GameAnalysis a =
                analyseGame(line.start, line.moves, judge, AnalysisThresholds::builtIn());
            const double s = std::chrono::duration<double>(Clock::now() - beginning).count();
            std::printf("built-in depth %d threads %d: %zu positions in %.2f s, %.1f positions/s, "
                        "%lld evaluations, marks ?! %d ? %d ?? %d\n",
                        depth, threads, a.moves.size(), s, static_cast<double>(a.moves.size()) / s,
                        static_cast<long long>(judge.evaluations()), a.count(MoveMark::Inaccuracy),
                        a.count(MoveMark::Mistake), a.count(MoveMark::Blunder));
        }
    }
    return 0;
}
