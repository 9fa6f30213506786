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

bool sur_echiquier(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

bool vide(const Position& p, int x, int y) { return p.at(x, y) == PieceCode::Empty; }

int t_de(PieceCode piece) { return code(type_piece(piece)); }

bool lignes_droites(PieceType t) {
    return t == PieceType::Queen || t == PieceType::Rook || t == PieceType::King;
}

bool diagonales(PieceType t) {
    return t == PieceType::Queen || t == PieceType::Bishop || t == PieceType::King;
}

constexpr int Droites[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int Diagonales[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr int Sauts[8][2] = {{2, 1},  {2, -1}, {-2, 1},  {-2, -1},
                             {1, -2}, {1, 2},  {-1, -2}, {-1, 2}};

// First square holding the king of colour c, x outer and y inner; false when there is none.
bool trouve_roi(const Position& p, Colour c, int& kx, int& ky) {
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

struct Meilleur {
    float score;
    int toX = 0, toY = 0;
};

// One candidate (tx, ty) of the piece P on (x, y): made, scored, compared, taken back.
void essaie_candidat(Contexte& ctx, int x, int y, int tx, int ty, float escape, Meilleur& best) {
    Position& pos = ctx.pos;
    const PoidsMoteur& w = ctx.poids;
    SearchCounters& k = ctx.compteurs;
    const PieceCode P = pos.at(x, y);
    const Colour c = colourOf(P);
    const PieceType type = type_piece(P);
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

void explore_piece(Contexte& ctx, int x, int y, Meilleur& best) {
    Position& pos = ctx.pos;
    const PoidsMoteur& w = ctx.poids;
    SearchCounters& k = ctx.compteurs;
    const PieceCode P = pos.at(x, y);
    const Colour c = colourOf(P);
    const PieceType type = type_piece(P);
    const int t = code(type);

    // threat on the start square
    int n = nombre_attaquants(pos, P, x, y, c);
    float escape = n > 0 ? static_cast<float>(n) * w.NOTE_MATERIEL[t] : 0.0f;
    if (type == PieceType::King) escape -= w.MALUS_ROI;

    // candidates, each on-board one counted whether coup_valide accepts it or not
    auto candidat = [&](int tx, int ty) {
        k.MovesExamined += 1;
        essaie_candidat(ctx, x, y, tx, ty, escape, best);
    };
    // Up to and including the first occupied square; the board is back in its entry state
    // when the occupancy is read.
    auto ligne = [&](int dx, int dy, int maxSteps) {
        for (int step = 1; step <= maxSteps; ++step) {
            int tx = x + step * dx, ty = y + step * dy;
            if (!sur_echiquier(tx, ty)) return;
            candidat(tx, ty);
            if (!vide(pos, tx, ty)) return;
        }
    };
    if (lignes_droites(type)) {
        // the king's second square along every straight line, vertical ones included
        int maxSteps = type == PieceType::King ? 2 : 8;
        for (auto& dir : Droites) ligne(dir[0], dir[1], maxSteps);
    }
    if (diagonales(type)) {
        int maxSteps = type == PieceType::King ? 1 : 8;
        for (auto& dir : Diagonales) ligne(dir[0], dir[1], maxSteps);
    }
    if (type == PieceType::Knight)
        for (auto& j : Sauts)
            if (sur_echiquier(x + j[0], y + j[1])) candidat(x + j[0], y + j[1]);
    if (type == PieceType::Pawn) {
        int d = pawnDirection(c, pos.PlayerColour);
        const int pas[4][2] = {{0, d}, {0, 2 * d}, {1, d}, {-1, d}};
        for (auto& j : pas)
            if (sur_echiquier(x + j[0], y + j[1])) candidat(x + j[0], y + j[1]);
    }
}

} // namespace

float mobilite_piece(Contexte& ctx, int x, int y) {
    const Position& pos = ctx.pos;
    const PoidsMoteur& w = ctx.poids;
    const PieceCode P = pos.at(x, y);
    const PieceType type = type_piece(P);
    const int t = code(type);

    int count = 0;
    auto ligne = [&](int dx, int dy, int maxSteps) {
        for (int step = 1; step <= maxSteps; ++step) {
            int cx = x + step * dx, cy = y + step * dy;
            if (!sur_echiquier(cx, cy)) return;
            count += 1;
            if (!vide(pos, cx, cy)) return;
        }
    };
    int maxSteps = type == PieceType::King ? 1 : 8;
    if (lignes_droites(type))
        for (auto& dir : Droites) ligne(dir[0], dir[1], maxSteps);
    if (diagonales(type))
        for (auto& dir : Diagonales) ligne(dir[0], dir[1], maxSteps);
    if (type == PieceType::Knight)
        for (auto& j : Sauts)
            if (sur_echiquier(x + j[0], y + j[1])) count += 1;
    if (type == PieceType::Pawn) {
        Colour c = colourOf(P);
        int d = pawnDirection(c, pos.PlayerColour);
        int startRow = d == -1 ? 7 : 2;
        // a square ahead off the board (a pawn left on its last row by the search) is no unit
        if (sur_echiquier(x, y + d) && vide(pos, x, y + d)) {
            count += 1;
            if (y == startRow && vide(pos, x, y + 2 * d)) count += 1;
        }
    }
    float unit = w.NOTE_MOBILITE[t] + static_cast<float>(pos.MoveCount) * w.MOBILITE_EVOLUTIVE[t];
    return static_cast<float>(count) * unit;
}

float bonus_roque(Contexte& ctx, int x, int, int tx, int ty) {
    const Position& pos = ctx.pos;
    const Colour c = colourOf(pos.at(tx, ty));
    const int step = tx > x ? 1 : -1;
    const int corner = step == 1 ? 8 : 1;

    int homeRow = c == pos.PlayerColour ? 8 : 1;
    if (ty != homeRow) return 0.0f;
    // a king already on the corner column has no square beyond it: no rook
    int cx = tx + step;
    if (!sur_echiquier(cx, ty)) return 0.0f;
    while (cx != corner && vide(pos, cx, ty)) cx += step;
    if (cx != corner || pos.at(cx, ty) != pieceOf(PieceType::Rook, c)) return 0.0f;
    int frontY = c == pos.PlayerColour ? ty - 1 : ty + 1;
    if (vide(pos, tx, frontY)) return 0.0f;
    return ctx.poids.NOTE_ROQUE;
}

float evalue_position(Contexte& ctx, Colour m) {
    Position& pos = ctx.pos;
    const PoidsMoteur& w = ctx.poids;
    SearchCounters& k = ctx.compteurs;
    const Colour o = opposite(m);

    k.PositionsEvaluated += 1;

    // without a king of m there is nothing to refuse
    int kx = 0, ky = 0;
    if (trouve_roi(pos, m, kx, ky) &&
        nombre_attaquants(pos, pieceOf(PieceType::King, m), kx, ky, m) >= 1)
        return -Infinity;

    // without a king of o there is no check
    float check = 0.0f;
    int ox = 0, oy = 0;
    if (trouve_roi(pos, o, ox, oy) &&
        nombre_attaquants(pos, pieceOf(PieceType::King, o), ox, oy, o) > 0) {
        std::int16_t saved = k.SearchDepth;
        k.SearchDepth = w.PROFONDEUR_MAX;
        ResultatRecherche probe = cherche_coup(ctx, o);
        k.SearchDepth = saved;
        if (probe.texte == "MAT") {
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
            int t = t_de(piece);
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

ResultatRecherche cherche_coup(Contexte& ctx, Colour colour) {
    Position& pos = ctx.pos;
    SearchCounters& k = ctx.compteurs;
    ResultatRecherche result;

    Meilleur best{-Infinity};
    int kingX = 0, kingY = 0;
    bool kingSeen = false;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            PieceCode P = pos.at(x, y);
            if (P == PieceCode::Empty || colourOf(P) != colour) continue;
            k.MovesExamined += 1;
            if (type_piece(P) == PieceType::King) {
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
                result.texte =
                    ecrire_coup(pos.MoveCount, P, x, y, pos.at(best.toX, best.toY), best.toX,
                                best.toY, false, ctx.notation, pos.PlayerColour);
            }
        }

    // a side without a king (so never remembered) counts as not attacked
    auto roi_attaque = [&] {
        return kingSeen &&
               nombre_attaquants(pos, pieceOf(PieceType::King, colour), kingX, kingY, colour) > 0;
    };
    result.score = best.score;
    if (colour == pos.PlayerColour && best.score == -Infinity)
        result.texte = roi_attaque() ? "MAT" : "PAT";
    else if (best.score == Infinity)
        result.texte = "MAT";
    else if (best.score == -Infinity) {
        if (k.SearchDepth > 0)
            result.texte = "MAT";
        else
            result.texte = roi_attaque() ? "MAT" : "PAT";
    }
    return result;
}

} // namespace quarvelin::reference
