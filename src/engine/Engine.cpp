// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Engine.h"

#include "engine/Search.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace quarvelin {

namespace {

std::string time() {
    std::time_t now = std::time(nullptr);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%H:%M:%S", std::localtime(&now));
    return buffer;
}

} // namespace

std::string scoreText(float score) {
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(score),
                           std::chars_format::fixed, 2);
    std::string text(buffer, r.ptr);
    // "52.90" reads "52.9", "4.00" reads "4"; "-0" is no score anyone writes.
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

float evaluatePosition(const Position& p, Colour mover, const EngineWeights& weights) {
    SearchCounters c;
    return Search(p, weights, NotationCode::Pgn).evalue_position(mover, c);
}

SearchResult searchMove(const SearchRequest& d, SearchCounters& c, const EngineCallbacks& callbacks,
                        const std::atomic<bool>* cancel) {
    EngineWeights weights = d.weights;
    weights.PROFONDEUR_MAX = std::clamp<std::int16_t>(weights.PROFONDEUR_MAX, 0, 3);
    c.SearchDepth = 0;
    if (callbacks.log && !d.logHeader.empty()) callbacks.log(d.logHeader + time());

    Search main(d.position, weights, d.notation);
    main.cancel(cancel);
    main.numberTexts(d.moveNumber);
    const std::vector<int> pieces = main.rootPieces(d.colour);
    std::mutex progressMutex;
    auto cancelled = [&] { return cancel && cancel->load(std::memory_order_relaxed); };

    float best = -Infinity;
    int from = -1, to = -1;
    // The root's best rises in scan order; the windows and the log hear of each rise.
    auto rise = [&](float score, int f, int t) {
        best = score;
        from = f;
        to = t;
        if (!callbacks.best && !callbacks.log) return;
        SearchResult step = main.result(d.colour, from, to, best, c);
        if (callbacks.best) callbacks.best(step.text, best);
        if (callbacks.log)
            callbacks.log(" ... " + step.text + " - note : (" + scoreText(best) + ")");
    };

    const int threads = std::clamp(d.threads, 1, 8);
    if (weights.ALPHA_BETA || weights.PROFONDEUR_MAX < 2 || threads == 1) {
        // The pruning reads the root's best as it rises, piece after piece: one thread.
        for (int sq : pieces) {
            if (cancelled()) break;
            Search::BestPiece m = main.exploreRoot(sq, c);
            if (m.score > best) {
                rise(m.score, m.from, m.to);
                if (best > c.BestAtDepth[0]) c.BestAtDepth[0] = best;
            }
            if (callbacks.progression) callbacks.progression(c);
        }
    } else {
        // Without the pruning every root move scores on its own: the moves are shared between
        // threads, then taken in the search's order so the first strict rise still wins.
        std::vector<Search::RootCandidate> tasks;
        std::vector<std::size_t> pieceEnd;
        for (int sq : pieces) {
            auto cands = main.rootCandidates(sq);
            tasks.insert(tasks.end(), cands.begin(), cands.end());
            pieceEnd.push_back(tasks.size());
        }
        c.MovesExamined += static_cast<std::int32_t>(pieces.size() + tasks.size());
        std::vector<float> scores(tasks.size(), -Infinity);
        std::vector<SearchCounters> localCounters(static_cast<std::size_t>(threads), c);
        for (auto& l : localCounters) l.MovesExamined = l.PositionsEvaluated = 0;
        std::vector<SearchCounters> published = localCounters;
        std::atomic<std::size_t> next{0};
        auto work = [&](int t) {
            Search local(d.position, weights, d.notation);
            local.cancel(cancel);
            SearchCounters& lc = localCounters[static_cast<std::size_t>(t)];
            for (std::size_t i; (i = next.fetch_add(1)) < tasks.size();) {
                if (cancelled()) break;
                if (!tasks[i].valid) continue;
                scores[i] = local.rootScore(tasks[i], lc);
                if (callbacks.progression) {
                    // Each thread publishes its own counts; the sum reads only what was published.
                    std::lock_guard lock(progressMutex);
                    published[static_cast<std::size_t>(t)] = lc;
                    SearchCounters sum = c;
                    for (const auto& l : published) {
                        sum.MovesExamined += l.MovesExamined;
                        sum.PositionsEvaluated += l.PositionsEvaluated;
                    }
                    callbacks.progression(sum);
                }
            }
        };
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
        work(0);
        for (auto& th : pool) th.join();
        for (const auto& l : localCounters) {
            c.MovesExamined += l.MovesExamined;
            c.PositionsEvaluated += l.PositionsEvaluated;
            for (std::size_t k = 0; k < 4; ++k)
                c.BestAtDepth[k] = std::max(c.BestAtDepth[k], l.BestAtDepth[k]);
        }
        std::size_t i = 0;
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            float pieceBest = best;
            int pieceTo = -1;
            for (; i < pieceEnd[p]; ++i)
                if (tasks[i].valid && scores[i] > pieceBest) {
                    pieceBest = scores[i];
                    pieceTo = tasks[i].to;
                }
            if (pieceTo >= 0) {
                rise(pieceBest, pieces[p], pieceTo);
                if (best > c.BestAtDepth[0]) c.BestAtDepth[0] = best;
            }
        }
    }
    SearchResult r = main.result(d.colour, from, to, best, c);
    if (callbacks.log)
        callbacks.log(" * Selection : (" + r.text + ") note (" + scoreText(best) +
                      ") - end : " + time());
    return r;
}

} // namespace quarvelin
