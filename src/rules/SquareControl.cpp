#include "rules/SquareControl.h"

namespace quarvelin {

namespace {

constexpr int Straight[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int Diagonal[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
constexpr int Jumps[8][2] = {{2, 1},  {2, -1}, {-2, 1},  {-2, -1},
                             {1, -2}, {1, 2},  {-1, -2}, {-1, 2}};

bool sur_echiquier(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

// The first piece met walking from (x, y) in direction d, and how many steps away it is.
struct Premier {
    PieceCode piece = PieceCode::Empty;
    int distance = 0;
};
Premier premiere_piece(const Position& p, int x, int y, const int d[2]) {
    int cx = x + d[0], cy = y + d[1];
    for (int n = 1; sur_echiquier(cx, cy); ++n, cx += d[0], cy += d[1])
        if (p.at(cx, cy) != PieceCode::Empty) return {p.at(cx, cy), n};
    return {};
}

// Counts pieces of the counted side (as told by `compte`) on the shared attack patterns;
// pawnRow is the row from which a counted pawn strikes (x, y).
template <typename Compte>
int compter(const Position& p, int x, int y, int pawnRow, Compte compte) {
    int n = 0;
    for (auto& d : Straight) {
        Premier f = premiere_piece(p, x, y, d);
        PieceType t = type_piece(f.piece);
        if (compte(f.piece) && (t == PieceType::Queen || t == PieceType::Rook ||
                                (t == PieceType::King && f.distance == 1)))
            ++n;
    }
    for (auto& j : Jumps) {
        int cx = x + j[0], cy = y + j[1];
        if (sur_echiquier(cx, cy) && type_piece(p.at(cx, cy)) == PieceType::Knight &&
            compte(p.at(cx, cy)))
            ++n;
    }
    for (auto& d : Diagonal) {
        Premier f = premiere_piece(p, x, y, d);
        PieceType t = type_piece(f.piece);
        if (compte(f.piece) && (t == PieceType::Queen || t == PieceType::Bishop ||
                                (t == PieceType::King && f.distance == 1)))
            ++n;
    }
    for (int dx : {1, -1}) {
        int cx = x + dx;
        if (sur_echiquier(cx, pawnRow) && type_piece(p.at(cx, pawnRow)) == PieceType::Pawn &&
            compte(p.at(cx, pawnRow)))
            ++n;
    }
    return n;
}

} // namespace

int nombre_attaquants(const Position& p, PieceCode piece, int x, int y, Colour colour) {
    int e = direction_pion(couleur(piece), p.PlayerColour);
    return compter(p, x, y, y + e,
                   [colour](PieceCode q) { return q != PieceCode::Empty && couleur(q) != colour; });
}

int nombre_defenseurs(const Position& p, PieceCode, int x, int y, Colour colour) {
    int d = direction_pion(colour, p.PlayerColour);
    return compter(p, x, y, y - d,
                   [colour](PieceCode q) { return q != PieceCode::Empty && couleur(q) == colour; });
}

int nombre_cibles(const Position& p, int x, int y) {
    PieceCode piece = p.at(x, y);
    Colour c = couleur(piece);
    PieceType t = type_piece(piece);
    auto cible = [&](PieceCode q) { return q != PieceCode::Empty && couleur(q) != c; };
    int n = 0;
    bool lignes = t == PieceType::Queen || t == PieceType::Rook;
    bool diagonales = t == PieceType::Queen || t == PieceType::Bishop;
    for (auto& d : Straight) {
        Premier f = premiere_piece(p, x, y, d);
        if (cible(f.piece) && (lignes || (t == PieceType::King && f.distance == 1))) ++n;
    }
    for (auto& d : Diagonal) {
        Premier f = premiere_piece(p, x, y, d);
        if (cible(f.piece) && (diagonales || (t == PieceType::King && f.distance == 1))) ++n;
    }
    if (t == PieceType::Knight)
        for (auto& j : Jumps) {
            int cx = x + j[0], cy = y + j[1];
            if (sur_echiquier(cx, cy) && cible(p.at(cx, cy))) ++n;
        }
    if (t == PieceType::Pawn) {
        int cy = y + direction_pion(c, p.PlayerColour);
        for (int dx : {1, -1})
            if (sur_echiquier(x + dx, cy) && cible(p.at(x + dx, cy))) ++n;
    }
    return n;
}

int marque_pieces_non_defendues(const Position& p, Colour colour,
                                const std::function<void(int, int, int)>& marquer) {
    int count = 0;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            PieceCode piece = p.at(x, y);
            if (piece == PieceCode::Empty) continue;
            Colour c = couleur(piece);
            if (nombre_defenseurs(p, piece, x, y, c) != 0) continue;
            if (c == colour) {
                marquer(x, y, MarqueRouge);
                ++count;
            } else {
                marquer(x, y, MarqueVerte);
            }
        }
    return count;
}

} // namespace quarvelin
