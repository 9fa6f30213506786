// SPDX-License-Identifier: GPL-3.0-or-later
// The games-file window's logic without the window: the number fields, the games file, the
// criteria put into the settings record and, on "save the filter", into the settings file.
#include "records/LoadGamesController.h"

#include "config/SettingsFile.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quarvelin;
using namespace quarvelin::test;
using Field = LoadGamesController::NumberField;

namespace {

// Every criterion different, so a field copied into another shows.
const LoadGamesController::Criteria Typed{"Carlsen", "Nakamura", "Open", "Zürich", "2019.05",
                                          "7",       "B90",      "1-0",  true,     "25"};

void expectCriteria(const Settings& s) {
    EXPECT_EQ(std::tie(s.CRITERE_BLANC, s.CRITERE_NOIR, s.CRITERE_EVENT, s.CRITERE_SITE,
                       s.CRITERE_DATE, s.CRITERE_RONDE, s.CRITERE_ECO, s.CRITERE_RESULTAT),
              std::tie(Typed.white, Typed.black, Typed.event, Typed.site, Typed.date, Typed.round,
                       Typed.eco, Typed.result));
    EXPECT_EQ(s.CRITERE_LESDEUX, 1);
}

class LoadGamesControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lire_reglages(file.string(), folder.string(), record).state,
                  SettingsReading::State::Created);
    }
    std::string said(TextKey key) const { return catalogue.text(key); }

    std::filesystem::path folder = testFolder("load-games");
    std::filesystem::path file = folder / "quarvelin.ini";
    Settings record;
    OffsetCatalogue catalogue;
    RecordingDialogs dialogs;
    LoadGamesController controller{record, catalogue, dialogs, file.string()};
};

TEST_F(LoadGamesControllerTest, NumbersRefusedWithTheirReason) {
    const std::string range = said(TextKey::ValueOutOfRange) + "1 – 2147483647";
    const struct {
        Field field;
        const char* typed;
        std::string refusal; // empty: taken
    } cases[] = {
        {Field::Round, "abc", said(TextKey::NumberExpected)},
        {Field::Round, "3.1", said(TextKey::NumberExpected)},
        {Field::Round, "12", ""},
        {Field::Round, "0", ""}, // a round has no range
        {Field::Round, "99999999999999999999", ""},
        {Field::Limit, "beaucoup", said(TextKey::NumberExpected)},
        {Field::Limit, "-5", said(TextKey::NumberExpected)},
        {Field::Limit, "0", range},
        {Field::Limit, "2147483648", range},
        {Field::Limit, "999999999999", range}, // past what a long long reads safely
        {Field::Limit, "2147483647", ""},
        {Field::Limit, "0000000000000012", ""},
        {Field::Limit, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field == Field::Limit ? "limit " : "round ") + c.typed);
        EXPECT_EQ(controller.numberRefusal(c.field, c.typed).value_or(""), c.refusal);
    }
    EXPECT_TRUE(dialogs.messages.empty()) << "the window tells the user";
}

TEST_F(LoadGamesControllerTest, CriteriaOfTheSettingsRecord) {
    controller.apply(Typed, true);
    const LoadGamesController::Criteria c = controller.criteria();
    EXPECT_EQ(std::tie(c.white, c.black, c.event, c.site, c.date, c.round, c.eco, c.result),
              std::tie(Typed.white, Typed.black, Typed.event, Typed.site, Typed.date, Typed.round,
                       Typed.eco, Typed.result));
    EXPECT_TRUE(c.eitherColour);
    EXPECT_EQ(c.limit, "25");
}

TEST_F(LoadGamesControllerTest, TheGamesFileMustBeThere) {
    std::ofstream(folder / "club.pgn") << "[Event \"e\"]\n\n1.e4 *\n";
    const std::string absent = (folder / "absent.pgn").string();
    const struct {
        std::string path, message; // message empty: the file is taken
    } cases[] = {
        {(folder / "club.pgn").string(), ""},
        {"", said(TextKey::NoFileChosen)},
        {absent, said(TextKey::FileDoesNotExist) + " (" + absent + ")"},
        {folder.string(), said(TextKey::FileDoesNotExist) + " (" + folder.string() + ")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        dialogs.messages.clear();
        EXPECT_EQ(controller.sourceExists(c.path), c.message.empty());
        ASSERT_EQ(dialogs.messages.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_EQ(dialogs.messages[0].text, c.message);
            EXPECT_EQ(dialogs.messages[0].title, "quarvelin");
            EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
        }
    }
}

TEST_F(LoadGamesControllerTest, ApplyFillsTheRecordAndLeavesTheFile) {
    const std::string before = readText(file);
    const struct {
        bool withLimit;
        const char* limit;
        int expected;
    } cases[] = {{false, "12", 300}, {true, "25", 25}, {true, "", 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.withLimit ? "with " : "without ") + c.limit);
        record.MAX_SEUIL_PARTIE = 300;
        LoadGamesController::Criteria typed = Typed;
        typed.limit = c.limit;
        controller.apply(typed, c.withLimit);
        expectCriteria(record);
        EXPECT_EQ(record.MAX_SEUIL_PARTIE, c.expected);
        typed.eitherColour = false;
        controller.apply(typed, c.withLimit);
        EXPECT_EQ(record.CRITERE_LESDEUX, 0);
    }
    EXPECT_EQ(readText(file), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoadGamesControllerTest, SavingTheFilterWritesTheSettingsFile) {
    // The record holds whole paths and maybe another profile's player; the file keeps its own.
    const std::string basePath = record.BASE_ECO;
    record.BASE_ECO = "/absolute/eco.db";
    record.NOM_JOUEUR[1] = "Someone loaded for automatic play";
    ASSERT_TRUE(controller.saveFilter(Typed));

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, said(TextKey::FilterSaved));
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
    Settings read;
    ASSERT_EQ(lire_reglages(file.string(), folder.string(), read).state,
              SettingsReading::State::Parsed);
    expectCriteria(read);
    EXPECT_EQ(read.MAX_SEUIL_PARTIE, 25);
    EXPECT_EQ(read.BASE_ECO, basePath);
    EXPECT_EQ(read.NOM_JOUEUR[1], "");
    expectCriteria(record);
    EXPECT_EQ(record.MAX_SEUIL_PARTIE, 25);
    EXPECT_EQ(record.BASE_ECO, "/absolute/eco.db");
}

TEST_F(LoadGamesControllerTest, AFilterThatCannotBeWrittenIsReported) {
    const Settings before = record;
    LoadGamesController elsewhere(record, catalogue, dialogs, (folder / "none/q.ini").string());
    EXPECT_FALSE(elsewhere.saveFilter(Typed));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text.rfind(said(TextKey::SettingsCannotWrite), 0), 0u);
    EXPECT_GT(dialogs.messages[0].text.size(), said(TextKey::SettingsCannotWrite).size());
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Critical);
    EXPECT_EQ(record, before);
}

} // namespace
