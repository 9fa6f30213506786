// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarvelin-cli eco: the opening base from scripts, and moved between machines as CSV.
#include "localisation/TextCatalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace quarvelin {

inline constexpr const char* HelpEco =
    "usage: quarvelin-cli eco learn <file.pgn> [--base eco.db]\n"
    "       quarvelin-cli eco export <file.csv> [--base eco.db]\n"
    "       quarvelin-cli eco import <file.csv> [--base eco.db]\n"
    "       quarvelin-cli eco name \"<moves>\" [--base eco.db]\n"
    "learn   adds, for the first six moves of every game of the file, each half-move prefix the\n"
    "        base lacks, filed under the game's ECO tag (or the last one met before it); games\n"
    "        that start from a [FEN] position are skipped. Prints the games read and rows added.\n"
    "export  writes every row as semicolon-separated text, a header line first; the file is\n"
    "        replaced only once it is whole.\n"
    "import  replaces every row of the base by the rows of the file, fields taken by the names\n"
    "        of its header line, keys renumbered from 1; a file that cannot be read leaves the\n"
    "        base as it was.\n"
    "name    replays the moves (\"1.e4 c5\", \"1. e4 c5\" and \"e4 c5\" alike) and prints the "
    "code\n"
    "        and name of the opening reached, tab-separated, as the comment window names it.\n"
    "The base is the one given with --base, else the one the desktop program uses. Exits with 1\n"
    "when a file or the base cannot be read or written, or no line follows the moves.\n";

int ecoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const TextCatalogue& catalogue, const std::string& programFolder);

// The opening base the desktop program opens, as it resolves it at start-up.
std::string desktopOpeningBase(const std::string& programFolder);

} // namespace quarvelin
