// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A move message checked against the receiver's board before it touches it.
#include "network/Protocol.h"
#include "rules/Move.h"
#include "rules/Position.h"

#include <optional>

namespace quarvelin::net {

// The move as the receiver's board sees it (each coordinate d of the sender is 9 - d here), when
// it is the sender's turn, the origin holds a piece of the sender's colour, a pawn reaching the
// last rank names its piece, and the rules accept the move. Nothing otherwise.
std::optional<Move> receivedMove(const Position& board, const Message& m, Colour sender);

} // namespace quarvelin::net
