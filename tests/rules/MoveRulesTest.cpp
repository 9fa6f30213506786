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

Square sq(const char* name, Colour bottom = Colour::White) {
    return namedSquare(name[0], name[1], bottom);
}

bool valid(const Position& p, const char* from, const char* to) {
    Square f = sq(from, p.PlayerColour), t = sq(to, p.PlayerColour);
    return coup_valide(p, p.at(f.x, f.y), f.x, f.y, p.at(t.x, t.y), t.x, t.y);
}

Move move(const Position& p, const char* from, const char* to) {
    Square f = sq(from, p.PlayerColour), t = sq(to, p.PlayerColour);
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

struct ValidCase {
    const char* fen;
    const char* from;
    const char* to;
    bool expected;
};

class ValidMove : public ::testing::TestWithParam<ValidCase> {};

TEST_P(ValidMove, InBothOrientations) {
    const ValidCase& c = GetParam();
    for (Colour bottom : {Colour::White, Colour::Black})
        EXPECT_EQ(valid(fen(c.fen, bottom), c.from, c.to), c.expected)
            << c.fen << " " << c.from << c.to << " bottom " << code(bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidMove,
    ::testing::Values(
        // blocked pawn: neither one nor two steps; with only the far square taken, one step
        ValidCase{"4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", "e2", "e3", false},
        ValidCase{"4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1", "e2", "e4", false},
        ValidCase{"4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1", "e2", "e3", true},
        ValidCase{"4k3/8/8/8/4n3/8/4P3/4K3 w - - 0 1", "e2", "e4", false},
        ValidCase{"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2", "e4", true},
        ValidCase{"4k3/8/8/8/8/4P3/8/4K3 w - - 0 1", "e3", "e5", false},
        ValidCase{"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2", "d3", false},  // diagonal to empty
        ValidCase{"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5", "d6", true}, // en passant
        ValidCase{"4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1", "e5", "d6", false},
        ValidCase{"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e1", "e2", false}, // own piece
        ValidCase{"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1", "a8", true},
        ValidCase{"4k3/8/8/8/8/8/p7/R3K3 w - - 0 1", "a1", "a8", false},
        ValidCase{"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "a1", "b2", false},
        ValidCase{"4k3/8/8/8/8/8/1n6/B3K3 w - - 0 1", "a1", "c3", false},
        ValidCase{"4k3/8/8/8/8/8/1n6/N3K3 w - - 0 1", "a1", "c2", true}, // knights jump
        ValidCase{"4k3/8/8/8/8/8/8/Q3K3 w - - 0 1", "a1", "b3", false},
        ValidCase{"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "e1", "e3", false},
        // castling: allowed, start square attacked, passed square attacked, destination attacked
        ValidCase{"4k3/8/8/8/8/8/8/4K2R w K - 0 1", "e1", "g1", true},
        ValidCase{"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1", "c1", true},
        ValidCase{"4k3/4r3/8/8/8/8/8/4K2R w K - 0 1", "e1", "g1", false},
        ValidCase{"4k3/5r2/8/8/8/8/8/4K2R w K - 0 1", "e1", "g1", false},
        ValidCase{"4k3/6r1/8/8/8/8/8/4K2R w K - 0 1", "e1", "g1", true}, // caught by legality
        ValidCase{"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "e1", "c1", false},  // right lost
        ValidCase{"4k3/8/8/8/8/8/8/RN2K3 w Q - 0 1", "e1", "c1", false},
        ValidCase{"4k3/1r6/8/8/8/8/8/R3K3 w Q - 0 1", "e1", "c1", true}, // b1 may be attacked
        ValidCase{"r3k3/8/8/8/8/8/8/4K3 b q - 0 1", "e8", "c8", true}));

TEST(LegalMove, KingMayStepIntoAttackOnlyByTheMovementRule) {
    Position p = fen("4k3/8/8/8/8/8/5r2/4K3 w - - 0 1");
    EXPECT_TRUE(valid(p, "e1", "f1"));
    EXPECT_FALSE(isLegal(p, move(p, "e1", "f1")));
    EXPECT_TRUE(isLegal(p, move(p, "e1", "f2")));
}

TEST(LegalMove, EnPassantOnlyRightAfterTheDoubleStep) {
    Position p = fen("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    playMove(p, move(p, "d7", "d5"));
    EXPECT_TRUE(isLegal(p, move(p, "e5", "d6")));
    Position later = p;
    playMove(later, move(later, "e1", "f1"));
    playMove(later, move(later, "e8", "f8"));
    EXPECT_FALSE(isLegal(later, move(later, "e5", "d6")));

    PlayedMove j = playMove(p, move(p, "e5", "d6"));
    EXPECT_TRUE(j.enPassant);
    EXPECT_EQ(j.captured, PieceCode::BlackPawn);
    Square d5 = sq("d5");
    EXPECT_EQ(p.at(d5.x, d5.y), PieceCode::Empty);
}

TEST(PlayMove, CastlingWithBlackAtTheBottomMovesTheRookFromColumnOneToThree) {
    Position p = fen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", Colour::Black);
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
    playMove(p, move(p, "h1", "h5")); // the rook leaves: the king side goes
    EXPECT_EQ(p.MoveCount, 9);
    EXPECT_EQ(p.QuietMoveCount, 6);
    EXPECT_FALSE(p.CastlingRights & WhiteShort);
    EXPECT_TRUE(p.CastlingRights & WhiteLong);
    playMove(p, move(p, "e8", "d8"));
    EXPECT_EQ(p.MoveCount, 9); // Black moves leave it
    Move promo = move(p, "b7", "a8");
    promo.promotion = PieceCode::WhiteKnight;
    PlayedMove j = playMove(p, promo);
    EXPECT_TRUE(j.promotion);
    EXPECT_EQ(p.at(1, 1), PieceCode::WhiteKnight);
    EXPECT_EQ(p.QuietMoveCount, 0);
    EXPECT_FALSE(p.CastlingRights & BlackLong); // its rook was taken at home
    playMove(p, move(p, "d8", "c8"));
    Position q = p;
    playMove(q, move(q, "h5", "h1"));
    EXPECT_FALSE(q.CastlingRights & WhiteShort); // a rook that comes back does not restore it
}

TEST(GameEnd, MateStalemateAndPlay) {
    EXPECT_EQ(gameEnd(fen("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1")), GameEnd::Mate);
    EXPECT_EQ(gameEnd(fen("7k/8/6QK/8/8/8/8/8 b - - 0 1")), GameEnd::Stalemate);
    EXPECT_EQ(gameEnd(fen("7k/8/8/8/8/8/8/K7 b - - 0 1")), GameEnd::InProgress);
}

struct CountCase {
    const char* fen;
    const char* square;
    int attackers; // nombre_attaquants for the piece there (or a white king if empty)
    int defenders; // nombre_defenseurs for White
};

class Counts : public ::testing::TestWithParam<CountCase> {};

TEST_P(Counts, InBothOrientations) {
    const CountCase& c = GetParam();
    for (Colour bottom : {Colour::White, Colour::Black}) {
        Position p = fen(c.fen, bottom);
        Square s = sq(c.square, bottom);
        PieceCode piece =
            p.at(s.x, s.y) == PieceCode::Empty ? PieceCode::WhiteKing : p.at(s.x, s.y);
        EXPECT_EQ(nombre_attaquants(p, piece, s.x, s.y, Colour::White), c.attackers)
            << c.fen << c.square;
        EXPECT_EQ(nombre_defenseurs(p, piece, s.x, s.y, Colour::White), c.defenders)
            << c.fen << c.square;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Counts,
    ::testing::Values(
        CountCase{"k7/8/8/8/r2r4/8/8/7K w - - 0 1", "h4", 1, 0},  // two rooks on a line count once
        CountCase{"k6r/8/8/8/8/8/6n1/7K w - - 0 1", "h4", 2, 0},  // rook and knight
        CountCase{"8/8/8/8/k7/8/8/2K5 w - - 0 1", "a2", 0, 0},    // a king two squares away
        CountCase{"8/8/8/8/k7/8/8/2K5 w - - 0 1", "b3", 1, 0},    // adjacent it counts
        CountCase{"4k3/8/8/8/8/3p4/4K3/8 w - - 0 1", "e2", 1, 0}, // black pawn strikes downwards
        CountCase{"4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "e1", 1, 0},
        CountCase{"4k3/8/8/4K3/3p4/8/8/8 w - - 0 1", "e5", 0, 0},   // not from behind
        CountCase{"4k3/8/8/3n4/4P3/8/8/4K3 w - - 0 1", "d5", 0, 1}, // a pawn that could recapture
        CountCase{"4k3/8/8/3n4/8/8/3R4/3QK3 w - - 0 1", "d5", 0, 1},
        CountCase{"4k3/8/8/3n4/8/4N3/B7/4K3 w - - 0 1", "d5", 0, 2}));

TEST(TargetCount, CountsEnemiesThePieceAttacks) {
    for (Colour bottom : {Colour::White, Colour::Black}) {
        Position p = fen("4k3/8/2p1p3/3N4/1r6/4b3/8/4K3 w - - 0 1", bottom);
        Square n = sq("d5", bottom);
        EXPECT_EQ(nombre_cibles(p, n.x, n.y), 2); // e3 and b4; c6 and e6 are not knight squares
        Position q = fen("4k3/8/2p1p3/3P4/8/8/8/4K3 w - - 0 1", bottom);
        Square pawn = sq("d5", bottom);
        EXPECT_EQ(nombre_cibles(q, pawn.x, pawn.y), 2);
        Position r = fen("4k3/8/8/8/8/8/3Rp3/4K3 w - - 0 1", bottom);
        Square king = sq("e1", bottom);
        EXPECT_EQ(nombre_cibles(r, king.x, king.y), 1);
    }
}

TEST(MarkUndefendedPieces, RedForOursGreenForTheirs) {
    Position p = fen("4k3/8/8/3n4/8/8/1P6/4K2R w - - 0 1");
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
