// The games-file window in both modes: what it takes from the settings, what each command
// copies back and hands on, the checks on the numeric fields, the settings file written only by
// "save the filter", and the file shown in an editor.
#include "ui/LoadGamesDialog.h"
#include "ui/TextEditorLauncher.h"

#include "Capture.h"
#include "config/SettingsFile.h"
#include "localisation/Catalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>
#include <map>

using namespace quarvelin;
using Mode = LoadGamesDialog::Mode;

namespace {

class Answers : public Dialogs {
public:
    struct Shown {
        std::string title, text;
        DialogIcon icon;
    };
    std::vector<Shown> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers; // then Yes

    void message(const std::string& t, const std::string& x, DialogIcon icon) override {
        messages.push_back({t, x, icon});
    }
    bool question(const std::string&, const std::string& x) override {
        questions.push_back(x);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string input(const std::string&, const std::string&, const std::string& d) override {
        return d;
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

std::string contents(const QString& path) {
    std::ifstream f(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

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
        ASSERT_EQ(lire_reglages(settingsFile().toStdString(), path().toStdString(), record).state,
                  SettingsReading::State::Created);
        catalogue.appliquer_langue(1);
        games = dir.filePath(QStringLiteral("club.pgn"));
        QFile f(games);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[White \"A\"]\n[Black \"B\"]\n\n1.e4 e5 1-0\n");
    }
    QString path() const { return dir.path(); }
    QString settingsFile() const { return dir.filePath(QStringLiteral("quarvelin.ini")); }
    QString installation() const { return dir.filePath(QStringLiteral("install")); }

    std::unique_ptr<LoadGamesDialog> window(Mode mode, const QString& file,
                                            const QString& answer = {}) {
        auto w = std::make_unique<LoadGamesDialog>(mode, record, catalogue, installation(),
                                                   settingsFile(), file, &dialogs);
        const auto chooser = [this, answer](QWidget*, const QString& title, const QString& folder,
                                            const QString& filter) {
            asked.push_back({title, folder, filter});
            return answer;
        };
        w->setOpenChooser(chooser);
        w->setSaveChooser(chooser);
        return w;
    }
    template <class T> static T* control(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QLineEdit* edit(QWidget& w, const char* name) { return control<QLineEdit>(w, name); }
    static void press(QWidget& w, const char* name) { control<QAbstractButton>(w, name)->click(); }
    static void typeCriteria(QWidget& w) {
        control<QCheckBox>(w, "Check1")->setChecked(true);
        for (const Criterion& c : Criteria) edit(w, c.field)->setText(QString::fromUtf8(c.value));
        control<QCheckBox>(w, "Check2")->setChecked(true);
    }
    void expectCriteria(const Settings& s) const {
        for (const Criterion& c : Criteria) EXPECT_EQ(s.*c.member, c.value) << c.field;
        EXPECT_EQ(s.CRITERE_LESDEUX, 1);
    }
};

TEST_F(LoadGamesWindow, OpensWithTheFilterOfTheSettings) {
    for (const Criterion& c : Criteria) record.*c.member = std::string(c.value) + "x";
    record.CRITERE_LESDEUX = 1;
    record.MAX_SEUIL_PARTIE = 2500;
    for (Mode mode : {Mode::Load, Mode::Extract}) {
        auto w = window(mode, games);
        for (const Criterion& c : Criteria)
            EXPECT_EQ(edit(*w, c.field)->text().toStdString(), std::string(c.value) + "x");
        EXPECT_TRUE(control<QCheckBox>(*w, "Check2")->isChecked());
        EXPECT_EQ(edit(*w, "Text4")->text(), QStringLiteral("2500"));
        EXPECT_EQ(edit(*w, "Text1")->text(), games);
        EXPECT_EQ(w->windowTitle().toStdString(),
                  catalogue.text(mode == Mode::Load ? quarvelin::TextKey::OpenGameTitle
                                                    : quarvelin::TextKey::FilterGamesFileTitle));
    }
}

TEST_F(LoadGamesWindow, CommandsWaitForAFile) {
    auto w = window(Mode::Load, {});
    for (const char* b : {"Command2", "Command4", "voir"})
        EXPECT_FALSE(control<QPushButton>(*w, b)->isEnabled()) << b;
    edit(*w, "Text1")->setText(games);
    for (const char* b : {"Command2", "Command4", "voir"})
        EXPECT_TRUE(control<QPushButton>(*w, b)->isEnabled()) << b;
}

TEST_F(LoadGamesWindow, ChoosingAFileStartsWhereTheCurrentOneLies) {
    const QString other = dir.filePath(QStringLiteral("autre.pgn"));
    const struct {
        QString current, answer, folder, shown;
    } cases[] = {
        {{}, other, installation(), other},
        {games, other, path(), other},
        {QStringLiteral("/nowhere/at/all.pgn"), other, installation(), other},
        {games, {}, path(), games}, // cancelled: the file in use stays
    };
    for (const auto& c : cases) {
        asked.clear();
        auto w = window(Mode::Load, c.current, c.answer);
        press(*w, "Command3");
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].title, QStringLiteral("Choisir un fichier"));
        EXPECT_EQ(asked[0].folder, c.folder) << c.current.toStdString();
        EXPECT_EQ(asked[0].filter, QStringLiteral("Fichiers PGN (*.pgn)"));
        EXPECT_EQ(edit(*w, "Text1")->text(), c.shown);
        EXPECT_EQ(control<QPushButton>(*w, "Command2")->isEnabled(), !c.shown.isEmpty());
    }
}

TEST_F(LoadGamesWindow, LoadCopiesTheCriteriaButNotTheLimit) {
    const std::string before = contents(settingsFile());
    record.MAX_SEUIL_PARTIE = 300;
    auto w = window(Mode::Load, games);
    w->show();
    QSignalSpy load(w.get(), &LoadGamesDialog::loadRequested);
    typeCriteria(*w);
    edit(*w, "Text4")->setText(QStringLiteral("12"));
    press(*w, "Command2");

    ASSERT_EQ(load.count(), 1);
    EXPECT_EQ(load.at(0).at(0).toString(), games);
    expectCriteria(record);
    EXPECT_EQ(record.MAX_SEUIL_PARTIE, 300);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(contents(settingsFile()), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoadGamesWindow, AFileThatIsNotThereIsNotLoaded) {
    const struct {
        const char* file;
        std::optional<quarvelin::TextKey> text;
    } cases[] = {{"", quarvelin::TextKey::NoFileChosen},
                 {"absent.pgn", quarvelin::TextKey::FileDoesNotExist}};
    for (const auto& c : cases) {
        dialogs.messages.clear();
        const Settings before = record;
        const QString file = *c.file ? dir.filePath(QString::fromLatin1(c.file)) : QString();
        auto w = window(Mode::Load, file);
        w->show();
        QSignalSpy load(w.get(), &LoadGamesDialog::loadRequested);
        typeCriteria(*w);
        w->loadGames();
        EXPECT_EQ(load.count(), 0);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(record, before);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text.rfind(catalogue.text(*c.text), 0), 0u);
    }
}

TEST_F(LoadGamesWindow, ExtractCopiesTheLimitAndHandsOnTheTarget) {
    const std::string before = contents(settingsFile());
    const QString target = dir.filePath(QStringLiteral("extrait.xml"));
    auto w = window(Mode::Extract, games, target);
    w->show();
    QSignalSpy extract(w.get(), &LoadGamesDialog::extractRequested);
    typeCriteria(*w);
    edit(*w, "Text4")->setText(QStringLiteral("25"));
    control<QRadioButton>(*w, "Option1_0")->setChecked(true);
    control<QCheckBox>(*w, "Check3")->setChecked(true);
    press(*w, "Command4");

    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, QStringLiteral("Choisir un fichier"));
    EXPECT_EQ(asked[0].folder, installation());
    EXPECT_EQ(asked[0].filter, QStringLiteral("Fichiers XML (*.xml)"));
    EXPECT_TRUE(dialogs.questions.empty()); // nothing there to replace
    ASSERT_EQ(extract.count(), 1);
    const QList<QVariant> args = extract.at(0);
    EXPECT_EQ(args.at(0).toString(), games);
    EXPECT_EQ(args.at(1).toString(), target);
    EXPECT_TRUE(args.at(2).toBool());
    EXPECT_TRUE(args.at(3).toBool());
    EXPECT_FALSE(args.at(4).toBool());
    expectCriteria(record);
    EXPECT_EQ(record.MAX_SEUIL_PARTIE, 25);
    EXPECT_TRUE(w->isVisible()); // ready for another extraction
    EXPECT_EQ(contents(settingsFile()), before);
}

TEST_F(LoadGamesWindow, ReplacingAnExistingTargetIsAskedFirst) {
    const QString target = dir.filePath(QStringLiteral("retenues.pgn"));
    QFile(target).open(QIODevice::WriteOnly);
    const struct {
        QString answer;
        bool yes;
        bool handedOn;
    } cases[] = {{target, true, true}, {target, false, false}, {{}, true, false}};
    for (const auto& c : cases) {
        asked.clear();
        dialogs.questions.clear();
        dialogs.answers = {c.yes};
        record.MAX_SEUIL_PARTIE = 1000;
        auto w = window(Mode::Extract, games, c.answer);
        QSignalSpy extract(w.get(), &LoadGamesDialog::extractRequested);
        edit(*w, "Text4")->setText(QStringLiteral("40"));
        // PGN: the two XML options do not go with it, even ticked before.
        control<QRadioButton>(*w, "Option1_0")->setChecked(true);
        control<QCheckBox>(*w, "Check4")->setChecked(true);
        control<QRadioButton>(*w, "Option1_1")->setChecked(true);
        press(*w, "Command4");
        EXPECT_EQ(asked.at(0).filter, QStringLiteral("Fichiers PGN (*.pgn)"));
        EXPECT_EQ(dialogs.questions.size(), c.answer.isEmpty() ? 0u : 1u);
        if (!dialogs.questions.empty()) {
            EXPECT_EQ(dialogs.questions[0], catalogue.text(TextKey::ReplaceFileQuestion));
        }
        ASSERT_EQ(extract.count(), c.handedOn ? 1 : 0);
        EXPECT_EQ(record.MAX_SEUIL_PARTIE, c.handedOn ? 40 : 1000);
        if (c.handedOn) {
            EXPECT_FALSE(extract.at(0).at(2).toBool());
            EXPECT_FALSE(extract.at(0).at(4).toBool());
        }
    }
}

TEST_F(LoadGamesWindow, NumbersAreCheckedWhenTheFieldIsLeft) {
    const struct {
        const char* field;
        const char* typed;
        std::optional<quarvelin::TextKey> text; // none: taken
        const char* left;
    } cases[] = {
        {"Text9", "abc", quarvelin::TextKey::NumberExpected, ""},
        {"Text9", "3.1", quarvelin::TextKey::NumberExpected, ""},
        {"Text9", " 12 ", std::nullopt, "12"},
        {"Text4", "beaucoup", quarvelin::TextKey::NumberExpected, ""},
        {"Text4", "-5", quarvelin::TextKey::NumberExpected, ""},
        {"Text4", "0", quarvelin::TextKey::ValueOutOfRange, ""},
        {"Text4", "2147483648", quarvelin::TextKey::ValueOutOfRange, ""},
        {"Text4", "2147483647", std::nullopt, "2147483647"},
        {"Text4", "", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        auto w = window(Mode::Load, games);
        w->show();
        control<QCheckBox>(*w, "Check1")->setChecked(true);
        QLineEdit* field = edit(*w, c.field);
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &leave);
        QCoreApplication::processEvents();
        SCOPED_TRACE(std::string(c.field) + " \"" + c.typed + "\"");
        EXPECT_EQ(field->text(), QString::fromLatin1(c.left));
        if (!c.text) {
            EXPECT_TRUE(dialogs.messages.empty());
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text.rfind(catalogue.text(*c.text), 0), 0u);
            EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
            EXPECT_EQ(dialogs.messages[0].title, "quarvelin");
        }
    }
}

TEST_F(LoadGamesWindow, ACommandRefusesANumberNotYetChecked) {
    // Typed and never left: the command says so and does nothing else.
    auto w = window(Mode::Extract, games, dir.filePath(QStringLiteral("x.pgn")));
    QSignalSpy extract(w.get(), &LoadGamesDialog::extractRequested);
    control<QCheckBox>(*w, "Check1")->setChecked(true);
    edit(*w, "Text9")->setText(QStringLiteral("abc"));
    press(*w, "Command4");
    EXPECT_EQ(extract.count(), 0);
    EXPECT_TRUE(asked.empty());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, catalogue.text(TextKey::NumberExpected));
    EXPECT_EQ(edit(*w, "Text9")->text(), QString());
}

TEST_F(LoadGamesWindow, ResetEmptiesTheCriteriaOnly) {
    for (const Criterion& c : Criteria) record.*c.member = c.value;
    record.CRITERE_LESDEUX = 1;
    const Settings before = record;
    auto w = window(Mode::Load, games);
    control<QCheckBox>(*w, "Check1")->setChecked(true);
    press(*w, "Command5");
    for (const Criterion& c : Criteria) EXPECT_TRUE(edit(*w, c.field)->text().isEmpty()) << c.field;
    EXPECT_EQ(edit(*w, "Text1")->text(), games);
    EXPECT_EQ(edit(*w, "Text4")->text(), QStringLiteral("1000"));
    EXPECT_TRUE(control<QCheckBox>(*w, "Check2")->isChecked());
    EXPECT_EQ(record, before); // the record waits for a command
}

TEST_F(LoadGamesWindow, SavingTheFilterWritesTheSettingsFile) {
    // The record holds whole paths; the file keeps the ones it had.
    const std::string basePath = record.BASE_ECO;
    record.BASE_ECO = "/absolute/eco.db";
    record.NOM_JOUEUR[1] = "Someone loaded for automatic play";
    auto w = window(Mode::Load, games);
    typeCriteria(*w);
    edit(*w, "Text4")->setText(QStringLiteral("75"));
    press(*w, "Command6");

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, catalogue.text(TextKey::FilterSaved));
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].title, "quarvelin");
    Settings read;
    ASSERT_EQ(lire_reglages(settingsFile().toStdString(), path().toStdString(), read).state,
              SettingsReading::State::Parsed);
    expectCriteria(read);
    EXPECT_EQ(read.MAX_SEUIL_PARTIE, 75);
    EXPECT_EQ(read.BASE_ECO, basePath);
    EXPECT_EQ(read.NOM_JOUEUR[1], "");
    expectCriteria(record);
    EXPECT_EQ(record.MAX_SEUIL_PARTIE, 75);
}

TEST_F(LoadGamesWindow, AFilterThatCannotBeWrittenIsReported) {
    const Settings before = record;
    auto w = std::make_unique<LoadGamesDialog>(Mode::Load, record, catalogue, installation(),
                                               dir.filePath(QStringLiteral("none/q.ini")), games,
                                               &dialogs);
    typeCriteria(*w);
    press(*w, "Command6");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind(catalogue.text(TextKey::SettingsCannotWrite), 0), 0u);
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Critical);
    EXPECT_EQ(record, before);
}

TEST_F(LoadGamesWindow, ViewingTheFile) {
    const struct {
        QString file;
        bool starts;
        std::optional<quarvelin::TextKey> text; // none: nothing said
    } cases[] = {
        {{}, true, quarvelin::TextKey::NoFileChosen},
        {dir.filePath(QStringLiteral("absent.pgn")), true, quarvelin::TextKey::FileDoesNotExist},
        {games, true, std::nullopt},
        {games, false, quarvelin::TextKey::NoTextEditor},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        QStringList opened;
        auto w = window(Mode::Load, c.file);
        w->setTextEditor([&](const QString& p) {
            opened << p;
            return c.starts;
        });
        w->viewFile();
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(opened.size(), !c.text || c.text == quarvelin::TextKey::NoTextEditor ? 1 : 0);
        if (!opened.isEmpty()) {
            EXPECT_EQ(opened[0], games);
        }
        if (!c.text) {
            EXPECT_TRUE(dialogs.messages.empty());
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text.rfind(catalogue.text(*c.text), 0), 0u);
            EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
        }
    }
}

TEST_F(LoadGamesWindow, XmlOptionsFollowTheFormat) {
    auto w = window(Mode::Extract, games);
    auto* check3 = control<QCheckBox>(*w, "Check3");
    auto* check4 = control<QCheckBox>(*w, "Check4");
    EXPECT_TRUE(control<QRadioButton>(*w, "Option1_1")->isChecked());
    for (const char* format : {"Option1_0", "Option1_1", "Option1_0"}) {
        control<QRadioButton>(*w, format)->setChecked(true);
        const bool xml = std::string(format) == "Option1_0";
        EXPECT_EQ(check3->isEnabled(), xml) << format;
        EXPECT_EQ(check4->isEnabled(), xml) << format;
    }
}

TEST_F(LoadGamesWindow, TheFilterIsChangedOnPurpose) {
    auto w = window(Mode::Load, games);
    auto* check1 = control<QCheckBox>(*w, "Check1");
    const char* locked[] = {"Text2", "Text3", "Text5",  "Text6",  "Text7",
                            "Text8", "Text9", "Text10", "Check2", "Command5"};
    const char* free[] = {"Text1", "Text4", "Command2", "Command6", "Command3"};
    for (bool on : {false, true, false}) {
        check1->setChecked(on);
        for (const char* name : locked)
            EXPECT_EQ(control<QWidget>(*w, name)->isEnabled(), on) << name << " " << on;
        for (const char* name : free) EXPECT_TRUE(control<QWidget>(*w, name)->isEnabled()) << name;
    }
}

TEST_F(LoadGamesWindow, EachModeShowsWhatItUses) {
    const struct {
        const char* name;
        bool load, extract;
    } cases[] = {
        {"Text1", true, true},      {"Command3", true, true},  {"Text2", true, true},
        {"Text3", true, true},      {"Check2", true, true},    {"Text5", true, true},
        {"Text6", true, true},      {"Text7", true, true},     {"Text8", true, true},
        {"Text9", true, true},      {"Text10", true, true},    {"Check1", true, true},
        {"Command5", true, true},   {"Command6", true, true},  {"Command1", true, true},
        {"voir", true, true},       {"Text4", true, false},    {"Command2", true, false},
        {"Frame2", false, true},    {"Command4", false, true}, {"Option1_0", false, true},
        {"Option1_1", false, true}, {"Check3", false, true},   {"Check4", false, true},
    };
    record.CRITERE_BLANC = "Carlsen";
    record.CRITERE_DATE = "2019";
    for (Mode mode : {Mode::Load, Mode::Extract}) {
        auto w = window(mode, games);
        w->show();
        for (const auto& c : cases)
            EXPECT_EQ(control<QWidget>(*w, c.name)->isVisible(),
                      mode == Mode::Load ? c.load : c.extract)
                << c.name << " mode " << int(mode);
        // The limit's captions go with its field.
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("partie(s)") ||
                label->buddy() == edit(*w, "Text4")) {
                EXPECT_EQ(label->isVisible(), mode == Mode::Load);
            }
        }
        EXPECT_TRUE(
            control<QPushButton>(*w, mode == Mode::Load ? "Command2" : "Command4")->isDefault());
        takeScreenshot(*w, mode == Mode::Load ? QStringLiteral("charge-chargement")
                                              : QStringLiteral("charge-extraction"));
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
            std::map<QChar, QString> keys;
            const auto shortcut = [&](const QString& text) {
                const qsizetype at = text.indexOf(QLatin1Char('&'));
                if (at < 0 || at + 1 >= text.size()) return;
                const QChar key = text[at + 1].toLower();
                EXPECT_FALSE(keys.count(key))
                    << "Alt+" << QString(key).toStdString() << ": " << keys[key].toStdString()
                    << " and " << text.toStdString();
                keys[key] = text;
            };
            for (QWidget* c : w->findChildren<QWidget*>()) {
                // The line edits' own clear buttons have no caption.
                if (!c->isVisible() || qobject_cast<QLineEdit*>(c->parentWidget())) continue;
                if (auto* b = qobject_cast<QAbstractButton*>(c)) {
                    EXPECT_FALSE(b->text().isEmpty()) << b->objectName().toStdString();
                    EXPECT_GE(b->width(), b->minimumSizeHint().width())
                        << b->objectName().toStdString();
                    shortcut(b->text());
                } else if (auto* l = qobject_cast<QLabel*>(c)) {
                    EXPECT_FALSE(l->text().isEmpty());
                    EXPECT_GE(l->width(), l->minimumSizeHint().width()) << l->text().toStdString();
                    if (l->buddy()) shortcut(l->text());
                }
            }
        }
    }
}

TEST_F(LoadGamesWindow, CaptionsFollowTheLanguage) {
    auto w = window(Mode::Extract, games);
    catalogue.appliquer_langue(2);
    w->appliquer_textes(catalogue);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Filter a games file"));
    EXPECT_EQ(control<QPushButton>(*w, "Command6")->text(), QStringLiteral("Save the fil&ter"));
    EXPECT_EQ(control<QCheckBox>(*w, "Check2")->text(), QStringLiteral("E&ither colour"));
    control<QCheckBox>(*w, "Check1")->setChecked(true);
    control<QRadioButton>(*w, "Option1_0")->setChecked(true);
    w->show();
    takeScreenshot(*w, QStringLiteral("charge-en"));
}

TEST_F(LoadGamesWindow, HelpBubblesFollowTheSetting) {
    for (int bubbles : {0, 1}) {
        record.BULLE_AIDE = static_cast<std::uint8_t>(bubbles);
        auto w = window(Mode::Load, games);
        EXPECT_EQ(control<QPushButton>(*w, "Command2")->toolTip().isEmpty(), bubbles == 0);
        EXPECT_EQ(edit(*w, "Text7")->toolTip().isEmpty(), bubbles == 0);
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
