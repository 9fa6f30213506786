// SPDX-License-Identifier: GPL-3.0-or-later
// Game replay: the input is a PGN stream; every game that replays must end in a position whose
// FEN the program reads back. A stream keeping only the first moves reads the same games.
#include "notation/Fen.h"
#include "notation/Notation.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "rules/Position.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using namespace quarvelin;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

void checkEnd(const Replay& r, Colour orientation) {
    if (!r.ok) return;
    check(r.position.PlayerColour == orientation);
    const std::string fen = writeFen(r.position);
    auto reread = readFen(fen, orientation);
    check(reread.has_value());
    check(reread->Board == r.position.Board);
    check(reread->sideToMove() == r.position.sideToMove());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 16384) return 0;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    PgnStream stream(in);
    PgnGame game;
    int games = 0;
    while (stream.next(game)) {
        // A stream that keeps handing out games without consuming input would loop forever.
        check(++games <= static_cast<int>(size) + 1);
        checkEnd(replay(game, NotationCode::Pgn, Colour::White), Colour::White);
        checkEnd(replay(game, NotationCode::French, Colour::Black), Colour::Black);
        game = PgnGame{};
    }

    const std::size_t kept = size > 0 ? 1 + data[0] % 12 : 1;
    std::istringstream a(in.str()), b(in.str());
    PgnStream whole(a), first(b);
    first.keepMoves(kept);
    PgnGame g, h;
    while (whole.next(g)) {
        check(first.next(h));
        check(h.tags == g.tags && h.result == g.result && h.offset == g.offset &&
              h.unclosed == g.unclosed);
        check(h.moves.size() == std::min(kept, g.moves.size()));
        check(std::equal(h.moves.begin(), h.moves.end(), g.moves.begin()));
    }
    check(!first.next(h));
    return 0;
}
