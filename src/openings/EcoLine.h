// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One opening line of the base: its code, its name and its moves from the initial position,
// written as the game text is ("1.e4 e5 2.Nf3 Nc6 *").
#include <string>

namespace quarvelin {

struct EcoLine {
    long long key = 0;
    std::string code, label, moves;
    float note = 0;         // the score of a learned line
    bool knowledge = false; // learned from games, not from the reference base

    bool operator==(const EcoLine&) const = default;
};

} // namespace quarvelin
