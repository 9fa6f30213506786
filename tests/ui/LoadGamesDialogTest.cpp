// SPDX-License-Identifier: GPL-3.0-or-later
// The games-file window in both modes: its fields and controls, what each command hands on, the
// numbers checked as a field is left, and the file shown in an editor. The checks and the
// settings themselves are the controller's (tests/records/LoadGamesControllerTest.cpp).
#include "ui/LoadGamesDialog.h"
#include "ui/TextEditorLauncher.h"

#include "Capture.h"
#include "Controls.h"
#include "config/SettingsFile.h"
#include "localisation/Catalogue.h"
#include "support/TestDoubles.h"

#include <deque>

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace quarvelin;
using Mode = LoadGamesDialog::Mode;

namespace {

// Messages with their icons, and the questions answered in turn.
class Answers : public test::RecordingDialogs {
public:
    std::vector<Shown> questions;
    std::deque<bool> answers; // then Yes

    bool question(const std::string& t, const std::string& x) override {
        questions.push_back({t, x, DialogIcon::Question});
        const bool a = answers.empty() || answers.front();
        if (!answers.empty()) answers.pop_front();
        return a;
    }
};

// The criteria fields and the record's fields they stand for.
struct Criterion {
    const char* field;
    std::string Settings::*member;
    const char* value;
};
const Criterion Criteria[] = {
    {"Text2", &Settings::CRITERE_BLANC, "Carlsen"}, {"Text3", &Settings::CRITERE_NOIR, "Nakamura"},
    {"Text5", &Settings::CRITERE_ECO, "B90"},       {"Text6", &Settings::CRITERE_RESULTAT, "1-0"},
    {"Text7", &Settings::CRITERE_DATE, "2019.05"},  {"Text8", &Settings::CRITERE_SITE, "Zürich"},
    {"Text9", &Settings::CRITERE_RONDE, "7"},       {"Text10", &Settings::CRITERE_EVENT, "Open"},
};

class LoadGamesWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Settings record;
    Answers dialogs;
    Catalogue catalogue;
    QString games;
    struct Request {
        QString title, folder, filter;
    };
    std::vector<Request> asked;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(
            lire_reglages(settingsFile().toStdString(), dir.path().toStdString(), record).state,
            SettingsReading::State::Created);
        catalogue.appliquer_langue(1);
        games = dir.filePath(QStringLiteral("club.pgn"));
        QFile f(games);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[White \"A\"]\n[Black \"B\"]\n\n1.e4 e5 1-0\n");
    }
    QString settingsFile() const { return dir.filePath(QStringLiteral("quarvelin.ini")); }

    std::unique_ptr<LoadGamesDialog> window(Mode mode, const QString& file,
                                            const QString& answer = {}) {
        auto w = std::make_unique<LoadGamesDialog>(mode, record, catalogue, settingsFile(), file,
                                                   &dialogs);
        const auto chooser = [this, answer](QWidget*, const QString& title, const QString& folder,
                                            const QString& filter) {
            asked.push_back({title, folder, filter});
            return answer;
        };
        w->setOpenChooser(chooser);
        w->setSaveChooser(chooser);
        return w;
    }
    static QLineEdit* edit(QWidget& w, const char* name) { return child<QLineEdit>(w, name); }
    static void press(QWidget& w, const char* name) { child<QAbstractButton>(w, name)->click(); }
    static void tick(QWidget& w, const char* name, bool on = true) {
        child<QAbstractButton>(w, name)->setChecked(on);
    }
    static void typeCriteria(QWidget& w) {
        tick(w, "Check1");
        for (const Criterion& c : Criteria) edit(w, c.field)->setText(QString::fromUtf8(c.value));
        tick(w, "Check2");
    }
    static void expectCriteria(const Settings& s) {
        for (const Criterion& c : Criteria) EXPECT_EQ(s.*c.member, c.value) << c.field;
        EXPECT_EQ(s.CRITERE_LESDEUX, 1);
    }
    void expectOneMessage(TextKey key) {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text.rfind(catalogue.text(key), 0), 0u);
        EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
        dialogs.messages.clear();
    }
};

// The fields show the settings' filter; "reset" empties the criteria and nothing else.
TEST_F(LoadGamesWindow, OpensWithTheFilterOfTheSettingsAndResets) {
    for (const Criterion& c : Criteria) record.*c.member = std::string(c.value) + "x";
    record.CRITERE_LESDEUX = 1;
    record.MAX_SEUIL_PARTIE = 2500;
    const Settings before = record;
    for (Mode mode : {Mode::Load, Mode::Extract}) {
        auto w = window(mode, games);
        EXPECT_EQ(w->windowTitle().toStdString(),
                  catalogue.text(mode == Mode::Load ? TextKey::OpenGameTitle
                                                    : TextKey::FilterGamesFileTitle));
        tick(*w, "Check1");
        for (bool reset : {false, true}) {
            if (reset) press(*w, "Command5");
            for (const Criterion& c : Criteria)
                EXPECT_EQ(edit(*w, c.field)->text().toStdString(),
                          reset ? "" : std::string(c.value) + "x");
            EXPECT_TRUE(child<QCheckBox>(*w, "Check2")->isChecked());
            EXPECT_EQ(edit(*w, "Text4")->text(), QStringLiteral("2500"));
            EXPECT_EQ(edit(*w, "Text1")->text(), games);
        }
        EXPECT_EQ(record, before); // the record waits for a command
    }
}

// The chooser starts where the file in use lies, else at home; the commands wait for a file.
TEST_F(LoadGamesWindow, ChoosingAFileStartsWhereTheCurrentOneLies) {
    const QString other = dir.filePath(QStringLiteral("autre.pgn"));
    const struct {
        QString current, answer, folder, shown;
    } cases[] = {
        {{}, other, QDir::homePath(), other},
        {games, other, dir.path(), other},
        {QStringLiteral("/nowhere/at/all.pgn"), other, QDir::homePath(), other},
        {games, {}, dir.path(), games}, // cancelled: the file in use stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current.toStdString());
        asked.clear();
        auto w = window(Mode::Load, c.current, c.answer);
        const auto expectCommands = [&](bool enabled) {
            for (const char* b : {"Command2", "Command4", "voir"})
                EXPECT_EQ(child(*w, b)->isEnabled(), enabled) << b;
        };
        expectCommands(!c.current.isEmpty());
        press(*w, "Command3");
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].title, QStringLiteral("Choisir un fichier"));
        EXPECT_EQ(asked[0].folder, c.folder);
        EXPECT_EQ(asked[0].filter, QStringLiteral("Fichiers PGN (*.pgn)"));
        EXPECT_EQ(edit(*w, "Text1")->text(), c.shown);
        expectCommands(!c.shown.isEmpty());
    }
}

// The filter is saved as typed, limit included; a load takes the criteria but not the limit.
TEST_F(LoadGamesWindow, SaveTheFilterThenLoad) {
    auto w = window(Mode::Load, games);
    w->show();
    QSignalSpy load(w.get(), &LoadGamesDialog::loadRequested);
    typeCriteria(*w);
    edit(*w, "Text4")->setText(QStringLiteral("75"));
    press(*w, "Command6");
    expectOneMessage(TextKey::FilterSaved);
    Settings read;
    lire_reglages(settingsFile().toStdString(), dir.path().toStdString(), read);
    expectCriteria(read);
    EXPECT_EQ(read.MAX_SEUIL_PARTIE, 75);
    EXPECT_EQ(load.count(), 0);

    edit(*w, "Text4")->setText(QStringLiteral("12"));
    press(*w, "Command2");
    ASSERT_EQ(load.count(), 1);
    EXPECT_EQ(load.at(0).at(0).toString(), games);
    expectCriteria(record);
    EXPECT_EQ(record.MAX_SEUIL_PARTIE, 75);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoadGamesWindow, ExtractHandsOnTheTargetAndTheFormatsOptions) {
    const QString fresh = dir.filePath(QStringLiteral("extrait.xml"));
    const QString existing = dir.filePath(QStringLiteral("retenues.pgn"));
    QFile(existing).open(QIODevice::WriteOnly);
    const struct {
        const char* name;
        QString answer;
        bool xml, replace, handedOn;
        const char* filter;
    } cases[] = {
        {"xml", fresh, true, true, true, "Fichiers XML (*.xml)"},
        {"pgn replaced", existing, false, true, true, "Fichiers PGN (*.pgn)"},
        {"pgn kept", existing, false, false, false, "Fichiers PGN (*.pgn)"},
        {"cancelled", {}, false, true, false, "Fichiers PGN (*.pgn)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        asked.clear();
        dialogs.questions.clear();
        dialogs.answers = {c.replace};
        record.MAX_SEUIL_PARTIE = 1000;
        auto w = window(Mode::Extract, games, c.answer);
        w->show();
        QSignalSpy extract(w.get(), &LoadGamesDialog::extractRequested);
        typeCriteria(*w);
        edit(*w, "Text4")->setText(QStringLiteral("40"));
        // The XML options ticked, then PGN chosen: they do not go with it.
        tick(*w, "Option1_0");
        tick(*w, "Check3");
        tick(*w, "Check4", false);
        if (!c.xml) {
            tick(*w, "Check4");
            tick(*w, "Option1_1");
        }
        press(*w, "Command4");

        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].title, QStringLiteral("Choisir un fichier"));
        EXPECT_EQ(asked[0].folder, QDir::homePath());
        EXPECT_EQ(asked[0].filter, QString::fromLatin1(c.filter));
        const bool exists = c.answer == existing;
        ASSERT_EQ(dialogs.questions.size(), exists ? 1u : 0u);
        if (exists) {
            EXPECT_EQ(dialogs.questions[0].text, catalogue.text(TextKey::ReplaceFileQuestion));
        }
        ASSERT_EQ(extract.count(), c.handedOn ? 1 : 0);
        EXPECT_EQ(record.MAX_SEUIL_PARTIE, c.handedOn ? 40 : 1000);
        if (c.handedOn) {
            const QList<QVariant> args = extract.at(0);
            EXPECT_EQ(args.at(0).toString(), games);
            EXPECT_EQ(args.at(1).toString(), c.answer);
            EXPECT_EQ(args.at(2).toBool(), c.xml);
            EXPECT_EQ(args.at(3).toBool(), c.xml); // one game per file
            EXPECT_FALSE(args.at(4).toBool());     // the address file
            expectCriteria(record);
        }
        EXPECT_TRUE(w->isVisible()); // ready for another extraction
    }
}

TEST_F(LoadGamesWindow, NumbersAreCheckedWhenTheFieldIsLeft) {
    const struct {
        const char* field;
        const char* typed;
        std::optional<TextKey> refusal;
        const char* left;
    } cases[] = {
        {"Text9", "abc", TextKey::NumberExpected, ""},
        {"Text9", " 12 ", std::nullopt, "12"},
        {"Text9", "0", std::nullopt, "0"}, // a round, not the limit
        {"Text4", "0", TextKey::ValueOutOfRange, ""},
        {"Text4", "", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " \"" + c.typed + "\"");
        dialogs.messages.clear();
        auto w = window(Mode::Load, games);
        w->show();
        tick(*w, "Check1");
        QLineEdit* field = edit(*w, c.field);
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &leave);
        EXPECT_TRUE(dialogs.messages.empty()) << "not from inside the focus change";
        QCoreApplication::processEvents();
        EXPECT_EQ(field->text(), QString::fromLatin1(c.left));
        if (c.refusal) {
            expectOneMessage(*c.refusal);
        }
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

// A command that cannot go on says why and does nothing else: no file, or a number typed and
// never left.
TEST_F(LoadGamesWindow, ACommandThatCannotGoOnSaysWhyAndDoesNothingElse) {
    const QString absent = dir.filePath(QStringLiteral("absent.pgn"));
    using D = LoadGamesDialog;
    const struct {
        QString file;
        void (D::*command)();
        Mode mode;
        const char* round;
        TextKey said;
    } cases[] = {
        {{}, &D::loadGames, Mode::Load, "", TextKey::NoFileChosen},
        {{}, &D::saveResults, Mode::Extract, "", TextKey::NoFileChosen},
        {{}, &D::viewFile, Mode::Load, "", TextKey::NoFileChosen},
        {absent, &D::loadGames, Mode::Load, "", TextKey::FileDoesNotExist},
        {absent, &D::saveResults, Mode::Extract, "", TextKey::FileDoesNotExist},
        {absent, &D::viewFile, Mode::Load, "", TextKey::FileDoesNotExist},
        {games, &D::loadGames, Mode::Load, "abc", TextKey::NumberExpected},
        {games, &D::saveResults, Mode::Extract, "abc", TextKey::NumberExpected},
        {games, &D::saveFilter, Mode::Load, "abc", TextKey::NumberExpected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString() + " " + catalogue.text(c.said));
        const Settings before = record;
        auto w = window(c.mode, c.file, dir.filePath(QStringLiteral("x.pgn")));
        w->show();
        QSignalSpy load(w.get(), &LoadGamesDialog::loadRequested);
        QSignalSpy extract(w.get(), &LoadGamesDialog::extractRequested);
        int opened = 0;
        w->setTextEditor([&](const QString&) { return ++opened > 0; });
        typeCriteria(*w);
        edit(*w, "Text9")->setText(QString::fromLatin1(c.round));
        ((*w).*c.command)();
        EXPECT_EQ(load.count() + extract.count() + opened, 0);
        EXPECT_TRUE(asked.empty());
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(record, before);
        expectOneMessage(c.said);
        EXPECT_EQ(edit(*w, "Text9")->text(), QString()); // a refused number is cleared
    }
}

TEST_F(LoadGamesWindow, ViewingTheFileInAnEditor) {
    for (bool starts : {true, false}) {
        QStringList opened;
        auto w = window(Mode::Load, games);
        w->setTextEditor([&](const QString& p) {
            opened << p;
            return starts;
        });
        press(*w, "voir");
        EXPECT_EQ(opened, QStringList{games});
        if (starts)
            EXPECT_TRUE(dialogs.messages.empty());
        else
            expectOneMessage(TextKey::NoTextEditor);
    }
}

// Each mode shows what it uses; the criteria are changed on purpose, the XML options only
// with XML.
TEST_F(LoadGamesWindow, EachModeShowsWhatItUses) {
    const char* both[] = {"Text1", "Command3", "Text2",    "Text3",   "Check2", "Text5",
                          "Text6", "Text7",    "Text8",    "Text9",   "Text10", "Check1",
                          "voir",  "Command5", "Command6", "Command1"};
    const char* loadOnly[] = {"Text4", "Command2"};
    const char* extractOnly[] = {"Frame2",    "Command4", "Option1_0",
                                 "Option1_1", "Check3",   "Check4"};
    const char* locked[] = {"Text2", "Text3", "Text5",  "Text6",  "Text7",
                            "Text8", "Text9", "Text10", "Check2", "Command5"};
    for (Mode mode : {Mode::Load, Mode::Extract}) {
        SCOPED_TRACE(int(mode));
        const bool load = mode == Mode::Load;
        auto w = window(mode, games);
        w->show();
        for (const char* name : both) EXPECT_TRUE(child(*w, name)->isVisible()) << name;
        for (const char* name : loadOnly) EXPECT_EQ(child(*w, name)->isVisible(), load) << name;
        for (const char* name : extractOnly) EXPECT_EQ(child(*w, name)->isVisible(), !load) << name;
        // The limit's captions go with its field.
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("partie(s)") ||
                label->buddy() == edit(*w, "Text4")) {
                EXPECT_EQ(label->isVisible(), load);
            }
        }
        EXPECT_TRUE(child<QPushButton>(*w, load ? "Command2" : "Command4")->isDefault());
        takeScreenshot(*w, load ? QStringLiteral("charge-chargement")
                                : QStringLiteral("charge-extraction"));

        for (bool on : {false, true, false}) {
            tick(*w, "Check1", on);
            for (const char* name : locked)
                EXPECT_EQ(child(*w, name)->isEnabled(), on) << name << " " << on;
            for (const char* name : {"Text1", "Text4", "Command2", "Command6", "Command3"})
                EXPECT_TRUE(child(*w, name)->isEnabled()) << name;
        }
        EXPECT_TRUE(child<QRadioButton>(*w, "Option1_1")->isChecked());
        for (const char* format : {"Option1_0", "Option1_1", "Option1_0"}) {
            tick(*w, format);
            const bool xml = std::string(format) == "Option1_0";
            EXPECT_EQ(child(*w, "Check3")->isEnabled(), xml) << format;
            EXPECT_EQ(child(*w, "Check4")->isEnabled(), xml) << format;
        }
    }
}

// In every language: each caption is there, shown whole, and no two controls of one mode
// answer the same Alt key.
TEST_F(LoadGamesWindow, EveryLanguageReadsWellInBothModes) {
    for (int language = 1; language <= LanguageCount; ++language) {
        catalogue.appliquer_langue(language);
        for (Mode mode : {Mode::Load, Mode::Extract}) {
            auto w = window(mode, games);
            w->show();
            QCoreApplication::processEvents();
            SCOPED_TRACE(std::string(Catalogue::fileName(language)) + " mode " +
                         std::to_string(int(mode)));
            EXPECT_LE(w->width(), 1000);
            EXPECT_LE(w->height(), 700);
            expectCaptionsWhole(*w);
        }
    }
}

TEST_F(LoadGamesWindow, CaptionsAndBubblesFollowTheSettings) {
    auto w = window(Mode::Extract, games);
    catalogue.appliquer_langue(2);
    w->appliquer_textes(catalogue);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Filter a games file"));
    EXPECT_EQ(child<QPushButton>(*w, "Command6")->text(), QStringLiteral("Save the fil&ter"));
    EXPECT_EQ(child<QCheckBox>(*w, "Check2")->text(), QStringLiteral("E&ither colour"));
    tick(*w, "Check1");
    tick(*w, "Option1_0");
    w->show();
    takeScreenshot(*w, QStringLiteral("charge-en"));

    for (int bubbles : {0, 1}) {
        record.BULLE_AIDE = static_cast<std::uint8_t>(bubbles);
        auto b = window(Mode::Load, games);
        EXPECT_EQ(child(*b, "Command2")->toolTip().isEmpty(), bubbles == 0);
        EXPECT_EQ(edit(*b, "Text7")->toolTip().isEmpty(), bubbles == 0);
    }
}

TEST(LoadGamesEditor, DesktopEntryCommandForOneFile) {
    const QString file = QStringLiteral("/home/u/mes parties.pgn");
    const struct {
        const char* exec;
        QStringList command;
    } cases[] = {
        {"gnome-text-editor %U", {"gnome-text-editor", file}},
        {"gedit", {"gedit", file}},
        {"kate -b %U", {"kate", "-b", file}},
        {"mousepad %F %U", {"mousepad", file}},
        {"\"/opt/my editor/ed\" --new %f", {"/opt/my editor/ed", "--new", file}},
        {"xed --icon %i --name %c %u", {"xed", "--icon", "--name", file}},
        {"ed --ratio 50%% %f", {"ed", "--ratio", "50%", file}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextEditorLauncher::command(QString::fromUtf8(c.exec), file), c.command)
            << c.exec;
}

} // namespace
