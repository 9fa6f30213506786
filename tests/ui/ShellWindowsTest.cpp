// SPDX-License-Identifier: GPL-3.0-or-later
// The tips, version, captured-pieces and About windows, alone and as the main window opens them.
#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "config/Tips.h"
#include "session/GameController.h"
#include "support/LocalHttpServer.h"
#include "support/Moves.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"
#include "ui/AboutWindow.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CapturedPiecesWindow.h"
#include "ui/LanguageWindow.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/ReleaseWindow.h"
#include "ui/TipsWindow.h"

#include "Controls.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <deque>

using namespace quarvelin;

namespace {

struct TipsFixture : ::testing::Test {
    QTemporaryDir dir;
    std::string tipsFile = dir.filePath(QStringLiteral("fr.txt")).toStdString();
    TipsOption option{dir.filePath(QStringLiteral("user.ini")).toStdString()};
    Catalogue catalogue;
};

TEST_F(TipsFixture, ShowsATipAtRandomAndKeepsTheStartUpChoice) {
    test::writeText(tipsFile, "Premier.\n\nDeuxième.\nTroisième.\n");
    TipsWindow w(catalogue, option, tipsFile);
    auto* label = child<QLabel>(w, "lblTipText");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(w.tips().tips().size(), 3u);
    EXPECT_TRUE(w.tips().current() >= 1 && w.tips().current() <= 3);
    std::deque<double> draws{0.9, 0.0};
    w.random = [&] {
        const double r = draws.front();
        draws.pop_front();
        return r;
    };
    for (const char* expected : {"Troisième.", "Premier."}) {
        child<QPushButton>(w, "cmdNextTip")->click();
        EXPECT_EQ(label->text().toStdString(), expected);
    }
    auto* box = child<QCheckBox>(w, "chkLoadTipsAtStartup");
    EXPECT_TRUE(box->isChecked()); // nothing stored yet: tips are wanted
    box->click();
    EXPECT_FALSE(option.showAtStartup());
}

TEST_F(TipsFixture, AMissingFileIsSaidWithItsName) {
    TipsWindow w(catalogue, option, tipsFile);
    const QString text = child<QLabel>(w, "lblTipText")->text();
    EXPECT_TRUE(text.endsWith(QString::fromStdString(tipsFile)));
    EXPECT_TRUE(text.startsWith(QString::fromStdString(catalogue.text(TextKey::NoTips))));
    EXPECT_FALSE(child<QPushButton>(w, "cmdNextTip")->isEnabled());
}

// A main window over a fresh installation, its tips choice in a store of the test's own.
struct Desk {
    QTemporaryDir dir;
    Locations locations;
    Settings settings;
    Catalogue catalogue;
    std::unique_ptr<MainWindow> window;
    Desk(bool firstStartup, bool tips) {
        QStandardPaths::setTestModeEnabled(true);
        locations = {dir.path().toStdString(), dir.path().toStdString()};
        Settings s = builtInSettings(locations.data);
        applyNewFile(s);
        s.FIRST_STARTUP = firstStartup ? 1 : 0;
        s.AFF_NOUVELLE = 0;
        s.ACTIVE_SON = 0;
        s.MODE_JEUX = 2; // two players: no machine replies
        EXPECT_EQ(ecrire_reglages(s, settingsFile(locations)), "");
        EXPECT_FALSE(start(locations, settings, catalogue).end);
        window = std::make_unique<MainWindow>(settings, catalogue, locations);
        auto option =
            std::make_unique<TipsOption>(dir.filePath(QStringLiteral("user.ini")).toStdString());
        option->setShowAtStartup(tips);
        window->setTipsOption(std::move(option));
        window->show();
    }
    void play(const char* uci) {
        const std::optional<Move> m = test::legalMove(window->game().position(), uci);
        ASSERT_TRUE(m.has_value()) << uci << " is not legal here";
        BoardView* board = window->boardWindow()->board();
        QTest::mouseClick(board, Qt::LeftButton, {},
                          board->squareRect(m->fromX, m->fromY).center());
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(m->toX, m->toY).center());
    }
};

TEST(StartUpTips, OpenAfterTheLanguageWindowOnlyWhenWanted) {
    {
        Desk d(true, true);
        d.window->start();
        ASSERT_NE(d.window->languageWindow(), nullptr);
        EXPECT_EQ(d.window->tipsWindow(), nullptr); // the language comes first
        QTest::mouseClick(d.window->languageWindow()->button(7), Qt::LeftButton); // Russian
        ASSERT_NE(d.window->tipsWindow(), nullptr);
        EXPECT_TRUE(d.window->tipsWindow()->isVisible());
        // In the language just chosen, from its own file.
        EXPECT_EQ(d.window->tipsWindow()->windowTitle().toStdString(),
                  d.catalogue.text(TextKey::TipsTitle));
        EXPECT_NE(child<QLabel>(*d.window->tipsWindow(), "lblTipText")
                      ->text()
                      .indexOf(QStringLiteral("tips/ru.txt")),
                  -1);
    }
    Desk quiet(false, false);
    quiet.window->start();
    EXPECT_EQ(quiet.window->tipsWindow(), nullptr);
    // The menu opens the window whatever the check box says.
    quiet.window->menus().action(QStringLiteral("menu_astuce"))->trigger();
    ASSERT_NE(quiet.window->tipsWindow(), nullptr);
    EXPECT_TRUE(quiet.window->tipsWindow()->isVisible());
}

TEST(CapturedPiecesShown, FollowMovesAndNavigation) {
    Desk d(false, false);
    d.window->start();
    EXPECT_FALSE(d.window->menus().action(QStringLiteral("menu_chasse"))->isEnabled());
    d.window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    d.window->menus().action(QStringLiteral("menu_chasse"))->trigger();
    CapturedPiecesWindow* w = d.window->capturedPiecesWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(d.window->capturedPiecesSubWindow()->isVisible());
    const auto balance = [&] {
        QTest::qWait(5); // redrawn once the move's squares are all written
        return w->balanceText().toStdString();
    };
    EXPECT_EQ(balance(), d.catalogue.text(TextKey::MaterialEven));
    for (const char* m : {"e2e4", "d7d5", "e4d5", "d8d5", "b1c3"}) d.play(m);
    EXPECT_EQ(balance(), d.catalogue.text(TextKey::MaterialEven));
    d.window->game().navigate(1); // back to before the c3 knight
    d.window->game().navigate(1); // and before the queen took back
    EXPECT_EQ(balance(), d.catalogue.text(TextKey::MaterialWhiteAhead, {"1"}));
    EXPECT_EQ(child<QLabel>(*w, "noirs")->pixmap().isNull(), false); // the pawn, drawn
    EXPECT_EQ(child<QLabel>(*w, "blancs")->pixmap().isNull(), true); // nothing lost
    d.window->game().navigate(3);
    EXPECT_EQ(balance(), d.catalogue.text(TextKey::MaterialEven));
}

TEST(VersionWindow, OneCheckPerOpeningAndNoAddressSaysWhere) {
    test::LocalHttpServer server;
    server.serve("/version.xml", {200, "OK", "<R><VERSION>0.0.9</VERSION></R>"});
    Catalogue catalogue;
    test::RecordingDialogs dialogs;
    {
        ReleaseWindow w(catalogue, server.address("/version.xml"), &dialogs);
        auto* start = child<QPushButton>(w, "Command2");
        start->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.check().inProgress(); }, 10000));
        EXPECT_FALSE(start->isEnabled());
        const QString text = child<QPlainTextEdit>(w, "contenu")->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("VERSION [0.0.9]")));
        EXPECT_TRUE(text.contains(QString::fromStdString(catalogue.text(TextKey::LatestVersion))));
    }
    ReleaseWindow none(catalogue, "", &dialogs);
    child<QPushButton>(none, "Command2")->click();
    const QString text = child<QPlainTextEdit>(none, "contenu")->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromStdString(catalogue.text(TextKey::VersionFileAddress))));
    EXPECT_TRUE(child<QPushButton>(none, "Command2")->isEnabled());
}

TEST(AboutBox, NamesTheLicenceAndTheLibrariesAndNoInventedAddress) {
    Catalogue catalogue;
    AboutWindow w(catalogue);
    const QString text = child<QLabel>(w, "texte")->text();
    EXPECT_TRUE(text.contains(QStringLiteral("GPL-3.0-or-later")));
    EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + QLatin1String(qVersion())));
    EXPECT_TRUE(text.contains(QStringLiteral("SQLite 3.")));
    EXPECT_FALSE(text.contains(QStringLiteral("href")));
}

} // namespace
