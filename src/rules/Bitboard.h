// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Attack tables for the fast move generator: absolute squares a1 = 0 .. h8 = 63.
#include <bit>
#include <cstdint>
#if defined(__BMI2__)
#include <immintrin.h>
#endif

namespace quarvelin {

using Bitboard = std::uint64_t;

constexpr Bitboard bb(int sq) { return Bitboard{1} << sq; }
inline int lsb(Bitboard b) { return std::countr_zero(b); }
inline int popLsb(Bitboard& b) {
    int s = lsb(b);
    b &= b - 1;
    return s;
}
inline int popcount(Bitboard b) { return std::popcount(b); }

constexpr Bitboard Rank1 = 0xFFull, Rank8 = Rank1 << 56;
constexpr Bitboard Rank3 = Rank1 << 16, Rank6 = Rank1 << 40;
constexpr Bitboard FileA = 0x0101010101010101ull, FileH = FileA << 7;

struct AttackTables {
    Bitboard knight[64];
    Bitboard king[64];
    Bitboard pawn[2][64];     // [0] squares a white pawn on sq attacks, [1] black
    Bitboard between[64][64]; // strictly between two aligned squares
    Bitboard line[64][64];    // the whole line through two aligned squares, 0 otherwise

    struct Magic {
        Bitboard mask;
        Bitboard magic;
        Bitboard* attacks;
        unsigned shift;
        // Processors with BMI2 extract the mask's bits in one instruction; others multiply.
        unsigned index(Bitboard occ) const {
#if defined(__BMI2__)
            return static_cast<unsigned>(_pext_u64(occ, mask));
#else
            return static_cast<unsigned>(((occ & mask) * magic) >> shift);
#endif
        }
    };
    Magic rook[64];
    Magic bishop[64];
    Bitboard rookTable[0x19000];
    Bitboard bishopTable[0x1480];

    AttackTables();
};

// Built once, on first use, from any thread.
const AttackTables& tables();

inline Bitboard rookAttacks(const AttackTables& T, int sq, Bitboard occ) {
    const auto& m = T.rook[sq];
    return m.attacks[m.index(occ)];
}
inline Bitboard bishopAttacks(const AttackTables& T, int sq, Bitboard occ) {
    const auto& m = T.bishop[sq];
    return m.attacks[m.index(occ)];
}
inline Bitboard rookAttacks(int sq, Bitboard occ) {
    const auto& m = tables().rook[sq];
    return m.attacks[m.index(occ)];
}
inline Bitboard bishopAttacks(int sq, Bitboard occ) {
    const auto& m = tables().bishop[sq];
    return m.attacks[m.index(occ)];
}

} // namespace quarvelin
