// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/MoveReader.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct ReadCase {
    const char* fen;
    const char* token;
    NotationCode notation;
    const char* uci; // the move read, "" when none
    const char* suffix;
};

// The move a token names, in long algebraic form, with either side at the bottom.
// malformed: whether the reader asks for the token to be shown to the user.
std::string parsed(const Position& p, std::string token, NotationCode n,
                   std::string* suffix = nullptr, bool* malformed = nullptr) {
    ReadMove r = lire_coup(p, p.sideToMove(), n, token);
    if (suffix) *suffix = r.suffix;
    if (malformed) *malformed = r.malformed;
    if (!r.readable || !r.fromX || !r.fromY || !r.toX) return "";
    return uciMove(p, r.move());
}

TEST(MoveReading, TokensOfRealGameFiles) {
    const NotationCode F = NotationCode::French, G = NotationCode::Pgn;
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const ReadCase cases[] = {
        {start, "e4", G, "e2e4", ""},
        {start, "e3", G, "e2e3", ""},
        {start, "12.Nf3", G, "g1f3", ""},
        {start, "1. e4", G, "e2e4", ""},
        {start, "Cf3", F, "g1f3", ""},
        {start, "Nf3!?", G, "g1f3", "!?"},
        {start, "e2-e4", G, "e2e4", ""},
        {start, "e2e4", G, "e2e4", ""},
        {start, "Ng1-f3", G, "g1f3", ""},
        {start, "Cg1-f3", F, "g1f3", ""},
        {start, "Ng1f3", G, "g1f3", ""},
        // Long records of the other notations: the origin square names the piece.
        {start, "g1-f3", G, "g1f3", ""},
        {start, "Cg1-f3", G, "g1f3", ""},
        {start, "Ng1-f3", F, "g1f3", ""},
        {"4k3/8/8/8/8/8/8/4K1R1 w - - 0 1", "Re1-f2", G, "e1f2", ""}, // French R: the king
        {"4k3/8/8/8/8/8/8/4K1R1 w - - 0 1", "Rg1-g7", G, "g1g7", ""},
        {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", "1...e5", G, "e7e5", ""},
        // a knight on g1 and one on d2: the first in jump order that can legally go
        {"4k3/8/8/8/8/8/3N4/4K1N1 w - - 0 1", "Nf3", G, "d2f3", ""},
        {"4k3/8/8/8/8/8/3N4/4K1N1 w - - 0 1", "Ngf3", G, "g1f3", ""},
        {"4k3/8/8/6N1/8/8/8/4K1N1 w - - 0 1", "N1f3", G, "g1f3", ""},
        {"4k3/8/8/6N1/8/8/8/4K1N1 w - - 0 1", "N5f3", G, "g5f3", ""},
        // the d2 knight is pinned, so Nf3 is the other one
        {"4k3/8/8/b7/8/8/3N4/4K1N1 w - - 0 1", "Nf3", G, "g1f3", ""},
        {"4r2k/8/8/8/4R3/8/8/4R1K1 w - - 0 1", "Rxe8", G, "e4e8", ""},
        {"4k3/8/8/8/8/2p5/1P1B4/4K3 w - - 0 1", "bxc3", G, "b2c3", ""},
        {"4k3/8/8/8/8/2p5/1P1B4/4K3 w - - 0 1", "Bxc3", G, "d2c3", ""},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "O-O", G, "e1g1", ""},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "0-0", G, "e1g1", ""},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "O-O-O+", G, "e8c8", "+"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "0-0-0", G, "e8c8", ""},
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", "Df1", F, "d1f1", ""},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8=Q+", G, "a7a8q", "=Q+"},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "axb8=N", G, "a7b8n", "=N"},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "axb8=C", F, "a7b8n", "=C"},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7-a8=D", G, "a7a8q", "=D"},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a7a8r", G, "a7a8r", "=r"},
        {"1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1", "a8Q", G, "a7a8q", "=Q"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "exd6e.p.", G, "e5d6", "e.p."},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5xd6", G, "e5d6", ""},
        {"4k3/8/8/8/7q/8/8/4K3 b - - 0 1", "Qh4xe1", G, "h4e1", ""},
        {"4k3/8/8/8/7Q/8/8/K6Q w - - 0 1", "Q4e1+", G, "h4e1", "+"},
        {"8/k7/8/8/4Q2Q/8/8/1K5Q w - - 0 1", "Qh4e1", G, "h4e1", ""},
        // an ambiguous token takes the first queen in walk order
        {"8/k7/8/8/4Q2Q/8/8/1K5Q w - - 0 1", "Qe1", G, "h1e1", ""},
        {start, "e5", G, "", ""}, // no pawn behind: no move, no message
        {start, "Nf3 {good}", G, "g1f3", ""},
    };
    for (const ReadCase& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(c.fen, bottom);
            Position before = p;
            std::string suffix;
            bool malformed = true;
            EXPECT_EQ(parsed(p, c.token, c.notation, &suffix, &malformed), c.uci)
                << c.token << " in " << c.fen;
            EXPECT_EQ(suffix, c.suffix) << c.token;
            EXPECT_FALSE(malformed) << c.token;
            EXPECT_EQ(p, before);
        }
}

TEST(MoveReading, ResultTokens) {
    Position p = Position::initial();
    for (const char* t : {"1-0", "0-1", "1/2-1/2", "*"}) {
        std::string token = t;
        ReadMove r = lire_coup(p, Colour::White, NotationCode::Pgn, token);
        EXPECT_TRUE(r.isResult()) << t;
        EXPECT_EQ(r.piece, PieceCode::Empty);
        EXPECT_EQ(r.suffix, t);
        EXPECT_EQ(r.fromX + r.fromY + r.toX + r.toY, 0);
    }
}

TEST(MoveReading, UnreadableTokensAreMarkedForTheUser) {
    Position p = Position::initial();
    const struct {
        const char* token;
        NotationCode notation;
        bool malformed;
    } cases[] = {
        {"Xf3", NotationCode::Pgn, true},
        {"Zxf3", NotationCode::Pgn, true},
        {"N9f3", NotationCode::Pgn, true},
        {"zz", NotationCode::Pgn, true},
        {"Nf3d", NotationCode::Pgn, true},
        {"Nf3", NotationCode::French, true}, // in French notation N is no piece letter
        // Six characters and more that are not long algebraic give no move, silently.
        {"Nf3xyzzy", NotationCode::Pgn, false},
    };
    for (const auto& c : cases) {
        bool malformed = !c.malformed;
        EXPECT_EQ(parsed(p, c.token, c.notation, nullptr, &malformed), "") << c.token;
        EXPECT_EQ(malformed, c.malformed) << c.token;
    }
}

TEST(FindOrigin, HintsAndNotFound) {
    Position p = *readFen("4k3/8/8/8/8/8/3N4/4K1N1 w - - 0 1", Colour::White);
    Square f3 = namedSquare('f', '3', Colour::White);
    int hx = 0, hy = 0;
    EXPECT_TRUE(chercher_origine(p, PieceCode::WhiteKnight, f3.x, f3.y, hx, hy));
    EXPECT_EQ(squareName(hx, hy, Colour::White), "d2");
    hx = 7, hy = 0;
    EXPECT_TRUE(chercher_origine(p, PieceCode::WhiteKnight, f3.x, f3.y, hx, hy));
    EXPECT_EQ(squareName(hx, hy, Colour::White), "g1");
    hx = 3, hy = 3;
    EXPECT_FALSE(chercher_origine(p, PieceCode::WhiteBishop, f3.x, f3.y, hx, hy));
    EXPECT_EQ(hx, 3); // left as given
}

} // namespace
