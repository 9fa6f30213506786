// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SaveWindow.h"
#include "Capture.h"
#include "session/SessionDoubles.h"
#include "support/TestFolder.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

class SaveWindowTest : public ::testing::Test {
protected:
    SaveWindowTest() {
        catalogue_.appliquer_langue(1);
        Settings s = freePlay();
        s.SAUVE_ABREGE = 1;
        s.NOM_JOUEUR = {"", "Alice", ""};
        s.NOM_MOTEUR = {"", "Quarvelin", ""};
        bench_ = std::make_unique<Bench>(s);
        Bench& b = *bench_;
        b->newGame();
        b.move("e2", "e4");
        b.move("c7", "c5");
        b.move("g1", "f3");
        b.note(1, "Sicilienne");
    }

    std::unique_ptr<SaveWindow> window(const QString& file) {
        auto w = std::make_unique<SaveWindow>(bench_->game->session(), bench_->settings,
                                              Colour::White, catalogue_, dialogs_, &recent_);
        w->setFileChooser([file, this](QWidget*, const QString& title, const QString& propose,
                                       const QString& filter) {
            requests_.push_back({title, propose, filter});
            return file;
        });
        return w;
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    Catalogue catalogue_;
    ScriptedDialogs dialogs_;
    RecentFiles recent_{dir_.filePath(QStringLiteral("recents.ini"))};
    std::unique_ptr<Bench> bench_;
    std::vector<std::array<QString, 3>> requests_;
};

TEST_F(SaveWindowTest, OpensWithTheRecordAndSavesItAsEdited) {
    const QString f = path(QStringLiteral("partie.pgn"));
    auto w = window(f);
    w->show();
    const QString text = w->text()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Event \"Partie d'échecs\"]\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[White \"Alice\"]\n[Black \"Quarvelin\"]\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n\n1.e4 c5  {Sicilienne} 2.Nf3 *\n")))
        << text.toStdString();
    takeScreenshot(*w, QStringLiteral("sauve"));

    // The user's edit, typed into the box, is what the file gets.
    QTextCursor c = w->text()->textCursor();
    c.movePosition(QTextCursor::Start);
    w->text()->setTextCursor(c);
    w->text()->insertPlainText(QStringLiteral("[Annotator \"Moi\"]\n"));
    QSignalSpy saved(w.get(), &SaveWindow::gameSaved);
    w->saveButton()->click();

    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0][0], QStringLiteral("Choisir un fichier"));
    EXPECT_TRUE(requests_[0][1].endsWith(QStringLiteral(".pgn")));
    EXPECT_EQ(requests_[0][2], QStringLiteral("Fichiers PGN (*.pgn)"));
    const QString edited = QStringLiteral("[Annotator \"Moi\"]\n") + text + u'\n';
    EXPECT_EQ(readText(f.toStdString()),
              QString(edited).replace(u'\n', QStringLiteral("\r\n")).toStdString());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(recent_.list().front(), f.toStdString());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text, "La partie a été enregistrée.");
}

TEST_F(SaveWindowTest, AppendOptionAndTheOverwriteQuestion) {
    const QString f = path(QStringLiteral("parties.pgn"));
    for (int i = 0; i < 2; ++i) {
        auto w = window(f);
        w->appendBox()->setChecked(true);
        w->saveButton()->click();
    }
    EXPECT_TRUE(dialogs_.questions.empty());
    const std::string two = readText(f.toStdString());
    EXPECT_EQ(two.find("[Event", 1), two.size() / 2);

    // Replacing: "No" keeps the file and the window; "Yes" writes one game.
    for (bool yes : {false, true}) {
        dialogs_.answers = {yes};
        auto w = window(f);
        w->show();
        w->saveButton()->click();
        EXPECT_EQ(dialogs_.questions.back().text,
                  "Ce fichier existe déjà. Voulez-vous le remplacer ?");
        EXPECT_EQ(readText(f.toStdString()).size(), yes ? two.size() / 2 : two.size());
        EXPECT_EQ(w->isVisible(), !yes);
    }
}

TEST_F(SaveWindowTest, CancelledChoiceOrRefusedWriteKeepsTheWindowOpen) {
    for (const QString& f : {QString(), path(QStringLiteral("absent/partie.pgn"))}) {
        dialogs_.messages.clear();
        auto w = window(f);
        w->show();
        w->saveButton()->click();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(dialogs_.messages.size(), f.isEmpty() ? 0u : 1u);
    }
    EXPECT_TRUE(dialogs_.showed("La partie n'a pas pu être enregistrée"));
    EXPECT_TRUE(recent_.list().empty());
}

TEST_F(SaveWindowTest, SavesAsAnXmlGameList) {
    const QString f = path(QStringLiteral("parties.xml"));
    for (bool append : {false, true}) {
        auto w = window(f);
        w->findChild<QRadioButton*>(QStringLiteral("Option1_0"))->setChecked(true);
        w->appendBox()->setChecked(append);
        w->show();
        if (!append) takeScreenshot(*w, QStringLiteral("sauve-xml"));
        w->saveButton()->click();
        EXPECT_EQ(w->result(), QDialog::Accepted);
    }
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_TRUE(requests_[0][1].endsWith(QStringLiteral(".xml"))) << requests_[0][1].toStdString();
    EXPECT_EQ(requests_[0][2], QStringLiteral("Fichiers XML (*.xml)"));
    const std::string xml = readText(f.toStdString());
    EXPECT_TRUE(xml.ends_with("</GAME>\r\n</LIST>\r\n")) << xml;
    const std::string game = "<GAME>\r\n<Event>Partie d&apos;échecs</Event>\r\n";
    std::size_t games = 0;
    for (auto i = xml.find(game); i != std::string::npos; i = xml.find(game, i + 1)) ++games;
    EXPECT_EQ(games, 2u) << xml; // the second save was added to the list
    EXPECT_NE(xml.find("<White>Alice</White>\r\n<Black>Quarvelin</Black>"), std::string::npos);
    EXPECT_NE(xml.find("<Move>1.e4 c5  {Sicilienne} 2.Nf3 *</Move>"), std::string::npos) << xml;
    EXPECT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_TRUE(dialogs_.showed("La partie a été enregistrée."));
}

TEST_F(SaveWindowTest, CaptionsFollowTheLanguage) {
    catalogue_.appliquer_langue(2);
    auto w = window({});
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Save the current game"));
    EXPECT_EQ(w->saveButton()->text(), QStringLiteral("&Save"));
    EXPECT_EQ(w->appendBox()->text(),
              QStringLiteral("&Append to the end of the file (if it exists)"));
    auto* xml = w->findChild<QRadioButton*>(QStringLiteral("Option1_0"));
    ASSERT_NE(xml, nullptr);
    EXPECT_TRUE(xml->isEnabled());
    EXPECT_TRUE(xml->toolTip().isEmpty());
    EXPECT_TRUE(w->findChild<QRadioButton*>(QStringLiteral("Option1_1"))->isChecked());
    EXPECT_TRUE(w->text()->toPlainText().startsWith(QStringLiteral("[Event \"Chess game\"]")));
    w->show();
    takeScreenshot(*w, QStringLiteral("sauve-en"));
}

} // namespace
