// SPDX-License-Identifier: GPL-3.0-or-later
// Game files analysed and written back: every game whose main line replays is written with
// marks and notes (here chosen by the input's bytes, not by a search) and reads back as one
// game with the same tags, the same moves and the marks' NAGs taken out.
#include "records/AnnotatedGame.h"
#include "rules/MoveRules.h"
#include "session/Headless.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

using namespace quarvelin;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// Losses taken from the input: any mark may land on any move.
class ByteJudge : public MoveJudge {
public:
    explicit ByteJudge(std::string_view bytes) : bytes_(bytes) {}
    std::optional<Judgement> judge(const Position& p, const Move& played) override {
        const std::vector<Move> legal = legalMoves(p);
        const auto b =
            bytes_.empty() ? 0u : static_cast<unsigned char>(bytes_[next_++ % bytes_.size()]);
        Judgement j;
        j.best = legal[b % legal.size()];
        j.bestScore = {static_cast<float>(b) * 2, (b & 7) == 7 ? 3 : 0};
        j.playedScore = j.best == played ? j.bestScore : AnalysisScore{0, 0};
        return j;
    }
    std::string unitsLine(const TextCatalogue&) const override { return "units \"quoted\""; }

private:
    std::string_view bytes_;
    std::size_t next_ = 0;
};

class Texts : public TextCatalogue {
public:
    using TextCatalogue::text;
    std::string text(TextKey key) const override {
        return key == TextKey::AnalysisComment ? "%1 } better %2 (%3) {" : "mate %1";
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 16384) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    PgnStream stream(in, true);
    PgnGame game;
    Texts texts;
    Headless quiet;
    int games = 0;
    while (stream.next(game) && ++games <= 8) {
        const GameLine line = readMainLine(game);
        if (!line.ok || line.moves.empty()) continue;
        ByteJudge judge(text);
        const GameAnalysis analysis =
            analyseGame(line.start, line.moves, judge, AnalysisThresholds::builtIn());
        check(analysis.complete && analysis.moves.size() == line.moves.size());
        const std::string pgn = annotatedGamePgn(game, line, analysis, "Quarvelin", texts, quiet);
        std::istringstream back(pgn);
        PgnStream again(back, true);
        PgnGame reread;
        check(again.next(reread));
        check(reread.unclosed == 0);
        const GameLine same = readMainLine(reread);
        check(same.ok && same.moves == line.moves);
        check(reread.tag("Annotator") && *reread.tag("Annotator") == "Quarvelin");
        PgnGame none;
        check(!again.next(none) || (none.tags.empty() && none.moves.empty()));
    }
    return 0;
}
