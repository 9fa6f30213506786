// SPDX-License-Identifier: GPL-3.0-or-later
// Perft against Debian's Stockfish on positions reached by random play.
#include "support/Peers.h"
#include "support/RandomPlay.h"

#include "rules/FastPosition.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarvelin;

TEST(StockfishPerft, AgreesOnRandomPositionsInBothOrientations) {
    std::string stockfish = test::findProgram("stockfish");
    ASSERT_FALSE(stockfish.empty()) << "stockfish is installed by 'make test'";

    auto fens = test::randomPositions(30, 12, 2024);
    std::string commands = "uci\nsetoption name Threads value 1\n";
    for (const auto& fen : fens) commands += "position fen " + fen + "\ngo perft 3\n";
    commands += "quit\n";
    std::istringstream output(test::run(stockfish, commands));

    std::vector<std::uint64_t> theirs;
    for (std::string line; std::getline(output, line);)
        if (line.rfind("Nodes searched: ", 0) == 0) theirs.push_back(std::stoull(line.substr(16)));
    ASSERT_EQ(theirs.size(), fens.size());
    for (std::size_t i = 0; i < fens.size(); ++i)
        for (Colour bottom : {Colour::White, Colour::Black})
            EXPECT_EQ(FastPosition::from(*readFen(fens[i], bottom)).perft(3), theirs[i]) << fens[i];
}
