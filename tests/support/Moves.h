// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moves named as people write them in long algebraic form, "e2e4" or "e7e8q".
#include "rules/MoveRules.h"

#include <optional>
#include <string>

namespace quarvelin::test {

// The legal move of that name, or none.
inline std::optional<Move> legalMove(const Position& p, const std::string& uci) {
    for (const Move& m : legalMoves(p))
        if (uciMove(p, m) == uci) return m;
    return std::nullopt;
}

} // namespace quarvelin::test
