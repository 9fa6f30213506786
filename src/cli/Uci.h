// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `quarvelin-cli uci`: the engine behind the Universal Chess Interface, for chess GUIs and
// engine matches.
#include "engine/SearchCounters.h"
#include "rules/Move.h"

#include <istream>
#include <optional>
#include <ostream>
#include <vector>

namespace quarvelin {

// Reads UCI commands from `in` line by line and answers on `out` until `quit` or the end of
// the input; returns the exit status (0). The search runs on its own thread, so `isready`,
// `stop` and `quit` are answered while it works. At the end of the input a running search is
// let finish (an infinite one is ended) and its bestmove written before returning.
int runUci(std::istream& in, std::ostream& out);

// The engine's move among the legal ones (a queen when it promotes), or nothing when it named
// none or one the rules of chess refuse: the engine's own rules have quirks.
std::optional<Move> chosenMove(const std::vector<Move>& legal, const SearchResult& r);

} // namespace quarvelin
