// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Positions reached by seeded random play, for tests that compare two ways of doing a thing.
#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <random>
#include <string>
#include <vector>

namespace quarvelin::test {

inline const std::vector<std::string>& startFens() {
    static const std::vector<std::string> fens = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "rnbqkb1r/pp1p1ppp/5n2/2pPp3/8/8/PPP1PPPP/RNBQKBNR w KQkq e6 0 4",
        "4k3/1P6/8/8/8/8/1p4K1/8 w - - 0 1",
    };
    return fens;
}

// FEN texts of positions along random games, ending early at mate or stalemate.
inline std::vector<std::string> randomPositions(int games, int plies, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> out;
    const auto& starts = startFens();
    for (int g = 0; g < games; ++g) {
        Position p = *readFen(starts[static_cast<std::size_t>(g) % starts.size()], Colour::White);
        for (int i = 0; i < plies; ++i) {
            out.push_back(writeFen(p));
            auto moves = legalMoves(p);
            if (moves.empty()) break;
            playMove(p, moves[rng() % moves.size()]);
        }
    }
    return out;
}

} // namespace quarvelin::test
