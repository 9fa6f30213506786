#pragma once
// The engine written straight from its description, slow and plain: the oracle the fast engine
// must match bit for bit (moves, scores, texts and counters).
#include "engine/PoidsMoteur.h"
#include "engine/SearchCounters.h"
#include "notation/Notation.h"
#include "rules/Position.h"

namespace quarvelin::reference {

struct Contexte {
    Position& pos; // the search makes and unmakes moves on pos.Board only
    const PoidsMoteur& poids;
    SearchCounters& compteurs;
    NotationCode notation; // for the result text
};

// Score of the board just after colour m moved, seen from m; -Infinity when m's king is attacked.
float evalue_position(Contexte& ctx, Colour m);
// Mobility of the piece on (x, y), in units worth NOTE_MOBILITE + MoveCount * MOBILITE_EVOLUTIVE.
float mobilite_piece(Contexte& ctx, int x, int y);
// NOTE_ROQUE or 0 for the king that has just moved from (x, y) to (tx, ty) along its row.
float bonus_roque(Contexte& ctx, int x, int y, int tx, int ty);
// The move of colour at the ply compteurs.SearchDepth, or "MAT" / "PAT".
ResultatRecherche cherche_coup(Contexte& ctx, Colour colour);

} // namespace quarvelin::reference
