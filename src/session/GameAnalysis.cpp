// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/GameAnalysis.h"

#include "engine/Engine.h"
#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <algorithm>

namespace quarvelin {

BuiltInJudge::BuiltInJudge(const EngineWeights& weights, int depth, int threads)
    : weights_(weights), depth_(std::clamp(depth, 1, 3)), threads_(threads) {}

std::optional<Judgement> BuiltInJudge::judge(const Position& p, const Move& played) {
    SearchCounters counters;
    const std::vector<MoveAppraisal> moves = appraiseMoves(p, weights_, depth_, threads_, counters);
    evaluations_ += counters.PositionsEvaluated;
    // The generator's own form of the played move: a promotion named, a queen when none was.
    const Move mine = moveFrom(p, fastMove(p, played));
    std::optional<Judgement> out;
    const MoveAppraisal* playedOne = nullptr;
    for (const MoveAppraisal& m : moves) {
        if (m.move == mine) playedOne = &m;
        if (!out || m.value > out->bestScore.value) {
            if (!out) out.emplace();
            out->best = m.move;
            out->bestScore = {m.value, m.mate};
        }
    }
    if (!out || !playedOne) return std::nullopt;
    out->playedScore = {playedOne->value, playedOne->mate};
    return out;
}

std::string BuiltInJudge::unitsLine(const TextCatalogue& catalogue) const {
    return catalogue.text(TextKey::AnalysisEngineUnits, {std::to_string(depth_)});
}

const char* markSymbol(MoveMark mark) {
    switch (mark) {
    case MoveMark::Inaccuracy:
        return "?!";
    case MoveMark::Mistake:
        return "?";
    case MoveMark::Blunder:
        return "??";
    default:
        return "";
    }
}

int GameAnalysis::count(MoveMark mark) const {
    return static_cast<int>(
        std::count_if(moves.begin(), moves.end(), [&](const auto& v) { return v.mark == mark; }));
}

GameLine lineFromTexts(const Position& start, const std::vector<std::string>& texts) {
    GameLine line;
    line.start = start;
    Position p = start;
    for (const std::string& text : texts) {
        // The move number in front ("12.", "12...") is no part of the move.
        std::string_view v = text;
        while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        const std::size_t dot = v.find_last_of('.');
        if (dot != std::string_view::npos && v.find_first_not_of("0123456789.") > dot)
            v.remove_prefix(dot + 1);
        if (v.empty()) continue;
        std::string t(v);
        const Colour side = p.sideToMove();
        const std::string token = t;
        ReadMove parsed = lire_coup(p, side, NotationCode::Pgn, t);
        Move c = parsed.move();
        if (!parsed.readable || parsed.isResult() || !isLegal(p, c)) {
            line.ok = false;
            line.errorNumber = side == Colour::White ? p.MoveCount + 1 : p.MoveCount;
            line.errorToken = token;
            return line;
        }
        line.moves.push_back(playMove(p, c).move);
    }
    return line;
}

GameLine readMainLine(const PgnGame& game) {
    Position start = Position::initial();
    if (const std::string* fen = game.tag("FEN")) {
        auto read = readFen(*fen, Colour::White);
        if (!read) {
            GameLine line;
            line.ok = false;
            line.errorToken = "[FEN \"" + *fen + "\"]";
            return line;
        }
        start = *read;
    }
    return lineFromTexts(start, game.moves);
}

AnalysisCurves analysisCurves(const Position& start, const GameAnalysis& analysis) {
    AnalysisCurves out;
    // The moves themselves are not needed: sides alternate and White's moves raise the number.
    Colour side = start.sideToMove();
    int number = start.MoveCount;
    for (const MoveVerdict& v : analysis.moves) {
        if (side == Colour::White) ++number;
        auto& curve = side == Colour::White ? out.white : out.black;
        const auto k = static_cast<std::size_t>(number);
        if (curve.size() <= k) curve.resize(k + 1, 0.0f);
        curve[k] = v.played.value;
        side = opposite(side);
    }
    return out;
}

GameAnalysis analyseGame(const Position& start, const std::vector<Move>& moves, MoveJudge& judge,
                         const AnalysisThresholds& thresholds, const AnalysisProgress& progress,
                         const CancelToken* cancel) {
    GameAnalysis out;
    Position p = start;
    const int total = static_cast<int>(moves.size());
    for (const Move& m : moves) {
        if (cancelled(cancel)) return out;
        const std::optional<Judgement> j = judge.judge(p, m);
        if (!j) {
            out.engineFailed = true;
            return out;
        }
        MoveVerdict v;
        v.played = j->playedScore;
        v.best = j->bestScore;
        v.loss = std::max(0.0f, j->bestScore.value - j->playedScore.value);
        const bool samePlace = j->best.fromX == m.fromX && j->best.fromY == m.fromY &&
                               j->best.toX == m.toX && j->best.toY == m.toY;
        if (!samePlace && v.loss > 0) v.bestSan = san(p, j->best);
        if (v.loss > thresholds.blunder)
            v.mark = MoveMark::Blunder;
        else if (v.loss > thresholds.mistake)
            v.mark = MoveMark::Mistake;
        else if (v.loss > thresholds.inaccuracy)
            v.mark = MoveMark::Inaccuracy;
        out.moves.push_back(v);
        playMove(p, m);
        if (progress) progress(static_cast<int>(out.moves.size()), total);
    }
    out.complete = true;
    return out;
}

std::string scoreLabel(const AnalysisScore& score, const TextCatalogue& catalogue) {
    if (score.mate != 0) {
        const std::string n = std::to_string(score.mate > 0 ? score.mate : -score.mate);
        std::string out = score.mate < 0 ? "-" : "";
        out += catalogue.text(TextKey::AnalysisMateIn, {n});
        return out;
    }
    return scoreText(score.value);
}

std::string verdictNote(const MoveVerdict& v, const TextCatalogue& catalogue) {
    return catalogue.text(TextKey::AnalysisComment, {scoreLabel(v.played, catalogue), v.bestSan,
                                                     scoreLabel(v.best, catalogue)});
}

} // namespace quarvelin
