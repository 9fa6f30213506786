// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A UCI engine as the analysis's judge: each position searched for a fixed time, the played move
// searched alone for the same time when it is not the engine's choice. Scores in centipawns.
#include "session/GameAnalysis.h"
#include "uci/UciEngine.h"

namespace quarvelin {

class UciJudge : public MoveJudge {
public:
    // `engine` is started by the caller and outlives the judge.
    UciJudge(UciEngine& engine, int movetimeMs) : engine_(engine), movetimeMs_(movetimeMs) {}
    std::optional<Judgement> judge(const Position& p, const Move& played) override;
    std::string unitsLine(const TextCatalogue& catalogue) const override;

    // A UCI score as the analysis compares it: mates beyond every centipawn score, the nearer
    // mate the larger.
    static AnalysisScore score(const UciScore& s);

private:
    UciEngine& engine_;
    int movetimeMs_;
};

} // namespace quarvelin
