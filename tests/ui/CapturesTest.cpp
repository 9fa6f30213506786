// The windows a person sees first, in the state they see them, saved as pictures when
// QUARVELIN_CAPTURES names a folder (scripts/screenshots fills docs/screenshots).
#include "ui/Capture.h"

#include "config/Demarrage.h"
#include "config/SettingsFile.h"
#include "rules/MoveRules.h"
#include "session/Partie.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/ConstructeurMenu.h"
#include "ui/LanguageWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/PreferencesDialog.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct Bureau {
    QTemporaryDir dir;
    Emplacements lieux;
    Settings settings;
    Catalogue catalogue;
    std::unique_ptr<MainWindow> window;
    explicit Bureau(bool premierDemarrage) {
        QStandardPaths::setTestModeEnabled(true);
        lieux = {dir.path().toStdString(), dir.path().toStdString()};
        Settings s = reglages_integres(lieux.donnees);
        appliquer_nouveau_fichier(s);
        s.FIRST_STARTUP = premierDemarrage ? 1 : 0;
        s.ACTIVE_SON = 0;
        s.NOM_JOUEUR[1] = "Camille";
        s.NOM_MOTEUR[1] = "Quarvelin";
        for (auto& p : s.PROFONDEUR_MAX) p = 1;
        s.ACTIVE_BASE_CON = {1, 1, 1}; // book moves, so the opening has a name
        s.OUVERTURE_ALEATOIRE = {0, 0, 0};
        // The opening base the build made, so the comment window names the opening.
        s.BASE_ECO = QUARVELIN_BIN_DIR "/base/eco.db";
        EXPECT_EQ(ecrire_reglages(s, fichier_reglages(lieux)), "");
        EXPECT_FALSE(demarrer(lieux, settings, catalogue).fin);
        window = std::make_unique<MainWindow>(settings, catalogue, lieux);
        window->resize(1280, 840);
        window->show();
        QTest::qWait(50);
    }
};

TEST(Captures, AGameInProgress) {
    Bureau b(false);
    b.window->demarrer();
    b.window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    Partie& p = b.window->partie();
    // An Italian game for White, as far as the machine's replies allow.
    const char* voulus[] = {"e2e4", "g1f3", "f1c4", "e1g1", "d2d3", "c2c3", "b1d2", "h2h3"};
    for (const char* v : voulus) {
        QElapsedTimer t;
        t.start();
        while (p.machine_reflechit() && t.elapsed() < 20000) QTest::qWait(5);
        for (const Coup& c : coups_legaux(p.position())) {
            if (coup_uci(p.position(), c) != v) continue;
            BoardView* board = b.window->boardWindow()->board();
            QTest::mouseClick(board, Qt::LeftButton, {},
                              board->squareRect(c.fromX, c.fromY).center());
            QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(c.toX, c.toY).center());
            break;
        }
    }
    QElapsedTimer t;
    t.start();
    while (p.machine_reflechit() && t.elapsed() < 20000) QTest::qWait(5);
    for (int i = 0; i < 3; ++i) p.tick(Minuterie::Duree);
    EXPECT_GE(b.window->boardWindow()->moveList()->count(), 8);
    EXPECT_TRUE(b.window->commentWindow()->isVisible());
    EXPECT_FALSE(b.window->commentWindow()->texte().isEmpty());
    capturer(*b.window, QStringLiteral("partie"));
}

TEST(Captures, TheHintAndThePositionEditor) {
    Bureau b(false);
    b.window->demarrer();
    b.window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    Partie& p = b.window->partie();
    BoardView* board = b.window->boardWindow()->board();
    // The hint's message box is answered as it comes.
    QTimer fermeur;
    QObject::connect(&fermeur, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    fermeur.start(10);
    p.conseil_coup();
    QElapsedTimer t;
    t.start();
    while (p.machine_reflechit() && t.elapsed() < 20000) QTest::qWait(5);
    QTest::qWait(30);
    EXPECT_GT(board->nombreMarques(), 0); // the suggested move's destination, and more
    capturer(*b.window->boardWindow(), QStringLiteral("conseil"));

    p.entrer_edition(false);
    QTest::qWait(20);
    EXPECT_TRUE(b.window->boardWindow()->palette()->isVisible());
    capturer(*b.window->boardWindow(), QStringLiteral("edition"));
}

TEST(Captures, ThePreferencesWindow) {
    Bureau b(false);
    MessageBoxDialogs dialogs;
    PreferencesDialog d(b.settings,
                        {fichier_reglages(b.lieux), b.lieux.donnees, b.lieux.installation},
                        b.catalogue, dialogs);
    d.show();
    QTest::qWait(20);
    EXPECT_TRUE(d.isVisible());
    capturer(d, QStringLiteral("preferences"));
}

TEST(Captures, TheLanguageWindowAtTheFirstStart) {
    Bureau b(true);
    b.window->demarrer();
    ASSERT_NE(b.window->languageWindow(), nullptr);
    QTest::qWait(20);
    capturer(*b.window, QStringLiteral("premier-demarrage"));
    capturer(*b.window->languageWindow(), QStringLiteral("langue"));
}

} // namespace
