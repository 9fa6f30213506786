// SPDX-License-Identifier: GPL-3.0-or-later
// A game against the machine analysed from the Game menu: the weak moves marked in the move
// list, both sides' scores beside the machine's in the statistics window. Saved as pictures
// when QUARVELIN_CAPTURES names a folder.
#include "ui/Capture.h"
#include "ui/CaptureDesk.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "engine/Engine.h"
#include "rules/MoveRules.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/StatisticsWindow.h"

#include <QAction>
#include <QElapsedTimer>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct Table : CaptureDesk {
    Table()
        : CaptureDesk([](Settings& s) {
              s.CLE_LANGUE = 2;
              s.ACTIVE_BASE_CON = {0, 0, 0};
              s.OUVERTURE_DEFAUT = {"", "", ""};
          }) {
        newGame();
    }
    void waitForTheMachine() { ::waitForTheMachine(game()); }
    void click(const Move& c) {
        BoardView* board = window->boardWindow()->board();
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.fromX, c.fromY).center());
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.toX, c.toY).center());
        waitForTheMachine();
    }
    void play(const char* uci) {
        waitForTheMachine();
        for (const Move& c : legalMoves(game().position()))
            if (uciMove(game().position(), c) == uci) return click(c);
    }
    // The minor piece move the engine likes least at depth 1: a piece left to be taken.
    void blunder() {
        waitForTheMachine();
        const Position& p = game().position();
        SearchCounters c;
        float worst = Infinity;
        Move chosen;
        for (const MoveAppraisal& a : appraiseMoves(p, EngineWeights{}, 1, 2, c)) {
            const PieceType t = pieceType(a.move.piece);
            if ((t == PieceType::Knight || t == PieceType::Bishop) && a.value < worst) {
                worst = a.value;
                chosen = a.move;
            }
        }
        click(chosen);
    }
    StatisticsWindow* analyse() {
        window->menus().action(QStringLiteral("analyseGame"))->trigger();
        return window->findChild<StatisticsWindow*>(QStringLiteral("stats"));
    }
};

TEST(GameAnalysisWindow, MarksTheMoveListAndDrawsBothSidesBesideTheMachine) {
    Table t;
    for (const char* v : {"e2e4", "g1f3", "d2d4"}) t.play(v);
    t.blunder();
    for (const char* v : {"b1c3", "f1e2"}) t.play(v);
    StatisticsWindow* stats = t.analyse();
    ASSERT_NE(stats, nullptr);
    const auto& a = stats->chart()->analysis();
    EXPECT_EQ(a.legend.size(), 3);
    EXPECT_FALSE(a.white.empty());
    EXPECT_FALSE(a.black.empty());
    EXPECT_FALSE(stats->chart()->points().empty()); // the machine's curve stays

    // White's fourth move line carries the blunder's mark.
    QListWidget* list = t.window->boardWindow()->moveList();
    ASSERT_GE(list->count(), 8);
    EXPECT_TRUE(list->item(6)->text().endsWith(QStringLiteral("??")))
        << list->item(6)->text().toStdString();
}

TEST(Captures, AnAnalysedGameWithItsChartAndMarks) {
    Table t;
    for (const char* v : {"e2e4", "g1f3", "d2d4", "b1c3"}) t.play(v);
    t.blunder();
    for (const char* v : {"f1e2", "e1g1", "c1e3", "d1d2", "a1d1", "h2h3"}) t.play(v);
    StatisticsWindow* stats = t.analyse();
    ASSERT_NE(stats, nullptr);
    stats->resize(980, 480);
    takeScreenshot(*stats, QStringLiteral("analyse-statistiques"));
    stats->close();
    takeScreenshot(*t.window, QStringLiteral("analyse-partie"));
}

} // namespace
