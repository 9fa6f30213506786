// SPDX-License-Identifier: GPL-3.0-or-later
// Tournament games per second at depth 1, with one worker thread and with two: the ratio is
// the parallel speed-up of the round robin.
// Usage: bench_tournament [eco.db]   (default: the base built beside this program)
#include "tournament/Tournament.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

using namespace quarvelin;
using Clock = std::chrono::steady_clock;

namespace {

// Games per second of a tournament of three personalities, the games and the half-moves played.
std::tuple<double, int, long> gamesPerSecond(TournamentOptions o, int concurrency) {
    o.concurrency = concurrency;
    Tournament t(o);
    if (auto problem = t.prepare()) {
        std::fprintf(stderr, "bench_tournament: cannot prepare the tournament (%s)\n",
                     problem->values.empty() ? problem->detail.c_str()
                                             : problem->values.front().c_str());
        std::exit(1);
    }
    long halfMoves = 0;
    auto beginning = Clock::now();
    t.run([&](const PlayedGame& g, const Crosstable&) {
        halfMoves += static_cast<long>(g.san.size());
    });
    double s = std::chrono::duration<double>(Clock::now() - beginning).count();
    return {t.gameCount() / s, t.gameCount(), halfMoves};
}

} // namespace

int main(int argc, char** argv) {
    auto here = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::printf("build: %s\n", QUARVELIN_BENCH_BUILD);
    auto folder = std::filesystem::temp_directory_path() / "quarvelin-bench-tournament";
    std::filesystem::create_directories(folder);
    // Three personalities: the built-in weights, a materialist and a mobile one.
    std::ofstream(folder / "plain.ini") << "";
    std::ofstream(folder / "greedy.ini") << "[CALCUL]\r\nNOTE_MATERIEL_DAME=1500\r\n";
    std::ofstream(folder / "mobile.ini") << "[CALCUL]\r\nNOTE_MOBILITE_FOU=9\r\nNOTE_CENTRE=90\r\n";

    TournamentOptions o;
    o.programFolder = here.string();
    o.basePath = argc > 1 ? argv[1] : (here / "base" / "eco.db").string();
    for (const char* name : {"plain.ini", "greedy.ini", "mobile.ini"})
        o.players.push_back(personality((folder / name).string()));
    o.rounds = 4;
    o.depth = 1;
    o.maxMoves = 60;

    auto [one, games, halfMoves] = gamesPerSecond(o, 1);
    auto [two, again, same] = gamesPerSecond(o, 2);
    std::printf("tournament, 3 personalities, depth 1, %d games of %ld half-moves in all\n", games,
                halfMoves);
    std::printf("  --concurrency 1   %.2f games/s\n", one);
    std::printf("  --concurrency 2   %.2f games/s  -> speed-up %.2fx%s\n", two, two / one,
                same == halfMoves ? "" : " (the games differ!)");
    std::filesystem::remove_all(folder);
    return same == halfMoves ? 0 : 1;
}
