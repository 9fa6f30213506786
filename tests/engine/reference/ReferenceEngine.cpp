// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/reference/ReferenceEngine.h"

#include "notation/MoveText.h"
#include "rules/MoveRules.h"
#include "rules/SquareControl.h"

// Every float operation rounds on its own: a fused multiply-add would change the last bit.
#if defined(__clang__)
#pragma clang fp contract(off)
#elif defined(__GNUC__)
#pragma GCC optimize("fp-contract=off")
#endif

namespace quarvelin::reference {

namespace {

bool onBoard(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

bool empty(const Position& p, int x, int y) { return p.at(x, y) == PieceCode::Empty; }

int tOf(PieceCode piece) { return code(pieceType(piece)); }

bool straightLines(PieceType t) {
    return t == PieceType::Queen || t == PieceType::Rook || t == PieceType::King;
}

bool diagonals(PieceType t) {
    return t == PieceType::Queen || t == PieceType::Bishop || t == PieceType::King;
}

constexpr int Straights[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int Diagonals[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr int Jumps[8][2] = {{2, 1},  {2, -1}, {-2, 1},  {-2, -1},
                             {1, -2}, {1, 2},  {-1, -2}, {-1, 2}};

// First square holding the king of colour c, x outer and y inner; false when there is none.
bool findKing(const Position& p, Colour c, int& kx, int& ky) {
    PieceCode king = pieceOf(PieceType::King, c);
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y)
            if (p.at(x, y) == king) {
                kx = x;
                ky = y;
                return true;
            }
    return false;
}

struct Best {
    float score;
    int toX = 0, toY = 0;
};

// One candidate (tx, ty) of the piece P on (x, y): made, scored, compared, taken back.
void tryCandidate(Context& ctx, int x, int y, int tx, int ty, float escape, Best& best) {
    Position& pos = ctx.pos;
    const EngineWeights& w = ctx.weights;
    SearchCounters& k = ctx.counters;
    const PieceCode P = pos.at(x, y);
    const Colour c = colourOf(P);
    const PieceType type = pieceType(P);
    const int t = code(type);
    const int d = pawnDirection(c, pos.PlayerColour);

    if (!coup_valide(pos, P, x, y, pos.at(tx, ty), tx, ty)) return;

    // make the move on Board only
    const PieceCode captured = pos.at(tx, ty);
    bool enPassant = false;
    PieceCode pawnTaken = PieceCode::Empty;
    if (type == PieceType::Pawn && tx != x && captured == PieceCode::Empty) {
        enPassant = true;
        pawnTaken = pos.at(tx, ty - d);
        pos.at(tx, ty - d) = PieceCode::Empty;
    }
    pos.at(x, y) = PieceCode::Empty;
    pos.at(tx, ty) = P;

    float s = evalue_position(ctx, c);
    // an illegal move misses the threat, pawn and reply terms but not the king's castling bonus
    if (s != -Infinity) {
        int n = nombre_attaquants(pos, P, tx, ty, c);
        if (n > 0) s -= static_cast<float>(n) * w.NOTE_MATERIEL[t];
        s += escape;
        if (type == PieceType::Pawn) {
            if (pos.at(tx, ty - d) == P) s -= w.MALUS_DOUBLE;
            int promotionRow = d == -1 ? 1 : 8;
            if (ty == promotionRow) s += w.NOTE_PROMOTION;
        }
        if (k.SearchDepth < w.PROFONDEUR_MAX &&
            (w.ALPHA_BETA == 0 || s <= k.BestAtDepth.at(k.SearchDepth))) {
            k.SearchDepth += 1;
            float r = cherche_coup(ctx, opposite(c)).score;
            if (r != -Infinity) s -= r;
            k.SearchDepth -= 1;
        }
    }
    if (type == PieceType::King && ty == y && !pos.CastlingDone[code(c)])
        s += bonus_roque(ctx, x, y, tx, ty);
    if (s > best.score) {
        best.score = s;
        best.toX = tx;
        best.toY = ty;
    }
    pos.at(tx, ty) = captured;
    pos.at(x, y) = P;
    if (enPassant) pos.at(tx, ty - d) = pawnTaken;
}

void explore_piece(Context& ctx, int x, int y, Best& best) {
    Position& pos = ctx.pos;
    const EngineWeights& w = ctx.weights;
    SearchCounters& k = ctx.counters;
    const PieceCode P = pos.at(x, y);
    const Colour c = colourOf(P);
    const PieceType type = pieceType(P);
    const int t = code(type);

    // threat on the start square
    int n = nombre_attaquants(pos, P, x, y, c);
    float escape = n > 0 ? static_cast<float>(n) * w.NOTE_MATERIEL[t] : 0.0f;
    if (type == PieceType::King) escape -= w.MALUS_ROI;

    // candidates, each on-board one counted whether coup_valide accepts it or not
    auto candidate = [&](int tx, int ty) {
        k.MovesExamined += 1;
        tryCandidate(ctx, x, y, tx, ty, escape, best);
    };
    // Up to and including the first occupied square; the board is back in its entry state
    // when the occupancy is read.
    auto line = [&](int dx, int dy, int maxSteps) {
        for (int step = 1; step <= maxSteps; ++step) {
            int tx = x + step * dx, ty = y + step * dy;
            if (!onBoard(tx, ty)) return;
            candidate(tx, ty);
            if (!empty(pos, tx, ty)) return;
        }
    };
    if (straightLines(type)) {
        // the king's second square along every straight line, vertical ones included
        int maxSteps = type == PieceType::King ? 2 : 8;
        for (auto& dir : Straights) line(dir[0], dir[1], maxSteps);
    }
    if (diagonals(type)) {
        int maxSteps = type == PieceType::King ? 1 : 8;
        for (auto& dir : Diagonals) line(dir[0], dir[1], maxSteps);
    }
    if (type == PieceType::Knight)
        for (auto& j : Jumps)
            if (onBoard(x + j[0], y + j[1])) candidate(x + j[0], y + j[1]);
    if (type == PieceType::Pawn) {
        int d = pawnDirection(c, pos.PlayerColour);
        const int step[4][2] = {{0, d}, {0, 2 * d}, {1, d}, {-1, d}};
        for (auto& j : step)
            if (onBoard(x + j[0], y + j[1])) candidate(x + j[0], y + j[1]);
    }
}

} // namespace

float mobilite_piece(Context& ctx, int x, int y) {
    const Position& pos = ctx.pos;
    const EngineWeights& w = ctx.weights;
    const PieceCode P = pos.at(x, y);
    const PieceType type = pieceType(P);
    const int t = code(type);

    int count = 0;
    auto line = [&](int dx, int dy, int maxSteps) {
        for (int step = 1; step <= maxSteps; ++step) {
            int cx = x + step * dx, cy = y + step * dy;
            if (!onBoard(cx, cy)) return;
            count += 1;
            if (!empty(pos, cx, cy)) return;
        }
    };
    int maxSteps = type == PieceType::King ? 1 : 8;
    if (straightLines(type))
        for (auto& dir : Straights) line(dir[0], dir[1], maxSteps);
    if (diagonals(type))
        for (auto& dir : Diagonals) line(dir[0], dir[1], maxSteps);
    if (type == PieceType::Knight)
        for (auto& j : Jumps)
            if (onBoard(x + j[0], y + j[1])) count += 1;
    if (type == PieceType::Pawn) {
        Colour c = colourOf(P);
        int d = pawnDirection(c, pos.PlayerColour);
        int startRow = d == -1 ? 7 : 2;
        // a square ahead off the board (a pawn left on its last row by the search) is no unit
        if (onBoard(x, y + d) && empty(pos, x, y + d)) {
            count += 1;
            if (y == startRow && empty(pos, x, y + 2 * d)) count += 1;
        }
    }
    float unit = w.NOTE_MOBILITE[t] + static_cast<float>(pos.MoveCount) * w.MOBILITE_EVOLUTIVE[t];
    return static_cast<float>(count) * unit;
}

float bonus_roque(Context& ctx, int x, int, int tx, int ty) {
    const Position& pos = ctx.pos;
    const Colour c = colourOf(pos.at(tx, ty));
    const int step = tx > x ? 1 : -1;
    const int corner = step == 1 ? 8 : 1;

    int homeRow = c == pos.PlayerColour ? 8 : 1;
    if (ty != homeRow) return 0.0f;
    // a king already on the corner column has no square beyond it: no rook
    int cx = tx + step;
    if (!onBoard(cx, ty)) return 0.0f;
    while (cx != corner && empty(pos, cx, ty)) cx += step;
    if (cx != corner || pos.at(cx, ty) != pieceOf(PieceType::Rook, c)) return 0.0f;
    int frontY = c == pos.PlayerColour ? ty - 1 : ty + 1;
    if (empty(pos, tx, frontY)) return 0.0f;
    return ctx.weights.NOTE_ROQUE;
}

float evalue_position(Context& ctx, Colour m) {
    Position& pos = ctx.pos;
    const EngineWeights& w = ctx.weights;
    SearchCounters& k = ctx.counters;
    const Colour o = opposite(m);

    k.PositionsEvaluated += 1;

    // without a king of m there is nothing to refuse
    int kx = 0, ky = 0;
    if (findKing(pos, m, kx, ky) &&
        nombre_attaquants(pos, pieceOf(PieceType::King, m), kx, ky, m) >= 1)
        return -Infinity;

    // without a king of o there is no check
    float check = 0.0f;
    int ox = 0, oy = 0;
    if (findKing(pos, o, ox, oy) &&
        nombre_attaquants(pos, pieceOf(PieceType::King, o), ox, oy, o) > 0) {
        std::int16_t saved = k.SearchDepth;
        k.SearchDepth = w.PROFONDEUR_MAX;
        SearchResult probe = cherche_coup(ctx, o);
        k.SearchDepth = saved;
        if (probe.text == "MAT") {
            int depth = k.SearchDepth;
            return static_cast<float>(999999.0 / ((depth + 1) * 10));
        }
        if (w.BONUS_ECHEC != 0.0f && w.SEUIL_BONUS_ECHEC <= pos.MoveCount)
            check = static_cast<float>(pos.MoveCount) * w.BONUS_ECHEC;
    }

    // one accumulator per side and term, indexed by colour code
    float material[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float mobility[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float defence[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float attack[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
            PieceCode piece = pos.at(x, y);
            if (piece == PieceCode::Empty) continue;
            int S = code(colourOf(piece));
            int t = tOf(piece);
            material[S] += w.NOTE_MATERIEL[t];
            mobility[S] += mobilite_piece(ctx, x, y);
            int d = 0;
            if (w.INDICE_DEFENSE != 0.0f) {
                int a = nombre_attaquants(pos, piece, x, y, colourOf(piece));
                d = nombre_defenseurs(pos, piece, x, y, colourOf(piece));
                if (d > a) defence[S] += w.INDICE_DEFENSE;
            }
            if (w.INDICE_ATTAQUE != 0.0f && nombre_cibles(pos, x, y) > 0 && d > 0)
                attack[S] += w.INDICE_ATTAQUE;
        }

    float centre[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (w.NOTE_CENTRE != 0.0f && pos.MoveCount <= w.SEUIL_CENTRE) {
        constexpr int Centre[4][2] = {{4, 5}, {5, 4}, {5, 5}, {4, 4}};
        for (Colour S : {m, o}) {
            int n = 0;
            for (auto& sq : Centre)
                n += nombre_defenseurs(pos, pos.at(sq[0], sq[1]), sq[0], sq[1], S);
            centre[code(S)] = w.NOTE_CENTRE * static_cast<float>(n);
        }
    }

    const int M = code(m), O = code(o);
    float a = centre[M] + material[M] + mobility[M] + defence[M] + attack[M];
    float b = centre[O] + material[O] + mobility[O] + defence[O] + attack[O];
    return (a - b) + check;
}

SearchResult cherche_coup(Context& ctx, Colour colour) {
    Position& pos = ctx.pos;
    SearchCounters& k = ctx.counters;
    SearchResult result;

    Best best{-Infinity};
    int kingX = 0, kingY = 0;
    bool kingSeen = false;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            PieceCode P = pos.at(x, y);
            if (P == PieceCode::Empty || colourOf(P) != colour) continue;
            k.MovesExamined += 1;
            if (pieceType(P) == PieceType::King) {
                kingX = x;
                kingY = y;
                kingSeen = true;
            }
            float before = best.score;
            explore_piece(ctx, x, y, best);
            if (best.score > before) {
                result.fromX = x;
                result.fromY = y;
                result.toX = best.toX;
                result.toY = best.toY;
                if (best.score > k.BestAtDepth.at(k.SearchDepth))
                    k.BestAtDepth.at(k.SearchDepth) = best.score;
                result.text =
                    ecrire_coup(pos.MoveCount, P, x, y, pos.at(best.toX, best.toY), best.toX,
                                best.toY, false, ctx.notation, pos.PlayerColour);
            }
        }

    // a side without a king (so never remembered) counts as not attacked
    auto kingAttacked = [&] {
        return kingSeen &&
               nombre_attaquants(pos, pieceOf(PieceType::King, colour), kingX, kingY, colour) > 0;
    };
    result.score = best.score;
    if (colour == pos.PlayerColour && best.score == -Infinity)
        result.text = kingAttacked() ? "MAT" : "PAT";
    else if (best.score == Infinity)
        result.text = "MAT";
    else if (best.score == -Infinity) {
        if (k.SearchDepth > 0)
            result.text = "MAT";
        else
            result.text = kingAttacked() ? "MAT" : "PAT";
    }
    return result;
}

} // namespace quarvelin::reference
