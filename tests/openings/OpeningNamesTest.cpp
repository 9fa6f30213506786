// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"
#include "records/SaveController.h"
#include "session/SessionDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

const std::string Spanish = "1.e4 e5 2.Nf3 Nc6 3.Bb5 *";
const std::string KingsPawn = "1.e4 e5 *";

// A base as the build makes it: French names in ECO, the English and Spanish ones beside it.
class OpeningNamesTest : public ::testing::Test {
protected:
    fs::path dir = test::testFolder("quarvelin-names");
    std::string path = (dir / "eco.db").string();
    OpeningBase base;
    OpeningNames names;
    void SetUp() override {
        ASSERT_TRUE(base.open(path, true)) << base.error();
        ASSERT_TRUE(base.append({{0, "C20", "King's pawn game", KingsPawn, 0, false},
                                 {0, "C60", "Partie espagnole", Spanish, 0, false},
                                 {0, "C60", "Ma ligne", Spanish + " a6 *", 0.5f, true}}));
        OpeningNames writer;
        ASSERT_TRUE(writer.open(path, true)) << writer.error();
        ASSERT_TRUE(writer.store("en", {{0, "C20", "King's pawn game", KingsPawn, 0, false},
                                        {0, "C60", "Ruy Lopez", Spanish, 0, false}}));
        ASSERT_TRUE(writer.store("es", {{0, "C60", "Apertura española", Spanish, 0, false}}));
        ASSERT_TRUE(names.open(path)) << names.error();
        base.setNames(&names);
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(OpeningNamesTest, EachLanguageReadsItsOwnNamesAndFallsBack) {
    const struct {
        int language; // CLE_LANGUE
        std::string spanish, kingsPawn, learned;
    } cases[] = {
        {1, "Partie espagnole", "King's pawn game", "Ma ligne"},
        {2, "Ruy Lopez", "King's pawn game", "Ma ligne"},
        {4, "Apertura española", "King's pawn game", "Ma ligne"}, // no Spanish name: English
        {7, "Ruy Lopez", "King's pawn game", "Ma ligne"},         // Russian reads English
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        names.setLanguage(c.language);
        const auto lines = names.named(base.linesStartingWith("1.e4"));
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0].label, c.kingsPawn);
        EXPECT_EQ(lines[1].label, c.spanish);
        EXPECT_EQ(lines[2].label, c.learned);
        EXPECT_EQ(lines[1].code, "C60"); // only the name changes
    }
}

TEST_F(OpeningNamesTest, ABaseWithoutTheTableKeepsItsNames) {
    const std::string older = (dir / "older.db").string();
    OpeningBase plain;
    ASSERT_TRUE(plain.open(older, true));
    ASSERT_TRUE(plain.append({{0, "C60", "Partie espagnole", Spanish, 0, false}}));
    OpeningNames none;
    ASSERT_TRUE(none.open(older));
    none.setLanguage(2);
    EXPECT_EQ(none.named(plain.nommer_ouverture("1.e4 e5 2.Nf3"))->label, "Partie espagnole");
    EXPECT_FALSE(none.store("en", {}));
}

// The comment window and a saved game's tags speak the interface language.
TEST_F(OpeningNamesTest, TheGameAndItsRecordUseTheInterfaceLanguage) {
    names.setLanguage(4);
    Settings s = test::testSettings();
    s.MODE_JEUX = 2;
    test::Bench b(s, &base);
    b.commentary.shows = true;
    b->newGame();
    for (auto [from, to] :
         {std::pair{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}, {"f1", "b5"}})
        b.move(from, to);
    EXPECT_EQ(b->session().OpeningName, "Apertura española");
    EXPECT_NE(b.commentary.text.find("[C60 - Apertura española]"), std::string::npos);

    test::ScriptedDialogs dialogs;
    test::OffsetCatalogue catalogue;
    const SaveController save(dialogs, catalogue, nullptr, &base);
    const std::string text = save.composer(b->session(), b.settings, Colour::White, today());
    EXPECT_NE(text.find("[Opening \"Apertura española\"]"), std::string::npos) << text;
}

} // namespace
