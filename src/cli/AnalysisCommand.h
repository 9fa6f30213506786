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
    "move's score, all seen from the side that moved. The built-in engine searches each move's\n"
    "replies to depth D (1 to 3, default 2), then the captures that follow, and values the quiet\n"
    "positions with the evaluation of the profile (the built-in one without it), without the\n"
    "bonuses for checks, castling and the centre; scores in its own units (a pawn is worth\n"
    "about 100), losses of 100, 200 and 300 by default. With --uci the engine started by the\n"
    "command (Stockfish, for one) searches each position MS milliseconds (default 100), and the\n"
    "played move alone as long when it is not the engine's choice; scores in centipawns, losses\n"
    "of 50, 100 and 300 by default. The [Annotator] tag of each game names the engine and the\n"
    "units. The game's comments are kept, its variations left out. A game that cannot be read\n"
    "is reported on standard error and left out. Exits with 1 when the file cannot be read, a\n"
    "game was left out or the engine failed, 2 on bad arguments.\n";

int analysisCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const TextCatalogue& catalogue, const std::string& programFolder);

} // namespace quarvelin
