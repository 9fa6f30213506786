// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notation the user chose for move texts, and the piece letters of each.
#include "rules/Types.h"

#include <cstdint>
#include <string_view>

namespace quarvelin {

enum class NotationCode : std::uint8_t { International = 0, French = 1, Pgn = 2 };

// Letters of rook, knight, bishop, queen, king (index PieceType - 3); empty for international.
constexpr std::string_view pieceLetters(NotationCode n) {
    switch (n) {
    case NotationCode::French:
        return "TCFDR";
    case NotationCode::Pgn:
        return "RNBQK";
    default:
        return "";
    }
}

// The letter of a piece in a notation; no letter for pawns or in the international notation.
constexpr char pieceLetter(PieceType t, NotationCode n) {
    std::string_view l = pieceLetters(n);
    int i = static_cast<int>(t) - 3;
    return (i >= 0 && i < static_cast<int>(l.size())) ? l[static_cast<std::size_t>(i)] : '\0';
}

// A promotion letter of either notation (Q/D queen, R/T rook, B/F bishop, N/C knight, any case).
constexpr PieceType promotionPiece(char c) {
    switch (c) {
    case 'Q':
    case 'q':
    case 'D':
    case 'd':
        return PieceType::Queen;
    case 'R':
    case 'r':
    case 'T':
    case 't':
        return PieceType::Rook;
    case 'B':
    case 'b':
    case 'F':
    case 'f':
        return PieceType::Bishop;
    case 'N':
    case 'n':
    case 'C':
    case 'c':
        return PieceType::Knight;
    default:
        return PieceType::None;
    }
}

} // namespace quarvelin
