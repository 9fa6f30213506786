// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/CorrespondenceRules.h"

#include <gtest/gtest.h>

namespace quarvelin {
namespace {

TEST(CorrespondenceText, LastMoveAndYearCompletion) {
    const struct {
        const char* in;
        const char* last;
    } lastMoves[] = {{"1.e4 e5 2.Cf3", "Cf3"},
                     {"1.e4 e5 2.Nf3 Nc6 ", "Nc6"},
                     {"e4", "e4"},
                     {"", ""},
                     {"1.e4", "e4"}};
    for (const auto& c : lastMoves)
        EXPECT_EQ(dernier_coup(QString::fromUtf8(c.in)).toStdString(), c.last) << c.in;

    const struct {
        const char* in;
        const char* out;
    } years[] = {
        {"31/12/49", "31/12/2049"}, {"01/01/50", "01/01/1950"}, {"07/12/2026", "07/12/2026"}};
    for (const auto& c : years)
        EXPECT_EQ(completer_annee(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;

    EXPECT_EQ(readDayMonthYear(QStringLiteral("29/02/24")), QDate(2024, 2, 29));
    EXPECT_FALSE(readDayMonthYear(QStringLiteral("30/02/2024")).isValid());
    EXPECT_FALSE(readDayMonthYear(QStringLiteral("3/2/2024")).isValid());
}

TEST(CorrespondenceText, StateIconFromTheHalfMovesAndTheSideTheUserPlays) {
    const struct {
        const char* moves;
        bool white;
        bool finished;
        CorrespondenceState state;
    } cases[] = {
        {"", true, false, CorrespondenceState::UserTurn},
        {"", false, false, CorrespondenceState::Waiting},
        {"1.e4", true, false, CorrespondenceState::Waiting},
        {"1.e4", false, false, CorrespondenceState::UserTurn},
        // A recapture written like the move before it is still a move of the other side.
        {"1.e4 d5 2.exd5 Nf6 3.Nc3 Nxd5 4.Nxd5", true, false, CorrespondenceState::Waiting},
        {"1.e4 d5 2.exd5 Nf6 3.Nc3 Nxd5 4.Nxd5", false, false, CorrespondenceState::UserTurn},
        {"1.e4 d5 2.exd5 Nf6 3.Nc3 Nxd5 4.Nxd5 Qxd5", true, false, CorrespondenceState::UserTurn},
        {"1.e4 e5", true, true, CorrespondenceState::Finished},
        {"", false, true, CorrespondenceState::Finished},
    };
    for (const auto& c : cases) {
        CorrespondenceGame g;
        g.Move = QString::fromUtf8(c.moves);
        g.JAIBLANC = c.white;
        if (c.finished) g.DateFin = QDate(2026, 5, 1);
        EXPECT_EQ(correspondenceState(g), c.state) << c.moves << " white " << c.white;
    }
}

TEST(CorrespondenceText, MovesInEitherNotationAreStoredInSan) {
    const GameMoves french = readMoves("1.e4 e5 2.Cf3 Cc6 3.Fb5", NotationCode::French);
    ASSERT_TRUE(french.ok);
    EXPECT_EQ(numberedMoves(french.san), "1.e4 e5 2.Nf3 Nc6 3.Bb5");
    const GameMoves bad = readMoves("1.e4 e5 2.Ke3");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.badToken, "Ke3");
}

TEST(CorrespondenceText, ReceivedMoveNumberingAndRules) {
    const struct {
        const char* stored;
        bool userWhite;
        const char* typed;
        bool ok;
        TextKey problem;
        const char* recorded;
        const char* moves;
    } cases[] = {
        // The opponent plays Black.
        {"1.e4 e5 2.Nf3", true, "Nc6", true, {}, "2...Nc6", "1.e4 e5 2.Nf3 Nc6"},
        {"1.e4 e5 2.Nf3", true, "2...Nc6", true, {}, "2...Nc6", "1.e4 e5 2.Nf3 Nc6"},
        {"1.e4 e5 2.Nf3", true, "2.Nc6", false, TextKey::BlackMoveHasNoNumber, "", ""},
        {"1.e4 e5 2.Nf3", true, "3...Nc6", false, TextKey::ExpectedMoveNumber, "", ""},
        {"1.e4 e5 2.Nf3", true, "Nc5", false, TextKey::ReceivedMoveImpossible, "", ""},
        {"1.e4 e5 2.Nf3", true, "Cc6", true, {}, "2...Nc6", "1.e4 e5 2.Nf3 Nc6"},
        // The opponent plays White.
        {"1.e4 e5", false, "2.Nf3", true, {}, "2.Nf3", "1.e4 e5 2.Nf3"},
        {"1.e4 e5", false, "Nf3", false, TextKey::WhiteMoveNeedsNumber, "", ""},
        {"1.e4 e5", false, "2...Nf3", false, TextKey::WhiteMoveNeedsNumber, "", ""},
        {"1.e4 e5", false, "5.Nf3", false, TextKey::ExpectedMoveNumber, "", ""},
        {"", false, "1.e4", true, {}, "1.e4", "1.e4"},
        // Not the opponent's turn, or unreadable.
        {"1.e4", false, "e5", false, TextKey::ReceivedMoveImpossible, "", ""},
        {"1.e4 e5 2.Nf3", true, "2...", false, TextKey::ReceivedMoveImpossible, "", ""},
    };
    for (const auto& c : cases) {
        CorrespondenceGame g;
        g.Move = QString::fromUtf8(c.stored);
        g.JAIBLANC = c.userWhite;
        const ReceivedMove r = readReceivedMove(g, c.typed);
        EXPECT_EQ(r.ok, c.ok) << c.typed;
        if (!c.ok) {
            EXPECT_EQ(r.problem, c.problem) << c.typed;
        }
        EXPECT_EQ(r.move, c.recorded) << c.typed;
        EXPECT_EQ(r.moves, c.moves) << c.typed;
    }
    CorrespondenceGame g;
    g.Move = QStringLiteral("1.e4 e5 2.Nf3");
    EXPECT_EQ(readReceivedMove(g, "7...Nc6").values, (std::vector<std::string>{"2", "2...Nc6"}));
}

TEST(CorrespondenceText, SentMoveIsTheStoredGamePlusOneMoveOfTheUsersSide) {
    const struct {
        const char* stored;
        bool userWhite;
        const char* board;
        bool ok;
        TextKey problem;
        const char* moves;
    } cases[] = {
        {"1.e4 e5", true, "1.e4 e5 2.Nf3", true, {}, "1.e4 e5 2.Nf3"},
        {"1.e4 e5 2.Nf3", false, "1.e4 e5 2.Nf3 Nc6", true, {}, "1.e4 e5 2.Nf3 Nc6"},
        {"1.e4 e5", true, "1.e4 e5", false, TextKey::NoMoveToSend, ""},
        {"1.e4 e5", true, "1.d4 e5 2.Nf3", false, TextKey::BoardNotOnGame, ""},
        {"1.e4 e5", true, "1.e4 e5 2.Nf3 Nc6", false, TextKey::BoardNotOnGame, ""},
        {"1.e4", true, "1.e4 e5", false, TextKey::BoardNotOnGame, ""},
    };
    for (const auto& c : cases) {
        CorrespondenceGame g;
        g.Move = QString::fromUtf8(c.stored);
        g.JAIBLANC = c.userWhite;
        const SentMove s = readSentMove(g, c.board);
        EXPECT_EQ(s.ok, c.ok) << c.board;
        if (!c.ok) {
            EXPECT_EQ(s.problem, c.problem) << c.board;
        }
        EXPECT_EQ(s.moves, c.moves) << c.board;
    }
}

TEST(CorrespondenceText, HeaderOfAGameOpenedOnTheBoard) {
    CorrespondenceGame g;
    g.Cle = 12;
    g.BLANC = QStringLiteral("Ann \"Queen\"");
    g.NOIR = QStringLiteral("Zoé");
    g.EloBlanc = QStringLiteral("1800");
    g.DateDebut = QDate(2026, 1, 5);
    EXPECT_EQ(correspondenceHeader(g),
              "[Event \"PC/0012\"]\r\n[Site \"REMOTE\"]\r\n[Date \"2026.01.05\"]\r\n"
              "[White \"Ann \\\"Queen\\\"\"]\r\n[Black \"Zoé\"]\r\n[WhiteElo \"1800\"]\r\n"
              "[BlackElo \"\"]\r\n");
}

} // namespace
} // namespace quarvelin
