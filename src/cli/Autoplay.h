// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarvelin-cli autoplay: engine against engine through the game session, as the desktop
// program's automatic mode plays, each game written as PGN.
#include "localisation/TextCatalogue.h"
#include "session/GameSession.h"

#include <ostream>
#include <string>
#include <vector>

namespace quarvelin {

inline constexpr const char* HelpAutoplay =
    "usage: quarvelin-cli autoplay [--games N] [--depth D] [--profile-white F] [--profile-black "
    "F]\n"
    "                              [--max-plies P] [--out file.pgn] [--base eco.db | --no-book]\n"
    "                              [--seed S]\n"
    "Plays N games (default 1) of the engine against itself in automatic mode: the same moves,\n"
    "book, repetition and end-of-game rules as the desktop program. --profile-white and\n"
    "--profile-black take the engine weights of settings files (the two sides then play with\n"
    "their own profile); --depth (0 to 3) overrides both depths. A game that has not ended after\n"
    "P half-moves (default 600) stops with the result '*'. Book moves come from the opening\n"
    "base beside the program (base/eco.db) or the one given, a line chosen at random with the\n"
    "seed (default 1). The games go to the file, or to standard output; a line per finished game\n"
    "goes to standard error.\n";

// The game record of an automatic game: its header, the moves and the result, lines of at
// most 79 characters.
std::string gamePgn(const GameSession& s);

int autoplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             const TextCatalogue& catalogue, const std::string& programFolder);

} // namespace quarvelin
