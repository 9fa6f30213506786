// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's evaluation and search, exact to the counter: every visit order, counter and
// float operation of the plain algorithm, on bitboards indexed in display order
// (x - 1) + 8 * (y - 1), where the attack tables apply unchanged.
#include "engine/EngineWeights.h"
#include "engine/SearchCounters.h"
#include "notation/Notation.h"
#include "rules/Bitboard.h"
#include "rules/FastPosition.h"
#include "rules/Position.h"

#include <array>
#include <atomic>
#include <vector>

namespace quarvelin {

class Search {
public:
    Search(const Position& p, const EngineWeights& weights, NotationCode notation);

    float evalue_position(Colour m, SearchCounters& c);
    // The evaluation's terms for m against the other side, with no mate probe or check bonus
    // and no counter: what a quiet position is worth.
    float balance(Colour m) const;
    // The pieces of f in place of the board's, each at the display index `display[square]`;
    // the state values (move count, castling, en passant) stay those the search began with.
    void setPieces(const FastPosition& f, const std::array<int, 64>& display);
    float mobilite_piece(int x, int y) const;
    float bonus_roque(int x, int y, int tx, int ty) const;
    // Searches for `colour` from the current depth of c; the board is back as it was after.
    SearchResult cherche_coup(Colour colour, SearchCounters& c);

    // Root search restricted to the pieces on the given squares (display indices, scan
    // order), for splitting the root between threads; each piece's best move and score.
    struct BestPiece {
        int from = -1, to = -1;
        float score = -Infinity;
    };
    BestPiece exploreRoot(int square, SearchCounters& c);
    // The root pieces of colour in scan order.
    std::vector<int> rootPieces(Colour colour) const;

    // The root's candidate moves, piece after piece in the search's order: each on-board
    // candidate, and whether the movement rules let it be played. Each one's score is
    // independent of the others' when the pruning is off.
    struct RootCandidate {
        int from, to;
        bool valid;
    };
    std::vector<RootCandidate> rootCandidates(int square) const;
    float rootScore(const RootCandidate& c, SearchCounters& counters);
    SearchResult result(Colour colour, int from, int to, float best, const SearchCounters& c) const;

    // White's move texts carry n instead of MoveCount when n > 0.
    void numberTexts(int n) { textNumber_ = n; }

    // Checked between pieces; a cancelled search returns early with meaningless results.
    void cancel(const std::atomic<bool>* flag) { cancel_ = flag; }
    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    const Position& position() const { return pos_; }

private:
    struct Found {
        float best = -Infinity;
        int from = -1, to = -1;
        bool mate = false; // the result text would be "MAT"
        bool stalemate = false;
    };
    Found search(Colour colour, SearchCounters& c);
    float explore_piece(int sq, int& bestTo, float best, SearchCounters& c);
    template <typename F> void walkCandidates(int sq, F&& f) const;
    float escaping(int sq) const;
    float candidate(int from, int to, PieceCode piece, Colour colour, float escape,
                    SearchCounters& c);
    bool coup_valide(int from, int to, PieceCode piece, Colour colour) const;
    bool castlingValid(int from, int to, Colour colour) const;

    int attackers(Colour pawnColour, int sq, Colour colour) const;
    int mobilityUnits(int sq) const;
    int king(Colour colour) const;

    void put(int sq, PieceCode piece);
    void remove(int sq);

    Position pos_; // state values of the root; its Board is kept in step for the result text
    EngineWeights weights_;
    NotationCode notation_;
    int textNumber_ = 0;
    const std::atomic<bool>* cancel_ = nullptr;
    const AttackTables& T_ = tables();

    PieceCode board_[64]; // by display index
    TableBy<PieceCode, Bitboard, 14> byPiece_{};
    TableBy<Colour, Bitboard, 4> byColour_{};
    Bitboard occ_ = 0;
    TableBy<Colour, int, 4> pawnDir_; // row step of each colour's pawns
    TableBy<Colour, int, 4> startRank_;
    TableBy<Colour, int, 4> promotionRank_;
    // Display index a pawn of the colour may take en passant on, or -1.
    TableBy<Colour, int, 4> epCase_;
    TableBy<PieceType, float, 8> unit_; // mobility unit, for this MoveCount
};

} // namespace quarvelin
