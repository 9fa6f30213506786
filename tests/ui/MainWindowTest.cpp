#include "ui/MainWindow.h"
#include "rules/Position.h"
#include "ui/BoardView.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

QMenu* menuTitled(MainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() && action->text().remove(u'&') == title) return action->menu();
    return nullptr;
}

} // namespace

TEST(MainWindow, TitleIsProgramAndVersion) {
    MainWindow window;
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    EXPECT_EQ(window.windowTitle(), program + QStringLiteral(" 0.1.0"));
    EXPECT_EQ(window.size(), QSize(1000, 760));
}

TEST(MainWindow, OneGameWindowWithTheStartPosition) {
    MainWindow window;
    window.show();
    const auto windows = window.mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 1);
    QMdiSubWindow* game = windows.front();
    EXPECT_EQ(game, window.boardWindow());
    EXPECT_EQ(game->objectName(), QStringLiteral("plateau"));
    EXPECT_EQ(game->windowTitle(), QStringLiteral("Partie"));
    EXPECT_TRUE(game->isVisible());
    auto* board = qobject_cast<BoardView*>(game->widget());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board, window.boardView());
    EXPECT_EQ(board->position(), quarvelin::Position::initiale());
    // Opened at a useful size: the whole board shows, none of it is cut off.
    EXPECT_GE(board->boardRect().width(), 400);
    EXPECT_TRUE(window.mdiArea()->viewport()->rect().contains(game->geometry()));
}

TEST(MainWindow, QuitClosesTheWindow) {
    MainWindow window;
    window.show();
    auto* quit = window.findChild<QAction*>(QStringLiteral("menu_quitter"));
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QMenu* file = menuTitled(window, QStringLiteral("Fichier"));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->actions().contains(quit));
    EXPECT_EQ(quit->text().remove(u'&'), QStringLiteral("Quitter"));
    quit->trigger();
    EXPECT_FALSE(window.isVisible());
}

TEST(MainWindow, TileAndCascadeArrangeTheGameWindow) {
    MainWindow window;
    window.show();
    QMenu* windows = menuTitled(window, QStringLiteral("Fenêtre"));
    ASSERT_NE(windows, nullptr);
    auto* tile = window.findChild<QAction*>(QStringLiteral("menu_mosaique"));
    auto* cascade = window.findChild<QAction*>(QStringLiteral("menu_cascade"));
    ASSERT_NE(tile, nullptr);
    ASSERT_NE(cascade, nullptr);
    EXPECT_EQ(tile->text().remove(u'&'), QStringLiteral("Mosaïque"));
    EXPECT_EQ(cascade->text().remove(u'&'), QStringLiteral("Cascade"));
    EXPECT_TRUE(windows->actions().contains(tile));
    EXPECT_TRUE(windows->actions().contains(cascade));

    const QRect area = window.mdiArea()->viewport()->rect();
    QMdiSubWindow* game = window.boardWindow();
    tile->trigger();
    // A single window tiled takes the whole area.
    EXPECT_EQ(game->geometry(), area);
    cascade->trigger();
    EXPECT_EQ(game->geometry().topLeft(), QPoint(0, 0));
    EXPECT_LT(game->geometry().width(), area.width());
}

TEST(MainWindow, GameWindowStaysOpen) {
    MainWindow window;
    window.show();
    EXPECT_FALSE(window.boardWindow()->close());
    EXPECT_TRUE(window.boardWindow()->isVisible());
    EXPECT_EQ(window.mdiArea()->subWindowList().size(), 1);
}

TEST(MainWindow, StatusBarSaysReady) {
    MainWindow window;
    window.show();
    auto* label = window.statusBar()->findChild<QLabel*>(QStringLiteral("etat"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Prêt"));
    EXPECT_TRUE(label->isVisible());
}
