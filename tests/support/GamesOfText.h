// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every game of a PGN text, read at the place its index gives, as the game list reads them.
#include "records/PgnIndex.h"
#include "records/PgnReader.h"

#include <sstream>
#include <string>
#include <vector>

namespace quarvelin::test {

inline std::vector<ParsedGame> readGames(const std::string& text) {
    std::istringstream in(text);
    GameFilter all;
    all.maximum = 1 << 30;
    PgnIndex index = PgnIndex::buildIndex(in, text.size(), all);
    std::vector<ParsedGame> games;
    for (std::size_t i = 0; i < index.size(); ++i)
        games.push_back(readPgnGame(in, index.position(i)));
    return games;
}

} // namespace quarvelin::test
