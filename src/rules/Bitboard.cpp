// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Bitboard.h"

#include <initializer_list>

namespace quarvelin {

namespace {

bool onBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

Bitboard slide(int sq, Bitboard occ, const int (*dirs)[2]) {
    Bitboard result = 0;
    for (int d = 0; d < 4; ++d) {
        int f = (sq & 7) + dirs[d][0], r = (sq >> 3) + dirs[d][1];
        while (onBoard(f, r)) {
            result |= bb(f + 8 * r);
            if (occ & bb(f + 8 * r)) break;
            f += dirs[d][0];
            r += dirs[d][1];
        }
    }
    return result;
}

constexpr int RookDirs[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
constexpr int BishopDirs[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};

// Found once by the trial search below; kept so start-up does not repeat it.
constexpr Bitboard RookMagics[64] = {
    0x1080004008801020ull, 0x0840092002c03000ull, 0x1900200010400900ull, 0x0880100008000480ull,
    0x4200100420080200ull, 0x8100020100080400ull, 0x0200040110886200ull, 0x0200008040220411ull,
    0x0404800084400220ull, 0x0000401000402000ull, 0x0086001081220440ull, 0x0408800800100280ull,
    0x000a001201040820ull, 0x8848800200840080ull, 0x4001000100040200ull, 0x0442000102105084ull,
    0x9080010020804100ull, 0x0040404000201009ull, 0x0000808010002009ull, 0x2200090021d00100ull,
    0x0008008008040080ull, 0x0004004002010040ull, 0x0011040008015042ull, 0x00000a0001768104ull,
    0x0000800080204009ull, 0x2010004140002001ull, 0x9800200280100080ull, 0x1000100080080080ull,
    0x0442000a00049020ull, 0x2100040080020080ull, 0x0800120400900148ull, 0x0010040a00128541ull,
    0x2800804000800030ull, 0x1010002000400041ull, 0x4000200011004100ull, 0x0610008410800800ull,
    0x0400802402800800ull, 0xc100020080800400ull, 0x0002000802000401ull, 0x0182085882000401ull,
    0x0220204000808000ull, 0x2860100040024022ull, 0x0001002004110040ull, 0x99101042000a0020ull,
    0x0004080004008080ull, 0x0010040002008080ull, 0x2012004881020004ull, 0x8300842444820011ull,
    0x0088403882010200ull, 0x0820400080210100ull, 0x0110910040a00300ull, 0x0801100280080480ull,
    0x0242009008200600ull, 0x1002000489500200ull, 0x0040800200010080ull, 0x0091800041000080ull,
    0x0000209300488001ull, 0x04c1002414824001ull, 0x020020000b001041ull, 0x7000100004200901ull,
    0x8002002004100802ull, 0x30010002084c0007ull, 0x0888221800813004ull, 0x4000002840840112ull,
};
constexpr Bitboard BishopMagics[64] = {
    0x1010900200902200ull, 0x0260046086204080ull, 0x0804087081012c80ull, 0x0008208a240a1084ull,
    0x0004042080020020ull, 0x8019100210008080ull, 0x0400480444212004ull, 0xa200240c02882800ull,
    0xa0a0042008410102ull, 0x064a08010802004aull, 0x0008080204322440ull, 0x0031280600400200ull,
    0x0000240504100c00ull, 0x1404020804040400ull, 0x39a0042104022012ull, 0x0000802092101005ull,
    0x0010602420021c44ull, 0x2020000802841044ull, 0x15c0800802031022ull, 0x0084000804240800ull,
    0x0013002820080001ull, 0x050102008080c008ull, 0x8040882062082000ull, 0x5001840044208810ull,
    0x0002400110108201ull, 0x0110080022424421ull, 0x0800a60410040844ull, 0x1144040080410200ull,
    0x0106001002005001ull, 0x1811050012048080ull, 0x80020c0800410800ull, 0x8001204011040880ull,
    0x048484404a200284ull, 0x0000901004040480ull, 0x5224004800210204ull, 0x05a6008020020201ull,
    0x0010220200002008ull, 0x0632080201404044ull, 0x100801004c010818ull, 0x0011012601a10444ull,
    0x0004112441071021ull, 0x8812021004060314ull, 0x0000082690000801ull, 0xc000020212000400ull,
    0x0000084104002442ull, 0x0081100101100200ull, 0x7288816102018404ull, 0x9408008c0048208aull,
    0x08040c0208440200ull, 0x0000440088080400ull, 0x00200d0290d00160ull, 0x4000000020880008ull,
    0x000840a002048001ull, 0x0001204410208400ull, 0x4040880280861288ull, 0x20103c0800604100ull,
    0x050841040101c000ull, 0x2020102401241040ull, 0x4a12000024020800ull, 0x3201000c00420200ull,
    0xa559000004050408ull, 0x1102440892080a10ull, 0x0400402849046080ull, 0x0060111001090121ull,
};

struct Prng {
    std::uint64_t s;
    std::uint64_t next() {
        s ^= s >> 12;
        s ^= s << 25;
        s ^= s >> 27;
        return s * 2685821657736338717ull;
    }
    std::uint64_t sparse() { return next() & next() & next(); }
};

// Checks each square's known magic and searches a new one only if it collides.
void initMagics(AttackTables::Magic* magics, Bitboard* table, const int (*dirs)[2],
                const Bitboard* known) {
    static Bitboard occupancy[4096], reference[4096];
    static int epoch[4096];
    int currentEpoch = 0;
    Bitboard* next = table;
    Prng rng{0x9E3779B97F4A7C15ull};
    for (int sq = 0; sq < 64; ++sq) {
        int f = sq & 7, r = sq >> 3;
        Bitboard edges =
            ((Rank1 | Rank8) & ~(Rank1 << (8 * r))) | ((FileA | FileH) & ~(FileA << f));
        auto& m = magics[sq];
        m.mask = slide(sq, 0, dirs) & ~edges;
        m.shift = 64 - popcount(m.mask);
        m.attacks = next;
        int size = 0;
        Bitboard b = 0;
        do { // every subset of the mask (Carry-Rippler)
            occupancy[size] = b;
            reference[size++] = slide(sq, b, dirs);
            b = (b - m.mask) & m.mask;
        } while (b);
#if defined(__BMI2__)
        for (int i = 0; i < size; ++i) m.attacks[m.index(occupancy[i])] = reference[i];
        next += size;
        continue;
#endif
        for (bool first = true;; first = false) {
            if (first) {
                m.magic = known[sq];
            } else {
                do m.magic = rng.sparse();
                while (popcount((m.magic * m.mask) >> 56) < 6);
            }
            ++currentEpoch;
            int i = 0;
            for (; i < size; ++i) {
                unsigned idx = m.index(occupancy[i]);
                if (epoch[idx] < currentEpoch) {
                    epoch[idx] = currentEpoch;
                    m.attacks[idx] = reference[i];
                } else if (m.attacks[idx] != reference[i]) {
                    break;
                }
            }
            if (i == size) break;
        }
        next += size;
    }
}

} // namespace

AttackTables::AttackTables() {
    for (int sq = 0; sq < 64; ++sq) {
        int f = sq & 7, r = sq >> 3;
        knight[sq] = king[sq] = pawn[0][sq] = pawn[1][sq] = 0;
        static constexpr int kn[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                         {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
        for (auto& d : kn)
            if (onBoard(f + d[0], r + d[1])) knight[sq] |= bb(f + d[0] + 8 * (r + d[1]));
        for (int df = -1; df <= 1; ++df)
            for (int dr = -1; dr <= 1; ++dr)
                if ((df || dr) && onBoard(f + df, r + dr)) king[sq] |= bb(f + df + 8 * (r + dr));
        for (int df : {-1, 1}) {
            if (onBoard(f + df, r + 1)) pawn[0][sq] |= bb(f + df + 8 * (r + 1));
            if (onBoard(f + df, r - 1)) pawn[1][sq] |= bb(f + df + 8 * (r - 1));
        }
    }
    initMagics(rook, rookTable, RookDirs, RookMagics);
    initMagics(bishop, bishopTable, BishopDirs, BishopMagics);
    for (int a = 0; a < 64; ++a)
        for (int b = 0; b < 64; ++b) {
            between[a][b] = line[a][b] = 0;
            if (a == b) continue;
            for (auto dirs : {RookDirs, BishopDirs}) {
                if (!(slide(a, 0, dirs) & bb(b))) continue;
                line[a][b] = (slide(a, 0, dirs) & slide(b, 0, dirs)) | bb(a) | bb(b);
                between[a][b] = slide(a, bb(b), dirs) & slide(b, bb(a), dirs);
            }
        }
}

const AttackTables& tables() {
    static const AttackTables* t = new AttackTables(); // never freed: lives for the process
    return *t;
}

} // namespace quarvelin
