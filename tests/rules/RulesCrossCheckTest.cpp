// SPDX-License-Identifier: GPL-3.0-or-later
// The fast generator and the square-by-square movement rules must agree on every position.
#include "support/Moves.h"
#include "support/RandomPlay.h"

#include "notation/Fen.h"
#include "rules/FastPosition.h"
#include "rules/MoveRules.h"
#include "rules/SquareControl.h"

#include <gtest/gtest.h>

#include <set>

using namespace quarvelin;

namespace {

// Legal moves found by asking isLegal about every origin and destination.
std::set<std::string> byRules(const Position& p) {
    std::set<std::string> out;
    for (int fy = 1; fy <= 8; ++fy)
        for (int fx = 1; fx <= 8; ++fx) {
            PieceCode piece = p.at(fx, fy);
            if (piece == PieceCode::Empty || colourOf(piece) != p.sideToMove()) continue;
            for (int ty = 1; ty <= 8; ++ty)
                for (int tx = 1; tx <= 8; ++tx) {
                    Move c{fx, fy, tx, ty, piece, PieceCode::Empty};
                    if (isLegal(p, c)) out.insert(uciMove(p, c).substr(0, 4));
                }
        }
    return out;
}

std::set<std::string> byGenerator(const Position& p) {
    std::set<std::string> out;
    for (const Move& c : legalMoves(p)) out.insert(uciMove(p, c).substr(0, 4));
    return out;
}

TEST(RulesCrossCheck, GeneratorAgreesWithMovementRulesAndCheckInBothOrientations) {
    int compared = 0;
    for (const std::string& fen : test::randomPositions(24, 80, 7)) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fen, bottom);
            ASSERT_EQ(byRules(p), byGenerator(p)) << fen << " bottom " << code(bottom);
            EXPECT_EQ(inCheck(p, p.sideToMove()), FastPosition::from(p).isInCheck()) << fen;
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);
}

TEST(RulesCrossCheck, GameUpdateMatchesGeneratorMoveAndTakesBack) {
    for (const std::string& fen : test::randomPositions(12, 60, 11)) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fen, bottom);
            FastPosition f = FastPosition::from(p);
            MoveList list;
            f.generate(list);
            for (FastMove m : list) {
                Position q = p;
                PlayedMove j = playMove(q, moveFrom(p, m));
                Position expected = p;
                f.after(m).to(expected);
                EXPECT_EQ(writeFen(q), writeFen(expected)) << fen;
                EXPECT_EQ(q.Board, expected.Board);
                takeMove(q, j);
                EXPECT_EQ(q, p);
            }
        }
    }
}

TEST(RulesCrossCheck, SameGameGivesSameFenWithEitherSideAtTheBottom) {
    std::mt19937 rng(5);
    for (int game = 0; game < 20; ++game) {
        Position white = Position::initial(Colour::White);
        Position black = Position::initial(Colour::Black);
        for (int ply = 0; ply < 120; ++ply) {
            ASSERT_EQ(writeFen(white), writeFen(black));
            auto moves = legalMoves(white);
            if (moves.empty()) break;
            const Move c = moves[rng() % moves.size()];
            const auto same = test::legalMove(black, uciMove(white, c));
            ASSERT_TRUE(same) << uciMove(white, c);
            playMove(white, c);
            playMove(black, *same);
        }
    }
}

} // namespace
