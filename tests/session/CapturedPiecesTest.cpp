// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/CapturedPieces.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

// Pieces as letters, for readable expectations: "qrbnp" in the order the table shows them.
std::string letters(const std::vector<PieceCode>& pieces) {
    std::string r;
    for (PieceCode p : pieces) r += EnglishLetters[code(p) - 1];
    return r;
}

TEST(CapturedPieces, LossesAndBalanceOfAPosition) {
    const struct {
        const char* name;
        const char* fen;
        std::string white, black;
        int balance;
    } cases[] = {
        {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "", "", 0},
        {"pawn for a knight", "rnbqkbnr/ppp1pppp/8/8/8/8/PPPPPPPP/R1BQKBNR w KQkq - 0 4", "N", "p",
         -2},
        {"queen and rook traded off", "1nb1kbnr/pppppppp/8/8/8/8/PPPPPPPP/1NB1KBNR w Kk - 0 9",
         "QR", "qr", 0},
        // The second queen was the a-pawn: nothing lost, and its material counts as a queen.
        {"promotion", "Q3k3/8/8/8/8/8/1PPPPPPP/RNBQKBNR b KQ - 0 30", "", "qrrbbnnpppppppp", 47},
        {"pawn promoted then taken", "4k3/8/8/8/8/8/1PPPPPPP/RNBQKBNR w KQ - 0 30", "P",
         "qrrbbnnpppppppp", 38},
        {"bare kings", "4k3/8/8/8/8/8/8/4K3 w - - 0 60", "QRRBBNNPPPPPPPP", "qrrbbnnpppppppp", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto p = readFen(c.fen, Colour::White);
        ASSERT_TRUE(p.has_value());
        const CapturedPieces r = capturedPieces(*p);
        EXPECT_EQ(letters(r.white), c.white);
        EXPECT_EQ(letters(r.black), c.black);
        EXPECT_EQ(r.balance, c.balance);
    }
}

} // namespace
