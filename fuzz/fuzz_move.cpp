// SPDX-License-Identifier: GPL-3.0-or-later
// Move reading: any token against a handful of varied positions, in every notation and both
// orientations. Reading must leave the position alone, and a move it reads that the rules call
// legal must be one the generator knows and must leave a position that can stand.
#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "notation/Notation.h"
#include "rules/MoveRules.h"
#include "rules/Position.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace quarvelin;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

constexpr const char* Fens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1",
    // en passant for either side
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "rnbqkbnr/pppp1ppp/8/8/3PpP2/8/PPP1P1PP/RNBQKBNR b KQkq f3 0 3",
    // promotions, plain and capturing, for either side
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N w - - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    // in check, and checkmated
    "rnbqkbnr/ppp2ppp/3p4/1B2p3/4P3/8/PPPP1PPP/RNBQK1NR b KQkq - 1 3",
    "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
    // castling, free and through an attacked square
    "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
    "r3k2r/8/8/8/8/8/6b1/R3K2R w KQkq - 0 1",
    // pins and a lone-king ending
    "4k3/8/8/8/1b6/8/3N4/4K2R w K - 0 1",
    "8/8/8/4k3/8/8/8/4K3 w - - 0 1",
};
constexpr std::size_t PositionCount = sizeof(Fens) / sizeof(Fens[0]);

const std::array<std::vector<Position>, 2>& positions() {
    static const std::array<std::vector<Position>, 2> table = [] {
        std::array<std::vector<Position>, 2> t;
        for (int o = 0; o < 2; ++o)
            for (const char* fen : Fens) {
                auto p = readFen(fen, o ? Colour::Black : Colour::White);
                check(p.has_value());
                t[static_cast<std::size_t>(o)].push_back(*p);
            }
        return t;
    }();
    return table;
}

bool soundPosition(const Position& q, Colour mover) {
    int whiteKings = 0, blackKings = 0;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            PieceCode piece = q.at(x, y);
            if (piece != PieceCode::Empty && !isPiece(piece)) return false;
            if (piece == PieceCode::WhiteKing) ++whiteKings;
            if (piece == PieceCode::BlackKing) ++blackKings;
        }
    if (whiteKings != 1 || blackKings != 1) return false;
    if (inCheck(q, mover)) return false;
    if (q.sideToMove() == mover) return false;
    return isPositionValid(q);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 64) return 0;
    const std::uint8_t positionChoice = data[0];
    const std::uint8_t options = data[1];
    const int orientation = options & 1;
    const NotationCode notation = static_cast<NotationCode>((options >> 1) % 3);

    const Position& original =
        positions()[static_cast<std::size_t>(orientation)][positionChoice % PositionCount];
    const Position p = original;
    const Colour side = p.sideToMove();

    std::string token(reinterpret_cast<const char*>(data + 2), size - 2);

    ReadMove parsed = lire_coup(p, side, notation, token);
    check(p == original);

    if (!parsed.readable || parsed.isResult()) return 0;
    const Move c = parsed.move();
    if (!isLegal(p, c)) return 0;
    check(p == original);

    // The rules and the generator must agree on what is legal.
    bool known = false;
    for (const Move& g : legalMoves(p))
        if (g.fromX == c.fromX && g.fromY == c.fromY && g.toX == c.toX && g.toY == c.toY &&
            g.piece == c.piece)
            known = true;
    check(known);

    Position q = p;
    playMove(q, c);
    check(soundPosition(q, side));
    return 0;
}
