// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window's menus in three languages, and of the version, tips and
// captured-pieces windows, saved when QUARVELIN_CAPTURES names a folder.
#include "ui/Capture.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "config/Tips.h"
#include "rules/MoveRules.h"
#include "session/GameController.h"
#include "support/LocalHttpServer.h"
#include "support/TestDoubles.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CapturedPiecesWindow.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/ReleaseWindow.h"
#include "ui/TipsWindow.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct Office {
    QTemporaryDir dir;
    Locations locations;
    Settings settings;
    Catalogue catalogue;
    std::unique_ptr<MainWindow> window;
    explicit Office(int language) {
        QStandardPaths::setTestModeEnabled(true);
        locations = {dir.path().toStdString(), dir.path().toStdString()};
        Settings s = builtInSettings(locations.data);
        applyNewFile(s);
        s.FIRST_STARTUP = 0;
        s.CLE_LANGUE = static_cast<std::uint8_t>(language);
        s.AFF_NOUVELLE = 0;
        s.ACTIVE_SON = 0;
        s.MODE_JEUX = 2;
        s.BASE_ECO = QUARVELIN_BIN_DIR "/base/eco.db";
        EXPECT_EQ(ecrire_reglages(s, settingsFile(locations)), "");
        EXPECT_FALSE(start(locations, settings, catalogue).end);
        window = std::make_unique<MainWindow>(settings, catalogue, locations);
        auto option =
            std::make_unique<TipsOption>(dir.filePath(QStringLiteral("user.ini")).toStdString());
        option->setShowAtStartup(false);
        window->setTipsOption(std::move(option));
        window->resize(1280, 840);
        window->show();
        window->start();
        window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
        QTest::qWait(30);
    }
    void play(std::initializer_list<const char*> moves) {
        GameController& g = window->game();
        BoardView* board = window->boardWindow()->board();
        for (const char* uci : moves)
            for (const Move& m : legalMoves(g.position()))
                if (uciMove(g.position(), m) == uci) {
                    QTest::mouseClick(board, Qt::LeftButton, {},
                                      board->squareRect(m.fromX, m.fromY).center());
                    QTest::mouseClick(board, Qt::LeftButton, {},
                                      board->squareRect(m.toX, m.toY).center());
                    break;
                }
    }
};

const std::initializer_list<const char*> Italian = {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5",
                                                    "c2c3", "g8f6", "d2d4", "e5d4", "c3d4", "c5b4",
                                                    "c1d2", "b4d2", "b1d2", "d7d5", "e4d5", "f6d5"};

// The main window with one of its menus open: the menu is a window of its own, so it is
// painted over the main window's picture where it shows on screen.
void shootWithMenuOpen(Office& o, const char* menuName, const QString& picture) {
    QMenu* menu = o.window->menus().menu(QString::fromLatin1(menuName));
    ASSERT_NE(menu, nullptr);
    QAction* title = menu->menuAction();
    o.window->menuBar()->setActiveAction(title);
    QTest::qWait(120);
    ASSERT_TRUE(menu->isVisible());
    if (!qEnvironmentVariableIsEmpty("QUARVELIN_CAPTURES")) {
        QPixmap shot = o.window->grab();
        QPainter painter(&shot);
        painter.drawPixmap(menu->mapToGlobal(QPoint(0, 0)) - o.window->mapToGlobal(QPoint(0, 0)),
                           menu->grab());
        painter.end();
        shot.save(QDir(qEnvironmentVariable("QUARVELIN_CAPTURES"))
                      .filePath(picture + QStringLiteral(".png")));
    }
    menu->hide();
}

TEST(Captures, TheGameMenuInThreeLanguages) {
    const std::pair<int, const char*> languages[] = {{1, "fr"}, {2, "en"}, {7, "ru"}};
    for (auto [language, code] : languages) {
        SCOPED_TRACE(code);
        Office o(language);
        o.play(Italian);
        o.window->menus().action(QStringLiteral("menu_chasse"))->trigger();
        shootWithMenuOpen(o, "menu_partie", QStringLiteral("menu-%1").arg(QLatin1String(code)));
    }
}

TEST(Captures, TheCapturedPieces) {
    Office o(2);
    o.play(Italian);
    o.window->menus().action(QStringLiteral("menu_chasse"))->trigger();
    QTest::qWait(30);
    CapturedPiecesWindow* w = o.window->capturedPiecesWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->balanceText().toStdString(), o.catalogue.text(TextKey::MaterialEven));
    takeScreenshot(*o.window, QStringLiteral("prises"));
}

TEST(Captures, TheTipsWindow) {
    Catalogue catalogue;
    catalogue.appliquer_langue(2);
    QTemporaryDir dir;
    TipsOption option(dir.filePath(QStringLiteral("user.ini")).toStdString());
    TipsWindow w(catalogue, option, Tips::fileFor(QUARVELIN_SOURCE_DIR "/data", 2));
    w.random = [] { return 0.62; };
    w.nextTip();
    w.show();
    QTest::qWait(30);
    EXPECT_GE(w.tips().tips().size(), 40u);
    takeScreenshot(w, QStringLiteral("astuce"));
}

TEST(Captures, TheVersionWindowAfterACheck) {
    test::LocalHttpServer server;
    server.serve(
        "/xml/version.xml",
        {200, "OK",
         "<?xml version=\"1.0\"?>\n<QUARVELIN>\n<RELEASE>\n<VERSION>0.2.0</VERSION>\n"
         "<AUTEUR>Quarvelin</AUTEUR>\n<DATE>2026-12-01</DATE>\n</RELEASE>\n</QUARVELIN>\n"});
    Catalogue catalogue;
    catalogue.appliquer_langue(2);
    test::RecordingDialogs dialogs;
    ReleaseWindow w(catalogue, server.address("/xml/version.xml"), &dialogs);
    w.show();
    w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QElapsedTimer t;
    t.start();
    while (w.check().inProgress() && t.elapsed() < 10000) QTest::qWait(10);
    EXPECT_EQ(w.check().verdict(), VersionCheck::Verdict::NewerPublished);
    QTest::qWait(30);
    takeScreenshot(w, QStringLiteral("version"));
}

} // namespace
