// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Moves.h"

#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

const char* Start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

TEST(Fen, StartPositionInBothOrientations) {
    for (Colour bottom : {Colour::White, Colour::Black}) {
        Position p = Position::initial(bottom);
        EXPECT_EQ(writeFen(p), Start);
        EXPECT_EQ(readFen(Start, bottom), p);
        EXPECT_EQ(p.sideToMove(), Colour::White);
    }
}

TEST(Fen, WrittenBackAsReadOrWithWhatThePositionCannotHaveDropped) {
    const struct {
        const char* read;
        const char* written; // nullptr: as read
    } cases[] = {
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", nullptr},
        {"rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2", nullptr},
        {"4k2r/8/8/8/8/8/8/R3K3 b Qk - 13 40", nullptr},
        {"8/8/8/3k4/8/8/8/4K3 b - - 99 120", nullptr},
        {"r3k2r/8/8/8/8/8/8/R3K2R w Kk - 0 1", nullptr},
        // a right whose rook is not at home cannot be used, so it is not kept
        {"r3k3/8/8/8/8/8/8/R3K3 w KQkq - 0 1", "r3k3/8/8/8/8/8/8/R3K3 w Qq - 0 1"},
        // an en-passant square with no pawn that just moved is dropped
        {"4k3/8/8/8/8/8/8/4K3 b - e3 0 1", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"},
        {"4k3/8/8/8/8/8/8/4K3 b -", "4k3/8/8/8/8/8/8/4K3 b - - 0 1"}, // clock and number default
    };
    for (const auto& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            auto p = readFen(c.read, bottom);
            ASSERT_TRUE(p) << c.read;
            EXPECT_EQ(writeFen(*p), c.written ? c.written : c.read);
        }
}

TEST(Fen, CopyAfterMovesWritesEnPassantClockAndNumber) {
    Position p = Position::initial(Colour::Black);
    auto play = [&](const char* uci) { playMove(p, test::legalMove(p, uci).value()); };
    play("e2e4");
    EXPECT_EQ(writeFen(p), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    play("g8f6");
    play("e1e2");
    EXPECT_EQ(writeFen(p), "rnbqkb1r/pppppppp/5n2/8/4P3/8/PPPPKPPP/RNBQ1BNR b kq - 2 2");
}

TEST(Fen, RefusedWhole) {
    const char* refused[] = {
        "rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",    // seven ranks
        "rnbqkbnr/pppppppp/8/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1",   // nine
        "rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", // nine squares
        "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "rnbqkbnr/pppppppp/7/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",  // seven squares
        "rnbqkbnr/pppxpppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",  // unknown letter
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1",  // side
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkx - 0 1",  // castling letter
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KKkq - 0 1",  // repeated
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e9 0 1", // en-passant square
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - x 1",  // clock
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 extra",
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQQBNR w KQkq - 0 1", // no white king
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBKKBNR w - - 0 1",    // two
        "rnbqkbnP/pppppppp/8/8/8/8/PPPPPPP1/RNBQKBNR w - - 0 1",    // pawn on the last rank
        "4k3/8/8/8/8/8/8/p3K3 w - - 0 1",                           // or the first
        "4k3/8/8/8/8/8/8/4K2r b - - 0 1",                           // White, not to move, in check
        "",
        "w",
    };
    for (const char* fen : refused)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            FenProblem why = FenProblem::None;
            EXPECT_FALSE(readFen(fen, bottom, &why)) << fen;
            EXPECT_NE(why, FenProblem::None) << fen;
        }
}

TEST(PositionKey, SixtyFourCharactersInDisplayOrder) {
    Position p = Position::initial(Colour::White);
    std::string key = positionKey(p);
    ASSERT_EQ(key.size(), 64u);
    EXPECT_EQ(key[0], code(PieceCode::BlackRook) + 32); // a8 at the top left
    EXPECT_EQ(key[63], code(PieceCode::WhiteRook) + 32);
    EXPECT_EQ(key[20], code(PieceCode::Empty) + 32);
    EXPECT_NE(positionKey(Position::initial(Colour::Black)), key); // the key follows the board
    Position other = *readFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1", Colour::White);
    auto back = readPositionKey(key, other);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Board, p.Board);
    EXPECT_FALSE(readPositionKey(std::string(64, '!'), other)); // no kings
    EXPECT_FALSE(readPositionKey(std::string(64, '~'), other)); // not piece codes
}

TEST(PastePosition, RecognisesTheFormatAndRefusesWhole) {
    Position game = *readFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", Colour::Black);
    const Position before = game;

    EXPECT_EQ(pastePosition("no position here", game), PasteResult::Ignore);
    EXPECT_EQ(pastePosition(std::string(120, '/'), game), PasteResult::Ignore);
    EXPECT_EQ(game, before);

    EXPECT_EQ(
        pastePosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 extra bits", game),
        PasteResult::Refuse);
    EXPECT_EQ(game, before);

    // 64 characters with a "/" are a FEN, not a key.
    std::string fen64 = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    fen64 += std::string(64 - fen64.size(), ' ');
    EXPECT_EQ(pastePosition(fen64, game), PasteResult::Fen);
    EXPECT_EQ(game, Position::initial(Colour::Black));

    std::string key = positionKey(before);
    EXPECT_EQ(pastePosition(key, game), PasteResult::Key);
    EXPECT_EQ(game.Board, before.Board);
}

} // namespace
