// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"

#include <gtest/gtest.h>

namespace quarvelin {
namespace {

// A stored game on the board: the user's side below, one move of that side on the user's turn.
TEST(CorrespondenceBoard, OneMoveOfTheUsersSideOnTheUsersTurn) {
    const struct {
        const char* moves;
        bool white;
        const char* from;
        const char* to;
        const char* after; // GameMoveText once the move is tried; empty: refused
    } cases[] = {
        {"", true, "e2", "e4", "1.e4"},
        {"1.e4", false, "e7", "e5", "1.e4 e5"},
        {"1.e4 e5", true, "g1", "f3", "1.e4 e5 2.Nf3"},
        {"1.e4", true, "e7", "e5", ""},  // waiting for the opponent
        {"", false, "e2", "e4", ""},     // the opponent opens
        {"1.e4", false, "g1", "f3", ""}, // not the user's side
    };
    for (const auto& c : cases) {
        test::Bench b;
        b->changer_mode(GameMode::Correspondence);
        b->openCorrespondence("[Event \"PC/0001\"]\r\n", c.moves, c.white, NotationCode::Pgn);
        EXPECT_EQ(b->position().PlayerColour, c.white ? Colour::White : Colour::Black);
        EXPECT_EQ(b->session().GameText, "[Event \"PC/0001\"]\r\n\r\n");
        b.move(c.from, c.to);
        EXPECT_EQ(b->session().GameMoveText, *c.after ? c.after : c.moves) << c.moves;
        if (*c.after) {
            // One move only: the opponent's reply comes by mail.
            b.move(c.white ? "b8" : "b1", c.white ? "c6" : "c3");
            EXPECT_EQ(b->session().GameMoveText, c.after);
        }
    }
}

} // namespace
} // namespace quarvelin
