// SPDX-License-Identifier: GPL-3.0-or-later
// Outside UCI engines in the tournament window: the dialog that tries a program before it
// joins, a tournament against Stockfish, the engines remembered for the next opening, and the
// captions following the language.
#include "localisation/Catalogue.h"
#include "support/Peers.h"
#include "ui/TournamentWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace quarvelin;

namespace {

struct Folder {
    QTemporaryDir dir;
    Catalogue catalogue;
    QString plain = dir.filePath(QStringLiteral("plain.ini"));
    QString stockfish = QString::fromStdString(test::findProgram("stockfish"));
    Folder() {
        catalogue.appliquer_langue(2);
        std::ofstream(plain.toStdString());
    }
    std::unique_ptr<TournamentWindow> window() {
        return std::make_unique<TournamentWindow>(catalogue, QUARVELIN_BIN_DIR,
                                                  QUARVELIN_BIN_DIR "/base/eco.db", nullptr,
                                                  dir.filePath(QStringLiteral("store.ini")));
    }
};

template <typename T> T* child(QObject& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

// The engine dialog as the window's button opens it, filled in.
UciPlayerDialog* askEngine(TournamentWindow& w, const QString& program, const QString& options) {
    child<QPushButton>(w, "addEngine")->click();
    auto* d = child<UciPlayerDialog>(w, "uciPlayer");
    if (!d) return nullptr;
    child<QLineEdit>(*d, "program")->setText(program);
    child<QPlainTextEdit>(*d, "options")->setPlainText(options);
    return d;
}

// Closes the dialog for good, so the next click opens a fresh one.
void closeDialog(UciPlayerDialog* d) {
    child<QPushButton>(*d, "CancelButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(TournamentEngines, DialogRefusesWhatIsNoEngineAndKeepsTheInput) {
    Folder f;
    ASSERT_FALSE(f.stockfish.isEmpty()) << "stockfish is installed by 'make test'";
    auto w = f.window();
    const struct {
        QString program, options, message;
    } cases[] = {
        {"", "", "Name the engine's program."},
        {"/nonexistent/engine", "Skill Level=0",
         "The program “/nonexistent/engine” cannot be found or started."},
        {"/bin/true", "", "“/bin/true” is not a UCI engine: it did not answer the uci command."},
        {f.stockfish, "Skill Level", "An engine option is written name=value: Skill Level"},
        {f.stockfish, "Skill Level=0\nSkil Level=1", "has no option “Skil Level”."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program.toStdString() + " / " + c.options.toStdString());
        UciPlayerDialog* d = askEngine(*w, c.program, c.options);
        ASSERT_NE(d, nullptr);
        child<QPushButton>(*d, "OKButton")->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(child<QLabel>(*d, "problem")->text().endsWith(c.message))
            << child<QLabel>(*d, "problem")->text().toStdString();
        EXPECT_EQ(child<QLineEdit>(*d, "program")->text(), c.program);
        EXPECT_EQ(child<QPlainTextEdit>(*d, "options")->toPlainText(), c.options);
        closeDialog(d);
    }
    EXPECT_TRUE(w->engines().isEmpty());
}

TEST(TournamentEngines, PlaysAPersonalityAgainstStockfish) {
    Folder f;
    ASSERT_FALSE(f.stockfish.isEmpty()) << "stockfish is installed by 'make test'";
    auto w = f.window();
    w->setPlayers({f.plain});
    w->addEngine({QStringLiteral("stockfish"), f.stockfish, {QStringLiteral("Skill Level=0")}, 10});
    child<QSpinBox>(*w, "rounds")->setValue(1);
    child<QSpinBox>(*w, "depth")->setValue(0);
    QSignalSpy done(w.get(), &TournamentWindow::tournamentEnded);
    child<QPushButton>(*w, "start")->click();
    ASSERT_TRUE(done.wait(120000));
    auto* table = child<QTableWidget>(*w, "crosstable");
    ASSERT_EQ(table->rowCount(), 2);
    QStringList names;
    double points = 0;
    for (int r = 0; r < 2; ++r) {
        names << table->item(r, 1)->text();
        EXPECT_EQ(table->item(r, 2)->text(), "2");
        points += table->item(r, 3)->text().toDouble();
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"plain", "stockfish"}));
    EXPECT_EQ(points, 2);
}

TEST(TournamentEngines, RemembersTheEnginesInTheirPlaces) {
    Folder f;
    ASSERT_FALSE(f.stockfish.isEmpty()) << "stockfish is installed by 'make test'";
    auto w = f.window();
    w->setPlayers({f.plain});
    for (const char* options : {" Skill Level = 0 ", ""}) {
        UciPlayerDialog* d = askEngine(*w, f.stockfish, QString::fromLatin1(options));
        ASSERT_NE(d, nullptr);
        child<QSpinBox>(*d, "moveTime")->setValue(20);
        child<QPushButton>(*d, "OKButton")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    w->addEngine({QStringLiteral("first"), QStringLiteral("stockfish"), {}, 100}, 0);
    const QList<UciPlayer> engines{
        {"first", "stockfish", {}, 100},
        {"stockfish", f.stockfish, {"Skill Level=0"}, 20},
        {"stockfish 2", f.stockfish, {}, 20},
    };
    EXPECT_EQ(w->engines(), engines);
    w->close();
    w.reset();

    auto again = f.window();
    EXPECT_EQ(again->engines(), engines);
    EXPECT_EQ(again->players(), QStringList{f.plain});
    auto* list = child<QListWidget>(*again, "players");
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    EXPECT_EQ(shown, QStringList({"first (UCI)", "plain", "stockfish (UCI)", "stockfish 2 (UCI)"}));
    list->item(2)->setSelected(true);
    child<QPushButton>(*again, "remove")->click();
    EXPECT_EQ(again->engines().size(), 2);
    EXPECT_EQ(list->count(), 3);
}

TEST(TournamentEngines, CaptionsFollowTheLanguage) {
    Folder f;
    auto w = f.window();
    UciPlayerDialog* d = askEngine(*w, QStringLiteral("stockfish"), {});
    ASSERT_NE(d, nullptr);
    w->addEngine({QStringLiteral("stockfish"), QStringLiteral("stockfish"), {}, 100});
    f.catalogue.appliquer_langue(1);
    w->appliquer_textes(f.catalogue);
    EXPECT_EQ(child<QPushButton>(*w, "addEngine")->text(), "Ajouter un &moteur...");
    EXPECT_EQ(d->windowTitle(), "Moteur UCI externe");
    EXPECT_EQ(child<QPushButton>(*d, "browse")->text(), "&Parcourir...");
    EXPECT_TRUE(child<QListWidget>(*w, "players")->item(0)->toolTip().startsWith("Programme"));
    closeDialog(d);
}
