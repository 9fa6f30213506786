// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/MoveRules.h"

#include "rules/Castling.h"
#include "rules/FastPosition.h"
#include "rules/SquareControl.h"

#include <cstdlib>

namespace quarvelin {

namespace {

bool pathIsFree(const Position& p, int fromX, int fromY, int toX, int toY) {
    int dx = (toX > fromX) - (toX < fromX), dy = (toY > fromY) - (toY < fromY);
    for (int x = fromX + dx, y = fromY + dy; x != toX || y != toY; x += dx, y += dy)
        if (p.at(x, y) != PieceCode::Empty) return false;
    return true;
}

bool castlingValid(const Position& p, PieceCode king, int fromX, int fromY, int toX, int toY) {
    if (fromY != toY || (fromY != 1 && fromY != 8)) return false;
    const CastlingCase* k = castlingCases(p.PlayerColour, fromX, toX);
    if (!k) return false;
    const Colour c = colourOf(king);
    const int r = fromY;
    for (int e : k->empty)
        if (e && p.at(e, r) != PieceCode::Empty) return false;
    if (code(p.at(k->rookX, r)) != code(king) - 4) return false;
    if (p.CastlingDone[code(c)]) return false;
    if (!(p.CastlingRights & wingRight(c, toX, p.PlayerColour))) return false;
    if (nombre_attaquants(p, king, fromX, r, c) > 0) return false;
    return nombre_attaquants(p, king, k->passX, r, c) == 0;
}

} // namespace

bool coup_valide(const Position& p, PieceCode piece, int fromX, int fromY, PieceCode target,
                 int toX, int toY) {
    if (colourOf(piece) == colourOf(target)) return false;
    Colour c = colourOf(piece);
    int d = pawnDirection(c, p.PlayerColour);
    int startRow = d == -1 ? 7 : 2;
    int dx = toX - fromX, dy = toY - fromY;
    int adx = std::abs(dx), ady = std::abs(dy);
    switch (pieceType(piece)) {
    case PieceType::Pawn: {
        int ep = c == Colour::White ? p.EnPassantForWhite : p.EnPassantForBlack;
        if (ep == 10 * toX + toY && adx == 1 && dy == d) return true;
        if (dx == 0 && dy == d && target == PieceCode::Empty) return true;
        if (adx == 1 && dy == d && target != PieceCode::Empty) return true;
        return dx == 0 && fromY == startRow && dy == 2 * d && target == PieceCode::Empty &&
               p.at(fromX, fromY + d) == PieceCode::Empty;
    }
    case PieceType::Rook:
        return (dx == 0 || dy == 0) && pathIsFree(p, fromX, fromY, toX, toY);
    case PieceType::Bishop:
        return adx == ady && adx > 0 && pathIsFree(p, fromX, fromY, toX, toY);
    case PieceType::Queen:
        return (dx == 0 || dy == 0 || adx == ady) && pathIsFree(p, fromX, fromY, toX, toY);
    case PieceType::Knight:
        return (adx == 1 && ady == 2) || (adx == 2 && ady == 1);
    case PieceType::King:
        if (adx <= 1 && ady <= 1) return true;
        if (adx == 2 && dy == 0) return castlingValid(p, piece, fromX, fromY, toX, toY);
        return false;
    default:
        return false;
    }
}

bool inCheck(const Position& p, Colour c) {
    PieceCode king = pieceOf(PieceType::King, c);
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (p.at(x, y) == king) return nombre_attaquants(p, king, x, y, c) > 0;
    return false;
}

bool isLegal(const Position& p, const Move& c) {
    if (c.fromX < 1 || c.fromX > 8 || c.fromY < 1 || c.fromY > 8 || c.toX < 1 || c.toX > 8 ||
        c.toY < 1 || c.toY > 8)
        return false;
    PieceCode piece = p.at(c.fromX, c.fromY);
    if (piece == PieceCode::Empty || piece != c.piece) return false;
    if (!coup_valide(p, piece, c.fromX, c.fromY, p.at(c.toX, c.toY), c.toX, c.toY)) return false;
    Position after = p;
    playMove(after, c);
    return !inCheck(after, colourOf(piece));
}

std::vector<Move> legalMoves(const Position& p) {
    FastPosition f = FastPosition::from(p);
    MoveList list;
    f.generate(list);
    std::vector<Move> out;
    out.reserve(list.size);
    for (FastMove m : list) out.push_back(moveFrom(p, m));
    return out;
}

PlayedMove playMove(Position& p, const Move& c) {
    PlayedMove j;
    j.move = c;
    j.before = p;
    const PieceCode piece = p.at(c.fromX, c.fromY);
    const Colour col = colourOf(piece);
    const PieceType t = pieceType(piece);
    const int d = pawnDirection(col, p.PlayerColour);
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
        p.at(j.rookToX, c.toY) = pieceOf(PieceType::Rook, col);
    }
    if (t == PieceType::King) p.CastlingDone[code(col)] = true;

    if (t == PieceType::Pawn && (c.toY == 1 || c.toY == 8)) {
        j.promotion = true;
        PieceCode promo = c.promotion;
        PieceType pt = pieceType(promo);
        if (colourOf(promo) != col || pt == PieceType::Pawn || pt == PieceType::King ||
            pt == PieceType::None)
            promo = pieceOf(PieceType::Queen, col);
        j.move.promotion = promo;
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
    auto corner = [&](int x, int y) { return absoluteSquare(x, y, p.PlayerColour); };
    auto loses = [&](int sq) {
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
    loses(corner(c.fromX, c.fromY));
    loses(corner(c.toX, c.toY));
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

void takeMove(Position& p, const PlayedMove& played) { p = played.before; }

GameEnd gameEnd(const Position& p) {
    FastPosition f = FastPosition::from(p);
    MoveList list;
    f.generate(list);
    if (list.size > 0) return GameEnd::InProgress;
    return f.isInCheck() ? GameEnd::Mate : GameEnd::Stalemate;
}

Move moveFrom(const Position& p, FastMove m) {
    Square from = displayedSquare(m.from(), p.PlayerColour);
    Square to = displayedSquare(m.to(), p.PlayerColour);
    Move c{from.x, from.y, to.x, to.y, p.at(from.x, from.y), PieceCode::Empty};
    if (m.isPromotion()) c.promotion = pieceOf(m.promotionType(), colourOf(c.piece));
    return c;
}

FastMove fastMove(const Position& p, const Move& c) {
    FastPosition f = FastPosition::from(p);
    MoveList list;
    f.generate(list);
    int from = absoluteSquare(c.fromX, c.fromY, p.PlayerColour);
    int to = absoluteSquare(c.toX, c.toY, p.PlayerColour);
    PieceType wanted = c.promotion == PieceCode::Empty ? PieceType::Queen : pieceType(c.promotion);
    for (FastMove m : list)
        if (m.from() == from && m.to() == to && (!m.isPromotion() || m.promotionType() == wanted))
            return m;
    return {};
}

std::optional<Move> moveOnSquares(const std::vector<Move>& legal, int fromX, int fromY, int toX,
                                  int toY) {
    std::optional<Move> found;
    for (const Move& c : legal) {
        if (c.fromX != fromX || c.fromY != fromY || c.toX != toX || c.toY != toY) continue;
        if (c.promotion == PieceCode::Empty || pieceType(c.promotion) == PieceType::Queen) return c;
        if (!found) found = c;
    }
    return found;
}

std::string uciMove(const Position& p, const Move& c) {
    std::string s =
        squareName(c.fromX, c.fromY, p.PlayerColour) + squareName(c.toX, c.toY, p.PlayerColour);
    if (c.promotion != PieceCode::Empty) s += "?prnbqk"[code(pieceType(c.promotion)) - 1];
    return s;
}

} // namespace quarvelin
