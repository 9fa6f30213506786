// SPDX-License-Identifier: GPL-3.0-or-later
// The tournament window with a finished crosstable, Stockfish among the players, and its engine
// dialog, saved as pictures when QUARVELIN_CAPTURES names a folder.
#include "ui/Capture.h"

#include "localisation/Catalogue.h"
#include "support/Peers.h"
#include "ui/TournamentWindow.h"

#include <QLineEdit>
#include <QPlainTextEdit>
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
    // Stockfish at its weakest: the yardstick the personalities are measured against.
    const QString stockfish = QString::fromStdString(test::findProgram("stockfish"));
    ASSERT_FALSE(stockfish.isEmpty()) << "stockfish is installed by 'make test'";
    w.addEngine({QStringLiteral("stockfish"), stockfish, {QStringLiteral("Skill Level=0")}, 50});
    w.findChild<QSpinBox*>(QStringLiteral("rounds"))->setValue(1);
    // At depth 2 the personalities play decisive games.
    w.findChild<QSpinBox*>(QStringLiteral("depth"))->setValue(2);
    w.resize(760, 450);
    w.show();
    QSignalSpy done(&w, &TournamentWindow::tournamentEnded);
    w.findChild<QPushButton*>(QStringLiteral("start"))->click();
    ASSERT_TRUE(done.wait(120000));
    EXPECT_EQ(w.findChild<QTableWidget*>(QStringLiteral("crosstable"))->rowCount(), 5);
    takeScreenshot(w, QStringLiteral("tournament"));
}

TEST(Captures, TournamentEngineDialog) {
    QTemporaryDir dir;
    Catalogue catalogue;
    catalogue.appliquer_langue(2);
    TournamentWindow w(catalogue, QUARVELIN_BIN_DIR, QUARVELIN_BIN_DIR "/base/eco.db", nullptr,
                       dir.filePath(QStringLiteral("store.ini")));
    w.findChild<QPushButton*>(QStringLiteral("addEngine"))->click();
    auto* d = w.findChild<UciPlayerDialog*>(QStringLiteral("uciPlayer"));
    ASSERT_NE(d, nullptr);
    // A misspelt option, as the check on OK reports it.
    d->findChild<QLineEdit*>(QStringLiteral("program"))
        ->setText(QStringLiteral("/usr/games/stockfish"));
    d->findChild<QPlainTextEdit*>(QStringLiteral("options"))
        ->setPlainText(QStringLiteral("Skill Level=0\nHash=16\nThreads=1\nSkil Level=3"));
    d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    ASSERT_TRUE(d->isVisible());
    takeScreenshot(*d, QStringLiteral("tournament-engine"));
}
