#pragma once
// The engine's evaluation and search, exact to the counter: every visit order, counter and
// float operation of the plain algorithm, on bitboards indexed in display order
// (x - 1) + 8 * (y - 1), where the attack tables apply unchanged.
#include "engine/PoidsMoteur.h"
#include "engine/SearchCounters.h"
#include "notation/Notation.h"
#include "rules/Bitboard.h"
#include "rules/Position.h"

#include <atomic>
#include <vector>

namespace quarvelin {

class Recherche {
public:
    Recherche(const Position& p, const PoidsMoteur& poids, NotationCode notation);

    float evalue_position(Colour m, SearchCounters& c);
    float mobilite_piece(int x, int y) const;
    float bonus_roque(int x, int y, int tx, int ty) const;
    // Searches for `colour` from the current depth of c; the board is back as it was after.
    ResultatRecherche cherche_coup(Colour colour, SearchCounters& c);

    // Root search restricted to the pieces on the given squares (display indices, scan
    // order), for splitting the root between threads; each piece's best move and score.
    struct MeilleurPiece {
        int from = -1, to = -1;
        float score = -Infinity;
    };
    MeilleurPiece explorer_racine(int square, SearchCounters& c);
    // The root pieces of colour in scan order.
    std::vector<int> pieces_racine(Colour colour) const;

    // The root's candidate moves, piece after piece in the search's order: each on-board
    // candidate, and whether the movement rules let it be played. Each one's score is
    // independent of the others' when the pruning is off.
    struct CandidatRacine {
        int from, to;
        bool valide;
    };
    std::vector<CandidatRacine> candidats_racine(int square) const;
    float score_racine(const CandidatRacine& c, SearchCounters& counters);
    ResultatRecherche resultat(Colour colour, int from, int to, float best,
                               const SearchCounters& c) const;

    // Checked between pieces; a cancelled search returns early with meaningless results.
    void annulation(const std::atomic<bool>* flag) { cancel_ = flag; }
    bool annulee() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    const Position& position() const { return pos_; }

private:
    struct Trouve {
        float best = -Infinity;
        int from = -1, to = -1;
        bool mat = false; // the result text would be "MAT"
        bool pat = false;
    };
    Trouve chercher(int colour, SearchCounters& c);
    float explore_piece(int sq, int& bestTo, float best, SearchCounters& c);
    template <typename F> void parcourir_candidats(int sq, F&& f) const;
    float echappement(int sq) const;
    float candidat(int from, int to, int piece, int colour, float escape, SearchCounters& c);
    bool coup_valide(int from, int to, int piece, int colour) const;
    bool roque_valide(int from, int to, int king, int colour) const;

    int attaquants(int pieceColourForPawns, int sq, int colour) const;
    int unites_mobilite(int sq) const;
    int roi(int colour) const;

    void poser(int sq, int piece);
    void enlever(int sq);

    Position pos_; // state values of the root; its Board is kept in step for the result text
    PoidsMoteur poids_;
    NotationCode notation_;
    const std::atomic<bool>* cancel_ = nullptr;
    const AttackTables& T_ = tables();

    int board_[64];        // piece codes by display index
    Bitboard byPiece_[14]; // by piece code
    Bitboard byColour_[4]; // by colour code
    Bitboard occ_ = 0;
    int dirPion_[4]; // row step of each colour's pawns
    int rangDepart_[4];
    int rangPromotion_[4];
    int epCase_[4];  // display index a pawn of the colour may take en passant on, or -1
    float unite_[8]; // mobility unit by piece type, for this MoveCount
};

} // namespace quarvelin
