// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarvelin-cli tournament: a round robin of personalities and outside UCI engines.
#include "localisation/TextCatalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace quarvelin {

inline constexpr const char* HelpTournament =
    "usage: quarvelin-cli tournament A.ini B.ini [C.ini ...] [--uci \"command\" [--uci-option\n"
    "           \"Name=Value\"]...] [--rounds N] [--depth D] [--openings file.pgn]\n"
    "           [--opening-plies N] [--seed S] [--max-moves M] [--concurrency K]\n"
    "           [--uci-movetime MS] [--uci-depth N] [--base eco.db] [--pgn out.pgn]\n"
    "A round robin: each round (--rounds, default 1) every pair of players plays two games, one\n"
    "with each colour, from the same opening: a line drawn at random (--seed, default 1) from\n"
    "the opening base (--base, else the desktop program's) or from the games of --openings,\n"
    "cut to --opening-plies half-moves (default 8). Each settings file is a personality named\n"
    "by its file's name, searching to --depth (0 to 3, default 1) with one thread; after the\n"
    "opening it plays its first move and book moves as its settings say. --uci adds an outside\n"
    "engine named by its program, to which each following --uci-option is sent; it thinks\n"
    "--uci-movetime milliseconds a move (default 100), or to --uci-depth. A game ends by mate,\n"
    "stalemate, threefold repetition, the fifty-move rule or insufficient material, or is\n"
    "drawn after --max-moves moves each (default 200) with the termination 'move limit'.\n"
    "--concurrency games are played at once (default: one per processor). A line per finished\n"
    "game goes to standard error; the games go to the --pgn file as they end, and the\n"
    "crosstable (points, score, Elo difference against the field with its 95% margin, and the\n"
    "points against each opponent) to standard output. Exits with 1 when an engine fails, 2 on\n"
    "bad arguments or a file that cannot be read.\n";

int tournamentCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const TextCatalogue& catalogue, const std::string& programFolder);

} // namespace quarvelin
