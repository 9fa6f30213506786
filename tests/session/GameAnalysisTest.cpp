// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"

#include "localisation/Catalogue.h"
#include "notation/Fen.h"
#include "records/AnnotatedGame.h"
#include "rules/MoveRules.h"
#include "session/GameAnalysis.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quarvelin;

namespace {

// 3.Nd4 leaves the knight to the e5 pawn, with nothing guarding it.
constexpr const char* Hanging = "[Event \"Club\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n"
                                "1.e4 e5 2.Nf3 {develops} d6 3.Nd4 exd4 4.Bc4 Nf6 *\n";
constexpr std::size_t BlunderIndex = 4;

// The text with its line ends read as blanks, as a PGN reader takes them.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c == '\n' ? ' ' : c;
    return out;
}

PgnGame firstGame(const std::string& text) {
    std::istringstream in(text);
    PgnStream stream(in, true);
    PgnGame g;
    EXPECT_TRUE(stream.next(g));
    return g;
}

class BuiltInBlunder : public testing::TestWithParam<int> {};

TEST_P(BuiltInBlunder, HangingKnightIsMarkedWithTheBetterMove) {
    const GameLine line = readMainLine(firstGame(Hanging));
    ASSERT_TRUE(line.ok);
    BuiltInJudge judge(EngineWeights{}, GetParam(), 1);
    const GameAnalysis a =
        analyseGame(line.start, line.moves, judge, AnalysisThresholds::builtIn());
    ASSERT_TRUE(a.complete);
    ASSERT_EQ(a.moves.size(), line.moves.size());
    const MoveVerdict& v = a.moves[BlunderIndex];
    EXPECT_EQ(v.mark, MoveMark::Blunder) << "loss " << v.loss;
    EXPECT_FALSE(v.bestSan.empty());
    EXPECT_NE(v.bestSan, "Nd4");
    EXPECT_GT(v.best.value, v.played.value);
    // Taking the knight is no mistake.
    EXPECT_EQ(a.moves[BlunderIndex + 1].mark, MoveMark::None);
    EXPECT_GT(judge.evaluations(), 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, BuiltInBlunder, testing::Values(1, 2));

// A judge whose played moves lose what the table says.
class TableJudge : public MoveJudge {
public:
    explicit TableJudge(std::vector<float> losses) : losses_(std::move(losses)) {}
    std::optional<Judgement> judge(const Position& p, const Move& played) override {
        if (next_ >= losses_.size()) return std::nullopt;
        Judgement j;
        j.best = played;
        for (const Move& m : legalMoves(p))
            if (!(m == played)) j.best = m;
        j.bestScore = {100, 0};
        j.playedScore = {100 - losses_[next_++], 0};
        return j;
    }
    std::string unitsLine(const TextCatalogue&) const override { return "units"; }

private:
    std::vector<float> losses_;
    std::size_t next_ = 0;
};

TEST(GameAnalysis, ThresholdsAreExclusiveLimits) {
    const GameLine line = readMainLine(firstGame(Hanging));
    const AnalysisThresholds t{10, 20, 30};
    TableJudge judge({0, 10, 10.5f, 20, 25, 30, 31, 500});
    const GameAnalysis a = analyseGame(line.start, line.moves, judge, t);
    const std::vector<MoveMark> expected{
        MoveMark::None,    MoveMark::None,    MoveMark::Inaccuracy, MoveMark::Inaccuracy,
        MoveMark::Mistake, MoveMark::Mistake, MoveMark::Blunder,    MoveMark::Blunder};
    ASSERT_EQ(a.moves.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(a.moves[i].mark, expected[i]) << i;
    EXPECT_EQ(a.count(MoveMark::Blunder), 2);
}

TEST(GameAnalysis, StopsWhenTheEngineFailsOrTheUserCancels) {
    const GameLine line = readMainLine(firstGame(Hanging));
    TableJudge short_({0, 0});
    const GameAnalysis failed = analyseGame(line.start, line.moves, short_, {});
    EXPECT_TRUE(failed.engineFailed);
    EXPECT_FALSE(failed.complete);
    EXPECT_EQ(failed.moves.size(), 2u);

    CancelToken token;
    TableJudge judge(std::vector<float>(8, 0));
    int calls = 0;
    const GameAnalysis stopped = analyseGame(
        line.start, line.moves, judge, {},
        [&](int done, int total) {
            EXPECT_EQ(total, 8);
            if (++calls == 3) token.cancel();
            EXPECT_EQ(done, calls);
        },
        &token);
    EXPECT_FALSE(stopped.complete);
    EXPECT_EQ(stopped.moves.size(), 3u);
}

TEST(GameAnalysis, LinesReadFromTextsWithOrWithoutNumbers) {
    struct Case {
        std::vector<std::string> texts;
        bool ok;
        std::size_t moves;
        std::string errorToken;
    };
    const Case cases[] = {
        {{" 1.e4", " e5", " 2.Nf3", "", " 2...Nc6"}, true, 4, ""},
        {{"e4", "e5", "Ke3"}, false, 2, "Ke3"},
        {{"e4", "Nf6", "xx"}, false, 2, "xx"},
    };
    for (const Case& c : cases) {
        const GameLine line = lineFromTexts(Position::initial(), c.texts);
        EXPECT_EQ(line.ok, c.ok);
        EXPECT_EQ(line.moves.size(), c.moves);
        EXPECT_EQ(line.errorToken, c.errorToken);
    }
    EXPECT_FALSE(readMainLine(firstGame("[FEN \"8/8/8/8 w - - 0 1\"]\n\n1.e4 *\n")).ok);
}

TEST(GameAnalysis, CurvesTakeEachSidesMovesByNumber) {
    // Black moves first, at move 12.
    const Position start = *readFen("4k3/8/8/8/8/8/8/4K3 b - - 0 12", Colour::White);
    GameAnalysis a;
    for (float s : {1.0f, 2.0f, 3.0f}) a.moves.push_back({{s, 0}, {s, 0}, "", 0, MoveMark::None});
    const AnalysisCurves c = analysisCurves(start, a);
    ASSERT_EQ(c.black.size(), 14u);
    ASSERT_EQ(c.white.size(), 14u);
    EXPECT_EQ(c.black[12], 1.0f);
    EXPECT_EQ(c.white[13], 2.0f);
    EXPECT_EQ(c.black[13], 3.0f);
}

TEST(AnnotatedGame, MarksAndNotesGoAfterTheirMoves) {
    const PgnGame game = firstGame(Hanging);
    const GameLine line = readMainLine(game);
    TableJudge judge({0, 0, 0, 0, 500, 0, 120, 0});
    const GameAnalysis a =
        analyseGame(line.start, line.moves, judge, AnalysisThresholds::builtIn());
    Catalogue cat;
    cat.appliquer_langue(2);
    test::RecordingDialogs dialogs;
    const std::string pgn = annotatedGamePgn(game, line, a, "Quarvelin; units", cat, dialogs);
    EXPECT_NE(pgn.find("[White \"A\"]\r\n"), std::string::npos);
    EXPECT_NE(pgn.find("[Annotator \"Quarvelin; units\"]\r\n\r\n"), std::string::npos);
    const std::string flat = oneLine(pgn.substr(pgn.find("\r\n\r\n") + 4));
    EXPECT_NE(flat.find("2.Nf3 {develops} d6 3.Nd4 $4 {-400; better "), std::string::npos) << pgn;
    EXPECT_NE(flat.find("4.Bc4 $6 {-20; better "), std::string::npos) << pgn;
    EXPECT_TRUE(flat.ends_with("Nf6 *  ")) << pgn;
    for (std::size_t b = 0, e; (e = pgn.find("\r\n", b)) != std::string::npos; b = e + 2)
        EXPECT_LE(e - b, 79u);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
