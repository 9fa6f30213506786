// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Search.h"

#include "notation/MoveText.h"
#include "rules/Castling.h"

#include <cstdlib>

namespace quarvelin {

namespace {

constexpr PieceCode Empty = PieceCode::Empty;
constexpr Colour White = Colour::White, Black = Colour::Black;
using enum PieceType;

// The board holds only piece codes and Empty: pieceType's range checks are not needed.
constexpr PieceType typeOf(PieceCode p) {
    return static_cast<PieceType>(code(p) >= 8 ? code(p) - 6 : code(p));
}
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
    for (int sq = 0; sq < 64; ++sq) {
        board_[sq] = Empty;
        PieceCode piece = p.at(column(sq), rank(sq));
        if (isPiece(piece)) put(sq, piece);
    }
    for (Colour c : {White, Black}) {
        bool bottom = p.PlayerColour == c;
        pawnDir_[c] = bottom ? -1 : 1;
        startRank_[c] = bottom ? 7 : 2;
        promotionRank_[c] = bottom ? 1 : 8;
        int ep = c == White ? p.EnPassantForWhite : p.EnPassantForBlack;
        epCase_[c] = (ep / 10 >= 1 && ep / 10 <= 8 && ep % 10 >= 1 && ep % 10 <= 8)
                         ? index(ep / 10, ep % 10)
                         : -1;
    }
    // Every slot, None's included, as the mobility of an empty square reads it.
    for (std::size_t t = 0; t < 8; ++t)
        unit_.values[t] = weights_.NOTE_MOBILITE[t] +
                          static_cast<float>(p.MoveCount) * weights_.MOBILITE_EVOLUTIVE[t];
}

void Search::put(int sq, PieceCode piece) {
    board_[sq] = piece;
    byPiece_[piece] |= bb(sq);
    byColour_[colourOf(piece)] |= bb(sq);
    occ_ |= bb(sq);
}

void Search::remove(int sq) {
    PieceCode piece = board_[sq];
    if (piece == Empty) return;
    board_[sq] = Empty;
    byPiece_[piece] &= ~bb(sq);
    byColour_[colourOf(piece)] &= ~bb(sq);
    occ_ &= ~bb(sq);
}

int Search::king(Colour colour) const {
    Bitboard k = byPiece_[pieceOf(King, colour)];
    if (!k) return -1;
    // The first in column-major order, as the evaluation scans.
    return k & (k - 1) ? [&] {
        Bitboard t = transpose(k);
        int i = lsb(t);
        return (i >> 3) + 8 * (i & 7);
    }()
                       : lsb(k);
}

int Search::attackers(Colour pawnColour, int sq, Colour colour) const {
    const AttackTables& T = T_;
    const Colour o = opposite(colour);
    const auto P = [&](PieceType t) { return byPiece_[pieceOf(t, o)]; };
    int pawnDir = pawnColour == pos_.PlayerColour ? -1 : 1;
    return popcount((rookAttacks(T, sq, occ_) & (P(Rook) | P(Queen))) |
                    (bishopAttacks(T, sq, occ_) & (P(Bishop) | P(Queen))) |
                    (T.knight[sq] & P(Knight)) | (T.king[sq] & P(King)) |
                    (pawnCapture(T, pawnDir, sq) & P(Pawn)));
}

int Search::mobilityUnits(int sq) const {
    const AttackTables& T = T_;
    PieceCode piece = board_[sq];
    switch (typeOf(piece)) {
    case Pawn: {
        Colour c = colourOf(piece);
        int d = pawnDir_[c];
        int x = column(sq), y = rank(sq);
        if (!on(x, y + d) || board_[index(x, y + d)] != Empty) return 0;
        if (y == startRank_[c] && on(x, y + 2 * d) && board_[index(x, y + 2 * d)] == Empty)
            return 2;
        return 1;
    }
    case Rook:
        return popcount(rookAttacks(T, sq, occ_));
    case Knight:
        return popcount(T.knight[sq]);
    case Bishop:
        return popcount(bishopAttacks(T, sq, occ_));
    case Queen:
        return popcount(rookAttacks(T, sq, occ_) | bishopAttacks(T, sq, occ_));
    case King:
        return popcount(T.king[sq]);
    default:
        return 0;
    }
}

float Search::mobilite_piece(int x, int y) const {
    int sq = index(x, y);
    return static_cast<float>(mobilityUnits(sq)) * unit_[typeOf(board_[sq])];
}

float Search::bonus_roque(int x, int, int tx, int ty) const {
    Colour c = colourOf(board_[index(tx, ty)]);
    bool bottom = c == pos_.PlayerColour;
    if (ty != (bottom ? 8 : 1)) return 0;
    int step = tx > x ? 1 : -1, corner = step > 0 ? 8 : 1;
    int cx = tx + step;
    if (cx < 1 || cx > 8) return 0;
    while (cx != corner && board_[index(cx, ty)] == Empty) cx += step;
    if (cx != corner || board_[index(cx, ty)] != pieceOf(Rook, c)) return 0;
    int fy = bottom ? ty - 1 : ty + 1;
    if (board_[index(tx, fy)] == Empty) return 0;
    return weights_.NOTE_ROQUE;
}

float Search::evalue_position(Colour m, SearchCounters& c) {
    const Colour o = opposite(m);
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
    return balance(m) + check;
}

void Search::setPieces(const FastPosition& f, const std::array<int, 64>& display) {
    for (Bitboard b = occ_; b;) remove(popLsb(b));
    for (Bitboard b = f.all(); b;) {
        const int sq = popLsb(b);
        put(display[static_cast<std::size_t>(sq)], f.at(sq));
    }
}

float Search::balance(Colour m) const {
    const Colour o = opposite(m);
    TableBy<Colour, float, 4> material{}, mobility{}, defence{}, attack{};
    const float ID = weights_.INDICE_DEFENSE, IA = weights_.INDICE_ATTAQUE;
    const AttackTables& T = T_;
    // Per colour, once per evaluation: the pieces that strike along rook and bishop lines, the
    // knights, kings and pawns, and the tables of the squares its pawns strike and guard.
    struct Side {
        Bitboard rq, bq, n, k, p, pieces;
        const Bitboard* typed; // squares a pawn of this colour on sq strikes
        const Bitboard* kept;  // squares from which this colour's pawns guard sq
    };
    TableBy<Colour, Side, 4> sides;
    for (Colour c : {White, Black}) {
        const auto P = [&](PieceType t) { return byPiece_[pieceOf(t, c)]; };
        sides[c] = {P(Rook) | P(Queen),
                    P(Bishop) | P(Queen),
                    P(Knight),
                    P(King),
                    P(Pawn),
                    byColour_[c],
                    pawnDir_[c] > 0 ? T.pawn[0] : T.pawn[1],
                    pawnDir_[c] > 0 ? T.pawn[1] : T.pawn[0]};
    }
    for (Bitboard t = transpose(occ_); t;) {
        int i = popLsb(t);
        int sq = (i >> 3) + 8 * (i & 7);
        const PieceCode piece = board_[sq];
        const Colour S = colourOf(piece);
        const PieceType type = typeOf(piece);
        const Side& own = sides[S];
        const Side& enemy = sides[opposite(S)];
        // Each square's slider lines serve the mobility, attacker, defender and target counts.
        const Bitboard ra = rookAttacks(T, sq, occ_), ba = bishopAttacks(T, sq, occ_);
        const Bitboard kn = T.knight[sq], kg = T.king[sq];
        int units;
        Bitboard reach;
        switch (type) {
        case Pawn: {
            int ahead = sq + 8 * pawnDir_[S];
            units = 0;
            if (ahead >= 0 && ahead < 64 && board_[ahead] == Empty) {
                int twoAhead = ahead + 8 * pawnDir_[S];
                units = (rank(sq) == startRank_[S] && board_[twoAhead] == Empty) ? 2 : 1;
            }
            reach = own.typed[sq];
            break;
        }
        case Rook:
            reach = ra;
            units = popcount(ra);
            break;
        case Knight:
            reach = kn;
            units = popcount(kn);
            break;
        case Bishop:
            reach = ba;
            units = popcount(ba);
            break;
        case Queen:
            reach = ra | ba;
            units = popcount(reach);
            break;
        default:
            reach = kg;
            units = popcount(kg);
            break;
        }
        material[S] += weights_.NOTE_MATERIEL[code(type)];
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
    TableBy<Colour, float, 4> centre{};
    if (weights_.NOTE_CENTRE != 0 && pos_.MoveCount <= weights_.SEUIL_CENTRE) {
        static constexpr int Centre[4] = {index(4, 5), index(5, 4), index(5, 5), index(4, 4)};
        Bitboard ra[4], ba[4];
        for (int k = 0; k < 4; ++k) {
            ra[k] = rookAttacks(T, Centre[k], occ_);
            ba[k] = bishopAttacks(T, Centre[k], occ_);
        }
        for (Colour S : {m, o}) {
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
    return a - b;
}

bool Search::castlingValid(int from, int to, Colour colour) const {
    const int fy = rank(from), tx = column(to);
    if (fy != 1 && fy != 8) return false;
    const CastlingCase* k = castlingCases(pos_.PlayerColour, column(from), tx);
    if (!k) return false;
    for (int e : k->empty)
        if (e && board_[index(e, fy)] != Empty) return false;
    if (board_[index(k->rookX, fy)] != pieceOf(Rook, colour)) return false;
    if (pos_.CastlingDone[code(colour)]) return false;
    if (!(pos_.CastlingRights & wingRight(colour, tx, pos_.PlayerColour))) return false;
    if (attackers(colour, from, colour) > 0) return false;
    return attackers(colour, index(k->passX, fy), colour) == 0;
}

bool Search::coup_valide(int from, int to, PieceCode piece, Colour colour) const {
    PieceCode target = board_[to];
    if (colourOf(target) == colour) return false;
    int dx = column(to) - column(from), dy = rank(to) - rank(from);
    switch (typeOf(piece)) {
    case Pawn: {
        int d = pawnDir_[colour];
        if (dx != 0) // the candidates are one step diagonally
            return epCase_[colour] == to || target != Empty;
        if (dy == d) return target == Empty;
        return rank(from) == startRank_[colour] && target == Empty && board_[from + 8 * d] == Empty;
    }
    case King:
        if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return true;
        return dy == 0 && castlingValid(from, to, colour);
    default:
        return true; // sliders stop at the first piece and knights jump
    }
}

float Search::candidate(int from, int to, PieceCode piece, Colour colour, float escape,
                        SearchCounters& c) {
    const PieceType type = typeOf(piece);
    const int d = pawnDir_[colour];
    const PieceCode captured = board_[to];
    int epSq = -1;
    PieceCode epPiece = Empty;
    if (type == Pawn && column(to) != column(from) && captured == Empty) {
        epSq = to - 8 * d;
        epPiece = board_[epSq];
        remove(epSq);
    }
    remove(from);
    remove(to);
    put(to, piece);

    float s = evalue_position(colour, c);
    if (s != -Infinity) {
        int n = attackers(colour, to, colour);
        if (n > 0) s -= static_cast<float>(n) * weights_.NOTE_MATERIEL[code(type)];
        s += escape;
        if (type == Pawn) {
            if (board_[to - 8 * d] == piece) s -= weights_.MALUS_DOUBLE;
            if (rank(to) == promotionRank_[colour]) s += weights_.NOTE_PROMOTION;
        }
        if (c.SearchDepth < weights_.PROFONDEUR_MAX &&
            (weights_.ALPHA_BETA == 0 ||
             s <= c.BestAtDepth[static_cast<std::size_t>(c.SearchDepth)])) {
            ++c.SearchDepth;
            float r = search(opposite(colour), c).best;
            if (r != -Infinity) s -= r;
            --c.SearchDepth;
        }
    }
    if (type == King && rank(to) == rank(from) && !pos_.CastlingDone[code(colour)])
        s += bonus_roque(column(from), rank(from), column(to), rank(to));

    remove(to);
    if (captured != Empty) put(to, captured);
    put(from, piece);
    if (epSq >= 0 && epPiece != Empty) put(epSq, epPiece);
    return s;
}

// Calls f(to) for each on-board candidate of the piece on sq, in the search's order; a line
// stops after its first occupied square, read on the board as it stands between candidates.
template <typename F> void Search::walkCandidates(int sq, F&& f) const {
    const PieceCode piece = board_[sq];
    const int x = column(sq), y = rank(sq);
    auto lines = [&](const int(*dirs)[2], int maxSteps) {
        for (int i = 0; i < 4; ++i)
            for (int k = 1, tx = x + dirs[i][0], ty = y + dirs[i][1]; k <= maxSteps && on(tx, ty);
                 ++k, tx += dirs[i][0], ty += dirs[i][1]) {
                int to = index(tx, ty);
                bool occupied = board_[to] != Empty;
                f(to);
                if (occupied) break;
            }
    };
    switch (typeOf(piece)) {
    case Rook:
        lines(Straights, 8);
        break;
    case Bishop:
        lines(Diagonals, 8);
        break;
    case Queen:
        lines(Straights, 8);
        lines(Diagonals, 8);
        break;
    case King:
        lines(Straights, 2);
        lines(Diagonals, 1);
        break;
    case Knight:
        for (auto& j : Jumps)
            if (on(x + j[0], y + j[1])) f(index(x + j[0], y + j[1]));
        break;
    case Pawn: {
        int d = pawnDir_[colourOf(piece)];
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
    const PieceCode piece = board_[sq];
    const Colour colour = colourOf(piece);
    const PieceType type = typeOf(piece);
    int n = attackers(colour, sq, colour);
    float escape = n > 0 ? static_cast<float>(n) * weights_.NOTE_MATERIEL[code(type)] : 0.0f;
    if (type == King) escape -= weights_.MALUS_ROI;
    return escape;
}

float Search::explore_piece(int sq, int& bestTo, float best, SearchCounters& c) {
    const PieceCode piece = board_[sq];
    const Colour colour = colourOf(piece);
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
    const PieceCode piece = board_[sq];
    const Colour colour = colourOf(piece);
    walkCandidates(sq, [&](int to) {
        out.push_back({sq, to, coup_valide(sq, to, piece, colour)});
    });
    return out;
}

float Search::rootScore(const RootCandidate& cand, SearchCounters& c) {
    const PieceCode piece = board_[cand.from];
    return candidate(cand.from, cand.to, piece, colourOf(piece), escaping(cand.from), c);
}

Search::Found Search::search(Colour colour, SearchCounters& c) {
    Found r;
    int kingSq = -1;
    for (Bitboard pieces = byColour_[colour]; pieces;) {
        int sq = popLsb(pieces);
        ++c.MovesExamined;
        if (typeOf(board_[sq]) == King) kingSq = sq;
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
    if (colour == pos_.PlayerColour && r.best == -Infinity)
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
    int kingSq = king(colour);
    bool attacked = kingSq >= 0 && attackers(colour, kingSq, colour) > 0;
    bool mate = false, stalemate = false;
    if (colour == pos_.PlayerColour && best == -Infinity)
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
    out.text =
        ecrire_coup(textNumber_ > 0 ? textNumber_ : pos_.MoveCount, board_[from], out.fromX,
                    out.fromY, board_[to], out.toX, out.toY, false, notation_, pos_.PlayerColour);
    return out;
}

SearchResult Search::cherche_coup(Colour colour, SearchCounters& c) {
    Found r = search(colour, c);
    return result(colour, r.from, r.to, r.best, c);
}

std::vector<int> Search::rootPieces(Colour colour) const {
    std::vector<int> out;
    for (Bitboard pieces = byColour_[colour]; pieces;) out.push_back(popLsb(pieces));
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
