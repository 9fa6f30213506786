// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/MoveRules.h"
#include "notation/Fen.h"
#include "rules/SquareControl.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

Position fen(const char* text, Colour bottom = Colour::White) {
    auto p = readFen(text, bottom);
    EXPECT_TRUE(p) << text;
    return p.value_or(Position::initial());
}

Square sq(const std::string& name, Colour bottom = Colour::White) {
    return namedSquare(name[0], name[1], bottom);
}

// A move named in long algebraic form, "e2e4", on the position's own squares.
Move move(const Position& p, const std::string& uci) {
    Square f = sq(uci.substr(0, 2), p.PlayerColour), t = sq(uci.substr(2, 2), p.PlayerColour);
    return {f.x, f.y, t.x, t.y, p.at(f.x, f.y), PieceCode::Empty};
}

TEST(Types, ColourAndTypeBoundaries) {
    EXPECT_EQ(colourOf(7), Colour::Black);
    EXPECT_EQ(colourOf(8), Colour::White);
    EXPECT_EQ(colourOf(1), Colour::None);
    EXPECT_EQ(pieceType(0), PieceType::None);
    EXPECT_EQ(pieceType(14), PieceType::None);
    EXPECT_EQ(pieceType(13), PieceType::King);
    EXPECT_EQ(opposite(2), 3);
    EXPECT_EQ(opposite(1), 0);
}

TEST(Orientation, SquareNamesFollowTheSideAtTheBottom) {
    EXPECT_EQ(squareName(1, 1, Colour::Black), "h1");
    EXPECT_EQ(squareName(8, 8, Colour::Black), "a8");
    EXPECT_EQ(squareName(1, 1, Colour::White), "a8");
    EXPECT_EQ(squareName(8, 8, Colour::White), "h1");
    Position start = Position::initial(Colour::Black);
    EXPECT_EQ(start.at(4, 1), PieceCode::WhiteKing); // e1 at the top, Black at the bottom
    EXPECT_EQ(start.at(4, 8), PieceCode::BlackKing);
    EXPECT_EQ(pawnDirection(Colour::White, Colour::White), -1);
    EXPECT_EQ(pawnDirection(Colour::White, Colour::Black), 1);
}

// valid: the movement rule alone (coup_valide); legal: the mover's king is safe too.
TEST(MoveRules, MovementRuleAndLegalityInBothOrientations) {
    const struct {
        const char* fen;
        const char* move;
        bool valid, legal;
    } cases[] = {
        // blocked pawn: neither one nor two steps; with only the far square taken, one step
        {"4k3/8/8/8/8/4n3/4P3/4K3 w", "e2e3", false, false},
        {"4k3/8/8/8/8/4n3/4P3/4K3 w", "e2e4", false, false},
        {"4k3/8/8/8/4n3/8/4P3/4K3 w", "e2e3", true, true},
        {"4k3/8/8/8/4n3/8/4P3/4K3 w", "e2e4", false, false},
        {"4k3/8/8/8/8/8/4P3/4K3 w", "e2e4", true, true},
        {"4k3/8/8/8/8/4P3/8/4K3 w", "e3e5", false, false},
        {"4k3/8/8/8/8/8/4P3/4K3 w", "e2d3", false, false},     // diagonal to empty
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6", "e5d6", true, true}, // en passant
        {"4k3/8/8/3pP3/8/8/8/4K3 w", "e5d6", false, false},
        {"4k3/8/8/8/8/8/4P3/4K3 w", "e1e2", false, false}, // own piece
        {"4k3/8/8/8/8/8/8/R3K3 w", "a1a8", true, true},
        {"4k3/8/8/8/8/8/p7/R3K3 w", "a1a8", false, false},
        {"4k3/8/8/8/8/8/8/R3K3 w", "a1b2", false, false},
        {"4k3/8/8/8/8/8/1n6/B3K3 w", "a1c3", false, false},
        {"4k3/8/8/8/8/8/1n6/N3K3 w", "a1c2", true, true}, // knights jump
        {"4k3/8/8/8/8/8/8/Q3K3 w", "a1b3", false, false},
        {"4k3/8/8/8/8/8/8/4K3 w", "e1e3", false, false},
        // the king may step into attack by the movement rule only
        {"4k3/8/8/8/8/8/5r2/4K3 w", "e1f1", true, false},
        {"4k3/8/8/8/8/8/5r2/4K3 w", "e1f2", true, true},
        // castling: allowed, start square attacked, passed square attacked, destination attacked
        {"4k3/8/8/8/8/8/8/4K2R w K", "e1g1", true, true},
        {"4k3/8/8/8/8/8/8/R3K3 w Q", "e1c1", true, true},
        {"4k3/4r3/8/8/8/8/8/4K2R w K", "e1g1", false, false},
        {"4k3/5r2/8/8/8/8/8/4K2R w K", "e1g1", false, false},
        {"4k3/6r1/8/8/8/8/8/4K2R w K", "e1g1", true, false},
        {"4k3/8/8/8/8/8/8/R3K3 w", "e1c1", false, false}, // right lost
        {"4k3/8/8/8/8/8/8/RN2K3 w Q", "e1c1", false, false},
        {"4k3/1r6/8/8/8/8/8/R3K3 w Q", "e1c1", true, true}, // b1 may be attacked
        {"r3k3/8/8/8/8/8/8/4K3 b q", "e8c8", true, true},
    };
    for (const auto& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            SCOPED_TRACE(std::string(c.fen) + " " + c.move + " bottom " +
                         std::to_string(code(bottom)));
            Position p = fen(c.fen, bottom);
            Move m = move(p, c.move);
            EXPECT_EQ(coup_valide(p, m.piece, m.fromX, m.fromY, p.at(m.toX, m.toY), m.toX, m.toY),
                      c.valid);
            EXPECT_EQ(isLegal(p, m), c.legal);
        }
}

TEST(LegalMove, EnPassantOnlyRightAfterTheDoubleStep) {
    Position p = fen("4k3/3p4/8/4P3/8/8/8/4K3 b");
    playMove(p, move(p, "d7d5"));
    EXPECT_TRUE(isLegal(p, move(p, "e5d6")));
    Position later = p;
    playMove(later, move(later, "e1f1"));
    playMove(later, move(later, "e8f8"));
    EXPECT_FALSE(isLegal(later, move(later, "e5d6")));

    PlayedMove j = playMove(p, move(p, "e5d6"));
    EXPECT_TRUE(j.enPassant);
    EXPECT_EQ(j.captured, PieceCode::BlackPawn);
    Square d5 = sq("d5");
    EXPECT_EQ(p.at(d5.x, d5.y), PieceCode::Empty);
}

TEST(PlayMove, CastlingWithBlackAtTheBottomMovesTheRookFromColumnOneToThree) {
    Position p = fen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq", Colour::Black);
    EXPECT_EQ(p.at(4, 8), PieceCode::BlackKing);
    Move shortCastle{4, 8, 2, 8, PieceCode::BlackKing, PieceCode::Empty};
    ASSERT_TRUE(isLegal(p, shortCastle));
    PlayedMove j = playMove(p, shortCastle);
    EXPECT_TRUE(j.castling);
    EXPECT_EQ(p.at(3, 8), PieceCode::BlackRook);
    EXPECT_EQ(p.at(1, 8), PieceCode::Empty);
    EXPECT_TRUE(p.CastlingDone[code(Colour::Black)]);
    EXPECT_EQ(p.LastMoverColour, Colour::Black);
}

TEST(PlayMove, CountersRightsAndPromotion) {
    Position p = fen("r3k3/1P6/8/8/8/8/8/R3K2R w KQq - 5 9");
    EXPECT_EQ(p.MoveCount, 8);
    playMove(p, move(p, "h1h5")); // the rook leaves: the king side goes
    EXPECT_EQ(p.MoveCount, 9);
    EXPECT_EQ(p.QuietMoveCount, 6);
    EXPECT_FALSE(p.CastlingRights & WhiteShort);
    EXPECT_TRUE(p.CastlingRights & WhiteLong);
    playMove(p, move(p, "e8d8"));
    EXPECT_EQ(p.MoveCount, 9); // Black moves leave it
    Move promo = move(p, "b7a8");
    promo.promotion = PieceCode::WhiteKnight;
    PlayedMove j = playMove(p, promo);
    EXPECT_TRUE(j.promotion);
    EXPECT_EQ(p.at(1, 1), PieceCode::WhiteKnight);
    EXPECT_EQ(p.QuietMoveCount, 0);
    EXPECT_FALSE(p.CastlingRights & BlackLong); // its rook was taken at home
    playMove(p, move(p, "d8c8"));
    Position q = p;
    playMove(q, move(q, "h5h1"));
    EXPECT_FALSE(q.CastlingRights & WhiteShort); // a rook that comes back does not restore it
}

TEST(GameEnd, MateStalemateAndPlay) {
    EXPECT_EQ(gameEnd(fen("7k/6Q1/6K1/8/8/8/8/8 b")), GameEnd::Mate);
    EXPECT_EQ(gameEnd(fen("7k/8/6QK/8/8/8/8/8 b")), GameEnd::Stalemate);
    EXPECT_EQ(gameEnd(fen("7k/8/8/8/8/8/8/K7 b")), GameEnd::InProgress);
}

TEST(SquareControl, AttackersAndDefendersInBothOrientations) {
    const struct {
        const char* fen;
        const char* square;
        int attackers; // nombre_attaquants for the piece there (or a white king if empty)
        int defenders; // nombre_defenseurs for White
    } cases[] = {
        {"k7/8/8/8/r2r4/8/8/7K w", "h4", 1, 0},  // two rooks on a line count once
        {"k6r/8/8/8/8/8/6n1/7K w", "h4", 2, 0},  // rook and knight
        {"8/8/8/8/k7/8/8/2K5 w", "a2", 0, 0},    // a king two squares away
        {"8/8/8/8/k7/8/8/2K5 w", "b3", 1, 0},    // adjacent it counts
        {"4k3/8/8/8/8/3p4/4K3/8 w", "e2", 1, 0}, // black pawn strikes downwards
        {"4k3/8/8/8/8/8/3p4/4K3 w", "e1", 1, 0},
        {"4k3/8/8/4K3/3p4/8/8/8 w", "e5", 0, 0},   // not from behind
        {"4k3/8/8/3n4/4P3/8/8/4K3 w", "d5", 0, 1}, // a pawn that could recapture
        {"4k3/8/8/3n4/8/8/3R4/3QK3 w", "d5", 0, 1},
        {"4k3/8/8/3n4/8/4N3/B7/4K3 w", "d5", 0, 2},
    };
    for (const auto& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            SCOPED_TRACE(std::string(c.fen) + " " + c.square);
            Position p = fen(c.fen, bottom);
            Square s = sq(c.square, bottom);
            PieceCode piece =
                p.at(s.x, s.y) == PieceCode::Empty ? PieceCode::WhiteKing : p.at(s.x, s.y);
            EXPECT_EQ(nombre_attaquants(p, piece, s.x, s.y, Colour::White), c.attackers);
            EXPECT_EQ(nombre_defenseurs(p, piece, s.x, s.y, Colour::White), c.defenders);
        }
}

TEST(SquareControl, TargetsAreTheEnemiesThePieceAttacks) {
    const struct {
        const char* fen;
        const char* square;
        int targets;
    } cases[] = {
        {"4k3/8/2p1p3/3N4/1r6/4b3/8/4K3 w", "d5", 2}, // e3 and b4, not c6 and e6
        {"4k3/8/2p1p3/3P4/8/8/8/4K3 w", "d5", 2},
        {"4k3/8/8/8/8/8/3Rp3/4K3 w", "e1", 1},
    };
    for (const auto& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Square s = sq(c.square, bottom);
            EXPECT_EQ(nombre_cibles(fen(c.fen, bottom), s.x, s.y), c.targets) << c.fen;
        }
}

TEST(MarkUndefendedPieces, RedForOursGreenForTheirs) {
    Position p = fen("4k3/8/8/3n4/8/8/1P6/4K2R w");
    std::vector<std::pair<std::string, int>> marks;
    int n = marque_pieces_non_defendues(p, Colour::White, [&](int x, int y, int colour) {
        marks.emplace_back(squareName(x, y, p.PlayerColour), colour);
    });
    EXPECT_EQ(n, 2); // b2 and h1; the rook defends the king, not the other way round
    std::vector<std::pair<std::string, int>> expected = {
        {"e8", GreenMark}, {"d5", GreenMark}, {"b2", RedMark}, {"h1", RedMark}};
    EXPECT_EQ(marks, expected);
}

} // namespace
