// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The position in absolute orientation with bitboards, for legal move generation and perft.
// The program's position (display orientation) converts to and from it without loss.
#include "rules/Bitboard.h"
#include "rules/FastMove.h"
#include "rules/Position.h"

#include <cstdint>

namespace quarvelin {

class FastPosition {
public:
    // Index 0 = White, 1 = Black for colours; piece type code - 2 (pawn 0 .. king 5) for kinds.
    Bitboard pieces[2][6]{};
    Bitboard occupied[2]{};
    std::uint8_t board[64]{}; // piece codes, 1 for empty: bytes keep the copies per move small
    int side = 0;
    std::uint8_t castling = 0; // CastlingRight bits
    int epSquare = -1;         // square a pawn of the side to move may capture on
    int halfmove = 0;
    int fullmove = 1;

    FastPosition();
    static FastPosition from(const Position& p);
    // Writes the pieces and state into p, keeping p's PlayerColour.
    void to(Position& p) const;

    Bitboard all() const { return occupied[0] | occupied[1]; }
    int kingSquare(int c) const { return lsb(pieces[c][5]); }
    PieceCode at(int sq) const { return static_cast<PieceCode>(board[sq]); }
    bool isInCheck() const { return attackers(kingSquare(side), all()) & occupied[side ^ 1]; }
    // Pieces of both colours attacking sq given the occupancy occ.
    Bitboard attackers(int sq, Bitboard occ) const;

    void generate(MoveList& list) const; // legal moves only
    void play(FastMove m);               // m must be legal
    FastPosition after(FastMove m) const {
        FastPosition p = *this;
        p.play(m);
        return p;
    }
    std::uint64_t perft(int depth) const;

    void put(int sq, PieceCode piece);
    void remove(int sq);
};

} // namespace quarvelin
