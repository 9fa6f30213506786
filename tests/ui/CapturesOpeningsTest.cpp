// SPDX-License-Identifier: GPL-3.0-or-later
// The opening list with a line chosen and the statistics of a game against the machine, saved
// as pictures when QUARVELIN_CAPTURES names a folder.
#include "ui/Capture.h"
#include "ui/CaptureDesk.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "rules/MoveRules.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/OpeningLinesModel.h"
#include "ui/OpeningListWindow.h"
#include "ui/StatisticsWindow.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct Desk : CaptureDesk {
    explicit Desk(bool book)
        : CaptureDesk([book](Settings& s) {
              const std::uint8_t on = book ? 1 : 0;
              s.ACTIVE_BASE_CON = {on, on, on};
              s.OUVERTURE_ALEATOIRE = {0, 0, 0};
              s.OUVERTURE_DEFAUT = {"", "", ""};
          }) {
        newGame();
    }
    void waitForTheMachine() { ::waitForTheMachine(game()); }
    void play(const char* uci) {
        waitForTheMachine();
        GameController& p = window->game();
        for (const Move& c : legalMoves(p.position())) {
            if (uciMove(p.position(), c) != uci) continue;
            BoardView* board = window->boardWindow()->board();
            QTest::mouseClick(board, Qt::LeftButton, {},
                              board->squareRect(c.fromX, c.fromY).center());
            QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.toX, c.toY).center());
            break;
        }
        waitForTheMachine();
    }
};

TEST(Captures, TheStatisticsOfAGameAgainstTheMachine) {
    Desk d(false);
    for (const char* v : {"e2e4", "g1f3", "f1c4", "d2d3", "b1c3", "c1g5", "d1d2", "e1c1"})
        d.play(v);
    d.window->menus().action(QStringLiteral("menu_stat"))->trigger();
    auto* stats = d.window->findChild<StatisticsWindow*>(QStringLiteral("stats"));
    ASSERT_NE(stats, nullptr);
    EXPECT_GE(stats->list()->topLevelItemCount(), 7);
    stats->resize(980, 480);
    takeScreenshot(*stats, QStringLiteral("statistiques"));
}

TEST(Captures, TheOpeningListWithALineChosen) {
    Desk d(true);
    d.play("e2e4");
    d.window->menus().action(QStringLiteral("menu_voir_ouvertures"))->trigger();
    auto* list = d.window->findChild<OpeningListWindow*>(QStringLiteral("liste_coup"));
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->lines()->rowCount(), 3);
    list->list()->setCurrentIndex(list->lines()->index(3, 0));
    EXPECT_FALSE(list->findChild<QLineEdit*>(QStringLiteral("Text1"))->text().isEmpty());
    takeScreenshot(*list, QStringLiteral("liste-ouvertures"));
}

} // namespace
