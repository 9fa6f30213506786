// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarvelin-cli net: the engine plays one network game against any peer speaking the program's
// protocol, through the same game session as the desktop program.
#include "localisation/TextCatalogue.h"

#include <ostream>
#include <string>
#include <vector>

namespace quarvelin {

inline constexpr const char* HelpNet =
    "usage: quarvelin-cli net serve [--port N] [options]\n"
    "       quarvelin-cli net connect HOST[:PORT] [options]\n"
    "options: [--name X] [--depth D | --profile file.ini] [--draw accept|refuse]\n"
    "         [--pgn FILE] [--max-plies N]\n"
    "The engine plays one game over TCP against another copy of the program or any peer that\n"
    "speaks its protocol. 'serve' listens on the port (default 5555) and plays White against\n"
    "the first player who greets it; it keeps listening until a game has been played.\n"
    "'connect' reaches a server (port 5555 unless given) and plays Black. --name is the name\n"
    "announced (default Quarvelin); --depth (0 to 3) or --profile sets the engine; --draw says\n"
    "how draw offers received are answered (default accept). The engine offers a draw when a\n"
    "position has stood three times, after fifty moves without a capture or a pawn move, and at\n"
    "N half-moves (default 300); if that offer is refused, at twice N it closes the connection\n"
    "and the game stays unfinished. A line goes to standard output for each move sent and\n"
    "received; --pgn appends the finished game to FILE. Exits with 0 once the game has ended\n"
    "(mate, stalemate, draw, resignation, the peer gone), 1 on a connection error with the\n"
    "reason on standard error, 2 on bad arguments.\n";

int netPlay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const TextCatalogue& catalogue, const std::string& programFolder);

} // namespace quarvelin
