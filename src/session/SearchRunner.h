// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the machine's searches run. The desktop program runs them on a worker thread and hands
// the result back to the GUI thread; the command line and the tests run them in place.
#include "engine/Engine.h"

#include <functional>

namespace quarvelin {

class SearchRunner {
public:
    using End = std::function<void(const SearchResult&, const SearchCounters&)>;
    virtual ~SearchRunner() = default;
    // Searches a copy; `fin` runs on the caller's thread once the search is over, never after
    // cancel().
    virtual void launch(const SearchRequest& request, const SearchCounters& counters,
                        const EngineCallbacks& callbacks, End end) = 0;
    virtual void cancel() = 0;
    // The evaluations the game asks for outside a search: the player's move, a draw offer, a
    // repetition in automatic play. Short enough to run in place.
    virtual float evaluate(const Position& p, Colour mover, const EngineWeights& weights) {
        return evaluatePosition(p, mover, weights);
    }
};

// Searches before returning.
class SynchronousSearch : public SearchRunner {
public:
    void launch(const SearchRequest& request, const SearchCounters& counters,
                const EngineCallbacks& callbacks, End end) override {
        SearchCounters c = counters;
        SearchResult r = searchMove(request, c, callbacks);
        end(r, c);
    }
    void cancel() override {}
};

} // namespace quarvelin
