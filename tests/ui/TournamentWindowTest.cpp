// SPDX-License-Identifier: GPL-3.0-or-later
// The tournament window: a round robin played to the end and one stopped, the crosstable
// filled in, the choices remembered for the next opening of the window.
#include "ui/TournamentWindow.h"
#include "localisation/Catalogue.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

using namespace quarvelin;

namespace {

struct Players {
    QTemporaryDir dir;
    Catalogue catalogue;
    QStringList files;
    Players() {
        catalogue.appliquer_langue(2);
        for (const char* name : {"plain", "greedy", "mobile"}) {
            files << dir.filePath(QString::fromLatin1(name) + QStringLiteral(".ini"));
            std::ofstream(files.back().toStdString())
                << (name[0] == 'g' ? "[CALCUL]\r\nNOTE_MATERIEL_DAME=1500\r\n" : "");
        }
    }
    std::unique_ptr<TournamentWindow> window() {
        return std::make_unique<TournamentWindow>(catalogue, QUARVELIN_BIN_DIR,
                                                  QUARVELIN_BIN_DIR "/base/eco.db", nullptr,
                                                  dir.filePath(QStringLiteral("store.ini")));
    }
};

template <typename T> T* child(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

TEST(TournamentWindow, PlaysToTheEndAndRemembersTheChoices) {
    Players s;
    auto w = s.window();
    EXPECT_FALSE(child<QPushButton>(*w, "start")->isEnabled());
    w->setPlayers(s.files);
    child<QSpinBox>(*w, "rounds")->setValue(1);
    child<QSpinBox>(*w, "depth")->setValue(0);
    QSignalSpy done(w.get(), &TournamentWindow::tournamentEnded);
    child<QPushButton>(*w, "start")->click();
    EXPECT_TRUE(w->running());
    EXPECT_FALSE(child<QPushButton>(*w, "add")->isEnabled());
    ASSERT_TRUE(done.wait(60000));
    auto* table = child<QTableWidget>(*w, "crosstable");
    ASSERT_EQ(table->rowCount(), 3);
    double points = 0;
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(table->item(r, 2)->text(), "4");
        points += table->item(r, 3)->text().toDouble();
    }
    EXPECT_EQ(points, 6);
    EXPECT_TRUE(child<QPushButton>(*w, "start")->isEnabled());
    w.reset();

    auto again = s.window();
    EXPECT_EQ(again->players(), s.files);
    EXPECT_EQ(child<QSpinBox>(*again, "rounds")->value(), 1);
    EXPECT_EQ(child<QSpinBox>(*again, "depth")->value(), 0);
}

TEST(TournamentWindow, StopsOnRequest) {
    Players s;
    auto w = s.window();
    w->setPlayers(s.files);
    child<QSpinBox>(*w, "rounds")->setValue(200);
    child<QSpinBox>(*w, "depth")->setValue(2);
    QSignalSpy done(w.get(), &TournamentWindow::tournamentEnded);
    child<QPushButton>(*w, "start")->click();
    QTest::qWait(300);
    child<QPushButton>(*w, "stop")->click();
    ASSERT_TRUE(done.wait(20000));
    EXPECT_FALSE(w->running());
    EXPECT_TRUE(child<QLabel>(*w, "progress")->text().startsWith("Stopped after"));
}
