// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines learned from games: the current game as one scored line, and the openings of every game
// of a PGN file as one reference-ranked row per half-move prefix the base lacks.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>

namespace quarvelin {

class OpeningBase;

// The game text cut after `halfMoves` half-moves ("1.e4 e5 2.Nf3", 2 -> "1.e4 e5"); the whole
// text when it has no more.
std::string gameTextUpTo(const std::string& gameMoveText, int halfMoves);

struct PgnLearning {
    long long games = 0;   // games read
    long long skipped = 0; // games that start from a [FEN] position
    long long added = 0;   // rows added
    bool stopped = false;  // the progress callback asked to stop
    std::string error;     // the base could not be opened or written
};

// (percent of the file read, games read, rows added); false stops the run, keeping what was
// learned so far.
using LearningProgress = std::function<bool(int, long long, long long)>;

// Memory bounds on huge files: the tree of the lines met in a run starts again past
// `treeNodes`, and past `hashes` lines the base alone says which lines it holds.
struct LearningMemory {
    std::size_t treeNodes = 500'000;
    std::size_t hashes = 8'000'000;
};

// The first six moves of every game, replayed through the rules: each half-move prefix the base
// does not hold becomes a row (code and name: the game's ECO tag, or the last one met before
// it), with the table's default score and flag. `size` is the stream's length, for progress.
PgnLearning learnPgn(OpeningBase& base, std::istream& in, std::uint64_t size,
                     const LearningProgress& progress = {}, const LearningMemory& memory = {});

// The same from a file, on a writable connection of its own to the base at basePath: safe on
// a worker thread while the game keeps reading the base.
PgnLearning apprendre_fichier_pgn(const std::string& basePath, const std::string& pgnPath,
                                  const LearningProgress& progress = {});

} // namespace quarvelin
