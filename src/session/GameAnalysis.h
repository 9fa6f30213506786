// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game analysed move by move: each position is searched, the played move's score is set
// against the best move's, measured alike, and a move that loses more than a threshold gets
// its mark (?!, ?, ??). The engine is a MoveJudge: the built-in one here, a UCI engine beside.
#include "engine/EngineWeights.h"
#include "localisation/TextCatalogue.h"
#include "notation/PgnStream.h"
#include "rules/Move.h"
#include "rules/Position.h"
#include "session/CancelToken.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

// A score for the side to move: `value` in the judge's units; `mate` > 0 when that side mates
// in so many moves, < 0 when it is mated (a UCI engine's "mate" scores; value is then large).
struct AnalysisScore {
    float value = 0;
    int mate = 0;
    bool operator==(const AnalysisScore&) const = default;
};

struct Judgement {
    Move best;
    AnalysisScore bestScore, playedScore;
};

class MoveJudge {
public:
    virtual ~MoveJudge() = default;
    // The best move of p and the scores of it and of `played`, for the side to move, from
    // searches of the same depth or time; nothing when the engine failed.
    virtual std::optional<Judgement> judge(const Position& p, const Move& played) = 0;
    // What the scores are, for the record's header ("… at depth 2; scores in …").
    virtual std::string unitsLine(const TextCatalogue& catalogue) const = 0;
};

// The built-in engine's evaluation with the given weights: each move's replies searched
// `depth` half-moves (1 to 3) and then to a quiet position, every move with a full window.
class BuiltInJudge : public MoveJudge {
public:
    BuiltInJudge(const EngineWeights& weights, int depth, int threads = 2);
    std::optional<Judgement> judge(const Position& p, const Move& played) override;
    std::string unitsLine(const TextCatalogue& catalogue) const override;
    std::int64_t evaluations() const { return evaluations_; }

private:
    EngineWeights weights_;
    int depth_, threads_;
    std::int64_t evaluations_ = 0;
};

// Losses above which a move gets ?!, ? or ??; in the judge's units.
struct AnalysisThresholds {
    float inaccuracy = 100, mistake = 200, blunder = 300;
    static AnalysisThresholds builtIn() { return {}; }
    static AnalysisThresholds centipawns() { return {50, 100, 300}; }
    bool rising() const { return 0 <= inaccuracy && inaccuracy < mistake && mistake < blunder; }
};

// The standard NAGs of the three marks.
enum class MoveMark : std::uint8_t { None = 0, Mistake = 2, Blunder = 4, Inaccuracy = 6 };
const char* markSymbol(MoveMark mark); // "?", "??", "?!", or ""

struct MoveVerdict {
    AnalysisScore played, best;
    std::string bestSan; // empty when the played move is the best
    float loss = 0;
    MoveMark mark = MoveMark::None;
};

// The main line of a game as moves from its start position; ok false at a move that cannot be
// read or played (errorNumber its move number, errorToken the token).
struct GameLine {
    Position start;
    std::vector<Move> moves;
    bool ok = true;
    int errorNumber = 0;
    std::string errorToken;
};
GameLine readMainLine(const PgnGame& game);
// The same from a start position and the moves' SAN texts ("12.Nf3", "Nc6"; empty ones passed).
GameLine lineFromTexts(const Position& start, const std::vector<std::string>& texts);

// Called after each position with the half-moves done and the total; the analysis stops
// early when the token is cancelled.
using AnalysisProgress = std::function<void(int done, int total)>;

struct GameAnalysis {
    std::vector<MoveVerdict> moves; // by half-move, from the first
    bool complete = false;          // every move judged, nothing cancelled or failed
    bool engineFailed = false;
    int count(MoveMark mark) const;
};

GameAnalysis analyseGame(const Position& start, const std::vector<Move>& moves, MoveJudge& judge,
                         const AnalysisThresholds& thresholds,
                         const AnalysisProgress& progress = {},
                         const CancelToken* cancel = nullptr);

// The played moves' scores by move number (entry 0 unused, 0 where a side has no move),
// White's moves and Black's, each seen from the side that moved: the chart's two curves.
struct AnalysisCurves {
    std::vector<float> white, black;
};
AnalysisCurves analysisCurves(const Position& start, const GameAnalysis& analysis);

// "1.25", "-300", "mate in 3" (catalogue text).
std::string scoreLabel(const AnalysisScore& score, const TextCatalogue& catalogue);
// The note of a marked move: its score, the better move and that move's score.
std::string verdictNote(const MoveVerdict& verdict, const TextCatalogue& catalogue);

} // namespace quarvelin
