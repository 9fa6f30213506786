#pragma once
// The engine's evaluation and search, exact to the counter: every visit order, counter and
// float operation of the plain algorithm, on bitboards indexed in display order
// (x - 1) + 8 * (y - 1), where the attack tables apply unchanged.
#include "engine/EngineWeights.h"
#include "engine/SearchCounters.h"
#include "notation/Notation.h"
#include "rules/Bitboard.h"
#include "rules/Position.h"

#include <atomic>
#include <vector>

namespace quarvelin {

class Search {
public:
    Search(const Position& p, const EngineWeights& weights, NotationCode notation);

    float evalue_position(Colour m, SearchCounters& c);
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
    Found search(int colour, SearchCounters& c);
    float explore_piece(int sq, int& bestTo, float best, SearchCounters& c);
    template <typename F> void walkCandidates(int sq, F&& f) const;
    float escaping(int sq) const;
    float candidate(int from, int to, int piece, int colour, float escape, SearchCounters& c);
    bool coup_valide(int from, int to, int piece, int colour) const;
    bool castlingValid(int from, int to, int king, int colour) const;

    int attackers(int pieceColourForPawns, int sq, int colour) const;
    int mobilityUnits(int sq) const;
    int king(int colour) const;

    void put(int sq, int piece);
    void remove(int sq);

    Position pos_; // state values of the root; its Board is kept in step for the result text
    EngineWeights weights_;
    NotationCode notation_;
    const std::atomic<bool>* cancel_ = nullptr;
    const AttackTables& T_ = tables();

    int board_[64];        // piece codes by display index
    Bitboard byPiece_[14]; // by piece code
    Bitboard byColour_[4]; // by colour code
    Bitboard occ_ = 0;
    int pawnDir_[4]; // row step of each colour's pawns
    int startRank_[4];
    int promotionRank_[4];
    int epCase_[4]; // display index a pawn of the colour may take en passant on, or -1
    float unit_[8]; // mobility unit by piece type, for this MoveCount
};

} // namespace quarvelin
