// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine written straight from its description, slow and plain: the oracle the fast engine
// must match bit for bit (moves, scores, texts and counters).
#include "engine/EngineWeights.h"
#include "engine/SearchCounters.h"
#include "notation/Notation.h"
#include "rules/Position.h"

namespace quarvelin::reference {

struct Context {
    Position& pos; // the search makes and unmakes moves on pos.Board only
    const EngineWeights& weights;
    SearchCounters& counters;
    NotationCode notation; // for the result text
};

// Score of the board just after colour m moved, seen from m; -Infinity when m's king is attacked.
float evalue_position(Context& ctx, Colour m);
// Mobility of the piece on (x, y), in units worth NOTE_MOBILITE + MoveCount * MOBILITE_EVOLUTIVE.
float mobilite_piece(Context& ctx, int x, int y);
// NOTE_ROQUE or 0 for the king that has just moved from (x, y) to (tx, ty) along its row.
float bonus_roque(Context& ctx, int x, int y, int tx, int ty);
// The move of colour at the ply counters.SearchDepth, or "MAT" / "PAT".
SearchResult cherche_coup(Context& ctx, Colour colour);

} // namespace quarvelin::reference
