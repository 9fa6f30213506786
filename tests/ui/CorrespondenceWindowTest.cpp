// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CorrespondenceWindow.h"
#include "ui/CorrespondenceDialogs.h"
#include "ui/DateField.h"

#include "session/SessionDoubles.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

struct ScriptedMail : MailService {
    MailOutcome answer;
    std::vector<MailMessage> sent;
    MailOutcome send(const MailMessage& m) override {
        sent.push_back(m);
        return answer;
    }
};

class CorrespondenceWindowTest : public ::testing::Test {
protected:
    CorrespondenceWindowTest() {
        catalogue_.appliquer_langue(1);
        settings_ = testSettings();
        settings_.BASE_CORRES = dir_.filePath(QStringLiteral("corres.db")).toStdString();
        settings_.ADRESSE_MEL = "me@example.org";
        settings_.NOM_JOUEUR[1] = "Camille";
        store_.createEmpty();
    }
    CorrespondenceGame game(const char* black, QDate start, const char* moves, bool white) {
        CorrespondenceGame g;
        g.BLANC = white ? QStringLiteral("Camille") : QString::fromUtf8(black);
        g.NOIR = white ? QString::fromUtf8(black) : QStringLiteral("Camille");
        g.MelBlanc = QStringLiteral("w@example.org");
        g.MelNoir = QStringLiteral("b@example.org");
        g.DateDebut = start;
        g.Move = QString::fromUtf8(moves);
        g.JAIBLANC = white;
        g.Cle = *store_.save(g);
        if (*moves) store_.recordSent(g.Cle, g.Move, start, dernier_coup(g.Move));
        return g;
    }
    std::unique_ptr<CorrespondenceWindow> window() {
        auto w = std::make_unique<CorrespondenceWindow>(links_);
        w->charger_liste_corres();
        return w;
    }

    QTemporaryDir dir_;
    Catalogue catalogue_;
    Settings settings_;
    ScriptedDialogs dialogs_;
    std::shared_ptr<ScriptedMail> mail_ = std::make_shared<ScriptedMail>();
    std::string board_;
    CorrespondenceStore store_{dir_.filePath(QStringLiteral("corres.db"))};
    CorrespondenceLinks links_{settings_,
                               catalogue_,
                               dialogs_,
                               QStringLiteral("/home/u/.local/share/quarvelin/quarvelin.ini"),
                               [this] {
                                   auto* m = new ScriptedMail(*mail_);
                                   return std::unique_ptr<MailService>(m);
                               },
                               {},
                               [this] { return board_; }};
};

TEST_F(CorrespondenceWindowTest, ListShowsStatesNewestFirstInNineColumns) {
    game("Ann", QDate(2026, 1, 3), "1.e4", true);  // waiting
    game("Bob", QDate(2026, 3, 9), "1.e4", false); // the user's move
    CorrespondenceGame over = game("Chloé", QDate(2025, 6, 1), "1.e4 e5", true);
    over.DateFin = QDate(2025, 8, 20);
    over.Resultat = QStringLiteral("1-0");
    store_.save(over);
    auto w = window();
    QTreeWidget* list = w->list();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->columnCount(), 10);
    const struct {
        const char* black;
        CorrespondenceState state;
        const char* days;
    } rows[] = {{"Camille", CorrespondenceState::UserTurn, ""},
                {"Ann", CorrespondenceState::Waiting, ""},
                {"Chloé", CorrespondenceState::Finished, "80"}};
    for (int i = 0; i < 3; ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        EXPECT_EQ(item->text(4).toStdString(), rows[i].black);
        EXPECT_EQ(item->data(0, CorrespondenceWindow::StateRole).toInt(),
                  static_cast<int>(rows[i].state));
        EXPECT_EQ(item->text(6).toStdString(), rows[i].days);
        EXPECT_FALSE(item->icon(0).isNull());
    }
    EXPECT_EQ(list->topLevelItem(2)->text(1),
              QStringLiteral("%1").arg(over.Cle, 4, 10, QLatin1Char('0')));
    EXPECT_EQ(list->topLevelItem(2)->text(8), QStringLiteral("20/08/2025"));

    // The send button follows the user's turn, the entry button the wait.
    auto* send = w->findChild<QPushButton*>(QStringLiteral("sendMove"));
    auto* enter = w->findChild<QPushButton*>(QStringLiteral("enterMove"));
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(send->isEnabled());
    EXPECT_FALSE(enter->isEnabled());
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_FALSE(send->isEnabled());
    EXPECT_TRUE(enter->isEnabled());
}

TEST_F(CorrespondenceWindowTest, MissingBaseNamesThePathsAndCreatesNothing) {
    settings_.BASE_CORRES = dir_.filePath(QStringLiteral("gone/corres.db")).toStdString();
    auto w = window();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    const std::string& said = dialogs_.messages[0].text;
    EXPECT_NE(said.find("quarvelin.ini"), std::string::npos);
    EXPECT_NE(said.find(settings_.BASE_CORRES), std::string::npos);
    EXPECT_NE(said.find("/home/u/.local/share/quarvelin/quarvelin.ini"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("gone"))));
}

TEST_F(CorrespondenceWindowTest, NewGameIsSavedOnlyWhenCompleteAndConfirmed) {
    auto w = window();
    w->newGame();
    w->findChild<QLineEdit*>(QStringLiteral("NOIR"))->setText(QStringLiteral("Zoé"));
    w->save();
    EXPECT_EQ(dialogs_.messages.back().text,
              catalogue_.text(TextKey::CorrespondenceRequiredFields));
    w->findChild<QLineEdit*>(QStringLiteral("Mel Noir"))
        ->setText(QStringLiteral("zoe@example.org"));
    dialogs_.answers = {false, true};
    w->save();
    EXPECT_EQ(store_.games()->size(), 0u);
    w->save();
    ASSERT_EQ(store_.games()->size(), 1u);
    const CorrespondenceGame g = store_.games()->front();
    EXPECT_EQ(g.BLANC, QStringLiteral("Camille"));
    EXPECT_EQ(g.MelBlanc, QStringLiteral("me@example.org"));
    EXPECT_EQ(g.DateDebut, QDate::currentDate());
    EXPECT_EQ(g.Resultat, QStringLiteral("*"));
    EXPECT_NE(dialogs_.questions.back().text.find("Camille"), std::string::npos);
    EXPECT_EQ(dialogs_.messages.back().text, catalogue_.text(TextKey::CorrespondenceGameSaved));
    EXPECT_EQ(w->list()->topLevelItemCount(), 1);
}

TEST_F(CorrespondenceWindowTest, DateFieldsTypingAndLeaving) {
    DateField field(catalogue_, dialogs_);
    const struct {
        const char* keys;
        const char* typed;
        const char* settled;
    } cases[] = {{"311249", "31/12/49", "31/12/2049"},
                 {"010150", "01/01/50", "01/01/1950"},
                 {"290220245", "29/02/2024", "29/02/2024"},
                 {"12x", "12", nullptr}};
    for (const auto& c : cases) {
        field.clear();
        QTest::keyClicks(&field, QString::fromLatin1(c.keys));
        EXPECT_EQ(field.text().toStdString(), c.typed);
        if (!c.settled) continue;
        field.settle();
        EXPECT_EQ(field.text().toStdString(), c.settled);
    }
    field.setText(QStringLiteral("31/02/2024"));
    field.settle();
    EXPECT_EQ(field.date(), QDate::currentDate());
    EXPECT_EQ(dialogs_.messages.back().title, "Attention");
    EXPECT_EQ(dialogs_.messages.back().text, "Date au format jj/mm/aaaa SVP !");
}

TEST_F(CorrespondenceWindowTest, MoveSentThenAnswerEntered) {
    const CorrespondenceGame g = game("Zoé", QDate(2026, 2, 1), "1.e4 e5", true);
    CorrespondenceGame waiting = *store_.game(g.Cle);
    ASSERT_EQ(correspondenceState(waiting), CorrespondenceState::UserTurn);

    board_ = "1.e4 e5 2.Nf3";
    mail_->answer.sent = true;
    PrepareWindow prepare(links_, store_, waiting);
    EXPECT_TRUE(prepare.findChild<QPushButton*>(QStringLiteral("send"))->isEnabled());
    std::string body;
    prepare.beforeMessage = [&](MessageWindow& m) {
        body = m.findChild<QPlainTextEdit*>(QStringLiteral("txtNoteText"))
                   ->toPlainText()
                   .toStdString();
        QTimer::singleShot(0, &m,
                           [&m] { m.findChild<QPushButton*>(QStringLiteral("send"))->click(); });
    };
    prepare.send();
    EXPECT_NE(body.find("Nf3"), std::string::npos);
    EXPECT_EQ(dialogs_.messages.back().text, catalogue_.text(TextKey::MoveSent));
    CorrespondenceGame sent = *store_.game(g.Cle);
    EXPECT_EQ(sent.Move, QStringLiteral("1.e4 e5 2.Nf3"));
    EXPECT_EQ(correspondenceState(sent), CorrespondenceState::Waiting);

    MoveEntryWindow entry(links_, store_, sent);
    auto* move = entry.findChild<QLineEdit*>(QStringLiteral("txtCoup"));
    move->setText(QStringLiteral("2.Nc6"));
    entry.confirm();
    EXPECT_EQ(dialogs_.messages.back().text, catalogue_.text(TextKey::BlackMoveHasNoNumber));
    move->setText(QStringLiteral("4...Nc6"));
    entry.confirm();
    EXPECT_NE(dialogs_.messages.back().text.find("2...Nc6"), std::string::npos);
    EXPECT_EQ(store_.game(g.Cle)->Move, sent.Move);
    move->setText(QStringLiteral("2...Nc6"));
    entry.confirm();
    const CorrespondenceGame answered = *store_.game(g.Cle);
    EXPECT_EQ(answered.Move, QStringLiteral("1.e4 e5 2.Nf3 Nc6"));
    EXPECT_EQ(correspondenceState(answered), CorrespondenceState::UserTurn);
}

TEST_F(CorrespondenceWindowTest, DesktopMailRecordsOnlyWhenTheUserSaysItWent) {
    const CorrespondenceGame g = game("Zoé", QDate(2026, 2, 1), "1.e4 e5", true);
    mail_->answer.handedOver = true;
    for (bool went : {false, true}) {
        Dispatch d;
        d.kind = MailKind::Move;
        d.cle = g.Cle;
        d.move = readSentMove(g, "1.e4 e5 2.Nf3");
        d.message = moveMail(catalogue_, settings_, g, QString::fromStdString(d.move.moves),
                             QString::fromStdString(d.move.move), {}, QDate(2026, 2, 3));
        MessageWindow m(links_, store_, d);
        dialogs_.answers = {went};
        m.send();
        EXPECT_EQ(store_.game(g.Cle)->Move,
                  went ? QStringLiteral("1.e4 e5 2.Nf3") : QStringLiteral("1.e4 e5"));
    }
}

} // namespace
