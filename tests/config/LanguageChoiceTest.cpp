// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/LanguageChoice.h"
#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "support/TestDoubles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace quarvelin;
using quarvelin::test::RecordingDialogs;

namespace {

class LanguageChoiceTest : public ::testing::Test {
protected:
    std::string path() const {
        return dir_.filePath(QStringLiteral("quarvelin.ini")).toStdString();
    }

    // A first start: the shipped file asks for the language window.
    Settings firstStartup() const {
        Settings s = builtInSettings(dir_.path().toStdString());
        s.FIRST_STARTUP = 1;
        s.CLE_LANGUE = 2;
        s.NOM_JOUEUR[1] = "Élodie"; // typed by the user
        s.LIEU_JEU = "Chez moi";    // another language's default
        return s;
    }

    QTemporaryDir dir_;
    Catalogue catalogue_;
    RecordingDialogs dialogs_;
};

} // namespace

TEST_F(LanguageChoiceTest, LanguageWrittenAndApplied) {
    for (int key = 1; key <= LanguageCount; ++key) {
        SCOPED_TRACE(LanguageChoice::Captions[static_cast<std::size_t>(key - 1)]);
        Settings s = firstStartup();
        NotationCode notation = NotationCode::International;
        LanguageChoice choice(s, catalogue_, notation, path(), dialogs_);
        ASSERT_TRUE(choice.choose(key));

        EXPECT_EQ(s.CLE_LANGUE, key);
        EXPECT_EQ(s.FIRST_STARTUP, 0);
        EXPECT_EQ(catalogue_.BaseTexte(), 10 + 1000 * (key - 1));
        EXPECT_EQ(notation, key == 1 ? NotationCode::French : NotationCode::Pgn);

        Settings expected = firstStartup();
        expected.CLE_LANGUE = static_cast<std::uint8_t>(key);
        expected.FIRST_STARTUP = 0;
        expected.LIEU_JEU = catalogue_.text(TextKey::DefaultPlace);
        Settings parsed;
        ASSERT_EQ(lire_reglages(path(), dir_.path().toStdString(), parsed).state,
                  SettingsReading::State::Parsed);
        EXPECT_EQ(parsed, expected);
    }
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(LanguageChoiceTest, AFreshSettingsFileNamesThePlayerInItsLanguage) {
    const Locations where{dir_.path().toStdString(), dir_.path().toStdString()};
    Settings s, written;
    ASSERT_TRUE(start(where, s, catalogue_).fileCreated);
    EXPECT_EQ(s.NOM_JOUEUR[1], catalogue_.text(TextKey::DefaultPlayerName));
    EXPECT_EQ(s.LIEU_JEU, catalogue_.text(TextKey::DefaultPlace));
    lire_reglages(path(), where.data, written);
    EXPECT_EQ(written.NOM_JOUEUR[1], s.NOM_JOUEUR[1]);
}

TEST_F(LanguageChoiceTest, NotALanguageChangesNothing) {
    for (int key : {0, 9, -1}) {
        Settings s = firstStartup();
        NotationCode notation = NotationCode::International;
        LanguageChoice choice(s, catalogue_, notation, path(), dialogs_);
        EXPECT_FALSE(choice.choose(key));
        EXPECT_EQ(s, firstStartup());
        EXPECT_EQ(notation, NotationCode::International);
    }
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST_F(LanguageChoiceTest, AWriteFailureIsToldInTheChosenLanguage) {
    Settings s = firstStartup();
    NotationCode notation = NotationCode::Pgn;
    const std::string notFound =
        dir_.filePath(QStringLiteral("absent/quarvelin.ini")).toStdString();
    LanguageChoice choice(s, catalogue_, notation, notFound, dialogs_);
    EXPECT_FALSE(choice.choose(1));

    ASSERT_EQ(dialogs_.messages.size(), 1u);
    const auto& m = dialogs_.messages[0];
    EXPECT_EQ(m.icon, DialogIcon::Critical);
    EXPECT_TRUE(m.text.starts_with("Impossible d'écrire le fichier de réglages : " + notFound))
        << m.text;
    // The choice holds for this run.
    EXPECT_EQ(s.CLE_LANGUE, 1);
    EXPECT_EQ(notation, NotationCode::French);
}

TEST_F(LanguageChoiceTest, TitleWithTheProgramsVersion) {
    EXPECT_TRUE(std::regex_match(LanguageChoice::windowTitle(),
                                 std::regex(R"(quarvelin v\d+\.\d+\.\d+ -  Welcome!)")))
        << LanguageChoice::windowTitle();
}
