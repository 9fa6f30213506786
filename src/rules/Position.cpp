// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Position.h"

namespace quarvelin {

void Position::clear() { Board.fill(PieceCode::Empty); }

Position Position::initial(Colour playerColour) {
    Position p;
    p.clear();
    p.PlayerColour = playerColour;
    static constexpr PieceType back[8] = {PieceType::Rook,   PieceType::Knight, PieceType::Bishop,
                                          PieceType::Queen,  PieceType::King,   PieceType::Bishop,
                                          PieceType::Knight, PieceType::Rook};
    for (int file = 0; file < 8; ++file) {
        auto put = [&](int rank, PieceCode piece) {
            Square c = displayedSquare(file + 8 * rank, playerColour);
            p.at(c.x, c.y) = piece;
        };
        put(0, pieceOf(back[file], Colour::White));
        put(1, PieceCode::WhitePawn);
        put(6, PieceCode::BlackPawn);
        put(7, pieceOf(back[file], Colour::Black));
    }
    return p;
}

std::string squareName(int x, int y, Colour playerColour) {
    if (x < 1 || x > 8 || y < 1 || y > 8) return {};
    int sq = absoluteSquare(x, y, playerColour);
    return {static_cast<char>('a' + (sq & 7)), static_cast<char>('1' + (sq >> 3))};
}

Square namedSquare(char file, char rank, Colour playerColour) {
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return {};
    return displayedSquare((file - 'a') + 8 * (rank - '1'), playerColour);
}

} // namespace quarvelin
