#include "engine/Recherche.h"

#include "notation/MoveText.h"
#include "rules/Castling.h"

#include <cstdlib>

namespace quarvelin {

namespace {

constexpr int Pion = 0, Tour = 1, Cavalier = 2, Fou = 3, Dame = 4,
              Roi = 5; // offsets from a colour's pawn code

constexpr int base(int colour) { return colour == 2 ? 8 : 2; }
constexpr int autre(int colour) { return colour == 2 ? 3 : 2; }
constexpr int couleur_code(int piece) { return piece == 1 ? 1 : (piece < 8 ? 3 : 2); }
constexpr int type_code(int piece) { return piece >= 8 ? piece - 6 : piece; } // 2..7, 1 for empty
constexpr int colonne(int sq) { return (sq & 7) + 1; }
constexpr int rangee(int sq) { return (sq >> 3) + 1; }
constexpr int indice(int x, int y) { return (x - 1) + 8 * (y - 1); }
constexpr bool sur(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

// Squares a pawn strikes diagonally when it moves in direction dir (rows in display order).
inline Bitboard frappe_pion(const AttackTables& T, int dir, int sq) {
    return dir > 0 ? T.pawn[0][sq] : T.pawn[1][sq];
}

// Transposes a bitboard, so bits come out in column-major order.
inline Bitboard transposer(Bitboard b) {
    Bitboard t;
    const Bitboard k1 = 0x5500550055005500ull, k2 = 0x3333000033330000ull,
                   k4 = 0x0f0f0f0f00000000ull;
    t = k4 & (b ^ (b << 28));
    b ^= t ^ (t >> 28);
    t = k2 & (b ^ (b << 14));
    b ^= t ^ (t >> 14);
    t = k1 & (b ^ (b << 7));
    b ^= t ^ (t >> 7);
    return b;
}

constexpr int Droites[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int Diagonales[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr int Sauts[8][2] = {{2, 1},  {2, -1}, {-2, 1},  {-2, -1},
                             {1, -2}, {1, 2},  {-1, -2}, {-1, 2}};

} // namespace

Recherche::Recherche(const Position& p, const PoidsMoteur& poids, NotationCode notation)
    : pos_(p), poids_(poids), notation_(notation) {
    for (auto& b : byPiece_) b = 0;
    for (auto& b : byColour_) b = 0;
    for (int sq = 0; sq < 64; ++sq) {
        board_[sq] = 1;
        int piece = code(p.at(colonne(sq), rangee(sq)));
        if (piece >= 2 && piece <= 13) poser(sq, piece);
    }
    for (int c : {2, 3}) {
        bool bottom = code(p.PlayerColour) == c;
        dirPion_[c] = bottom ? -1 : 1;
        rangDepart_[c] = bottom ? 7 : 2;
        rangPromotion_[c] = bottom ? 1 : 8;
        int ep = c == 2 ? p.EnPassantForWhite : p.EnPassantForBlack;
        epCase_[c] = (ep / 10 >= 1 && ep / 10 <= 8 && ep % 10 >= 1 && ep % 10 <= 8)
                         ? indice(ep / 10, ep % 10)
                         : -1;
    }
    for (int t = 0; t < 8; ++t)
        unite_[t] = poids_.NOTE_MOBILITE[t] +
                    static_cast<float>(p.MoveCount) * poids_.MOBILITE_EVOLUTIVE[t];
}

void Recherche::poser(int sq, int piece) {
    board_[sq] = piece;
    byPiece_[piece] |= bb(sq);
    byColour_[couleur_code(piece)] |= bb(sq);
    occ_ |= bb(sq);
}

void Recherche::enlever(int sq) {
    int piece = board_[sq];
    if (piece == 1) return;
    board_[sq] = 1;
    byPiece_[piece] &= ~bb(sq);
    byColour_[couleur_code(piece)] &= ~bb(sq);
    occ_ &= ~bb(sq);
}

int Recherche::roi(int colour) const {
    Bitboard k = byPiece_[base(colour) + Roi];
    if (!k) return -1;
    // The first in column-major order, as the evaluation scans.
    return k & (k - 1) ? [&] {
        Bitboard t = transposer(k);
        int i = lsb(t);
        return (i >> 3) + 8 * (i & 7);
    }()
                       : lsb(k);
}

int Recherche::attaquants(int pawnColour, int sq, int colour) const {
    const AttackTables& T = T_;
    const int o = base(autre(colour));
    const Bitboard* P = byPiece_;
    int pawnDir = pawnColour == code(pos_.PlayerColour) ? -1 : 1;
    return popcount((rook_attacks(T, sq, occ_) & (P[o + Tour] | P[o + Dame])) |
                    (bishop_attacks(T, sq, occ_) & (P[o + Fou] | P[o + Dame])) |
                    (T.knight[sq] & P[o + Cavalier]) | (T.king[sq] & P[o + Roi]) |
                    (frappe_pion(T, pawnDir, sq) & P[o + Pion]));
}

int Recherche::unites_mobilite(int sq) const {
    const AttackTables& T = T_;
    int piece = board_[sq];
    switch (type_code(piece)) {
    case 2: {
        int c = couleur_code(piece), d = dirPion_[c];
        int x = colonne(sq), y = rangee(sq);
        if (!sur(x, y + d) || board_[indice(x, y + d)] != 1) return 0;
        if (y == rangDepart_[c] && sur(x, y + 2 * d) && board_[indice(x, y + 2 * d)] == 1) return 2;
        return 1;
    }
    case 3:
        return popcount(rook_attacks(T, sq, occ_));
    case 4:
        return popcount(T.knight[sq]);
    case 5:
        return popcount(bishop_attacks(T, sq, occ_));
    case 6:
        return popcount(rook_attacks(T, sq, occ_) | bishop_attacks(T, sq, occ_));
    case 7:
        return popcount(T.king[sq]);
    default:
        return 0;
    }
}

float Recherche::mobilite_piece(int x, int y) const {
    int sq = indice(x, y);
    return static_cast<float>(unites_mobilite(sq)) * unite_[type_code(board_[sq])];
}

float Recherche::bonus_roque(int x, int, int tx, int ty) const {
    int king = board_[indice(tx, ty)];
    int c = couleur_code(king);
    bool bottom = c == code(pos_.PlayerColour);
    if (ty != (bottom ? 8 : 1)) return 0;
    int step = tx > x ? 1 : -1, corner = step > 0 ? 8 : 1;
    int cx = tx + step;
    if (cx < 1 || cx > 8) return 0;
    while (cx != corner && board_[indice(cx, ty)] == 1) cx += step;
    if (cx != corner || board_[indice(cx, ty)] != base(c) + Tour) return 0;
    int fy = bottom ? ty - 1 : ty + 1;
    if (board_[indice(tx, fy)] == 1) return 0;
    return poids_.NOTE_ROQUE;
}

float Recherche::evalue_position(Colour mc, SearchCounters& c) {
    const int m = code(mc), o = autre(m);
    ++c.PositionsEvaluated;
    int k = roi(m);
    if (k >= 0 && attaquants(m, k, m) >= 1) return -Infinity;
    float check = 0;
    int ko = roi(o);
    if (ko >= 0 && attaquants(o, ko, o) > 0) {
        std::int16_t saved = c.SearchDepth;
        c.SearchDepth = poids_.PROFONDEUR_MAX;
        Trouve probe = chercher(o, c);
        c.SearchDepth = saved;
        if (probe.mat) return static_cast<float>(999999.0 / ((c.SearchDepth + 1) * 10));
        if (poids_.BONUS_ECHEC != 0 && poids_.SEUIL_BONUS_ECHEC <= pos_.MoveCount)
            check = static_cast<float>(pos_.MoveCount) * poids_.BONUS_ECHEC;
    }

    float material[4] = {}, mobility[4] = {}, defence[4] = {}, attack[4] = {};
    const float ID = poids_.INDICE_DEFENSE, IA = poids_.INDICE_ATTAQUE;
    const AttackTables& T = T_;
    const Bitboard* P = byPiece_;
    // Per colour, once per evaluation: the pieces that strike along rook and bishop lines, the
    // knights, kings and pawns, and the tables of the squares its pawns strike and guard.
    struct Camp {
        Bitboard rq, bq, n, k, p, pieces;
        const Bitboard* frappe; // squares a pawn of this colour on sq strikes
        const Bitboard* garde;  // squares from which this colour's pawns guard sq
    } camps[4];
    for (int c : {2, 3}) {
        const int b = base(c);
        camps[c] = {P[b + Tour] | P[b + Dame],
                    P[b + Fou] | P[b + Dame],
                    P[b + Cavalier],
                    P[b + Roi],
                    P[b + Pion],
                    byColour_[c],
                    dirPion_[c] > 0 ? T.pawn[0] : T.pawn[1],
                    dirPion_[c] > 0 ? T.pawn[1] : T.pawn[0]};
    }
    for (Bitboard t = transposer(occ_); t;) {
        int i = pop_lsb(t);
        int sq = (i >> 3) + 8 * (i & 7);
        int piece = board_[sq], S = couleur_code(piece), type = type_code(piece);
        const Camp& own = camps[S];
        const Camp& enemy = camps[5 - S];
        // Each square's slider lines serve the mobility, attacker, defender and target counts.
        const Bitboard ra = rook_attacks(T, sq, occ_), ba = bishop_attacks(T, sq, occ_);
        const Bitboard kn = T.knight[sq], kg = T.king[sq];
        int units;
        Bitboard reach;
        switch (type) {
        case 2: {
            int ahead = sq + 8 * dirPion_[S];
            units = 0;
            if (ahead >= 0 && ahead < 64 && board_[ahead] == 1) {
                int twoAhead = ahead + 8 * dirPion_[S];
                units = (rangee(sq) == rangDepart_[S] && board_[twoAhead] == 1) ? 2 : 1;
            }
            reach = own.frappe[sq];
            break;
        }
        case 3:
            reach = ra;
            units = popcount(ra);
            break;
        case 4:
            reach = kn;
            units = popcount(kn);
            break;
        case 5:
            reach = ba;
            units = popcount(ba);
            break;
        case 6:
            reach = ra | ba;
            units = popcount(reach);
            break;
        default:
            reach = kg;
            units = popcount(kg);
            break;
        }
        material[S] += poids_.NOTE_MATERIEL[type];
        mobility[S] += static_cast<float>(units) * unite_[type];
        int d = 0;
        if (ID != 0) {
            // Rook rays, bishop rays and each kind's squares hold different pieces: one count.
            d = popcount((ra & own.rq) | (ba & own.bq) | (kn & own.n) | (kg & own.k) |
                         (own.garde[sq] & own.p));
            // An undefended piece earns nothing, whatever attacks it.
            if (d > 0 && d > popcount((ra & enemy.rq) | (ba & enemy.bq) | (kn & enemy.n) |
                                      (kg & enemy.k) | (own.frappe[sq] & enemy.p)))
                defence[S] += ID;
        }
        if (IA != 0 && d > 0 && (reach & enemy.pieces)) attack[S] += IA;
    }
    float centre[4] = {};
    if (poids_.NOTE_CENTRE != 0 && pos_.MoveCount <= poids_.SEUIL_CENTRE) {
        static constexpr int Centre[4] = {indice(4, 5), indice(5, 4), indice(5, 5), indice(4, 4)};
        Bitboard ra[4], ba[4];
        for (int k = 0; k < 4; ++k) {
            ra[k] = rook_attacks(T, Centre[k], occ_);
            ba[k] = bishop_attacks(T, Centre[k], occ_);
        }
        for (int S : {m, o}) {
            const Camp& own = camps[S];
            int n = 0;
            for (int k = 0; k < 4; ++k) {
                int sq = Centre[k];
                n += popcount((ra[k] & own.rq) | (ba[k] & own.bq) | (T.knight[sq] & own.n) |
                              (T.king[sq] & own.k) | (own.garde[sq] & own.p));
            }
            centre[S] = poids_.NOTE_CENTRE * static_cast<float>(n);
        }
    }
    float a = centre[m] + material[m] + mobility[m] + defence[m] + attack[m];
    float b = centre[o] + material[o] + mobility[o] + defence[o] + attack[o];
    return (a - b) + check;
}

bool Recherche::roque_valide(int from, int to, int king, int colour) const {
    const int fy = rangee(from), tx = colonne(to);
    if (fy != 1 && fy != 8) return false;
    const CastlingCase* k = castlingCases(pos_.PlayerColour, colonne(from), tx);
    if (!k) return false;
    for (int e : k->empty)
        if (e && board_[indice(e, fy)] != 1) return false;
    if (board_[indice(k->rookX, fy)] != king - 4) return false;
    if (pos_.CastlingDone[colour]) return false;
    if (!(pos_.CastlingRights & wingRight(static_cast<Colour>(colour), tx, pos_.PlayerColour)))
        return false;
    if (attaquants(colour, from, colour) > 0) return false;
    return attaquants(colour, indice(k->passX, fy), colour) == 0;
}

bool Recherche::coup_valide(int from, int to, int piece, int colour) const {
    int target = board_[to];
    if (couleur_code(target) == colour) return false;
    int dx = colonne(to) - colonne(from), dy = rangee(to) - rangee(from);
    switch (type_code(piece)) {
    case 2: {
        int d = dirPion_[colour];
        if (dx != 0)
            return epCase_[colour] == to || target != 1; // the candidates are one step diagonally
        if (dy == d) return target == 1;
        return rangee(from) == rangDepart_[colour] && target == 1 && board_[from + 8 * d] == 1;
    }
    case 7:
        if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return true;
        return dy == 0 && roque_valide(from, to, piece, colour);
    default:
        return true; // sliders stop at the first piece and knights jump
    }
}

float Recherche::candidat(int from, int to, int piece, int colour, float escape,
                          SearchCounters& c) {
    const int type = type_code(piece);
    const int d = dirPion_[colour];
    const int captured = board_[to];
    int epSq = -1, epPiece = 1;
    if (type == 2 && colonne(to) != colonne(from) && captured == 1) {
        epSq = to - 8 * d;
        epPiece = board_[epSq];
        enlever(epSq);
    }
    enlever(from);
    enlever(to);
    poser(to, piece);

    float s = evalue_position(static_cast<Colour>(colour), c);
    if (s != -Infinity) {
        int n = attaquants(colour, to, colour);
        if (n > 0) s -= static_cast<float>(n) * poids_.NOTE_MATERIEL[type];
        s += escape;
        if (type == 2) {
            if (board_[to - 8 * d] == piece) s -= poids_.MALUS_DOUBLE;
            if (rangee(to) == rangPromotion_[colour]) s += poids_.NOTE_PROMOTION;
        }
        if (c.SearchDepth < poids_.PROFONDEUR_MAX &&
            (poids_.ALPHA_BETA == 0 ||
             s <= c.BestAtDepth[static_cast<std::size_t>(c.SearchDepth)])) {
            ++c.SearchDepth;
            float r = chercher(autre(colour), c).best;
            if (r != -Infinity) s -= r;
            --c.SearchDepth;
        }
    }
    if (type == 7 && rangee(to) == rangee(from) && !pos_.CastlingDone[colour])
        s += bonus_roque(colonne(from), rangee(from), colonne(to), rangee(to));

    enlever(to);
    if (captured != 1) poser(to, captured);
    poser(from, piece);
    if (epSq >= 0 && epPiece != 1) poser(epSq, epPiece);
    return s;
}

// Calls f(to) for each on-board candidate of the piece on sq, in the search's order; a line
// stops after its first occupied square, read on the board as it stands between candidates.
template <typename F> void Recherche::parcourir_candidats(int sq, F&& f) const {
    const int piece = board_[sq], colour = couleur_code(piece), type = type_code(piece);
    const int x = colonne(sq), y = rangee(sq);
    auto lignes = [&](const int(*dirs)[2], int maxSteps) {
        for (int i = 0; i < 4; ++i)
            for (int k = 1, tx = x + dirs[i][0], ty = y + dirs[i][1]; k <= maxSteps && sur(tx, ty);
                 ++k, tx += dirs[i][0], ty += dirs[i][1]) {
                int to = indice(tx, ty);
                bool occupied = board_[to] != 1;
                f(to);
                if (occupied) break;
            }
    };
    switch (type) {
    case 3:
        lignes(Droites, 8);
        break;
    case 5:
        lignes(Diagonales, 8);
        break;
    case 6:
        lignes(Droites, 8);
        lignes(Diagonales, 8);
        break;
    case 7:
        lignes(Droites, 2);
        lignes(Diagonales, 1);
        break;
    case 4:
        for (auto& j : Sauts)
            if (sur(x + j[0], y + j[1])) f(indice(x + j[0], y + j[1]));
        break;
    case 2: {
        int d = dirPion_[colour];
        const int pawnSteps[4][2] = {{0, d}, {0, 2 * d}, {1, d}, {-1, d}};
        for (auto& j : pawnSteps)
            if (sur(x + j[0], y + j[1])) f(indice(x + j[0], y + j[1]));
        break;
    }
    default:
        break;
    }
}

// What every move of the piece on sq earns for taking it out of danger (a king pays its malus).
float Recherche::echappement(int sq) const {
    const int piece = board_[sq], colour = couleur_code(piece), type = type_code(piece);
    int n = attaquants(colour, sq, colour);
    float escape = n > 0 ? static_cast<float>(n) * poids_.NOTE_MATERIEL[type] : 0.0f;
    if (type == 7) escape -= poids_.MALUS_ROI;
    return escape;
}

float Recherche::explore_piece(int sq, int& bestTo, float best, SearchCounters& c) {
    const int piece = board_[sq], colour = couleur_code(piece);
    const float escape = echappement(sq);
    parcourir_candidats(sq, [&](int to) {
        ++c.MovesExamined;
        if (!coup_valide(sq, to, piece, colour)) return;
        float s = candidat(sq, to, piece, colour, escape, c);
        if (s > best) {
            best = s;
            bestTo = to;
        }
    });
    return best;
}

std::vector<Recherche::CandidatRacine> Recherche::candidats_racine(int sq) const {
    std::vector<CandidatRacine> out;
    const int piece = board_[sq], colour = couleur_code(piece);
    parcourir_candidats(sq, [&](int to) {
        out.push_back({sq, to, coup_valide(sq, to, piece, colour)});
    });
    return out;
}

float Recherche::score_racine(const CandidatRacine& cand, SearchCounters& c) {
    const int piece = board_[cand.from];
    return candidat(cand.from, cand.to, piece, couleur_code(piece), echappement(cand.from), c);
}

Recherche::Trouve Recherche::chercher(int colour, SearchCounters& c) {
    Trouve r;
    int kingSq = -1;
    for (Bitboard pieces = byColour_[colour]; pieces;) {
        int sq = pop_lsb(pieces);
        ++c.MovesExamined;
        if (type_code(board_[sq]) == 7) kingSq = sq;
        if (annulee()) break;
        int to = -1;
        float best = explore_piece(sq, to, r.best, c);
        if (best > r.best) {
            r.best = best;
            r.from = sq;
            r.to = to;
            float& atDepth = c.BestAtDepth[static_cast<std::size_t>(c.SearchDepth)];
            if (r.best > atDepth) atDepth = r.best;
        }
    }
    bool attacked = kingSq >= 0 && attaquants(colour, kingSq, colour) > 0;
    if (colour == code(pos_.PlayerColour) && r.best == -Infinity)
        (attacked ? r.mat : r.pat) = true;
    else if (r.best == Infinity)
        r.mat = true;
    else if (r.best == -Infinity)
        (c.SearchDepth > 0 || attacked ? r.mat : r.pat) = true;
    return r;
}

ResultatRecherche Recherche::resultat(Colour colour, int from, int to, float best,
                                      const SearchCounters& c) const {
    ResultatRecherche out;
    out.score = best;
    int col = code(colour);
    int kingSq = roi(col);
    bool attacked = kingSq >= 0 && attaquants(col, kingSq, col) > 0;
    bool mat = false, pat = false;
    if (col == code(pos_.PlayerColour) && best == -Infinity)
        (attacked ? mat : pat) = true;
    else if (best == Infinity)
        mat = true;
    else if (best == -Infinity)
        (c.SearchDepth > 0 || attacked ? mat : pat) = true;
    if (mat || pat) {
        out.texte = mat ? "MAT" : "PAT";
        return out;
    }
    out.fromX = colonne(from);
    out.fromY = rangee(from);
    out.toX = colonne(to);
    out.toY = rangee(to);
    out.texte = ecrire_coup(pos_.MoveCount, static_cast<PieceCode>(board_[from]), out.fromX,
                            out.fromY, static_cast<PieceCode>(board_[to]), out.toX, out.toY, false,
                            notation_, pos_.PlayerColour);
    return out;
}

ResultatRecherche Recherche::cherche_coup(Colour colour, SearchCounters& c) {
    Trouve r = chercher(code(colour), c);
    return resultat(colour, r.from, r.to, r.best, c);
}

std::vector<int> Recherche::pieces_racine(Colour colour) const {
    std::vector<int> out;
    for (Bitboard pieces = byColour_[code(colour)]; pieces;) out.push_back(pop_lsb(pieces));
    return out;
}

Recherche::MeilleurPiece Recherche::explorer_racine(int sq, SearchCounters& c) {
    ++c.MovesExamined;
    MeilleurPiece m;
    m.from = sq;
    m.score = explore_piece(sq, m.to, -Infinity, c);
    return m;
}

} // namespace quarvelin
