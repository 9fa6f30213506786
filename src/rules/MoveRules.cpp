#include "rules/MoveRules.h"

#include "rules/FastPosition.h"
#include "rules/Roque.h"
#include "rules/SquareControl.h"

#include <cstdlib>

namespace quarvelin {

namespace {

bool chemin_libre(const Position& p, int fromX, int fromY, int toX, int toY) {
    int dx = (toX > fromX) - (toX < fromX), dy = (toY > fromY) - (toY < fromY);
    for (int x = fromX + dx, y = fromY + dy; x != toX || y != toY; x += dx, y += dy)
        if (p.at(x, y) != PieceCode::Empty) return false;
    return true;
}

bool roque_valide(const Position& p, PieceCode king, int fromX, int fromY, int toX, int toY) {
    if (fromY != toY || (fromY != 1 && fromY != 8)) return false;
    const CasRoque* k = cas_roque(p.PlayerColour, fromX, toX);
    if (!k) return false;
    const Colour c = couleur(king);
    const int r = fromY;
    for (int e : k->empty)
        if (e && p.at(e, r) != PieceCode::Empty) return false;
    if (code(p.at(k->rookX, r)) != code(king) - 4) return false;
    if (p.CastlingDone[code(c)]) return false;
    if (!(p.CastlingRights & droit_aile(c, toX, p.PlayerColour))) return false;
    if (nombre_attaquants(p, king, fromX, r, c) > 0) return false;
    return nombre_attaquants(p, king, k->passX, r, c) == 0;
}

} // namespace

bool coup_valide(const Position& p, PieceCode piece, int fromX, int fromY, PieceCode target,
                 int toX, int toY) {
    if (couleur(piece) == couleur(target)) return false;
    Colour c = couleur(piece);
    int d = direction_pion(c, p.PlayerColour);
    int startRow = d == -1 ? 7 : 2;
    int dx = toX - fromX, dy = toY - fromY;
    int adx = std::abs(dx), ady = std::abs(dy);
    switch (type_piece(piece)) {
    case PieceType::Pawn: {
        int ep = c == Colour::White ? p.EnPassantForWhite : p.EnPassantForBlack;
        if (ep == 10 * toX + toY && adx == 1 && dy == d) return true;
        if (dx == 0 && dy == d && target == PieceCode::Empty) return true;
        if (adx == 1 && dy == d && target != PieceCode::Empty) return true;
        return dx == 0 && fromY == startRow && dy == 2 * d && target == PieceCode::Empty &&
               p.at(fromX, fromY + d) == PieceCode::Empty;
    }
    case PieceType::Rook:
        return (dx == 0 || dy == 0) && chemin_libre(p, fromX, fromY, toX, toY);
    case PieceType::Bishop:
        return adx == ady && adx > 0 && chemin_libre(p, fromX, fromY, toX, toY);
    case PieceType::Queen:
        return (dx == 0 || dy == 0 || adx == ady) && chemin_libre(p, fromX, fromY, toX, toY);
    case PieceType::Knight:
        return (adx == 1 && ady == 2) || (adx == 2 && ady == 1);
    case PieceType::King:
        if (adx <= 1 && ady <= 1) return true;
        if (adx == 2 && dy == 0) return roque_valide(p, piece, fromX, fromY, toX, toY);
        return false;
    default:
        return false;
    }
}

bool en_echec(const Position& p, Colour c) {
    PieceCode king = piece_de(PieceType::King, c);
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (p.at(x, y) == king) return nombre_attaquants(p, king, x, y, c) > 0;
    return false;
}

bool coup_legal(const Position& p, const Coup& c) {
    if (c.fromX < 1 || c.fromX > 8 || c.fromY < 1 || c.fromY > 8 || c.toX < 1 || c.toX > 8 ||
        c.toY < 1 || c.toY > 8)
        return false;
    PieceCode piece = p.at(c.fromX, c.fromY);
    if (piece == PieceCode::Empty || piece != c.piece) return false;
    if (!coup_valide(p, piece, c.fromX, c.fromY, p.at(c.toX, c.toY), c.toX, c.toY)) return false;
    Position after = p;
    jouer_coup(after, c);
    return !en_echec(after, couleur(piece));
}

std::vector<Coup> coups_legaux(const Position& p) {
    FastPosition f = FastPosition::from(p);
    MoveList list;
    f.generate(list);
    std::vector<Coup> out;
    out.reserve(list.size);
    for (FastMove m : list) out.push_back(coup_depuis(p, m));
    return out;
}

CoupJoue jouer_coup(Position& p, const Coup& c) {
    CoupJoue j;
    j.coup = c;
    j.before = p;
    const PieceCode piece = p.at(c.fromX, c.fromY);
    const Colour col = couleur(piece);
    const PieceType t = type_piece(piece);
    const int d = direction_pion(col, p.PlayerColour);
    j.captured = p.at(c.toX, c.toY);
    j.capturedX = c.toX;
    j.capturedY = c.toY;

    p.at(c.fromX, c.fromY) = PieceCode::Empty;
    p.at(c.toX, c.toY) = piece;

    if (t == PieceType::King && std::abs(c.toX - c.fromX) == 2 && c.fromY == c.toY) {
        j.castling = true;
        bool towardsRight = c.toX > c.fromX;
        j.rookFromX = towardsRight ? 8 : 1;
        j.rookToX = towardsRight ? c.toX - 1 : c.toX + 1;
        p.at(j.rookFromX, c.toY) = PieceCode::Empty;
        p.at(j.rookToX, c.toY) = piece_de(PieceType::Rook, col);
    }
    if (t == PieceType::King) p.CastlingDone[code(col)] = true;

    if (t == PieceType::Pawn && (c.toY == 1 || c.toY == 8)) {
        j.promotion = true;
        PieceCode promo = c.promotion;
        PieceType pt = type_piece(promo);
        if (couleur(promo) != col || pt == PieceType::Pawn || pt == PieceType::King ||
            pt == PieceType::None)
            promo = piece_de(PieceType::Queen, col);
        j.coup.promotion = promo;
        p.at(c.toX, c.toY) = promo;
    }

    const int ownEp = col == Colour::White ? p.EnPassantForWhite : p.EnPassantForBlack;
    std::int16_t& otherEp = col == Colour::White ? p.EnPassantForBlack : p.EnPassantForWhite;
    if (t == PieceType::Pawn && std::abs(c.toY - c.fromY) == 2)
        otherEp = static_cast<std::int16_t>(10 * c.toX + (c.fromY + c.toY) / 2);
    else
        otherEp = 0;

    if (t == PieceType::Pawn && ownEp == 10 * c.toX + c.toY && c.toX != c.fromX &&
        j.captured == PieceCode::Empty) {
        j.enPassant = true;
        j.capturedY = c.toY - d;
        j.captured = p.at(c.toX, j.capturedY);
        p.at(c.toX, j.capturedY) = PieceCode::Empty;
    }

    // A wing's right ends when its king or rook leaves home or its rook is taken there.
    auto coin = [&](int x, int y) { return case_absolue(x, y, p.PlayerColour); };
    auto perd = [&](int sq) {
        switch (sq) {
        case 0:
            p.CastlingRights &= ~WhiteLong;
            break;
        case 7:
            p.CastlingRights &= ~WhiteShort;
            break;
        case 4:
            p.CastlingRights &= ~(WhiteShort | WhiteLong);
            break;
        case 56:
            p.CastlingRights &= ~BlackLong;
            break;
        case 63:
            p.CastlingRights &= ~BlackShort;
            break;
        case 60:
            p.CastlingRights &= ~(BlackShort | BlackLong);
            break;
        default:
            break;
        }
    };
    perd(coin(c.fromX, c.fromY));
    perd(coin(c.toX, c.toY));
    if (p.CastlingDone[code(col)])
        p.CastlingRights &=
            col == Colour::White ? ~(WhiteShort | WhiteLong) & 15 : ~(BlackShort | BlackLong) & 15;

    if (t == PieceType::Pawn || j.captured != PieceCode::Empty)
        p.QuietMoveCount = 0;
    else
        ++p.QuietMoveCount;
    p.LastMoverColour = col;
    if (col == Colour::White) ++p.MoveCount;
    return j;
}

void reprendre_coup(Position& p, const CoupJoue& joue) { p = joue.before; }

FinDePartie fin_de_partie(const Position& p) {
    FastPosition f = FastPosition::from(p);
    MoveList list;
    f.generate(list);
    if (list.size > 0) return FinDePartie::EnCours;
    return f.in_check() ? FinDePartie::Mat : FinDePartie::Pat;
}

Coup coup_depuis(const Position& p, FastMove m) {
    Case from = case_affichee(m.from(), p.PlayerColour);
    Case to = case_affichee(m.to(), p.PlayerColour);
    Coup c{from.x, from.y, to.x, to.y, p.at(from.x, from.y), PieceCode::Empty};
    if (m.is_promotion())
        c.promotion = piece_de(static_cast<PieceType>(m.promotion_type()), couleur(c.piece));
    return c;
}

FastMove coup_rapide(const Position& p, const Coup& c) {
    FastPosition f = FastPosition::from(p);
    MoveList list;
    f.generate(list);
    int from = case_absolue(c.fromX, c.fromY, p.PlayerColour);
    int to = case_absolue(c.toX, c.toY, p.PlayerColour);
    int wanted =
        c.promotion == PieceCode::Empty ? code(PieceType::Queen) : code(type_piece(c.promotion));
    for (FastMove m : list)
        if (m.from() == from && m.to() == to && (!m.is_promotion() || m.promotion_type() == wanted))
            return m;
    return {};
}

std::string coup_uci(const Position& p, const Coup& c) {
    std::string s =
        nom_case(c.fromX, c.fromY, p.PlayerColour) + nom_case(c.toX, c.toY, p.PlayerColour);
    if (c.promotion != PieceCode::Empty) s += "?prnbqk"[code(type_piece(c.promotion)) - 1];
    return s;
}

} // namespace quarvelin
