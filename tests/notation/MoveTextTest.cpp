// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Moves.h"

#include "notation/Fen.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct LongCase {
    int number;
    PieceCode piece;
    const char* from;
    const char* to;
    PieceCode captured;
    bool ep;
    NotationCode notation;
    const char* expected;
};

TEST(WriteMove, LongTextsInEachNotationAndOrientation) {
    using P = PieceCode;
    const NotationCode F = NotationCode::French, G = NotationCode::Pgn,
                       I = NotationCode::International;
    const LongCase cases[] = {
        {1, P::WhitePawn, "e2", "e4", P::Empty, false, F, " 1.e2-e4"},
        {1, P::BlackPawn, "e7", "e5", P::Empty, false, F, " e7-e5"},
        {2, P::WhiteKnight, "g1", "f3", P::Empty, false, F, " 2.Cg1-f3"},
        {4, P::WhiteBishop, "b5", "c6", P::BlackKnight, false, F, " 4.Fb5xc6"},
        {5, P::WhiteKing, "e1", "g1", P::Empty, false, F, " 5.O-O"},
        {9, P::WhitePawn, "e5", "d6", P::Empty, true, F, " 9.e5xd6"},
        {2, P::WhiteKnight, "g1", "f3", P::Empty, false, G, " 2.Ng1-f3"},
        {4, P::WhiteBishop, "b5", "c6", P::BlackKnight, false, G, " 4.Bb5xc6"},
        {2, P::WhiteKnight, "g1", "f3", P::Empty, false, I, " 2.g1-f3"},
        {4, P::WhiteBishop, "b5", "c6", P::BlackKnight, false, I, " 4.b5xc6"},
        {5, P::WhiteKing, "e1", "g1", P::Empty, false, I, " 5.O-O"},
        {12, P::BlackKing, "e8", "c8", P::Empty, false, F, " O-O-O"},
        {10, P::WhiteKing, "e1", "f1", P::Empty, false, F, " 10.Re1-f1"},
        {-1, P::WhiteQueen, "d1", "d2", P::Empty, false, G, "-1.Qd1-d2"},
    };
    for (const LongCase& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Square f = namedSquare(c.from[0], c.from[1], bottom),
                   t = namedSquare(c.to[0], c.to[1], bottom);
            EXPECT_EQ(ecrire_coup(c.number, c.piece, f.x, f.y, c.captured, t.x, t.y, c.ep,
                                  c.notation, bottom),
                      c.expected);
        }
}

struct SanCase {
    const char* fen;
    const char* uci;
    const char* san;
    const char* longFr; // longMoveText in French notation
};

TEST(San, StandardTextsWithDisambiguationAndMarks) {
    const SanCase cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "g1f3", "Nf3", " 1.Cg1-f3"},
        {"4k3/8/8/8/8/8/3N4/4K1N1 w - - 0 1", "g1f3", "Ngf3", " 1.Cg1-f3"},
        {"4k3/8/8/6N1/8/8/8/4K1N1 w - - 0 1", "g1f3", "N1f3", " 1.Cg1-f3"},
        {"4k3/8/8/8/7Q/8/8/K6Q w - - 0 1", "h4e1", "Q4e1+", " 1.Dh4-e1+"},
        {"8/k7/8/8/4Q2Q/8/8/1K5Q w - - 0 1", "h4e1", "Qh4e1", " 1.Dh4-e1"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 7", "e5d6", "exd6", " 7.e5xd6e.p."},
        {"4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8q", "b8=Q+", " 1.b7-b8=D+"},
        {"4k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "b7b8n", "b8=N", " 1.b7-b8=C"},
        {"r3k3/8/8/8/8/8/8/4K3 b q - 0 3", "e8c8", "O-O-O", " O-O-O"},
        {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+", " 1.O-O+"},
        {"7k/8/8/8/8/8/8/R3K3 w Q - 0 1", "a1a8", "Ra8+", " 1.Ta1-a8+"},
        {"6k1/5ppp/8/8/8/8/8/R3K3 w Q - 0 1", "a1a8", "Ra8#", " 1.Ta1-a8+"},
        {"4k3/8/8/8/8/8/8/r2QK3 w - - 0 1", "d1a1", "Qxa1", " 1.Dd1xa1"},
    };
    for (const SanCase& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(c.fen, bottom);
            const Move m = test::legalMove(p, c.uci).value();
            EXPECT_EQ(san(p, m), c.san) << c.fen;
            EXPECT_EQ(longMoveText(p, m, NotationCode::French), c.longFr) << c.fen;
        }
}

TEST(MoveInPgn, KeepsTheNumberAndDropsCheckMarks) {
    struct Case2 {
        const char* fen;
        const char* longText;
        NotationCode n;
        const char* expected;
    };
    const NotationCode F = NotationCode::French, G = NotationCode::Pgn,
                       I = NotationCode::International;
    const Case2 cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 12", "12.Cg1-f3", F, " 12.Nf3"},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", "e7-e5", F, " e5"},
        {"4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 3", "3.e4xd5", G, " 3.exd5"},
        {"7k/4P3/8/8/8/8/8/K7 w - - 0 20", "20.e7-e8=D+", F, " 20.e8=Q"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 9", "9.e5xd6e.p.", F, " 9.exd6"},
        {"4k3/8/8/8/8/8/8/4K2R w K - 0 5", "5.O-O", F, " 5.O-O"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 2", "2.g1-f3", I, " 2.Nf3"},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 2", "2.Ng1-h4", G, ""},
    };
    for (const Case2& c : cases) {
        Position p = *readFen(c.fen, Colour::Black);
        EXPECT_EQ(coup_en_pgn(c.longText, p, c.n), c.expected) << c.longText;
    }
}

} // namespace
