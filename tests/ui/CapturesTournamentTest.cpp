// SPDX-License-Identifier: GPL-3.0-or-later
// The tournament window with a finished crosstable, saved as a picture when QUARVELIN_CAPTURES
// names a folder.
#include "ui/Capture.h"

#include "localisation/Catalogue.h"
#include "ui/TournamentWindow.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace quarvelin;

TEST(Captures, TournamentWindow) {
    QTemporaryDir dir;
    Catalogue catalogue;
    catalogue.appliquer_langue(2);
    // The two example personalities beside the built-in weights and a central one.
    const std::string examples = QUARVELIN_SOURCE_DIR "/data/personalities/";
    QStringList files{QString::fromStdString(examples + "materialist.ini"),
                      QString::fromStdString(examples + "attacker.ini")};
    for (auto [name, text] :
         {std::pair{"default", ""}, std::pair{"central", "[CALCUL]\r\nNOTE_CENTRE=120\r\n"}}) {
        files << dir.filePath(QString::fromLatin1(name) + QStringLiteral(".ini"));
        std::ofstream(files.back().toStdString()) << text;
    }
    TournamentWindow w(catalogue, QUARVELIN_BIN_DIR, QUARVELIN_BIN_DIR "/base/eco.db", nullptr,
                       dir.filePath(QStringLiteral("store.ini")));
    w.setPlayers(files);
    w.findChild<QSpinBox*>(QStringLiteral("rounds"))->setValue(1);
    // At depth 2 the personalities play decisive games.
    w.findChild<QSpinBox*>(QStringLiteral("depth"))->setValue(2);
    w.resize(760, 450);
    w.show();
    QSignalSpy done(&w, &TournamentWindow::tournamentEnded);
    w.findChild<QPushButton*>(QStringLiteral("start"))->click();
    ASSERT_TRUE(done.wait(120000));
    EXPECT_EQ(w.findChild<QTableWidget*>(QStringLiteral("crosstable"))->rowCount(), 4);
    takeScreenshot(w, QStringLiteral("tournament"));
}
