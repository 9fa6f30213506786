// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/UciJudge.h"

#include "notation/Fen.h"
#include "rules/MoveRules.h"

namespace quarvelin {

AnalysisScore UciJudge::score(const UciScore& s) {
    if (!s.mate) return {static_cast<float>(s.value), 0};
    const float beyond = 100000.0f - 100.0f * static_cast<float>(s.value < 0 ? -s.value : s.value);
    return {s.value < 0 ? -beyond : beyond, s.value == 0 ? -1 : s.value};
}

std::optional<Judgement> UciJudge::judge(const Position& p, const Move& played) {
    const std::string fen = writeFen(p);
    const std::string mine = uciMove(p, played);
    UciLimits limits;
    limits.movetimeMs = movetimeMs_;
    const std::optional<UciResult> best = engine_.search(fen, {}, limits);
    if (!best || !best->score.known) return std::nullopt;
    Judgement j;
    bool found = false;
    for (const Move& m : legalMoves(p))
        if (uciMove(p, m) == best->bestMove) {
            j.best = m;
            found = true;
        }
    if (!found) return std::nullopt;
    j.bestScore = score(best->score);
    if (best->bestMove == mine) {
        j.playedScore = j.bestScore;
        return j;
    }
    limits.searchMoves = {mine};
    const std::optional<UciResult> alone = engine_.search(fen, {}, limits);
    if (!alone || !alone->score.known) return std::nullopt;
    j.playedScore = score(alone->score);
    // A longer look at the played move alone may find it better than the first search's best.
    if (j.playedScore.value > j.bestScore.value) j.bestScore = j.playedScore;
    return j;
}

std::string UciJudge::unitsLine(const TextCatalogue& catalogue) const {
    return catalogue.text(TextKey::AnalysisCentipawns,
                          {engine_.name(), std::to_string(movetimeMs_)});
}

} // namespace quarvelin
