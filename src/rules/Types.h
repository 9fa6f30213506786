// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The encodings every part of the program shares: piece codes, colours, piece types.
#include <cstddef>
#include <cstdint>

namespace quarvelin {

enum class Colour : std::int8_t { None = 1, White = 2, Black = 3 };

enum class PieceType : std::int8_t { None = 1, Pawn = 2, Rook, Knight, Bishop, Queen, King };

enum class PieceCode : std::int16_t {
    Empty = 1,
    BlackPawn = 2,
    BlackRook,
    BlackKnight,
    BlackBishop,
    BlackQueen,
    BlackKing,
    WhitePawn = 8,
    WhiteRook,
    WhiteKnight,
    WhiteBishop,
    WhiteQueen,
    WhiteKing,
};

constexpr int code(PieceCode p) { return static_cast<int>(p); }
constexpr int code(PieceType t) { return static_cast<int>(t); }
constexpr int code(Colour c) { return static_cast<int>(c); }

// The colour function: the boundary lies between 7 and 8.
constexpr Colour colourOf(int pieceCode) {
    if (pieceCode == 1) return Colour::None;
    return pieceCode < 8 ? Colour::Black : Colour::White;
}
constexpr Colour colourOf(PieceCode p) { return colourOf(code(p)); }

constexpr PieceType pieceType(int pieceCode) {
    if (pieceCode >= 2 && pieceCode <= 7) return static_cast<PieceType>(pieceCode);
    if (pieceCode >= 8 && pieceCode <= 13) return static_cast<PieceType>(pieceCode - 6);
    return PieceType::None;
}
constexpr PieceType pieceType(PieceCode p) { return pieceType(code(p)); }

// 2 <-> 3; anything else gives 0, which is not a colour.
constexpr int opposite(int c) { return c == 2 ? 3 : (c == 3 ? 2 : 0); }
constexpr Colour opposite(Colour c) { return c == Colour::White ? Colour::Black : Colour::White; }

constexpr PieceCode pieceOf(PieceType t, Colour c) {
    return static_cast<PieceCode>(code(t) + (c == Colour::White ? 6 : 0));
}

// A small table indexed by colour, piece code or piece type: lookups take the typed value and
// compile to a plain array access.
template <typename Key, typename T, std::size_t N> struct TableBy {
    T values[N];
    constexpr T& operator[](Key k) { return values[code(k)]; }
    constexpr const T& operator[](Key k) const { return values[code(k)]; }
};

constexpr bool isPiece(PieceCode p) { return code(p) >= 2 && code(p) <= 13; }

// Letters indexed by piece code - 1: French and the English ones position strings use.
inline constexpr char FrenchLetters[] = ".ptcfdrPTCFDR";
inline constexpr char EnglishLetters[] = ".prnbqkPRNBQK";

constexpr short smaller(short a, short b) { return a < b ? a : b; }
constexpr short larger(short a, short b) { return a > b ? a : b; }

} // namespace quarvelin
