// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game read from a PGN file, in the form the game session takes it.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quarvelin {

// What stops a game from being read whole.
enum class GameReadProblem : std::uint8_t {
    None,
    NoGameAtPlace,    // nothing that starts a game at the position asked
    FileReadError,    // the file could not be read there
    StartFenRejected, // its [FEN] position cannot stand
    NotClosedAtEnd,   // a comment or variation still open at the end
    MoveUnreadable,   // a move that cannot be read or played; errorNumber says which
};

struct ParsedGame {
    struct Variation {
        int halfMove = 0; // the half-move it replaces (2n - 1 White's move n, 2n Black's); 0
                          // before the first move
        std::string text; // as written, brackets included, on one line
    };

    std::uint64_t position = 0;
    std::string GameText; // the tag lines, CR LF after each, then one more CR LF
    std::vector<std::pair<std::string, std::string>> tags; // the same tags, unescaped
    std::string GameMoveText; // the main line, numbered: "1.e4 e5 2.Nf3"
    std::string GameResult;   // "1-0", "0-1", "1/2-1/2" or "*"
    std::string FenDepart;    // the [FEN] start position, empty from the initial one
    // Comments by half-move (2n - 1 after White's move n, 2n after Black's); index 0 holds
    // what comes before the first move. Several at one place are joined by a space.
    std::vector<std::string> comments;
    std::vector<Variation> variations;

    // What stops the game from being read whole, if anything, and what it is about (the move
    // number and the token, the FEN, the unclosed bracket).
    GameReadProblem error = GameReadProblem::None;
    int errorNumber = 0;
    std::string detail;

    bool ok() const { return error == GameReadProblem::None; }
};

} // namespace quarvelin
