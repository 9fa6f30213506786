// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/SquareControl.h"

namespace quarvelin {

namespace {

constexpr int Straight[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int Diagonal[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
constexpr int Jumps[8][2] = {{2, 1},  {2, -1}, {-2, 1},  {-2, -1},
                             {1, -2}, {1, 2},  {-1, -2}, {-1, 2}};

bool onBoard(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

// The first piece met walking from (x, y) in direction d, and how many steps away it is.
struct First {
    PieceCode piece = PieceCode::Empty;
    int distance = 0;
};
First firstPiece(const Position& p, int x, int y, const int d[2]) {
    int cx = x + d[0], cy = y + d[1];
    for (int n = 1; onBoard(cx, cy); ++n, cx += d[0], cy += d[1])
        if (p.at(cx, cy) != PieceCode::Empty) return {p.at(cx, cy), n};
    return {};
}

// Counts pieces of the counted side (as told by `tally`) on the shared attack patterns;
// pawnRow is the row from which a counted pawn strikes (x, y).
template <typename Count> int count(const Position& p, int x, int y, int pawnRow, Count tally) {
    int n = 0;
    for (auto& d : Straight) {
        First f = firstPiece(p, x, y, d);
        PieceType t = pieceType(f.piece);
        if (tally(f.piece) && (t == PieceType::Queen || t == PieceType::Rook ||
                               (t == PieceType::King && f.distance == 1)))
            ++n;
    }
    for (auto& j : Jumps) {
        int cx = x + j[0], cy = y + j[1];
        if (onBoard(cx, cy) && pieceType(p.at(cx, cy)) == PieceType::Knight && tally(p.at(cx, cy)))
            ++n;
    }
    for (auto& d : Diagonal) {
        First f = firstPiece(p, x, y, d);
        PieceType t = pieceType(f.piece);
        if (tally(f.piece) && (t == PieceType::Queen || t == PieceType::Bishop ||
                               (t == PieceType::King && f.distance == 1)))
            ++n;
    }
    for (int dx : {1, -1}) {
        int cx = x + dx;
        if (onBoard(cx, pawnRow) && pieceType(p.at(cx, pawnRow)) == PieceType::Pawn &&
            tally(p.at(cx, pawnRow)))
            ++n;
    }
    return n;
}

} // namespace

int nombre_attaquants(const Position& p, PieceCode piece, int x, int y, Colour colour) {
    int e = pawnDirection(colourOf(piece), p.PlayerColour);
    return count(p, x, y, y + e,
                 [colour](PieceCode q) { return q != PieceCode::Empty && colourOf(q) != colour; });
}

int nombre_defenseurs(const Position& p, PieceCode, int x, int y, Colour colour) {
    int d = pawnDirection(colour, p.PlayerColour);
    return count(p, x, y, y - d,
                 [colour](PieceCode q) { return q != PieceCode::Empty && colourOf(q) == colour; });
}

int nombre_cibles(const Position& p, int x, int y) {
    PieceCode piece = p.at(x, y);
    Colour c = colourOf(piece);
    PieceType t = pieceType(piece);
    auto target = [&](PieceCode q) { return q != PieceCode::Empty && colourOf(q) != c; };
    int n = 0;
    bool lines = t == PieceType::Queen || t == PieceType::Rook;
    bool diagonals = t == PieceType::Queen || t == PieceType::Bishop;
    for (auto& d : Straight) {
        First f = firstPiece(p, x, y, d);
        if (target(f.piece) && (lines || (t == PieceType::King && f.distance == 1))) ++n;
    }
    for (auto& d : Diagonal) {
        First f = firstPiece(p, x, y, d);
        if (target(f.piece) && (diagonals || (t == PieceType::King && f.distance == 1))) ++n;
    }
    if (t == PieceType::Knight)
        for (auto& j : Jumps) {
            int cx = x + j[0], cy = y + j[1];
            if (onBoard(cx, cy) && target(p.at(cx, cy))) ++n;
        }
    if (t == PieceType::Pawn) {
        int cy = y + pawnDirection(c, p.PlayerColour);
        for (int dx : {1, -1})
            if (onBoard(x + dx, cy) && target(p.at(x + dx, cy))) ++n;
    }
    return n;
}

int marque_pieces_non_defendues(const Position& p, Colour colour,
                                const std::function<void(int, int, int)>& mark) {
    int count = 0;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            PieceCode piece = p.at(x, y);
            if (piece == PieceCode::Empty) continue;
            Colour c = colourOf(piece);
            if (nombre_defenseurs(p, piece, x, y, c) != 0) continue;
            if (c == colour) {
                mark(x, y, RedMark);
                ++count;
            } else {
                mark(x, y, GreenMark);
            }
        }
    return count;
}

} // namespace quarvelin
