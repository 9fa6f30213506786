// SPDX-License-Identifier: GPL-3.0-or-later
// Learning the opening base from a PGN file: games learned per second on a generated file of
// 100,000 games (seeded play, the first moves drawn from common openings so that lines are
// shared as in real files), beside pgn-extract reading the same file.
//   bench_learn [games] [folder]
#include "notation/MoveText.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningLearning.h"
#include "rules/MoveRules.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

// One game: a weighted choice among the legal moves, captures and central moves first, so that
// openings repeat across games as they do in real collections.
std::string game(std::mt19937& rng, int number) {
    static const char* const results[] = {"1-0", "0-1", "1/2-1/2"};
    const char* result = results[number % 3];
    std::string text = "[Event \"Bench " + std::to_string(number) +
                       "\"]\n[Site \"-\"]\n[Date "
                       "\"2026.01.01\"]\n[Round \"1\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"" +
                       result + "\"]\n";
    if (number % 4 != 0) text += "[ECO \"A" + std::to_string(number % 100) + "\"]\n";
    text += "\n";
    Position p = Position::initial();
    std::string moves;
    for (int ply = 0; ply < 60; ++ply) {
        auto legal = legalMoves(p);
        if (legal.empty()) break;
        // Few choices in the opening, more later.
        std::size_t width = ply < 8 ? 3 : legal.size();
        if (width > legal.size()) width = legal.size();
        const Move c = legal[rng() % width];
        if (p.sideToMove() == Colour::White) moves += std::to_string(p.MoveCount + 1) + ". ";
        moves += san(p, c) + " ";
        playMove(p, c);
    }
    // Lines of at most 79 characters, as PGN asks.
    std::string line;
    for (std::size_t at = 0; at < moves.size();) {
        std::size_t end = moves.find(' ', at);
        std::string token = moves.substr(at, end - at);
        if (line.size() + token.size() + 1 > 79) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + token;
        at = end + 1;
    }
    return text + line + " " + result + "\n\n";
}

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    std::printf("build: %s\n", QUARVELIN_BENCH_BUILD);
    const int games = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path folder =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "bench-learn";
    fs::create_directories(folder);
    const fs::path pgn = folder / "games.pgn", base = folder / "eco.db";
    {
        std::ofstream out(pgn, std::ios::binary | std::ios::trunc);
        std::mt19937 rng(7);
        for (int n = 1; n <= games; ++n) out << game(rng, n);
    }
    std::cout << "file " << pgn.string() << ": " << fs::file_size(pgn) / 1000000 << " MB, " << games
              << " games\n";

    fs::remove(base);
    {
        OpeningBase created;
        if (!created.open(base.string(), true)) return 1;
    }
    auto start = std::chrono::steady_clock::now();
    PgnLearning r = apprendre_fichier_pgn(base.string(), pgn.string());
    const double learn = seconds(start);
    if (!r.error.empty()) {
        std::cerr << r.error << '\n';
        return 1;
    }
    std::printf("learned %lld games, %lld rows added in %.2f s: %.0f games/s\n", r.games, r.added,
                learn, static_cast<double>(r.games) / learn);

    const std::string extract = "/usr/games/pgn-extract";
    if (!fs::exists(extract)) {
        std::cout << "pgn-extract is missing (package pgn-extract): no comparison\n";
        return 0;
    }
    start = std::chrono::steady_clock::now();
    const std::string command = extract + " -s -o /dev/null " + pgn.string() + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) std::cerr << "pgn-extract failed\n";
    const double other = seconds(start);
    std::printf("pgn-extract -s read the same file in %.2f s: %.0f games/s (learning %.2f times "
                "as fast; target: above 1)\n",
                other, static_cast<double>(games) / other, other / learn);
    return 0;
}
