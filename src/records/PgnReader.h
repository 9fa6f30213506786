// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading one game of a PGN file at the byte position its index gave: the game's text runs to
// the next game's first line, so nothing written in one game (an unclosed comment) spills into
// the next. UTF-8 or Windows-1252.
#include "localisation/TextCatalogue.h"
#include "notation/ParsedGame.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace quarvelin {

class TextCatalogue;

// The game at `position` of the stream; its error says what went wrong, if anything.
ParsedGame readPgnGame(std::istream& in, std::uint64_t position);
// The game's problem in the user's language, one line; empty when the game reads.
std::string readingMessage(const ParsedGame& game, const TextCatalogue& catalogue);
// The catalogue text that says what stopped a game from being read.
TextKey readProblemText(GameReadProblem problem);

} // namespace quarvelin
