#pragma once
// Position strings: FEN and the 64-character position key.
#include "rules/Position.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarvelin {
// Why a position string was refused.
enum class FenProblem : std::uint8_t {
    None,
    FieldCount,
    Ranks,
    UnknownCharacter,
    SideToMove,
    Castling,
    EnPassant,
    Counters,
    Kings,
    PawnOnEdge,
    SideNotToMoveInCheck,
};

std::string ecrire_fen(const Position& p);

// Reads a whole FEN (the half-move clock and move number may be left out) into a position
// shown with playerColour at the bottom. Refused, with a reason, unless it is a position that
// can stand: eight ranks of eight squares, one king a side, no pawn on the first or last rank,
// the side not to move not in check; raison then says why. Castling
// rights and an en-passant square that the position cannot have are dropped.
std::optional<Position> lire_fen(std::string_view fen, Colour playerColour,
                                 FenProblem* raison = nullptr);

// One character per square in display order, the piece code + 32.
std::string cle_position(const Position& p);
// A key applied to `current`'s orientation and state values; refused like a FEN.
std::optional<Position> lire_cle_position(std::string_view key, const Position& current);

// Whether the position can stand (the checks lire_fen makes); the reason when not.
bool position_admissible(const Position& p, FenProblem* raison = nullptr);

enum class CollerResultat { Ignore, Refuse, Fen, Cle };

// A pasted text: a position key (64 characters, no "/"), a FEN (has "/", under 100
// characters) or neither (ignored). A refused one leaves pos as it was.
CollerResultat coller_position(std::string_view text, Position& pos);

} // namespace quarvelin
