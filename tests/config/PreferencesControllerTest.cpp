// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "config/PreferencesController.h"
#include "config/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

class Preferences : public ::testing::Test {
protected:
    fs::path dir;
    Settings record;
    test::RecordingDialogs dialogs;
    test::OffsetCatalogue catalogue;

    void SetUp() override {
        dir = test::testFolder("quarvelin-prefs");
        // As at start-up: the file is created with the new-file values.
        ASSERT_EQ(lire_reglages(file(), dir.string(), record).state,
                  SettingsReading::State::Created);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string file(const char* name = "quarvelin.ini") const { return (dir / name).string(); }
    SettingsLocations where(std::string settings = {}) const {
        return {settings.empty() ? file() : settings, dir.string(), dir.string()};
    }
};

TEST_F(Preferences, LeavingAFieldChecksItsText) {
    const struct {
        const char* key;
        const char* typed;
        const char* shown;
        const char* message;
    } cases[] = {
        {"NIVEAU_ELO", "1800", "1800", ""},
        {"NIVEAU_ELO", "1600,4", "1600", ""},
        {"NIVEAU_ELO", "abc", "1300", "<233>"},
        {"NIVEAU_ELO", "1 600", "1300", "<233>"},
        {"NIVEAU_ELO", "4000", "3500", "<776>0 – 3500"},
        {"DELAI_PARTIE", "1:30:00", "01:30:00", ""},
        {"DELAI_PARTIE", " 00:05:30 ", "00:05:30", ""},
        {"DELAI_PARTIE", "25:00:00", "00:03:00", "<600>"},
        {"DELAI_PARTIE", "00:60:00", "00:03:00", "<600>"},
        {"DELAI_PARTIE", "00:15", "00:03:00", "<600>"},
        {"DELAI_PARTIE", "1:2:3", "00:03:00", "<600>"},
        {"DELAI_PARTIE", "", "00:03:00", "<600>"},
        {"DELAI_ATTENTE", "250", "250", ""},
        {"DELAI_ATTENTE", "vite", "1000", "<233>"},
        {"DELAI_ATTENTE", "0", "1", "<776>1 – 32767"},
        {"MAX_SEUIL_PARTIE", "", "1000", "<233>"},
        {"MAX_SEUIL_PARTIE", "3000000", "3000000", ""},
        {"NB_JOUR_MAX", "45", "45", ""},
        {"NB_JOUR_MAX", "12 jours", "30", "<233>"},
        {"MAX_COUP_OUVERTURE", "dix", "6", "<233>"},
        {"MAX_COUP_OUVERTURE", "12.5", "12", ""}, // halves to the even neighbour
        {"NOTE_MATERIEL_DAME", "950,5", "950.5", ""},
        {"NOTE_MATERIEL_DAME", "neuf cents", "900", "<233>"}, // the last value stays
        {"NOTE_MATERIEL_DAME", "-2000000", "-1000000", "<776>-1000000 – 1000000"},
        {"INDICE_DEFENSE", "3,5", "3.5", ""}, // not the file's leading-number reading
        {"SEUIL_CENTRE", "14.6", "15", ""},
        {"SEUIL_PARTIE_NULLE", "-2e3", "-1000", "<233>"},
        {"CLE_LANGUE", "9", "8", "<776>1 – 8"},
        {"PROFONDEUR_MAX", "x", "0", "<233>"},
        {"AFF_REPERE", "2", "1", "<233>"},
        {"NOM_JOUEUR", "Zoë  ", "Zoë", ""}, // trailing blanks never come back from the file
        {"IP_NUM_PORT", " 6000", " 6000", ""},
        {"BASE_ECO", "base\\eco.mdb", "base/eco.db", ""}, // an older file's path
    };
    const Settings before = record;
    for (const auto& c : cases) {
        PreferencesController prefs(record, where(), dialogs, catalogue);
        prefs.open();
        const Verification v = prefs.type(c.key, c.typed);
        EXPECT_EQ(v.text, c.shown) << c.key << " " << c.typed;
        EXPECT_EQ(prefs.text(c.key), c.shown) << c.key << " " << c.typed;
        EXPECT_EQ(v.message, c.message) << c.key << " " << c.typed;
    }
    // Messages are the window's to show; the record waits for OK.
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(record, before);
}

TEST_F(Preferences, TickBoxesAndTheInvertedOne) {
    const struct {
        const char* key;
        const char* value;
        bool ticked;
    } cases[] = {{"AFF_REPERE", "1", true},
                 {"AFF_REPERE", "0", false},
                 {"AFF_REPERE", "2", false},
                 {"IMP", "0", true},
                 {"IMP", "1", false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(assignKey(record, c.key, c.value));
        PreferencesController prefs(record, where("/nonexistent/q.ini"), dialogs, catalogue);
        prefs.open();
        EXPECT_EQ(prefs.ticked(c.key), c.ticked) << c.key << "=" << c.value;
        prefs.tick(c.key, !c.ticked);
        EXPECT_EQ(prefs.ticked(c.key), !c.ticked) << c.key << "=" << c.value;
    }
}

TEST_F(Preferences, OkWritesTheFileAndReadsBackToTheRecord) {
    record.NOTE_MATERIEL[2][6] = 777; // profile 2 is not the window's
    PreferencesController prefs(record, where(), dialogs, catalogue);
    prefs.open();
    for (auto [key, typed] : {std::pair{"NOM_JOUEUR", "Alice"},
                              {"LIEU_JEU", "Lyon, salle 2"},
                              {"BASE_ECO", "base/mon-eco.db"},
                              {"FILE_LOG", "/var/log/q.log"},
                              {"NOTE_MATERIEL_FOU", "325.5"},
                              {"MOBILITE_EVOLUTIVE_ROI", "0.333333343"},
                              {"DELAI_PARTIE", "0:45:00"},
                              {"CLE_LANGUE", "5"},
                              {"PROFONDEUR_MAX", "2"},
                              {"IP_NUM_PORT", " 6000"}})
        ASSERT_EQ(prefs.type(key, typed).message, "") << key;
    prefs.tick("IMP", false);
    prefs.tick("DEB_BLANC", false);

    int applied = 0;
    ASSERT_TRUE(prefs.validate([&] {
        ++applied;
        EXPECT_EQ(record.CLE_LANGUE, 5); // the language is applied from the new record
    }));
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(dialogs.shown(), std::vector<std::string>{"<400>"});

    EXPECT_EQ(record.NOM_JOUEUR[1], "Alice");
    EXPECT_EQ(record.NOTE_MATERIEL[1][5], 325.5f);
    EXPECT_EQ(record.MOBILITE_EVOLUTIVE[1][7], 1.0f / 3.0f);
    EXPECT_EQ(record.NOTE_MATERIEL[2][6], 777);
    EXPECT_EQ(record.IMP, 1);
    EXPECT_EQ(PreferencesController::playerColour(record), Colour::Black);
    EXPECT_EQ(record.BASE_ECO, (dir / "base/mon-eco.db").string());
    EXPECT_EQ(record.FILE_LOG, "/var/log/q.log");

    // The file keeps the path as typed; made whole, it gives the record back.
    Settings back;
    ASSERT_EQ(lire_reglages(file(), dir.string(), back).state, SettingsReading::State::Parsed);
    EXPECT_EQ(back.BASE_ECO, "base/mon-eco.db");
    back.BASE_ECO = absolutePath(back.BASE_ECO, dir.string());
    back.NOTE_MATERIEL[2] = record.NOTE_MATERIEL[2]; // the file holds profile 1
    EXPECT_EQ(back, record);

    // Opened again, the window shows what was confirmed.
    PreferencesController again(record, where(), dialogs, catalogue);
    again.open();
    EXPECT_EQ(again.text("DELAI_PARTIE"), "00:45:00");
    EXPECT_EQ(again.text("IP_NUM_PORT"), " 6000");
    EXPECT_FALSE(again.ticked("IMP"));
}

TEST_F(Preferences, OkThatCannotWriteSaysWhyAndChangesNothing) {
    const Settings before = record;
    PreferencesController prefs(record, where(file("absent/quarvelin.ini")), dialogs, catalogue);
    prefs.open();
    prefs.type("NOM_JOUEUR", "Bob");
    bool applied = false;
    EXPECT_FALSE(prefs.validate([&] { applied = true; }));
    EXPECT_FALSE(applied);
    EXPECT_EQ(record, before);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Critical);
    EXPECT_TRUE(dialogs.messages[0].text.starts_with("<917>"));
    EXPECT_GT(dialogs.messages[0].text.size(), 5u); // and why
    EXPECT_EQ(prefs.text("NOM_JOUEUR"), "Bob");     // what was typed is still there
}

TEST_F(Preferences, ResetFillsTheResetValuesAndMarksTheRecordAtOnce) {
    for (auto [key, value] : {std::pair{"NOM_JOUEUR", "Alice"},
                              {"NIVEAU_ELO", "1200"},
                              {"IP_NOM_UTILISATEUR", "Moi"},
                              {"NOTE_MATERIEL_DAME", "950"},
                              {"SEUIL_PARTIE_NULLE", "-50"},
                              {"NB_JOUR_MAX", "7"}})
        ASSERT_TRUE(assignKey(record, key, value));
    ASSERT_EQ(ecrire_reglages(record, file()), "");
    const Settings before = record;

    PreferencesController prefs(record, where(), dialogs, catalogue);
    prefs.open();
    prefs.reset();
    const std::string d = dir.string();
    const struct {
        const char* key;
        std::string value;
    } cases[] = {
        {"NOM_JOUEUR", "<44>"}, // the language's own
        {"NOM_MOTEUR", "QuarvelinV4"},
        {"LIEU_JEU", "<45>"},
        {"NIVEAU_ELO", "1600"},
        {"BASE_ECO", d + "/base/eco.db"},
        {"BASE_CORRES", d + "/base/corres.db"},
        {"FILE_LOG", "quarvelin.log"},
        {"GES_LOG", "0"},
        {"IMP", "0"},
        {"PARTIE_FILTRE", "*.PGN"},
        {"MAX_SEUIL_PARTIE", "1000"},
        {"MAX_COUP_OUVERTURE", "10"},
        {"OUVERTURE_DEFAUT", "e4"},
        {"DELAI_PARTIE", "00:15:00"},
        {"DELAI_ATTENTE", "1000"},
        {"IP_MODE_SERVEUR", "0"},
        {"IP_ADRESSE_HOST", "127.1.0.1"},
        {"IP_NUM_PORT", "5555"},
        {"IP_NOM_UTILISATEUR", "Joueur"},
        {"SEUIL_PARTIE_NULLE", "-1000"},
        {"NB_JOUR_MAX", "60"},
        {"NOTE_MATERIEL_DAME", "950"}, // no reset value: left as it was
    };
    for (const auto& c : cases) EXPECT_EQ(prefs.text(c.key), c.value) << c.key;

    Settings expected = before;
    expected.FIRST_STARTUP = 1;
    expected.SEUIL_PARTIE_NULLE = -1000;
    EXPECT_EQ(record, expected);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Preferences, SaveAsWritesTheRecordNotTheFields) {
    const std::string old = "CLE_LANGUE=2\r\n";
    const struct {
        const char* name;
        bool exists;
        bool answer;
        bool written;
        const char* message;
    } cases[] = {
        {"profil.ini", false, false, true, "<400>"}, // nothing to replace, nothing asked
        {"ancien.ini", true, true, true, "<400>"},
        {"garde.ini", true, false, false, nullptr},
    };
    record.LIEU_JEU = "Confirmé";
    for (const auto& c : cases) {
        dialogs.messages.clear();
        dialogs.answer = c.answer;
        const std::string path = file(c.name);
        if (c.exists) test::writeText(path, old);
        PreferencesController prefs(record, where(), dialogs, catalogue);
        prefs.open();
        prefs.type("LIEU_JEU", "Pas encore confirmé");
        EXPECT_EQ(prefs.saveAs(path), c.written) << c.name;
        EXPECT_EQ(test::readText(path), c.written ? settingsText(record) : old) << c.name;
        EXPECT_EQ(dialogs.shown(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.name;
    }

    PreferencesController prefs(record, where(), dialogs, catalogue);
    dialogs.messages.clear();
    EXPECT_FALSE(prefs.saveAs("")); // the chooser was cancelled
    EXPECT_TRUE(dialogs.messages.empty());

    fs::create_directories(dir / "dossier.ini");
    dialogs.answer = true;
    EXPECT_FALSE(prefs.saveAs(file("dossier.ini")));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.starts_with("<917>"));
}

TEST_F(Preferences, FieldsShowTheRecordAndOkWritesOnlyWhatChanged) {
    record.LIEU_JEU = "Mémoire";
    record.ACTIVE_SON = 0; // toggled from the menu, not saved
    PreferencesController prefs(record, where(), dialogs, catalogue);
    prefs.open();
    EXPECT_EQ(prefs.text("LIEU_JEU"), "Mémoire");
    EXPECT_FALSE(prefs.ticked("ACTIVE_SON"));
    prefs.type("NOM_JOUEUR", "Alice");
    ASSERT_TRUE(prefs.validate());
    EXPECT_EQ(record.ACTIVE_SON, 0);
    EXPECT_EQ(record.NOM_JOUEUR[1], "Alice");
    Settings back;
    lire_reglages(file(), dir.string(), back);
    EXPECT_EQ(back.ACTIVE_SON, 1);
    EXPECT_EQ(back.LIEU_JEU, "");
    EXPECT_EQ(back.NOM_JOUEUR[1], "Alice");
}

TEST_F(Preferences, ListsOfferOnlyWhatExists) {
    fs::create_directories(dir / "images/echiquier");
    for (const char* name : {"noyer.bmp", "Ardoise.BMP", "photo.png"})
        test::writeText(dir / "images/echiquier" / name, "x");
    record.CURENT_ECHIQUIER = "disparu.bmp";
    record.CURENT_PIECE = "Effacé";
    PreferencesController prefs(record, where("/nonexistent/q.ini"), dialogs, catalogue);
    prefs.open();
    EXPECT_EQ(prefs.boardImages(), (std::vector<std::string>{"Ardoise.BMP", "noyer.bmp"}));
    EXPECT_EQ(prefs.pieceSets(), (std::vector<std::string>{"Quarvelin"}));
}

TEST_F(Preferences, ProposedNameIsTheEngines) {
    PreferencesController prefs(record, where(), dialogs, catalogue);
    prefs.open();
    const struct {
        const char* engine;
        std::string proposed;
    } cases[] = {{"Agressif", "/Agressif.ini"}, {"A/B", "/A-B.ini"}, {"", "/quarvelin.ini"}};
    for (const auto& c : cases) {
        prefs.type("NOM_MOTEUR", c.engine);
        EXPECT_EQ(prefs.proposedName(), dir.string() + c.proposed) << c.engine;
    }
}

} // namespace
