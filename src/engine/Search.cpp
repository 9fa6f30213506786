#include "engine/Search.h"

#include "notation/MoveText.h"
#include "rules/Castling.h"

#include <cstdlib>

namespace quarvelin {

namespace {

constexpr int Pawn = 0, Rook = 1, Knight = 2, Bishop = 3, Queen = 4,
              King = 5; // offsets from a colour's pawn code

constexpr int base(int colour) { return colour == 2 ? 8 : 2; }
constexpr int other(int colour) { return colour == 2 ? 3 : 2; }
constexpr int colourCode(int piece) { return piece == 1 ? 1 : (piece < 8 ? 3 : 2); }
constexpr int typeCode(int piece) { return piece >= 8 ? piece - 6 : piece; } // 2..7, 1 for empty
constexpr int column(int sq) { return (sq & 7) + 1; }
constexpr int rank(int sq) { return (sq >> 3) + 1; }
constexpr int index(int x, int y) { return (x - 1) + 8 * (y - 1); }
constexpr bool on(int x, int y) { return x >= 1 && x <= 8 && y >= 1 && y <= 8; }

// Squares a pawn strikes diagonally when it moves in direction dir (rows in display order).
inline Bitboard pawnCapture(const AttackTables& T, int dir, int sq) {
    return dir > 0 ? T.pawn[0][sq] : T.pawn[1][sq];
}

// Transposes a bitboard, so bits come out in column-major order.
inline Bitboard transpose(Bitboard b) {
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

constexpr int Straights[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int Diagonals[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr int Jumps[8][2] = {{2, 1},  {2, -1}, {-2, 1},  {-2, -1},
                             {1, -2}, {1, 2},  {-1, -2}, {-1, 2}};

} // namespace

Search::Search(const Position& p, const EngineWeights& weights, NotationCode notation)
    : pos_(p), weights_(weights), notation_(notation) {
    for (auto& b : byPiece_) b = 0;
    for (auto& b : byColour_) b = 0;
    for (int sq = 0; sq < 64; ++sq) {
        board_[sq] = 1;
        int piece = code(p.at(column(sq), rank(sq)));
        if (piece >= 2 && piece <= 13) put(sq, piece);
    }
    for (int c : {2, 3}) {
        bool bottom = code(p.PlayerColour) == c;
        pawnDir_[c] = bottom ? -1 : 1;
        startRank_[c] = bottom ? 7 : 2;
        promotionRank_[c] = bottom ? 1 : 8;
        int ep = c == 2 ? p.EnPassantForWhite : p.EnPassantForBlack;
        epCase_[c] = (ep / 10 >= 1 && ep / 10 <= 8 && ep % 10 >= 1 && ep % 10 <= 8)
                         ? index(ep / 10, ep % 10)
                         : -1;
    }
    for (int t = 0; t < 8; ++t)
        unit_[t] = weights_.NOTE_MOBILITE[t] +
                   static_cast<float>(p.MoveCount) * weights_.MOBILITE_EVOLUTIVE[t];
}

void Search::put(int sq, int piece) {
    board_[sq] = piece;
    byPiece_[piece] |= bb(sq);
    byColour_[colourCode(piece)] |= bb(sq);
    occ_ |= bb(sq);
}

void Search::remove(int sq) {
    int piece = board_[sq];
    if (piece == 1) return;
    board_[sq] = 1;
    byPiece_[piece] &= ~bb(sq);
    byColour_[colourCode(piece)] &= ~bb(sq);
    occ_ &= ~bb(sq);
}

int Search::king(int colour) const {
    Bitboard k = byPiece_[base(colour) + King];
    if (!k) return -1;
    // The first in column-major order, as the evaluation scans.
    return k & (k - 1) ? [&] {
        Bitboard t = transpose(k);
        int i = lsb(t);
        return (i >> 3) + 8 * (i & 7);
    }()
                       : lsb(k);
}

int Search::attackers(int pawnColour, int sq, int colour) const {
    const AttackTables& T = T_;
    const int o = base(other(colour));
    const Bitboard* P = byPiece_;
    int pawnDir = pawnColour == code(pos_.PlayerColour) ? -1 : 1;
    return popcount((rookAttacks(T, sq, occ_) & (P[o + Rook] | P[o + Queen])) |
                    (bishopAttacks(T, sq, occ_) & (P[o + Bishop] | P[o + Queen])) |
                    (T.knight[sq] & P[o + Knight]) | (T.king[sq] & P[o + King]) |
                    (pawnCapture(T, pawnDir, sq) & P[o + Pawn]));
}

int Search::mobilityUnits(int sq) const {
    const AttackTables& T = T_;
    int piece = board_[sq];
    switch (typeCode(piece)) {
    case 2: {
        int c = colourCode(piece), d = pawnDir_[c];
        int x = column(sq), y = rank(sq);
        if (!on(x, y + d) || board_[index(x, y + d)] != 1) return 0;
        if (y == startRank_[c] && on(x, y + 2 * d) && board_[index(x, y + 2 * d)] == 1) return 2;
        return 1;
    }
    case 3:
        return popcount(rookAttacks(T, sq, occ_));
    case 4:
        return popcount(T.knight[sq]);
    case 5:
        return popcount(bishopAttacks(T, sq, occ_));
    case 6:
        return popcount(rookAttacks(T, sq, occ_) | bishopAttacks(T, sq, occ_));
    case 7:
        return popcount(T.king[sq]);
    default:
        return 0;
    }
}

float Search::mobilite_piece(int x, int y) const {
    int sq = index(x, y);
    return static_cast<float>(mobilityUnits(sq)) * unit_[typeCode(board_[sq])];
}

float Search::bonus_roque(int x, int, int tx, int ty) const {
    int king = board_[index(tx, ty)];
    int c = colourCode(king);
    bool bottom = c == code(pos_.PlayerColour);
    if (ty != (bottom ? 8 : 1)) return 0;
    int step = tx > x ? 1 : -1, corner = step > 0 ? 8 : 1;
    int cx = tx + step;
    if (cx < 1 || cx > 8) return 0;
    while (cx != corner && board_[index(cx, ty)] == 1) cx += step;
    if (cx != corner || board_[index(cx, ty)] != base(c) + Rook) return 0;
    int fy = bottom ? ty - 1 : ty + 1;
    if (board_[index(tx, fy)] == 1) return 0;
    return weights_.NOTE_ROQUE;
}

float Search::evalue_position(Colour mc, SearchCounters& c) {
    const int m = code(mc), o = other(m);
    ++c.PositionsEvaluated;
    int k = king(m);
    if (k >= 0 && attackers(m, k, m) >= 1) return -Infinity;
    float check = 0;
    int ko = king(o);
    if (ko >= 0 && attackers(o, ko, o) > 0) {
        std::int16_t saved = c.SearchDepth;
        c.SearchDepth = weights_.PROFONDEUR_MAX;
        Found probe = search(o, c);
        c.SearchDepth = saved;
        if (probe.mate) return static_cast<float>(999999.0 / ((c.SearchDepth + 1) * 10));
        if (weights_.BONUS_ECHEC != 0 && weights_.SEUIL_BONUS_ECHEC <= pos_.MoveCount)
            check = static_cast<float>(pos_.MoveCount) * weights_.BONUS_ECHEC;
    }

    float material[4] = {}, mobility[4] = {}, defence[4] = {}, attack[4] = {};
    const float ID = weights_.INDICE_DEFENSE, IA = weights_.INDICE_ATTAQUE;
    const AttackTables& T = T_;
    const Bitboard* P = byPiece_;
    // Per colour, once per evaluation: the pieces that strike along rook and bishop lines, the
    // knights, kings and pawns, and the tables of the squares its pawns strike and guard.
    struct Side {
        Bitboard rq, bq, n, k, p, pieces;
        const Bitboard* typed; // squares a pawn of this colour on sq strikes
        const Bitboard* kept;  // squares from which this colour's pawns guard sq
    } sides[4];
    for (int c : {2, 3}) {
        const int b = base(c);
        sides[c] = {P[b + Rook] | P[b + Queen],
                    P[b + Bishop] | P[b + Queen],
                    P[b + Knight],
                    P[b + King],
                    P[b + Pawn],
                    byColour_[c],
                    pawnDir_[c] > 0 ? T.pawn[0] : T.pawn[1],
                    pawnDir_[c] > 0 ? T.pawn[1] : T.pawn[0]};
    }
    for (Bitboard t = transpose(occ_); t;) {
        int i = popLsb(t);
        int sq = (i >> 3) + 8 * (i & 7);
        int piece = board_[sq], S = colourCode(piece), type = typeCode(piece);
        const Side& own = sides[S];
        const Side& enemy = sides[5 - S];
        // Each square's slider lines serve the mobility, attacker, defender and target counts.
        const Bitboard ra = rookAttacks(T, sq, occ_), ba = bishopAttacks(T, sq, occ_);
        const Bitboard kn = T.knight[sq], kg = T.king[sq];
        int units;
        Bitboard reach;
        switch (type) {
        case 2: {
            int ahead = sq + 8 * pawnDir_[S];
            units = 0;
            if (ahead >= 0 && ahead < 64 && board_[ahead] == 1) {
                int twoAhead = ahead + 8 * pawnDir_[S];
                units = (rank(sq) == startRank_[S] && board_[twoAhead] == 1) ? 2 : 1;
            }
            reach = own.typed[sq];
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
        material[S] += weights_.NOTE_MATERIEL[type];
        mobility[S] += static_cast<float>(units) * unit_[type];
        int d = 0;
        if (ID != 0) {
            // Rook rays, bishop rays and each kind's squares hold different pieces: one count.
            d = popcount((ra & own.rq) | (ba & own.bq) | (kn & own.n) | (kg & own.k) |
                         (own.kept[sq] & own.p));
            // An undefended piece earns nothing, whatever attacks it.
            if (d > 0 && d > popcount((ra & enemy.rq) | (ba & enemy.bq) | (kn & enemy.n) |
                                      (kg & enemy.k) | (own.typed[sq] & enemy.p)))
                defence[S] += ID;
        }
        if (IA != 0 && d > 0 && (reach & enemy.pieces)) attack[S] += IA;
    }
    float centre[4] = {};
    if (weights_.NOTE_CENTRE != 0 && pos_.MoveCount <= weights_.SEUIL_CENTRE) {
        static constexpr int Centre[4] = {index(4, 5), index(5, 4), index(5, 5), index(4, 4)};
        Bitboard ra[4], ba[4];
        for (int k = 0; k < 4; ++k) {
            ra[k] = rookAttacks(T, Centre[k], occ_);
            ba[k] = bishopAttacks(T, Centre[k], occ_);
        }
        for (int S : {m, o}) {
            const Side& own = sides[S];
            int n = 0;
            for (int k = 0; k < 4; ++k) {
                int sq = Centre[k];
                n += popcount((ra[k] & own.rq) | (ba[k] & own.bq) | (T.knight[sq] & own.n) |
                              (T.king[sq] & own.k) | (own.kept[sq] & own.p));
            }
            centre[S] = weights_.NOTE_CENTRE * static_cast<float>(n);
        }
    }
    float a = centre[m] + material[m] + mobility[m] + defence[m] + attack[m];
    float b = centre[o] + material[o] + mobility[o] + defence[o] + attack[o];
    return (a - b) + check;
}

bool Search::castlingValid(int from, int to, int king, int colour) const {
    const int fy = rank(from), tx = column(to);
    if (fy != 1 && fy != 8) return false;
    const CastlingCase* k = castlingCases(pos_.PlayerColour, column(from), tx);
    if (!k) return false;
    for (int e : k->empty)
        if (e && board_[index(e, fy)] != 1) return false;
    if (board_[index(k->rookX, fy)] != king - 4) return false;
    if (pos_.CastlingDone[colour]) return false;
    if (!(pos_.CastlingRights & wingRight(static_cast<Colour>(colour), tx, pos_.PlayerColour)))
        return false;
    if (attackers(colour, from, colour) > 0) return false;
    return attackers(colour, index(k->passX, fy), colour) == 0;
}

bool Search::coup_valide(int from, int to, int piece, int colour) const {
    int target = board_[to];
    if (colourCode(target) == colour) return false;
    int dx = column(to) - column(from), dy = rank(to) - rank(from);
    switch (typeCode(piece)) {
    case 2: {
        int d = pawnDir_[colour];
        if (dx != 0)
            return epCase_[colour] == to || target != 1; // the candidates are one step diagonally
        if (dy == d) return target == 1;
        return rank(from) == startRank_[colour] && target == 1 && board_[from + 8 * d] == 1;
    }
    case 7:
        if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return true;
        return dy == 0 && castlingValid(from, to, piece, colour);
    default:
        return true; // sliders stop at the first piece and knights jump
    }
}

float Search::candidate(int from, int to, int piece, int colour, float escape, SearchCounters& c) {
    const int type = typeCode(piece);
    const int d = pawnDir_[colour];
    const int captured = board_[to];
    int epSq = -1, epPiece = 1;
    if (type == 2 && column(to) != column(from) && captured == 1) {
        epSq = to - 8 * d;
        epPiece = board_[epSq];
        remove(epSq);
    }
    remove(from);
    remove(to);
    put(to, piece);

    float s = evalue_position(static_cast<Colour>(colour), c);
    if (s != -Infinity) {
        int n = attackers(colour, to, colour);
        if (n > 0) s -= static_cast<float>(n) * weights_.NOTE_MATERIEL[type];
        s += escape;
        if (type == 2) {
            if (board_[to - 8 * d] == piece) s -= weights_.MALUS_DOUBLE;
            if (rank(to) == promotionRank_[colour]) s += weights_.NOTE_PROMOTION;
        }
        if (c.SearchDepth < weights_.PROFONDEUR_MAX &&
            (weights_.ALPHA_BETA == 0 ||
             s <= c.BestAtDepth[static_cast<std::size_t>(c.SearchDepth)])) {
            ++c.SearchDepth;
            float r = search(other(colour), c).best;
            if (r != -Infinity) s -= r;
            --c.SearchDepth;
        }
    }
    if (type == 7 && rank(to) == rank(from) && !pos_.CastlingDone[colour])
        s += bonus_roque(column(from), rank(from), column(to), rank(to));

    remove(to);
    if (captured != 1) put(to, captured);
    put(from, piece);
    if (epSq >= 0 && epPiece != 1) put(epSq, epPiece);
    return s;
}

// Calls f(to) for each on-board candidate of the piece on sq, in the search's order; a line
// stops after its first occupied square, read on the board as it stands between candidates.
template <typename F> void Search::walkCandidates(int sq, F&& f) const {
    const int piece = board_[sq], colour = colourCode(piece), type = typeCode(piece);
    const int x = column(sq), y = rank(sq);
    auto lines = [&](const int(*dirs)[2], int maxSteps) {
        for (int i = 0; i < 4; ++i)
            for (int k = 1, tx = x + dirs[i][0], ty = y + dirs[i][1]; k <= maxSteps && on(tx, ty);
                 ++k, tx += dirs[i][0], ty += dirs[i][1]) {
                int to = index(tx, ty);
                bool occupied = board_[to] != 1;
                f(to);
                if (occupied) break;
            }
    };
    switch (type) {
    case 3:
        lines(Straights, 8);
        break;
    case 5:
        lines(Diagonals, 8);
        break;
    case 6:
        lines(Straights, 8);
        lines(Diagonals, 8);
        break;
    case 7:
        lines(Straights, 2);
        lines(Diagonals, 1);
        break;
    case 4:
        for (auto& j : Jumps)
            if (on(x + j[0], y + j[1])) f(index(x + j[0], y + j[1]));
        break;
    case 2: {
        int d = pawnDir_[colour];
        const int pawnSteps[4][2] = {{0, d}, {0, 2 * d}, {1, d}, {-1, d}};
        for (auto& j : pawnSteps)
            if (on(x + j[0], y + j[1])) f(index(x + j[0], y + j[1]));
        break;
    }
    default:
        break;
    }
}

// What every move of the piece on sq earns for taking it out of danger (a king pays its penalty).
float Search::escaping(int sq) const {
    const int piece = board_[sq], colour = colourCode(piece), type = typeCode(piece);
    int n = attackers(colour, sq, colour);
    float escape = n > 0 ? static_cast<float>(n) * weights_.NOTE_MATERIEL[type] : 0.0f;
    if (type == 7) escape -= weights_.MALUS_ROI;
    return escape;
}

float Search::explore_piece(int sq, int& bestTo, float best, SearchCounters& c) {
    const int piece = board_[sq], colour = colourCode(piece);
    const float escape = escaping(sq);
    walkCandidates(sq, [&](int to) {
        ++c.MovesExamined;
        if (!coup_valide(sq, to, piece, colour)) return;
        float s = candidate(sq, to, piece, colour, escape, c);
        if (s > best) {
            best = s;
            bestTo = to;
        }
    });
    return best;
}

std::vector<Search::RootCandidate> Search::rootCandidates(int sq) const {
    std::vector<RootCandidate> out;
    const int piece = board_[sq], colour = colourCode(piece);
    walkCandidates(sq, [&](int to) {
        out.push_back({sq, to, coup_valide(sq, to, piece, colour)});
    });
    return out;
}

float Search::rootScore(const RootCandidate& cand, SearchCounters& c) {
    const int piece = board_[cand.from];
    return candidate(cand.from, cand.to, piece, colourCode(piece), escaping(cand.from), c);
}

Search::Found Search::search(int colour, SearchCounters& c) {
    Found r;
    int kingSq = -1;
    for (Bitboard pieces = byColour_[colour]; pieces;) {
        int sq = popLsb(pieces);
        ++c.MovesExamined;
        if (typeCode(board_[sq]) == 7) kingSq = sq;
        if (cancelled()) break;
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
    bool attacked = kingSq >= 0 && attackers(colour, kingSq, colour) > 0;
    if (colour == code(pos_.PlayerColour) && r.best == -Infinity)
        (attacked ? r.mate : r.stalemate) = true;
    else if (r.best == Infinity)
        r.mate = true;
    else if (r.best == -Infinity)
        (c.SearchDepth > 0 || attacked ? r.mate : r.stalemate) = true;
    return r;
}

SearchResult Search::result(Colour colour, int from, int to, float best,
                            const SearchCounters& c) const {
    SearchResult out;
    out.score = best;
    int col = code(colour);
    int kingSq = king(col);
    bool attacked = kingSq >= 0 && attackers(col, kingSq, col) > 0;
    bool mate = false, stalemate = false;
    if (col == code(pos_.PlayerColour) && best == -Infinity)
        (attacked ? mate : stalemate) = true;
    else if (best == Infinity)
        mate = true;
    else if (best == -Infinity)
        (c.SearchDepth > 0 || attacked ? mate : stalemate) = true;
    if (mate || stalemate) {
        out.text = mate ? "MAT" : "PAT";
        return out;
    }
    out.fromX = column(from);
    out.fromY = rank(from);
    out.toX = column(to);
    out.toY = rank(to);
    out.text = ecrire_coup(pos_.MoveCount, static_cast<PieceCode>(board_[from]), out.fromX,
                           out.fromY, static_cast<PieceCode>(board_[to]), out.toX, out.toY, false,
                           notation_, pos_.PlayerColour);
    return out;
}

SearchResult Search::cherche_coup(Colour colour, SearchCounters& c) {
    Found r = search(code(colour), c);
    return result(colour, r.from, r.to, r.best, c);
}

std::vector<int> Search::rootPieces(Colour colour) const {
    std::vector<int> out;
    for (Bitboard pieces = byColour_[code(colour)]; pieces;) out.push_back(popLsb(pieces));
    return out;
}

Search::BestPiece Search::exploreRoot(int sq, SearchCounters& c) {
    ++c.MovesExamined;
    BestPiece m;
    m.from = sq;
    m.score = explore_piece(sq, m.to, -Infinity, c);
    return m;
}

} // namespace quarvelin
