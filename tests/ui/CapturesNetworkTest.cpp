// SPDX-License-Identifier: GPL-3.0-or-later
// The connection window and a network game with its chat, as a person sees them, driven
// against a scripted peer on loopback.
#include "ui/Capture.h"
#include "ui/ModalAnswer.h"

#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "network/NetworkPeer.h"
#include "session/GameController.h"
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/CommentWindow.h"
#include "ui/ConnexionDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

TEST(ConnexionWindow, FilledFromTheSettingsAndStoredBack) {
    Catalogue catalogue;
    catalogue.appliquer_langue(1);
    Settings s = builtInSettings("/opt/quarvelin");
    s.IP_MODE_SERVEUR = 0;
    s.IP_ADRESSE_HOST = "192.168.1.20";
    s.IP_NUM_PORT = "5555";
    s.IP_NOM_UTILISATEUR = "Анна";
    ConnexionDialog w(s, catalogue);
    EXPECT_EQ(w.objectName(), "connexion");
    EXPECT_TRUE(w.clientButton()->isChecked());
    EXPECT_TRUE(w.hostField()->isEnabled());
    EXPECT_EQ(w.nameField()->text(), QStringLiteral("Анна"));
    w.serverButton()->setChecked(true);
    EXPECT_FALSE(w.hostField()->isEnabled()); // a server waits on its own addresses
    w.portField()->setText(QStringLiteral("6000"));
    w.nameField()->setText(QStringLiteral(" Boris "));
    w.store(s);
    EXPECT_EQ(s.IP_MODE_SERVEUR, 1);
    EXPECT_EQ(s.IP_NUM_PORT, "6000");
    EXPECT_EQ(s.IP_NOM_UTILISATEUR, "Boris");
    EXPECT_EQ(s.IP_ADRESSE_HOST, "192.168.1.20");
}

TEST(Captures, TheConnectionWindowAndANetworkGameWithChat) {
    QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    Locations locations{dir.path().toStdString(), dir.path().toStdString()};
    Settings s = builtInSettings(locations.data);
    applyNewFile(s);
    s.FIRST_STARTUP = 0;
    s.ACTIVE_SON = 0;
    s.MODE_JEUX = 3;
    s.IP_MODE_SERVEUR = 1;
    s.IP_NUM_PORT = std::to_string(freePort());
    s.IP_NOM_UTILISATEUR = "Camille";
    s.BASE_ECO = QUARVELIN_BIN_DIR "/base/eco.db";
    s.AFF_NOUVELLE = 1;
    ASSERT_EQ(ecrire_reglages(s, settingsFile(locations)), "");
    Settings settings;
    Catalogue catalogue;
    ASSERT_FALSE(start(locations, settings, catalogue).end);
    MainWindow window(settings, catalogue, locations);
    window.resize(1280, 840);
    window.show();
    // Network mode: the new game at start-up opens the connection window.
    bool shown = false;
    whenModalOpens<ConnexionDialog>([&](ConnexionDialog* w) {
        takeScreenshot(*w, QStringLiteral("connexion"));
        shown = true;
        w->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        return true;
    });
    window.start();
    if (!shown) window.menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    ASSERT_TRUE(shown);
    // The server says where it can be reached.
    EXPECT_TRUE(window.boardWindow()->windowTitle().contains(u'['))
        << window.boardWindow()->windowTitle().toStdString();

    test::NetworkPeer peer(Colour::Black);
    ASSERT_TRUE(peer.connect(std::stoi(settings.IP_NUM_PORT)));
    whenModalOpens<QMessageBox>([](QMessageBox* box) {
        box->button(QMessageBox::Yes)->click();
        return true;
    });
    peer.send("?Boris");
    ASSERT_EQ(peer.line(), "@Camille");
    GameController& game = window.game();
    ASSERT_TRUE(test::spinUntil([&] { return game.session().boardOpen; }));

    if (!window.commentWindow()->isVisible())
        window.menus().action(QStringLiteral("affiche_commentaire"))->trigger();
    BoardView* board = window.boardWindow()->board();
    auto click = [&](const char* from, const char* to) {
        const Square a = namedSquare(from[0], from[1], Colour::White);
        const Square b = namedSquare(to[0], to[1], Colour::White);
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(a.x, a.y).center());
        QTest::mouseClick(board, Qt::LeftButton, {}, board->squareRect(b.x, b.y).center());
    };
    const char* game_[][2] = {{"e2", "e4"}, {"g1", "f3"}, {"f1", "b5"}, {"b5", "a4"}};
    const char* replies[] = {"e7e5", "b8c6", "a7a6", "g8f6"};
    for (int i = 0; i < 4; ++i) {
        click(game_[i][0], game_[i][1]);
        EXPECT_NE(peer.expectMove().rfind("(", 0), 0u);
        peer.play(replies[i]);
        ASSERT_TRUE(test::spinUntil([&] { return game.session().moveCount() == 2 * i + 2; }));
    }
    EXPECT_EQ(game.session().GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6");

    QLineEdit* field = window.boardWindow()->findChild<QLineEdit*>(QStringLiteral("chat"));
    ASSERT_NE(field, nullptr);
    field->setText(QStringLiteral("Bonne partie !"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(peer.line(), ">[Camille] Bonne partie !");
    peer.send(">[Boris] Merci, à vous aussi. Espagnole, alors ?");
    ASSERT_TRUE(test::spinUntil([&] {
        auto* box = window.boardWindow()->findChild<QPlainTextEdit*>(QStringLiteral("chatBox"));
        return box && box->toPlainText().contains(QStringLiteral("Espagnole"));
    }));
    for (int i = 0; i < 3; ++i) game.tick(Timer::Duration);
    QTest::qWait(50);
    takeScreenshot(window, QStringLiteral("reseau"));
}

} // namespace
