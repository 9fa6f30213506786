// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/FastPosition.h"

namespace quarvelin {

namespace {

enum Kind { P = 0, R = 1, N = 2, B = 3, Q = 4, K = 5 };

// Indices into pieces[][] of a piece code (not Empty), read as the number board[] stores.
constexpr int kindOf(int pieceCode) { return pieceCode >= 8 ? pieceCode - 8 : pieceCode - 2; }
constexpr int sideOf(int pieceCode) { return pieceCode >= 8 ? 0 : 1; }
constexpr PieceCode pieceFor(int side, PieceType t) {
    return pieceOf(t, side == 0 ? Colour::White : Colour::Black);
}

constexpr Bitboard shiftUp(Bitboard b, int c) { return c == 0 ? b << 8 : b >> 8; }

// Castling rights kept when a piece leaves or lands on each square.
struct CastleMasks {
    std::uint8_t m[64];
    constexpr CastleMasks() : m() {
        for (auto& v : m) v = AllCastling;
        m[0] = AllCastling & ~WhiteLong;
        m[7] = AllCastling & ~WhiteShort;
        m[4] = AllCastling & ~(WhiteShort | WhiteLong);
        m[56] = AllCastling & ~BlackLong;
        m[63] = AllCastling & ~BlackShort;
        m[60] = AllCastling & ~(BlackShort | BlackLong);
    }
};
constexpr CastleMasks CastleMask;

} // namespace

FastPosition::FastPosition() {
    for (auto& s : board) s = 1;
}

void FastPosition::put(int sq, PieceCode piece) {
    const int n = code(piece);
    const int c = sideOf(n);
    pieces[c][kindOf(n)] |= bb(sq);
    occupied[c] |= bb(sq);
    board[sq] = static_cast<std::uint8_t>(n);
}

void FastPosition::remove(int sq) {
    const int n = board[sq];
    if (n == code(PieceCode::Empty)) return;
    const int c = sideOf(n);
    pieces[c][kindOf(n)] &= ~bb(sq);
    occupied[c] &= ~bb(sq);
    board[sq] = 1;
}

Bitboard FastPosition::attackers(int sq, Bitboard occ) const {
    const AttackTables& T = tables();
    Bitboard rq = pieces[0][R] | pieces[1][R] | pieces[0][Q] | pieces[1][Q];
    Bitboard bq = pieces[0][B] | pieces[1][B] | pieces[0][Q] | pieces[1][Q];
    return (T.pawn[1][sq] & pieces[0][P]) | (T.pawn[0][sq] & pieces[1][P]) |
           (T.knight[sq] & (pieces[0][N] | pieces[1][N])) |
           (T.king[sq] & (pieces[0][K] | pieces[1][K])) | (rookAttacks(sq, occ) & rq) |
           (bishopAttacks(sq, occ) & bq);
}

namespace {

inline void addPromotions(MoveList& list, int from, int to, bool capture) {
    int base = capture ? PromoKnight + Capture : PromoKnight;
    list.add(FastMove(from, to, base + 3)); // queen first: the likely choice
    list.add(FastMove(from, to, base));
    list.add(FastMove(from, to, base + 2));
    list.add(FastMove(from, to, base + 1));
}

// Adds pawn moves to each destination in dests, coming from to - delta.
inline void addPawnMoves(MoveList& list, Bitboard dests, int delta, int kind, Bitboard promoRank) {
    Bitboard promos = dests & promoRank;
    dests &= ~promoRank;
    while (dests) {
        int to = popLsb(dests);
        list.add(FastMove(to - delta, to, kind));
    }
    while (promos) {
        int to = popLsb(promos);
        addPromotions(list, to - delta, to, kind == Capture);
    }
}

} // namespace

void FastPosition::generate(MoveList& list) const {
    const AttackTables& T = tables();
    const int us = side, them = side ^ 1;
    const Bitboard own = occupied[us], opp = occupied[them], occ = own | opp;
    const int ksq = kingSquare(us);
    const Bitboard checkers = attackers(ksq, occ) & opp;

    // King steps, tested with the king lifted so it cannot hide behind itself.
    const Bitboard occNoKing = occ ^ bb(ksq);
    for (Bitboard t = T.king[ksq] & ~own; t;) {
        int to = popLsb(t);
        if (!(attackers(to, occNoKing) & opp))
            list.add(FastMove(ksq, to, (opp & bb(to)) ? Capture : Quiet));
    }
    if (checkers & (checkers - 1)) return; // double check: only the king moves

    const Bitboard target = checkers ? (T.between[ksq][lsb(checkers)] | checkers) : ~own;
    const Bitboard theirRQ = pieces[them][R] | pieces[them][Q];
    const Bitboard theirBQ = pieces[them][B] | pieces[them][Q];

    Bitboard pinned = 0;
    Bitboard snipers = (rookAttacks(ksq, 0) & theirRQ) | (bishopAttacks(ksq, 0) & theirBQ);
    while (snipers) {
        int s = popLsb(snipers);
        Bitboard b = T.between[ksq][s] & occ;
        if (b && !(b & (b - 1)) && (b & own)) pinned |= b;
    }

    auto addTargets = [&](int from, Bitboard dests) {
        while (dests) {
            int to = popLsb(dests);
            list.add(FastMove(from, to, (opp & bb(to)) ? Capture : Quiet));
        }
    };
    for (Bitboard b = pieces[us][N] & ~pinned; b;) {
        int from = popLsb(b);
        addTargets(from, T.knight[from] & ~own & target);
    }
    for (Bitboard b = pieces[us][B] | pieces[us][Q]; b;) {
        int from = popLsb(b);
        Bitboard d = bishopAttacks(from, occ) & ~own & target;
        if (pinned & bb(from)) d &= T.line[ksq][from];
        addTargets(from, d);
    }
    for (Bitboard b = pieces[us][R] | pieces[us][Q]; b;) {
        int from = popLsb(b);
        Bitboard d = rookAttacks(from, occ) & ~own & target;
        if (pinned & bb(from)) d &= T.line[ksq][from];
        addTargets(from, d);
    }

    // Pawns: free ones set-wise, pinned ones one by one along their pin line.
    const Bitboard empty = ~occ;
    const Bitboard promoRank = us == 0 ? Rank8 : Rank1;
    const Bitboard doubleRank = us == 0 ? Rank3 : Rank6;
    const int up = us == 0 ? 8 : -8;
    const int left = us == 0 ? 7 : -9, right = us == 0 ? 9 : -7; // towards the a- and h-file
    const Bitboard pawns = pieces[us][P];
    {
        Bitboard free = pawns & ~pinned;
        Bitboard push = shiftUp(free, us) & empty;
        Bitboard dbl = shiftUp(push & doubleRank, us) & empty;
        addPawnMoves(list, push & target, up, Quiet, promoRank);
        addPawnMoves(list, dbl & target, 2 * up, DoublePush, promoRank);
        Bitboard capL = us == 0 ? (free & ~FileA) << 7 : (free & ~FileA) >> 9;
        Bitboard capR = us == 0 ? (free & ~FileH) << 9 : (free & ~FileH) >> 7;
        addPawnMoves(list, capL & opp & target, left, Capture, promoRank);
        addPawnMoves(list, capR & opp & target, right, Capture, promoRank);
    }
    for (Bitboard b = pawns & pinned; b;) {
        int from = popLsb(b);
        Bitboard onLine = T.line[ksq][from] & target;
        Bitboard push = shiftUp(bb(from), us) & empty;
        Bitboard dbl = shiftUp(push & doubleRank, us) & empty;
        Bitboard caps = T.pawn[us][from] & opp;
        for (Bitboard d = (push | dbl | caps) & onLine; d;) {
            int to = popLsb(d);
            bool capture = opp & bb(to);
            if (promoRank & bb(to))
                addPromotions(list, from, to, capture);
            else
                list.add(FastMove(from, to,
                                  capture          ? Capture
                                  : (bb(to) & dbl) ? DoublePush
                                                   : Quiet));
        }
    }
    if (epSquare >= 0) {
        int capSq = epSquare - up;
        for (Bitboard b = T.pawn[them][epSquare] & pawns; b;) {
            int from = popLsb(b);
            // Rare enough to test whole: the capture may uncover the king along the rank.
            Bitboard after = (occ ^ bb(from) ^ bb(capSq)) | bb(epSquare);
            Bitboard stillAttacking = opp & ~bb(capSq);
            if ((rookAttacks(ksq, after) & theirRQ & stillAttacking) ||
                (bishopAttacks(ksq, after) & theirBQ & stillAttacking) ||
                (T.knight[ksq] & pieces[them][N]) ||
                (T.pawn[us][ksq] & pieces[them][P] & ~bb(capSq)))
                continue;
            list.add(FastMove(from, epSquare, EnPassant));
        }
    }

    if (!checkers) {
        auto safe = [&](int sq) { return !(attackers(sq, occ) & opp); };
        if (us == 0) {
            if ((castling & WhiteShort) && !(occ & (bb(5) | bb(6))) && safe(5) && safe(6))
                list.add(FastMove(4, 6, CastleShort));
            if ((castling & WhiteLong) && !(occ & (bb(1) | bb(2) | bb(3))) && safe(3) && safe(2))
                list.add(FastMove(4, 2, CastleLong));
        } else {
            if ((castling & BlackShort) && !(occ & (bb(61) | bb(62))) && safe(61) && safe(62))
                list.add(FastMove(60, 62, CastleShort));
            if ((castling & BlackLong) && !(occ & (bb(57) | bb(58) | bb(59))) && safe(59) &&
                safe(58))
                list.add(FastMove(60, 58, CastleLong));
        }
    }
}

void FastPosition::play(FastMove m) {
    const int from = m.from(), to = m.to(), k = m.kind();
    const PieceCode piece = at(from);
    const int c = side;
    ++halfmove;
    if (pieceType(piece) == PieceType::Pawn || (k & Capture)) halfmove = 0;
    if (k == EnPassant)
        remove(c == 0 ? to - 8 : to + 8);
    else if (k & Capture)
        remove(to);
    remove(from);
    put(to, m.isPromotion() ? pieceFor(c, m.promotionType()) : piece);
    if (k == CastleShort) {
        remove(to + 1);
        put(to - 1, pieceFor(c, PieceType::Rook));
    } else if (k == CastleLong) {
        remove(to - 2);
        put(to + 1, pieceFor(c, PieceType::Rook));
    }
    castling &= CastleMask.m[from] & CastleMask.m[to];
    epSquare = k == DoublePush ? (from + to) / 2 : -1;
    if (c == 1) ++fullmove;
    side ^= 1;
}

std::uint64_t FastPosition::perft(int depth) const {
    if (depth <= 0) return 1;
    MoveList list;
    generate(list);
    if (depth == 1) return static_cast<std::uint64_t>(list.size);
    std::uint64_t total = 0;
    for (FastMove m : list) total += after(m).perft(depth - 1);
    return total;
}

FastPosition FastPosition::from(const Position& p) {
    FastPosition f;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (isPiece(p.at(x, y))) f.put(absoluteSquare(x, y, p.PlayerColour), p.at(x, y));
    f.side = p.sideToMove() == Colour::White ? 0 : 1;

    // A right counts only while its king and rook stand at home.
    std::uint8_t rights = p.CastlingRights;
    if (p.CastlingDone[code(Colour::White)]) rights &= ~(WhiteShort | WhiteLong);
    if (p.CastlingDone[code(Colour::Black)]) rights &= ~(BlackShort | BlackLong);
    auto home = [&](int sq, PieceCode piece) { return f.at(sq) == piece; };
    if (!home(4, PieceCode::WhiteKing)) rights &= ~(WhiteShort | WhiteLong);
    if (!home(7, PieceCode::WhiteRook)) rights &= ~WhiteShort;
    if (!home(0, PieceCode::WhiteRook)) rights &= ~WhiteLong;
    if (!home(60, PieceCode::BlackKing)) rights &= ~(BlackShort | BlackLong);
    if (!home(63, PieceCode::BlackRook)) rights &= ~BlackShort;
    if (!home(56, PieceCode::BlackRook)) rights &= ~BlackLong;
    f.castling = rights;

    int ep = f.side == 0 ? p.EnPassantForWhite : p.EnPassantForBlack;
    if (ep >= 11 && ep <= 88 && ep / 10 >= 1 && ep % 10 >= 1 && ep % 10 <= 8) {
        int sq = absoluteSquare(ep / 10, ep % 10, p.PlayerColour);
        int pawnSq = f.side == 0 ? sq - 8 : sq + 8;
        bool rankOk = f.side == 0 ? (sq >> 3) == 5 : (sq >> 3) == 2;
        PieceCode theirPawn = f.side == 0 ? PieceCode::BlackPawn : PieceCode::WhitePawn;
        if (rankOk && f.at(sq) == PieceCode::Empty && f.at(pawnSq) == theirPawn) f.epSquare = sq;
    }
    f.halfmove = p.QuietMoveCount;
    f.fullmove = p.MoveCount + (f.side == 0 ? 1 : 0);
    return f;
}

void FastPosition::to(Position& p) const {
    p.clear();
    for (int sq = 0; sq < 64; ++sq) {
        Square c = displayedSquare(sq, p.PlayerColour);
        p.at(c.x, c.y) = at(sq);
    }
    p.LastMoverColour = side == 0 ? Colour::Black : Colour::White;
    p.CastlingRights = castling;
    p.CastlingDone[code(Colour::White)] = !(castling & (WhiteShort | WhiteLong));
    p.CastlingDone[code(Colour::Black)] = !(castling & (BlackShort | BlackLong));
    std::int16_t ep = 0;
    if (epSquare >= 0) {
        Square c = displayedSquare(epSquare, p.PlayerColour);
        ep = static_cast<std::int16_t>(10 * c.x + c.y);
    }
    p.EnPassantForWhite = side == 0 ? ep : 0;
    p.EnPassantForBlack = side == 1 ? ep : 0;
    p.QuietMoveCount = static_cast<std::int16_t>(halfmove);
    p.MoveCount = static_cast<std::int16_t>(fullmove - (side == 0 ? 1 : 0));
}

} // namespace quarvelin
