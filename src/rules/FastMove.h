// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A move of the fast generator in 16 bits: from, to (absolute squares) and a kind.
#include "rules/Types.h"

#include <cstdint>

namespace quarvelin {

enum MoveKind : std::uint8_t {
    Quiet = 0,
    DoublePush = 1,
    CastleShort = 2,
    CastleLong = 3,
    Capture = 4,
    EnPassant = 5,
    PromoKnight = 8,
    PromoBishop = 9,
    PromoRook = 10,
    PromoQueen = 11, // + Capture for a capture
};

struct FastMove {
    std::uint16_t data = 0;

    constexpr FastMove() = default;
    constexpr FastMove(int from, int to, int kind)
        : data(static_cast<std::uint16_t>(from | (to << 6) | (kind << 12))) {}
    constexpr int from() const { return data & 63; }
    constexpr int to() const { return (data >> 6) & 63; }
    constexpr int kind() const { return data >> 12; }
    constexpr bool isPromotion() const { return kind() & 8; }
    constexpr bool isCapture() const { return (kind() & 4) != 0; }
    constexpr bool isCastle() const { return kind() == CastleShort || kind() == CastleLong; }
    // The piece type a promotion makes.
    constexpr PieceType promotionType() const {
        constexpr PieceType types[4] = {PieceType::Knight, PieceType::Bishop, PieceType::Rook,
                                        PieceType::Queen};
        return types[kind() & 3];
    }
    constexpr bool operator==(const FastMove&) const = default;
};

struct MoveList {
    FastMove moves[256];
    int size = 0;
    void add(FastMove m) { moves[size++] = m; }
    const FastMove* begin() const { return moves; }
    const FastMove* end() const { return moves + size; }
};

} // namespace quarvelin
