// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine's one way in: the desktop program, the command line, UCI, network and automatic
// play all search through it. It searches its own copy of the position, reports progress
// through callbacks and can be cancelled from another thread.
#include "engine/EngineWeights.h"
#include "engine/SearchCounters.h"
#include "notation/Notation.h"
#include "rules/Move.h"
#include "rules/Position.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace quarvelin {

// `best` and `log` are called on the thread that called searchMove, with its
// counters up to date; `progression` may come from the search's threads, one call at a time.
struct EngineCallbacks {
    // Each time the root's best move rises: the move's text and its score.
    std::function<void(const std::string& text, float score)> best;
    // After each root piece: the counters so far.
    std::function<void(const SearchCounters&)> progression;
    // Log lines, when the log is kept (header, each rise at the root, closing line).
    std::function<void(const std::string& line)> log;
};

struct SearchRequest {
    Position position;
    Colour colour = Colour::White; // the side searched
    EngineWeights weights;
    NotationCode notation = NotationCode::French;
    int threads = 2;
    // The number White's move texts carry, when it is not MoveCount (which the evaluation
    // reads); 0 for MoveCount.
    int moveNumber = 0;
    // The log's header line before the time ("Move no. 12 - White - "); none when empty.
    std::string logHeader;
};

// A root search (SearchDepth 0) on the counters given, which the caller resets before a
// machine move. With ALPHA_BETA off the root's pieces are shared between threads: every
// result and counter stays that of the one-thread search.
SearchResult searchMove(const SearchRequest& request, SearchCounters& counters,
                        const EngineCallbacks& callbacks = {},
                        const std::atomic<bool>* cancel = nullptr);

// What a move of the side to move is worth to that side: its replies searched `plies` full
// half-moves deep with alpha-beta, then captures until the position is quiet, each quiet
// position valued by the evaluation's own terms (material, mobility, defence, attack; none
// of the bonuses that steer the engine towards a kind of move). `mate` is the number of
// moves to mate, > 0 when the side to move mates and < 0 when it is mated; `value` is then
// 100000 - 100 * moves, signed.
struct MoveAppraisal {
    Move move;
    float value = 0;
    int mate = 0;
};

// Every legal move of p, each searched with a full window of its own, so each value is
// exact and not a bound of the pruning; in the generator's order. The weights' PROFONDEUR_MAX,
// ALPHA_BETA and bonuses are not read. Cancelled, the list is cut short.
std::vector<MoveAppraisal> appraiseMoves(const Position& p, const EngineWeights& weights, int plies,
                                         int threads, SearchCounters& counters,
                                         const std::atomic<bool>* cancel = nullptr);

// evalue_position outside a search: the score of p for the side that has just moved.
float evaluatePosition(const Position& p, Colour mover, const EngineWeights& weights);

// Scores as the log and the windows write them: the shortest decimal form of the float.
std::string scoreText(float score);

} // namespace quarvelin
