#include "config/ChoixLangue.h"
#include "config/SettingsFile.h"
#include "support/TestDoubles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using namespace quarvelin;
using quarvelin::test::RecordingDialogs;

namespace {

class ChoixLangueTest : public ::testing::Test {
protected:
    std::string chemin() const {
        return dir_.filePath(QStringLiteral("quarvelin.ini")).toStdString();
    }

    // A first start: the shipped file asks for the language window.
    Settings premier_demarrage() const {
        Settings s = reglages_integres(dir_.path().toStdString());
        s.FIRST_STARTUP = 1;
        s.CLE_LANGUE = 2;
        s.NOM_JOUEUR[1] = "Élodie";
        return s;
    }

    QTemporaryDir dir_;
    Catalogue catalogue_;
    RecordingDialogs dialogs_;
};

} // namespace

TEST_F(ChoixLangueTest, LangueEcriteEtAppliquee) {
    for (int cle = 1; cle <= LanguageCount; ++cle) {
        SCOPED_TRACE(ChoixLangue::Legendes[static_cast<std::size_t>(cle - 1)]);
        Settings s = premier_demarrage();
        NotationCode notation = NotationCode::International;
        ChoixLangue choix(s, catalogue_, notation, chemin(), dialogs_);
        ASSERT_TRUE(choix.choisir(cle));

        EXPECT_EQ(s.CLE_LANGUE, cle);
        EXPECT_EQ(s.FIRST_STARTUP, 0);
        EXPECT_EQ(catalogue_.BaseTexte(), 10 + 1000 * (cle - 1));
        EXPECT_EQ(notation, cle == 1 ? NotationCode::French : NotationCode::Pgn);

        Settings attendu = premier_demarrage();
        attendu.CLE_LANGUE = static_cast<std::uint8_t>(cle);
        attendu.FIRST_STARTUP = 0;
        Settings lu;
        ASSERT_EQ(lire_reglages(chemin(), dir_.path().toStdString(), lu).etat,
                  LectureReglages::Etat::Lu);
        EXPECT_EQ(lu, attendu);
    }
    EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ChoixLangueTest, PasUneLangueRienNeChange) {
    for (int cle : {0, 9, -1}) {
        Settings s = premier_demarrage();
        NotationCode notation = NotationCode::International;
        ChoixLangue choix(s, catalogue_, notation, chemin(), dialogs_);
        EXPECT_FALSE(choix.choisir(cle));
        EXPECT_EQ(s, premier_demarrage());
        EXPECT_EQ(notation, NotationCode::International);
    }
    EXPECT_FALSE(std::filesystem::exists(chemin()));
}

TEST_F(ChoixLangueTest, EcritureImpossibleSignaleeDansLaLangueChoisie) {
    Settings s = premier_demarrage();
    NotationCode notation = NotationCode::Pgn;
    const std::string introuvable =
        dir_.filePath(QStringLiteral("absent/quarvelin.ini")).toStdString();
    ChoixLangue choix(s, catalogue_, notation, introuvable, dialogs_);
    EXPECT_FALSE(choix.choisir(1));

    ASSERT_EQ(dialogs_.messages.size(), 1u);
    const auto& m = dialogs_.messages[0];
    EXPECT_EQ(m.icon, DialogIcon::Critical);
    EXPECT_TRUE(m.text.starts_with("Impossible d'écrire le fichier de réglages : " + introuvable))
        << m.text;
    // The choice holds for this run.
    EXPECT_EQ(s.CLE_LANGUE, 1);
    EXPECT_EQ(notation, NotationCode::French);
}

TEST_F(ChoixLangueTest, TitreAvecLaVersionDuProgramme) {
    EXPECT_TRUE(std::regex_match(ChoixLangue::titre_fenetre(),
                                 std::regex(R"(quarvelin v\d+\.\d+\.\d+ -  Welcome!)")))
        << ChoixLangue::titre_fenetre();
}
