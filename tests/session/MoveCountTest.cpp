// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"
#include "support/TestFolder.h"

#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

// "W2 B3": the side and MoveCount of each search or evaluation, in order.
std::string seen(const std::vector<RecordingSearch::Asked>& asked) {
    std::string out;
    for (const auto& a : asked) {
        if (!out.empty()) out += ' ';
        out += a.colour == Colour::White ? 'W' : 'B';
        out += std::to_string(a.moveCount);
    }
    return out;
}

Settings settingsFor(GameMode mode, bool whiteTicked, const char* opening) {
    Settings s = testSettings(1);
    s.MODE_JEUX = static_cast<std::uint8_t>(mode);
    s.DEB_BLANC = whiteTicked ? 1 : 0;
    s.OUVERTURE_DEFAUT = {opening, opening, opening};
    return s;
}

// The human plays the first legal move of the position.
void humanMove(Bench& b) {
    const Move c = legalMoves(b->position()).front();
    b->clickSquare(c.fromX, c.fromY);
    b->clickSquare(c.toX, c.toY);
}

// A new game and `moves` human moves against the machine, or automatic moves.
void play(Bench& b, GameMode mode, int moves) {
    b->newGame();
    for (int i = 0; i < moves; ++i) mode == GameMode::Auto ? b->tick(Timer::Auto) : humanMove(b);
}

TEST(MoveCount, WhatEachSearchAndEvaluationReads) {
    struct Case {
        GameMode mode;
        bool whiteTicked;
        const char* opening;
        const char* searches;
        const char* evaluations; // the human's moves
    };
    const Case cases[] = {
        // Against a player on Black the machine's first move counts one ahead, opening or not.
        {GameMode::Machine, false, "e4", "W2 W3", "B2 B3"},
        {GameMode::Machine, false, "", "W1 W2 W3", "B2 B3"},
        // The machine on Black never counts ahead.
        {GameMode::Machine, true, "e4", "B1 B2", "W1 W2"},
        {GameMode::Machine, true, "", "B1 B2", "W1 W2"},
        // Automatic play: the raise comes at the first White move after the default opening,
        // for either colour ticked.
        {GameMode::Auto, false, "e4", "B1 W2 B3", ""},
        {GameMode::Auto, false, "", "W1 B2 W2 B3", ""},
        {GameMode::Auto, true, "e4", "B1 W2 B3", ""},
        {GameMode::Auto, true, "", "W1 B2 W2 B3", ""},
    };
    for (const Case& c : cases) {
        Bench b(settingsFor(c.mode, c.whiteTicked, c.opening));
        play(b, c.mode, c.mode == GameMode::Auto ? 4 : 2);
        SCOPED_TRACE(b->session().GameMoveText);
        EXPECT_EQ(seen(b.engine.searches), c.searches);
        EXPECT_EQ(seen(b.engine.evaluations), c.evaluations);
        // Numbers and FEN go on counting White's moves.
        const auto& lines = b->session().lines;
        EXPECT_EQ(b->position().MoveCount,
                  std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return !isBlackLine(l); }));
        EXPECT_TRUE(b->session().GameMoveText.starts_with("1.")) << b->session().GameMoveText;
    }
}

TEST(MoveCount, HintAndDrawOffer) {
    struct Case {
        bool whiteTicked;
        const char* hint;
        const char* draw;
    };
    // Against White's opening e4 the player's hint and the draw offer read the raised count;
    // White's hint counts the move it proposes.
    for (Case c : {Case{false, "B2", "W2 B2"}, Case{true, "W1", "W0 B0"}}) {
        Bench b(settingsFor(GameMode::Machine, c.whiteTicked, "e4"));
        b->newGame();
        b.engine.searches.clear();
        b->conseil_coup();
        EXPECT_EQ(seen(b.engine.searches), c.hint);
        b->offerDraw();
        EXPECT_EQ(seen(b.engine.evaluations), c.draw);
        EXPECT_TRUE(b.dialogs.showed("<335>")); // refused: not after ten White moves
    }
}

TEST(MoveCount, NavigationAndCutBackBringItBack) {
    // Automatic play, White ticked: raised at the second White move; the hint for White
    // shown at entry 2 reads the count before it, at entry 4 after it.
    Bench a(settingsFor(GameMode::Auto, true, "e4"));
    play(a, GameMode::Auto, 4);
    a.engine.searches.clear();
    a->selectLine(1);
    a->conseil_coup();
    a->selectLine(3);
    a->conseil_coup();
    EXPECT_EQ(seen(a.engine.searches), "W2 W4");

    // Free play: the machine's White move raises the count; cut back to the start, the
    // player's White move is counted without it, and so is the machine's answer.
    Bench b(settingsFor(GameMode::Free, true, ""));
    b->newGame();
    b->joue_coup_machine();
    humanMove(b);
    b->navigate(0);
    humanMove(b);
    b->joue_coup_machine();
    EXPECT_EQ(seen(b.engine.searches), "W1 B1");
    EXPECT_EQ(seen(b.engine.evaluations), "B2 W1");
    EXPECT_EQ(b->session().lines.size(), 2u);
}

TEST(MoveCount, ScoresStoredAtTheirIndex) {
    struct Case {
        GameMode mode;
        bool whiteTicked;
        const char* opening;
        int moves;                // human moves, or automatic moves
        std::vector<int> holding; // by index: the ordinal of the search whose score is there
    };
    const Case cases[] = {
        // Black's moves at the number of their move.
        {GameMode::Machine, true, "", 2, {0, 1, 2}},
        // White's at its number, the default opening's score 0 included.
        {GameMode::Machine, false, "e4", 1, {0, 0, 1}},
        // Automatic play: both of a move number's scores at one index, Black's last.
        {GameMode::Auto, false, "", 2, {0, 2}},
        {GameMode::Auto, true, "", 2, {0, 0, 2}},
    };
    for (const Case& c : cases) {
        Bench b(settingsFor(c.mode, c.whiteTicked, c.opening));
        play(b, c.mode, c.moves);
        const std::vector<float>& h = b->session().ScoreHistory;
        ASSERT_EQ(h.size(), c.holding.size()) << b->session().GameMoveText;
        for (std::size_t i = 0; i < h.size(); ++i) {
            const int k = c.holding[i];
            const float expected =
                k == 0 ? 0.0f : b.engine.searches[static_cast<std::size_t>(k - 1)].score;
            EXPECT_EQ(h[i], expected) << i;
        }
    }
}

TEST(MoveCount, HintShowsItsSearch) {
    const std::string path = (testFolder("hint") / "q.log").string();
    Settings s = testSettings(1);
    s.GES_LOG = 1;
    s.FILE_LOG = path;
    Bench b(s);
    b->newGame();
    b->conseil_coup();
    EXPECT_FALSE(b.view.thoughts.empty());
    EXPECT_TRUE(b.commentary.text.starts_with("... 1.")) << b.commentary.text;
    const std::string log = readText(path);
    for (const char* piece : {"<330>1<331>", " - note : (", " * Selection : ("})
        EXPECT_NE(log.find(piece), std::string::npos) << log;
}

} // namespace
