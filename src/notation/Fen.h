// SPDX-License-Identifier: GPL-3.0-or-later
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

std::string writeFen(const Position& p);

// Reads a whole FEN (the half-move clock and move number may be left out) into a position
// shown with playerColour at the bottom. Refused, with a reason, unless it is a position that
// can stand: eight ranks of eight squares, one king a side, no pawn on the first or last rank,
// the side not to move not in check; reason then says why. Castling
// rights and an en-passant square that the position cannot have are dropped.
std::optional<Position> readFen(std::string_view fen, Colour playerColour,
                                FenProblem* reason = nullptr);

// One character per square in display order, the piece code + 32.
std::string positionKey(const Position& p);
// A key applied to `current`'s orientation and state values; refused like a FEN.
std::optional<Position> readPositionKey(std::string_view key, const Position& current);

// Whether the position can stand (the checks readFen makes); the reason when not.
bool isPositionValid(const Position& p, FenProblem* reason = nullptr);

enum class PasteResult { Ignore, Refuse, Fen, Key };

// A pasted text: a position key (64 characters, no "/"), a FEN (has "/", under 100
// characters) or neither (ignored). A refused one leaves pos as it was.
PasteResult pastePosition(std::string_view text, Position& pos);

} // namespace quarvelin
