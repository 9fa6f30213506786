// SPDX-License-Identifier: GPL-3.0-or-later
// The windows a person sees first, in the state they see them, saved as pictures when
// QUARVELIN_CAPTURES names a folder (scripts/screenshots fills docs/screenshots).
#include "ui/Capture.h"
#include "ui/CaptureDesk.h"
#include "ui/ModalAnswer.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "rules/MoveRules.h"
#include "session/GameController.h"
#include "support/GamesOfText.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/LanguageWindow.h"
#include "ui/LoadGamesDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/PreferencesDialog.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHeaderView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace quarvelin;

namespace {

struct Bureau : CaptureDesk {
    explicit Bureau(bool firstStartup)
        : CaptureDesk([firstStartup](Settings& s) {
              s.FIRST_STARTUP = firstStartup ? 1 : 0;
              s.NOM_JOUEUR[1] = "Camille";
              s.NOM_MOTEUR[1] = "Quarvelin";
              s.ACTIVE_BASE_CON = {1, 1, 1}; // book moves, so the opening has a name
              s.OUVERTURE_ALEATOIRE = {0, 0, 0};
          }) {}
};

// Answers every message box as it comes, for as long as it lives.
struct BoxCloser : QTimer {
    BoxCloser() {
        QObject::connect(this, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        start(10);
    }
};

TEST(Captures, AGameInProgress) {
    Bureau b(false);
    b.window->start();
    b.window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    GameController& p = b.window->game();
    // An Italian game for White, as far as the machine's replies allow.
    const char* wanted[] = {"e2e4", "g1f3", "f1c4", "e1g1", "d2d3", "c2c3", "b1d2", "h2h3"};
    for (const char* v : wanted) {
        waitForTheMachine(p);
        for (const Move& c : legalMoves(p.position())) {
            if (uciMove(p.position(), c) != v) continue;
            BoardView* board = b.window->boardWindow()->board();
            QTest::mouseClick(board, Qt::LeftButton, {},
                              board->squareRect(c.fromX, c.fromY).center());
            QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.toX, c.toY).center());
            break;
        }
    }
    waitForTheMachine(p);
    for (int i = 0; i < 3; ++i) p.tick(Timer::Duration);
    EXPECT_GE(b.window->boardWindow()->moveList()->count(), 8);
    EXPECT_TRUE(b.window->commentWindow()->isVisible());
    EXPECT_FALSE(b.window->commentWindow()->text().isEmpty());
    takeScreenshot(*b.window, QStringLiteral("partie"));
}

TEST(Captures, TheHintAndThePositionEditor) {
    Bureau b(false);
    b.window->start();
    b.window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    GameController& p = b.window->game();
    BoardView* board = b.window->boardWindow()->board();
    const BoxCloser closer;
    p.conseil_coup();
    waitForTheMachine(p);
    QTest::qWait(30);
    EXPECT_GT(board->markCount(), 0); // the suggested move's destination, and more
    takeScreenshot(*b.window->boardWindow(), QStringLiteral("conseil"));

    p.enterEditor(false);
    BoardWindow* w = b.window->boardWindow();
    QTest::mouseClick(w->clearBoardButton(), Qt::LeftButton);
    const std::pair<int, const char*> pieces[] = {{13, "e1"}, {7, "h8"}, {8, "e7"}};
    for (auto [piece, square] : pieces) {
        QTest::mouseClick(w->paletteButton(piece), Qt::LeftButton);
        const Square c = namedSquare(square[0], square[1], Colour::White);
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.x, c.y).center());
    }
    QTest::qWait(20);
    EXPECT_TRUE(w->palette()->isVisible());
    takeScreenshot(*w, QStringLiteral("edition"));

    // The pawn on e7 promotes: the picker over the board, the pawn still in sight.
    QTest::mouseClick(w->startButton(), Qt::LeftButton);
    whenModalOpens<QDialog>([w](QDialog* picker) {
        QTest::qWait(30);
        takeScreenshot(*picker, QStringLiteral("promotion"));
        takeScreenshot(*w, QStringLiteral("promotion-plateau"));
        picker->reject();
        return true;
    });
    for (const char* square : {"e7", "e8"}) {
        const Square c = namedSquare(square[0], square[1], Colour::White);
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.x, c.y).center());
    }
    EXPECT_EQ(board->readSquare(5, 2), PieceCode::WhitePawn); // cancelled: back on e7
}

TEST(Captures, TheLanguageWindowAtTheFirstStart) {
    Bureau b(true);
    b.window->start();
    ASSERT_NE(b.window->languageWindow(), nullptr);
    QTest::qWait(20);
    takeScreenshot(*b.window, QStringLiteral("premier-demarrage"));
    takeScreenshot(*b.window->languageWindow(), QStringLiteral("langue"));
}

// A games file as big as a real database: the test games, each copy with its own players,
// event, site, date and round.
QString largeFile(const QTemporaryDir& dir, int copies) {
    std::ifstream source(QUARVELIN_SOURCE_DIR "/tests/data/varied.pgn", std::ios::binary);
    std::vector<ParsedGame> games; // those that start from the initial position
    for (ParsedGame& g : test::readGames({std::istreambuf_iterator<char>(source), {}}))
        if (g.FenDepart.empty()) games.push_back(std::move(g));
    const char* firstNames[] = {"Anna",      "Boris", "Chloé",  "Dmitri", "Elena",
                                "Farid",     "Greta", "Hugo",   "Ines",   "Jonas",
                                "Katarzyna", "Luis",  "Maëlle", "Nikolai"};
    const char* names[] = {"Lefèvre", "Kowalski", "Marchetti", "Sørensen", "Vasquez", "Novak",
                           "Okafor",  "Haddad",   "Lindqvist", "Moreau",   "Petrov",  "Tanaka"};
    const char* tournaments[] = {"Open de Lyon",      "Championnat régional", "Coupe d'hiver",
                                 "Rapid du dimanche", "Blitz du club",        "Festival d'été"};
    const char* locations[] = {"Lyon FRA",     "Bruxelles BEL", "Genève SUI",
                               "Montréal CAN", "Nantes FRA",    "Lille FRA"};
    const char* results[] = {"1-0", "0-1", "1/2-1/2"};
    const QString path = dir.filePath(QStringLiteral("base.pgn"));
    std::ofstream out(path.toStdString(), std::ios::binary);
    auto player = [&](int k) {
        return std::string(names[k % 12]) + ", " + firstNames[(k / 12) % 14];
    };
    for (int n = 0; n < copies; ++n) {
        const ParsedGame& g = games[static_cast<std::size_t>(n) % games.size()];
        // A game left unfinished is given a result by its copy.
        const std::string result = g.GameResult == "*" ? results[n % 3] : g.GameResult;
        out << "[Event \"" << tournaments[n / 9 % 6] << "\"]\n[Site \"" << locations[n / 9 % 6]
            << "\"]\n[Date \"" << 1990 + n % 35 << (n / 35 % 12 < 9 ? ".0" : ".") << 1 + n / 35 % 12
            << ".??\"]\n[Round \"" << 1 + n % 9 << "\"]\n[White \"" << player(n * 7)
            << "\"]\n[Black \"" << player(n * 11 + 5) << "\"]\n[Result \"" << result << "\"]\n\n"
            << g.GameMoveText << " " << result << "\n\n";
    }
    return path;
}

TEST(Captures, AGamesFileListedAndOneGameOpen) {
    Bureau b(false);
    b.window->start();
    // Large when the pictures are taken, small in every run of the tests.
    const bool capture = !qEnvironmentVariable("QUARVELIN_CAPTURES").isEmpty();
    const QString path = largeFile(b.dir, capture ? 1000000 : 3000);
    b.settings.MAX_SEUIL_PARTIE = 2000000;
    const BoxCloser closer;
    b.window->lire_fichier_pgn(MainWindow::ReadMode::ListFile, path);
    BoardWindow& board = *b.window->boardWindow();
    ASSERT_EQ(board.gameList()->model()->rowCount(), capture ? 1000000 : 3000);
    const QModelIndex chosen =
        board.gameList()->model()->index(4, board.gameList()->header()->logicalIndex(0));
    board.gameList()->setCurrentIndex(chosen);
    emit board.gameList()->activated(chosen);
    QTest::qWait(30);
    EXPECT_GT(board.moveList()->count(), 0);
    takeScreenshot(*b.window, QStringLiteral("liste-parties"));
}

TEST(Captures, TheSettingsAndTheGamesFileWindows) {
    Bureau b(false);
    MessageBoxDialogs dialogs;
    PreferencesDialog d(b.settings,
                        {settingsFile(b.locations), b.locations.data, b.locations.installation},
                        b.catalogue, dialogs);
    d.show();
    QTest::qWait(20);
    takeScreenshot(d, QStringLiteral("preferences"));
    for (auto mode : {LoadGamesDialog::Mode::Load, LoadGamesDialog::Mode::Extract}) {
        LoadGamesDialog g(mode, b.settings, b.catalogue,
                          QString::fromStdString(settingsFile(b.locations)),
                          b.dir.filePath(QStringLiteral("tournoi.pgn")));
        g.show();
        QTest::qWait(20);
        takeScreenshot(g, mode == LoadGamesDialog::Mode::Load ? QStringLiteral("chargement")
                                                              : QStringLiteral("extraction"));
    }
}

} // namespace
