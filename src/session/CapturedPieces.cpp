// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/CapturedPieces.h"

#include <algorithm>

namespace quarvelin {

namespace {

struct Kind {
    PieceType type;
    int atStart;
    int value;
};
constexpr Kind Kinds[] = {{PieceType::Queen, 1, 9},
                          {PieceType::Rook, 2, 5},
                          {PieceType::Bishop, 2, 3},
                          {PieceType::Knight, 2, 3},
                          {PieceType::Pawn, 8, 1}};

std::vector<PieceCode> lost(const Position& p, Colour side, int& material) {
    int count[8] = {};
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (const PieceCode c = p.at(x, y); isPiece(c) && colourOf(c) == side)
                ++count[code(pieceType(c))];
    // Pieces beyond the starting set came from pawns, which are not lost.
    int promoted = 0;
    for (const Kind& k : Kinds)
        if (k.type != PieceType::Pawn) promoted += std::max(0, count[code(k.type)] - k.atStart);
    std::vector<PieceCode> r;
    material = 0;
    for (const Kind& k : Kinds) {
        const int here = count[code(k.type)];
        material += here * k.value;
        const int missing =
            k.type == PieceType::Pawn ? k.atStart - here - promoted : k.atStart - here;
        for (int i = 0; i < missing; ++i) r.push_back(pieceOf(k.type, side));
    }
    return r;
}

} // namespace

CapturedPieces capturedPieces(const Position& p) {
    CapturedPieces r;
    int white = 0, black = 0;
    r.white = lost(p, Colour::White, white);
    r.black = lost(p, Colour::Black, black);
    r.balance = white - black;
    return r;
}

} // namespace quarvelin
