// SPDX-License-Identifier: GPL-3.0-or-later
// The remote-game window against a server on loopback: the address list, the load button, the
// game handed on, the failures reported, the buttons during the wait.
#include "ui/XmlGameWindow.h"

#include "Capture.h"
#include "Controls.h"
#include "session/SessionDoubles.h"
#include "support/LocalHttpServer.h"
#include "support/TestFolder.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

struct Window {
    Catalogue catalogue;
    RecordingDialogs dialogs;
    RecordingCommentary commentary;
    std::unique_ptr<XmlGameWindow> w;

    Window() {
        catalogue.appliquer_langue(1);
        w = std::make_unique<XmlGameWindow>(catalogue, commentary, &dialogs);
    }
    QLineEdit* text1() { return child<QLineEdit>(*w, "Text1"); }
    QPushButton* command2() { return child<QPushButton>(*w, "Command2"); }
    QPushButton* command3() { return child<QPushButton>(*w, "Command3"); }
    QListWidget* list1() { return child<QListWidget>(*w, "List1"); }
    QGroupBox* frame1() { return child<QGroupBox>(*w, "Frame1"); }
};

QString listIn(const QTemporaryDir& folder) {
    const QString path = folder.filePath(QStringLiteral("adresses.txt"));
    writeText(path.toStdString(), "# parties du club\nFinale https://club.example/finale.xml\n"
                                  "http://club.example/2.xml\n");
    return path;
}

TEST(XmlGameWindow, CaptionsComeFromTheCatalogueAndFit) {
    Window f;
    EXPECT_EQ(f.w->objectName(), QStringLiteral("xml"));
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("Charger une partie distante (XML)"));
    EXPECT_EQ(f.frame1()->title(), QStringLiteral("Adresses de parties : 0"));
    EXPECT_EQ(f.text1()->text(), QStringLiteral("http://"));
    EXPECT_FALSE(f.command2()->isEnabled());
    QTemporaryDir folder;
    f.w->loadList(listIn(folder));
    f.w->show();
    const struct {
        int language;
        const char *load, *frame; // none: not checked
    } cases[] = {{1, "&Charger la partie !", "Adresses de parties : 2"},
                 {2, "&Load the game!", "Game addresses: 2"},
                 {7, nullptr, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        f.catalogue.appliquer_langue(c.language);
        f.w->appliquer_textes(f.catalogue);
        QCoreApplication::processEvents();
        if (c.load) {
            EXPECT_EQ(f.command2()->text(), QString::fromUtf8(c.load));
            EXPECT_EQ(f.frame1()->title(), QString::fromUtf8(c.frame));
        }
        expectCaptionsWhole(*f.w);
        takeScreenshot(*f.w, QStringLiteral("xml-%1").arg(c.language));
    }
}

TEST(XmlGameWindow, TheAddressListFillsTheListAndAPickFillsTheField) {
    Window f;
    QTemporaryDir folder;
    const QString path = listIn(folder);
    f.w->chooseFile = [&] { return path; };
    f.command3()->click();
    ASSERT_EQ(f.list1()->count(), 2);
    EXPECT_EQ(f.frame1()->title(), QStringLiteral("Adresses de parties : 2"));
    f.list1()->setCurrentRow(0);
    EXPECT_EQ(f.text1()->text(), QStringLiteral("https://club.example/finale.xml"));
    EXPECT_TRUE(f.command2()->isEnabled());

    // Cancelling the file dialog changes nothing.
    f.w->chooseFile = [] { return QString(); };
    f.command3()->click();
    EXPECT_EQ(f.list1()->count(), 2);
    EXPECT_TRUE(f.dialogs.messages.empty());

    // A missing list is reported and the list kept.
    const QString absent = folder.filePath(QStringLiteral("absent.txt"));
    f.w->loadList(absent);
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].text, "Fichier introuvable (" + absent.toStdString() + ")");
    EXPECT_EQ(f.dialogs.messages[0].icon, DialogIcon::Exclamation);
    EXPECT_EQ(f.list1()->count(), 2);
}

// Loaded or failed, the buttons come back.
TEST(XmlGameWindow, ALoadedGameIsHandedOnAndAFailureReportedInTheUsersLanguage) {
    LocalHttpServer server;
    server.serve(
        "/partie.xml",
        {200, "OK",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<LIST>\r\n<GAME>\r\n<White>Zoë "
         "&amp; Co</White>\r\n<Move>1.d4 d5 2.c4 1/2-1/2</Move>\r\n</GAME>\r\n</LIST>\r\n"});
    Window f;
    f.w->show();
    QSignalSpy received(f.w.get(), &XmlGameWindow::receivedGame);
    QTest::keyClicks(f.text1(), QString::fromStdString(server.address("/partie.xml")).mid(7));
    ASSERT_TRUE(f.command2()->isEnabled());
    f.command2()->click();
    EXPECT_FALSE(f.command2()->isEnabled());
    EXPECT_FALSE(f.command3()->isEnabled());
    ASSERT_TRUE(received.wait(10000));
    EXPECT_EQ(received[0][0].toString(), QStringLiteral("[White \"Zoë & Co\"]\r\n\r\n"));
    EXPECT_EQ(received[0][1].toString(), QStringLiteral("1.d4 d5 2.c4 1/2-1/2 "));
    EXPECT_EQ(received[0][2].toString(), QStringLiteral("1/2-1/2"));
    ASSERT_EQ(f.dialogs.messages.size(), 1u);
    EXPECT_EQ(f.dialogs.messages[0].title, "Partie téléchargée");
    EXPECT_TRUE(f.command2()->isEnabled());
    EXPECT_TRUE(f.command3()->isEnabled());

    f.text1()->setText(QString::fromStdString(server.address("/absent.xml")));
    f.command2()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.dialogs.messages.size() > 1; }, 10000));
    ASSERT_EQ(f.dialogs.messages.size(), 2u);
    EXPECT_EQ(f.dialogs.messages[1].text,
              "Le document XML ne peut pas être chargé.\nLe serveur a répondu par une erreur : "
              "404 Not Found\n" +
                  server.address("/absent.xml"));
    EXPECT_TRUE(f.command2()->isEnabled());
    EXPECT_TRUE(f.command3()->isEnabled());
    EXPECT_EQ(received.count(), 1);
}

TEST(XmlGameWindow, ClosingDuringTheWaitDropsTheLoad) {
    LocalHttpServer server;
    server.serve("/lent", {200, "OK", "", true});
    Window f;
    f.w->show();
    QSignalSpy received(f.w.get(), &XmlGameWindow::receivedGame);
    f.text1()->setText(QString::fromStdString(server.address("/lent")));
    f.w->loadGame();
    EXPECT_TRUE(f.w->controller().inProgress());
    takeScreenshot(*f.w, QStringLiteral("xml-chargement"));
    child<QPushButton>(*f.w, "Command1")->click();
    EXPECT_FALSE(f.w->isVisible());
    EXPECT_FALSE(f.w->controller().inProgress());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::qWait(200);
    EXPECT_EQ(received.count(), 0);
    EXPECT_TRUE(f.dialogs.messages.empty());
}

} // namespace
