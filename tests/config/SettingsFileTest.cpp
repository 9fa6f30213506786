// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    fs::path dir = test::testFolder("quarvelin-settings");
    std::string install = "/opt/quarvelin";
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name = "quarvelin.ini") const { return (dir / name).string(); }
    void write(const std::string& text) const { test::writeText(path(), text); }
    SettingsReading load(Settings& s, int profile = 1) {
        return lire_reglages(path(), install, s, profile);
    }
};

// Every kind of field away from its built-in value, in slot p.
Settings changed(const std::string& install, int p) {
    Settings s = builtInSettings(install);
    s.FIRST_STARTUP = 1;
    s.CLE_LANGUE = 7;
    s.NOM_JOUEUR[p] = "Zoë d'Arc, née = Lévy";
    s.NOM_MOTEUR[p] = "Profil B";
    s.MODE_JEUX = 4;
    s.LIEU_JEU = "Lyon; salle 2";
    s.NIVEAU_ELO[p] = -1800;
    s.BASE_ECO = "/srv/chess/eco.db";
    s.DEB_BLANC = 1;
    s.AFF_REPERE = 1;
    s.IMP = 1;
    s.MAX_SEUIL_PARTIE = 3000000;
    s.MAX_COUP_OUVERTURE = 12;
    s.OUVERTURE_DEFAUT[p] = "d4";
    s.OUVERTURE_ALEATOIRE[p] = 0;
    s.DELAI_PARTIE = "01:30:00";
    s.DELAI_ATTENTE = 250;
    s.IP_MODE_SERVEUR = 1;
    s.IP_NUM_PORT = " 6000";
    s.ACTIVE_BASE_CON[p] = 1;
    s.PROFONDEUR_MAX[p] = 3;
    s.NOTE_MOBILITE[p][5] = 0.1f;
    s.MOBILITE_EVOLUTIVE[p][7] = 1.0f / 3.0f;
    s.NOTE_MATERIEL[p][6] = 987.654321f;
    s.BONUS_ECHEC[p] = -0.000123f;
    s.SEUIL_BONUS_ECHEC[p] = 7;
    s.NOTE_ROQUE[p] = 1e20f;
    s.SEUIL_CENTRE[p] = 9;
    s.INDICE_DEFENSE[p] = 0;
    s.ALPHA_BETA[p] = 1;
    s.SEUIL_PARTIE_NULLE = -123.5f;
    s.CRITERE_BLANC = "Carlsen";
    s.CRITERE_LESDEUX = 1;
    s.CRITERE_DATE = "2024.??.??";
    s.ADRESSE_MEL = "moi@example.org";
    s.NB_JOUR_MAX = 45;
    return s;
}

TEST_F(SettingsFile, WrittenFileReadsBackToTheSameRecordInEitherSlot) {
    for (int p : {1, 2}) {
        Settings original = changed(install, p);
        ASSERT_EQ(ecrire_reglages(original, path(), p), "");
        Settings back;
        SettingsReading r = load(back, p);
        EXPECT_EQ(r.state, SettingsReading::State::Parsed);
        EXPECT_TRUE(r.ignored.empty());
        EXPECT_EQ(back, original) << "slot " << p;
    }
}

TEST_F(SettingsFile, SectionsInOrderWithEveryKeyOnce) {
    std::string text = settingsText(builtInSettings(install));
    std::vector<std::string> sections;
    std::istringstream in(text);
    int keys = 0;
    for (std::string line; std::getline(in, line);) {
        ASSERT_EQ(line.back(), '\r');
        if (line[0] == '[')
            sections.push_back(line.substr(0, line.size() - 1));
        else
            ++keys;
    }
    EXPECT_EQ(sections,
              (std::vector<std::string>{"[GENERAL]", "[TCP/IP]", "[CALCUL]", "[FILTRE]", "[MEL]"}));
    EXPECT_EQ(keys, 31 + 4 + (2 + 18 + 12) + 9 + 8);
    EXPECT_EQ(text.find("ACTUALITE_XML"), std::string::npos);
    EXPECT_NE(text.find("\r\nNOTE_MOBILITE_FOU=3.5\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMOBILITE_EVOLUTIVE_PION=0.1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nSEUIL_PARTIE_NULLE=-1000\r\n"), std::string::npos);
}

TEST_F(SettingsFile, ScrambledKeysAndScatteredSectionsReadTheSame) {
    Settings original = changed(install, 1);
    std::istringstream in(settingsText(original));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::mt19937 rng(9);
    std::shuffle(lines.begin(), lines.end(), rng);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % 7 == 0) text += "[GENERAL]\n";
        text += "  " + lines[i] + "\t\n"; // trimmed at both ends; LF lines read too
    }
    write(text);
    Settings back;
    EXPECT_EQ(load(back).state, SettingsReading::State::Parsed);
    EXPECT_EQ(back, original);
}

TEST_F(SettingsFile, EachKeyReadsByItsRule) {
    struct Case {
        const char* line;
        std::function<bool(const Settings&)> check;
    };
    const Case cases[] = {
        {"NOTE_MOBILITE_PION=0,1", [](const Settings& s) { return s.NOTE_MOBILITE[1][2] == 0.1f; }},
        {"NOTE_MOBILITE_PION=0.1", [](const Settings& s) { return s.NOTE_MOBILITE[1][2] == 0.1f; }},
        {"NOTE_MATERIEL_DAME=1 234,5",
         [](const Settings& s) { return s.NOTE_MATERIEL[1][6] == 1234.5f; }},
        {"NOTE_MATERIEL_TOUR=12abc", [](const Settings& s) { return s.NOTE_MATERIEL[1][3] == 12; }},
        {"INDICE_DEFENSE=3,5", [](const Settings& s) { return s.INDICE_DEFENSE[1] == 3; }},
        {"INDICE_DEFENSE=3.5", [](const Settings& s) { return s.INDICE_DEFENSE[1] == 3.5f; }},
        {"SEUIL_CENTRE=14,6", [](const Settings& s) { return s.SEUIL_CENTRE[1] == 15; }},
        {"CLE_LANGUE=2.5", [](const Settings& s) { return s.CLE_LANGUE == 2; }}, // halves to even
        {"CLE_LANGUE=3,5", [](const Settings& s) { return s.CLE_LANGUE == 4; }},
        {"CLE_LANGUE= 5 ", [](const Settings& s) { return s.CLE_LANGUE == 5; }},
        {"NB_JOUR_MAX=12 jours", [](const Settings& s) { return s.NB_JOUR_MAX == 12; }},
        {"ACTIVE_SON=oui", [](const Settings& s) { return s.ACTIVE_SON == 0; }},
        {"GES_LOG=1", [](const Settings& s) { return s.GES_LOG == 1; }},
        {"IP_NUM_PORT= 5555", [](const Settings& s) { return s.IP_NUM_PORT == " 5555"; }},
        {"LIEU_JEU=Paris, France", [](const Settings& s) { return s.LIEU_JEU == "Paris, France"; }},
        {"LIEU_JEU=a=b", [](const Settings& s) { return s.LIEU_JEU == "a=b"; }},
        {"LIEU_JEU=", [](const Settings& s) { return s.LIEU_JEU.empty(); }},
        {"BASE_ECO=base\\eco.mdb", [](const Settings& s) { return s.BASE_ECO == "base/eco.db"; }},
        {"BASE_CORRES=C:\\Jeux\\base\\corres.mdb",
         [](const Settings& s) { return s.BASE_CORRES == "C:/Jeux/base/corres.db"; }},
        {"MAX_SEUIL_PARTIE=2000000",
         [](const Settings& s) { return s.MAX_SEUIL_PARTIE == 2000000; }},
        {"ACTUALITE_XML=http://x/news.xml",
         [](const Settings& s) { return s.ACTUALITE_XML == "http://x/news.xml"; }},
        {"CLE_LANGUE", [](const Settings& s) { return s.CLE_LANGUE == 1; }}, // no "=": skipped
        {"[CLE_LANGUE=4]", [](const Settings& s) { return s.CLE_LANGUE == 1; }},
    };
    for (const Case& c : cases) {
        write(std::string(c.line) + "\r\n");
        Settings s;
        SettingsReading r = load(s);
        EXPECT_EQ(r.state, SettingsReading::State::Parsed) << c.line;
        EXPECT_TRUE(r.ignored.empty()) << c.line;
        EXPECT_TRUE(c.check(s)) << c.line;
    }
}

TEST_F(SettingsFile, ValuesThatCannotBeReadKeepTheBuiltInAndAreListed) {
    write("CLE_LANGUE=deux\nMODE_JEUX=300\nPROFONDEUR_MAX=\nDEB_BLANC=-1\nNOTE_ROQUE=1e39\nCLE_"
          "LANGUE=3\nNOTE_CENTRE="
          "99999999999999999999999999999999999999999\n");
    Settings s;
    SettingsReading r = load(s);
    EXPECT_EQ(r.state, SettingsReading::State::Parsed);
    EXPECT_EQ(r.ignored, (std::vector<std::string>{
                             "CLE_LANGUE=deux", "MODE_JEUX=300", "PROFONDEUR_MAX=", "DEB_BLANC=-1",
                             "NOTE_CENTRE=99999999999999999999999999999999999999999"}));
    Settings builtIn = builtInSettings(install);
    EXPECT_EQ(s.CLE_LANGUE, 3);
    EXPECT_EQ(s.MODE_JEUX, builtIn.MODE_JEUX);
    EXPECT_EQ(s.NOTE_ROQUE[1], 1); // "1e39" reads its leading number
    EXPECT_EQ(s.NOTE_CENTRE, builtIn.NOTE_CENTRE);
}

TEST_F(SettingsFile, UnknownKeyStopsTheReadingWithTheLine) {
    for (const char* bad : {"cle_langue=2", "NOM_JOUEUR =Alice", "FOO=1", "\x01\x02=\xff"}) {
        write("[GENERAL]\r\nCLE_LANGUE=3\r\n" + std::string(bad) + "\r\nMODE_JEUX=2\r\n");
        Settings s;
        SettingsReading r = load(s);
        EXPECT_EQ(r.state, SettingsReading::State::UnknownKey) << bad;
        EXPECT_EQ(r.line.substr(0, 3), std::string(bad).substr(0, 3));
    }
    test::OffsetCatalogue cat;
    EXPECT_EQ(unknownKeyMessage(cat, "/x/quarvelin.ini", "FOO=1"),
              "<100>/x/quarvelin.ini\n -> (FOO=1) incorrecte !");
}

TEST_F(SettingsFile, MissingFileIsCreatedWithTheNewFileValues) {
    Settings s;
    SettingsReading r = load(s);
    EXPECT_EQ(r.state, SettingsReading::State::Created);
    EXPECT_EQ(r.error, "");
    const std::string text = test::readText(path());
    for (const char* line :
         {"DEB_BLANC=1\r\n", "PARTIE_FILTRE=*.PGN\r\n", "MAX_COUP_OUVERTURE=10\r\n",
          "PROFONDEUR_MAX=0\r\n", "BASE_ECO=/opt/quarvelin/base/eco.db\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    Settings again;
    EXPECT_EQ(load(again).state, SettingsReading::State::Parsed);
    EXPECT_EQ(again, s);
}

TEST_F(SettingsFile, PartialFilesKeepTheBuiltInValues) {
    Settings builtIn = builtInSettings(install);
    for (std::string text : {std::string("[GENERAL]\n[TCP/IP]\n[GENERAL]\n"), std::string(""),
                             settingsText(changed(install, 1)).substr(0, 400)}) {
        write(text);
        Settings s;
        EXPECT_EQ(load(s).state, SettingsReading::State::Parsed);
        EXPECT_EQ(s.NOTE_MATERIEL, builtIn.NOTE_MATERIEL);
        EXPECT_EQ(s.SEUIL_PARTIE_NULLE, -1000);
    }
}

// The address older files name was never the project's: no check may call it.
TEST_F(SettingsFile, TheRetiredVersionAddressReadsAsNone) {
    const std::pair<std::string, std::string> cases[] = {
        {"https://quarvelin.org/xml/version.xml", ""},
        {"https://example.net/xml/version.xml", "https://example.net/xml/version.xml"}};
    for (const auto& [written, read] : cases) {
        write("[GENERAL]\nVERSION_XML=" + written + "\n");
        Settings s;
        EXPECT_EQ(load(s).state, SettingsReading::State::Parsed);
        EXPECT_EQ(s.VERSION_XML, read);
    }
    EXPECT_EQ(builtInSettings(install).VERSION_XML, "");
}

TEST_F(SettingsFile, OlderFilesInWindows1252) {
    write("NOM_JOUEUR=Humano\xEF"
          "de\r\nLIEU_JEU=\x80 caf\xE9\r\n");
    Settings s;
    EXPECT_EQ(load(s).state, SettingsReading::State::Parsed);
    EXPECT_EQ(s.NOM_JOUEUR[1], "Humanoïde");
    EXPECT_EQ(s.LIEU_JEU, "€ café");
}

TEST_F(SettingsFile, GarbledFilesReadOrStopNeverCrashAndFailuresAreReported) {
    std::mt19937 rng(77);
    for (int i = 0; i < 200; ++i) {
        std::string junk(static_cast<std::size_t>(rng() % 3000), '\0');
        for (char& c : junk) c = static_cast<char>(rng() % 4 == 0 ? "=\n[] "[rng() % 5] : rng());
        write(junk);
        Settings s;
        SettingsReading r = load(s);
        EXPECT_TRUE(r.state == SettingsReading::State::Parsed ||
                    r.state == SettingsReading::State::UnknownKey);
    }
    fs::create_directories(path("dossier.ini"));
    Settings s;
    EXPECT_EQ(lire_reglages(path("dossier.ini"), install, s).state,
              SettingsReading::State::Unreadable);
    EXPECT_EQ(ecrire_reglages(s, (dir / "absent" / "q.ini").string()), std::strerror(ENOENT));
}

TEST(SettingsPaths, OldPathsAndRelativePaths) {
    EXPECT_EQ(settingPath("base\\eco.mdb"), "base/eco.db");
    EXPECT_EQ(settingPath("eco.mdb"), "eco.db");
    EXPECT_EQ(settingPath("base/mon-eco.mdb"), "base/mon-eco.mdb");
    EXPECT_EQ(absolutePath("base/eco.db", "/opt/q"), "/opt/q/base/eco.db");
    EXPECT_EQ(absolutePath("/data/eco.db", "/opt/q"), "/data/eco.db");
}

} // namespace

TEST(ProfileWeights, BuiltInWeightsAreTheEnginesDefaults) {
    Settings s = builtInSettings("/opt/q");
    EXPECT_EQ(profileWeights(s, 1), EngineWeights{});
    s.NOTE_MATERIEL[2][6] = 950;
    s.PROFONDEUR_MAX[2] = 3;
    EngineWeights two = profileWeights(s, 2);
    EXPECT_EQ(two.NOTE_MATERIEL[6], 950);
    EXPECT_EQ(two.PROFONDEUR_MAX, 3);
    EXPECT_EQ(profileWeights(s, 1).NOTE_MATERIEL[6], 900);
}
