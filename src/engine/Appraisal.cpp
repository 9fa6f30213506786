// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis's search: the rules' move generator for the tree, the engine's evaluation at
// its quiet leaves. The engine's own search scores a move by its kind as much as by what it
// leads to, which is right for choosing a move and wrong for judging one.
#include "engine/Engine.h"
#include "engine/Search.h"
#include "rules/FastPosition.h"

#include <algorithm>
#include <thread>

namespace quarvelin {

namespace {

constexpr float MateValue = 100000.0f;
constexpr int MaxCaptureDepth = 12; // beyond it a capture chain is cut and valued as it stands

// The value of a piece for ordering captures: most valuable victim, least valuable attacker.
constexpr int orderValue(PieceCode p) {
    constexpr int byType[8] = {0, 0, 1, 5, 3, 3, 9, 20};
    return byType[code(pieceType(p))];
}

class Appraiser {
public:
    Appraiser(const Position& root, const EngineWeights& weights)
        : eval_(root, weights, NotationCode::Pgn) {
        for (int sq = 0; sq < 64; ++sq) {
            const Square s = displayedSquare(sq, root.PlayerColour);
            display_[static_cast<std::size_t>(sq)] = (s.x - 1) + 8 * (s.y - 1);
        }
    }

    // The value of p for its side to move, `depth` full half-moves then captures.
    float search(const FastPosition& p, int depth, int ply, float alpha, float beta) {
        if (depth <= 0) return captures(p, ply, alpha, beta, 0);
        MoveList list;
        p.generate(list);
        if (list.size == 0) return p.isInCheck() ? -(MateValue - static_cast<float>(ply)) : 0.0f;
        order(p, list);
        for (FastMove m : list) {
            const float v = -search(p.after(m), depth - 1, ply + 1, -beta, -alpha);
            if (v > alpha) {
                alpha = v;
                if (alpha >= beta) break;
            }
        }
        return alpha;
    }

    std::int64_t evaluations = 0;
    bool stop(const std::atomic<bool>* cancel) const {
        return cancel && cancel->load(std::memory_order_relaxed);
    }

private:
    float captures(const FastPosition& p, int ply, float alpha, float beta, int chain) {
        MoveList list;
        p.generate(list);
        const bool check = p.isInCheck();
        if (list.size == 0) return check ? -(MateValue - static_cast<float>(ply)) : 0.0f;
        // In check every reply is searched: standing still is no choice there.
        if (!check || chain >= MaxCaptureDepth) {
            const float still = value(p);
            if (still >= beta || chain >= MaxCaptureDepth) return still;
            alpha = std::max(alpha, still);
        }
        order(p, list);
        for (FastMove m : list) {
            if (!check && !m.isCapture() && m.kind() != PromoQueen) continue;
            const float v = -captures(p.after(m), ply + 1, -beta, -alpha, chain + 1);
            if (v > alpha) {
                alpha = v;
                if (alpha >= beta) break;
            }
        }
        return alpha;
    }

    float value(const FastPosition& p) {
        ++evaluations;
        eval_.setPieces(p, display_);
        return eval_.balance(p.side == 0 ? Colour::White : Colour::Black);
    }

    // Captures first, the most valuable victim by the least valuable piece; then promotions.
    static void order(const FastPosition& p, MoveList& list) {
        auto rank = [&](FastMove m) {
            int r = 0;
            if (m.isCapture())
                r = 100 + 10 * (m.kind() == EnPassant ? 1 : orderValue(p.at(m.to()))) -
                    orderValue(p.at(m.from()));
            if (m.isPromotion()) r += 50 + orderValue(pieceOf(m.promotionType(), Colour::White));
            return r;
        };
        std::stable_sort(list.moves, list.moves + list.size,
                         [&](FastMove a, FastMove b) { return rank(a) > rank(b); });
    }

    Search eval_;
    std::array<int, 64> display_{};
};

MoveAppraisal appraisal(const Move& move, float v) {
    MoveAppraisal a{move, v, 0};
    const float magnitude = v < 0 ? -v : v;
    if (magnitude > MateValue - 1000) {
        // v = ±(MateValue - ply of the mate); a mate on ply n is (n + 1) / 2 moves away.
        const int moves = (static_cast<int>(MateValue - magnitude + 0.5f) + 1) / 2;
        a.mate = v > 0 ? moves : -moves;
        a.value = (v > 0 ? 1.0f : -1.0f) * (MateValue - 100.0f * static_cast<float>(moves));
    }
    return a;
}

} // namespace

std::vector<MoveAppraisal> appraiseMoves(const Position& p, const EngineWeights& weights, int plies,
                                         int threads, SearchCounters& counters,
                                         const std::atomic<bool>* cancel) {
    const FastPosition root = FastPosition::from(p);
    MoveList list;
    root.generate(list);
    std::vector<MoveAppraisal> out(static_cast<std::size_t>(list.size));
    std::vector<char> done(out.size(), 0);
    const int workers = std::clamp(threads, 1, 8);
    std::vector<std::int64_t> evaluations(static_cast<std::size_t>(workers), 0);
    std::atomic<std::size_t> next{0};
    auto work = [&](int t) {
        Appraiser a(p, weights);
        for (std::size_t i; (i = next.fetch_add(1)) < out.size();) {
            if (a.stop(cancel)) break;
            const FastMove m = list.moves[i];
            const float v =
                -a.search(root.after(m), std::max(plies, 0), 1, -2 * MateValue, 2 * MateValue);
            out[i] = appraisal(moveFrom(p, m), v);
            done[i] = 1;
        }
        evaluations[static_cast<std::size_t>(t)] = a.evaluations;
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < workers; ++t) pool.emplace_back(work, t);
    work(0);
    for (auto& th : pool) th.join();
    for (std::int64_t e : evaluations) counters.PositionsEvaluated += static_cast<std::int32_t>(e);
    counters.MovesExamined += list.size;
    std::vector<MoveAppraisal> finished;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (done[i]) finished.push_back(out[i]);
    return finished;
}

} // namespace quarvelin
