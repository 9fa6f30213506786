// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarvelin-cli analyse: every game of a PGN file analysed move by move and written back with
// the marks of its weak moves.
#include "localisation/TextCatalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace quarvelin {

inline constexpr const char* HelpAnalyse =
    "usage: quarvelin-cli analyse <games.pgn> [--depth D] [--profile file.ini] [--threads N]\n"
    "           [--uci \"command\" [--movetime MS]] [--inaccuracy L] [--mistake L] [--blunder L]\n"
    "Searches every position of every game of the file, sets the score of the move played\n"
    "against the best move's, measured alike, and writes the games as PGN on standard output.\n"
    "A move that loses more than --inaccuracy gets ?! ($6), more than --mistake ? ($2), more\n"
    "than --blunder ?? ($4), with a note holding its score, the better move in SAN and that\n"
    "move's score, all seen from the side that moved. The built-in engine searches at depth D\n"
    "(1 to 3, default 2) with the weights of the profile (the built-in ones without it), every\n"
    "root move with a full window; its scores are in its own units, losses of 60, 150 and 280\n"
    "by default. With --uci the engine started by the command (Stockfish, for one) searches\n"
    "each position MS milliseconds (default 100), and the played move alone as long when it is\n"
    "not the engine's choice; scores in centipawns, losses of 50, 100 and 300 by default. The\n"
    "[Annotator] tag of each game names the engine and the units. The game's comments are\n"
    "kept, its variations left out. A game that cannot be read is reported on standard error\n"
    "and left out. Exits with 1 when the file cannot be read, a game was left out or the\n"
    "engine failed, 2 on bad arguments.\n";

int analysisCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const TextCatalogue& catalogue, const std::string& programFolder);

} // namespace quarvelin
