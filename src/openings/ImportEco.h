// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads opening classification files (`CODE "name" 1.e4 e5 2.Nf3 *`, an entry possibly over
// several lines, '#' comments) and replays every line through the rules, so the base holds standard
// SAN.
#include "openings/EcoLine.h"

#include <istream>
#include <string>
#include <vector>

namespace quarvelin {

struct ImportEco {
    std::vector<EcoLine> lines;
    std::vector<std::string> refused; // "line N: why", for lines that do not replay
};

ImportEco readEcoFile(std::istream& in);

// One line per move sequence: every line of the first list, named from the second where it has
// the same moves, then the lines only the second has. The first of equal lines is kept.
std::vector<EcoLine> mergeLines(const std::vector<EcoLine>& first,
                                const std::vector<EcoLine>& priority);

// A name as it is shown: without the blanks, commas and unopened ")" some files leave at its
// end ("ouverture espagnole (= Ruy Lopez),)" reads "ouverture espagnole (= Ruy Lopez)").
std::string openingLabel(std::string label);

// The moves of a line replayed from the initial position and written back as the game text
// writes them; empty when a move cannot be read or played.
std::string replayLine(const std::string& moves);

} // namespace quarvelin
