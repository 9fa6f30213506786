// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "openings/EcoCsv.h"
#include "openings/OpeningBase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

TEST(EcoCsv, FieldsOfALine) {
    struct Case {
        int n;
        const char* line;
        const char* field;
    } cases[] = {
        {1, "a;b;c", "a"},
        {3, "a;b;c", "c"},
        {4, "a;b;c", ""}, // fewer fields
        {2, "a;;c", ""},  // an empty one
        {2, "a;\"x;y\";c", "x;y"},
        {3, "a;\"x;y\";c", "c"},
        {2, "a;\"say \"\"hi\"\"\"", "say \"hi\""},
        {1, "a\r", "a"},
        {0, "a;b", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(champ_csv(c.n, c.line), c.field) << c.line << " " << c.n;
}

TEST(EcoCsv, ValuesAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(csvValue("Sicilienne"), "Sicilienne");
    EXPECT_EQ(csvValue("a;b"), "\"a;b\"");
    EXPECT_EQ(csvValue("le \"dragon\""), "\"le \"\"dragon\"\"\"");
    EXPECT_EQ(csvValue("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvHeader(), "Eco_cle;Eco_code;Eco_libelle;Eco_coup;Eco_note;Eco_connaissance");
    EXPECT_EQ(csvRow({7, "C20", "x;y", "1.e4 e5 *", 2.5f, true}), "7;C20;\"x;y\";1.e4 e5 *;2.5;1");
}

TEST(EcoCsv, FieldsAreTakenByTheirHeaderName) {
    // The older field order (flag before score), "Vrai" and other languages' words for true,
    // decimal commas, a short line, a blank line.
    CsvReading r = readEcoCsv("Eco_cle;Eco_code;Eco_libelle;Eco_coup;Eco_connaissance;Eco_note\r\n"
                              "9;C20;Roi;1.e4 e5 *;Vrai;3\r\n"
                              "4;B20;Sicilienne;1.e4 c5 *;Falsch;1,5\r\n"
                              "\r\n"
                              "5;A00;Court\r\n"
                              "6;A01;x;1.b3 *;Истина;\r\n"
                              "7;A02;y;1.f4 *;True;-2\n");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.lines.size(), 5u);
    EXPECT_EQ(r.lines[0], (EcoLine{1, "C20", "Roi", "1.e4 e5 *", 3, true}));
    EXPECT_EQ(r.lines[1], (EcoLine{2, "B20", "Sicilienne", "1.e4 c5 *", 1.5f, false}));
    EXPECT_EQ(r.lines[2], (EcoLine{3, "A00", "Court", "", 0, false}));
    EXPECT_TRUE(r.lines[3].knowledge);
    EXPECT_EQ(r.lines[4].note, -2);
}

TEST(EcoCsv, BrokenFilesSayWhereAndWhy) {
    struct Case {
        const char* text;
        CsvProblem problem;
        int line;
        const char* field;
    } cases[] = {
        {"Eco_code;Eco_coup\r\nA00;1.a3 *\r\n", CsvProblem::MissingField, 1, "Eco_libelle"},
        {"", CsvProblem::MissingField, 1, "Eco_code"},
        {"Eco_code;Eco_libelle;Eco_coup;Eco_note\r\nA;b;1.a3 *;1\r\nA;b;1.a3 *;beaucoup\r\n",
         CsvProblem::NumberExpected, 3, "Eco_note"},
        {"Eco_code;Eco_libelle;Eco_coup\r\nA;\"open;1.a3 *\r\nB;c;1.b3 *\r\n",
         CsvProblem::UnclosedQuote, 2, ""},
    };
    for (const Case& c : cases) {
        CsvReading r = readEcoCsv(c.text);
        EXPECT_EQ(r.problem, c.problem) << c.text;
        EXPECT_EQ(r.lineNumber, c.line) << c.text;
        EXPECT_EQ(r.field, c.field) << c.text;
    }
    // A header alone empties the table.
    EXPECT_TRUE(readEcoCsv("Eco_code;Eco_libelle;Eco_coup\r\n").lines.empty());
}

TEST(EcoCsv, ExportThenImportReproducesEveryRow) {
    fs::path dir = test::testFolder("quarvelin-csv");
    OpeningBase base;
    ASSERT_TRUE(base.open((dir / "eco.db").string(), true));
    std::vector<EcoLine> lines = {
        {0, "C20", "Partie du pion roi; ouverte", "1.e4 e5 *", 0, false},
        {0, "C44", "L'\"écossaise\"", "1.e4 e5 2.Nf3 Nc6 3.d4 *", 0, false},
        {0, "B20", "Sicilienne\nsur deux lignes", "1.e4 c5 *", 12.75f, true},
    };
    ASSERT_TRUE(base.append(lines));
    ASSERT_TRUE(base.append(lines)); // keys 4 to 6, to be renumbered
    std::string error;
    const std::string csv = (dir / "eco.csv").string();
    EXPECT_EQ(exporter_csv(base, csv, error), 6) << error;

    CsvReading r = readEcoCsv(test::readText(csv));
    ASSERT_TRUE(r.ok());
    ASSERT_TRUE(base.replaceAll(r.lines)) << base.error();
    auto back = base.linesStartingWith("");
    ASSERT_EQ(back.size(), 6u);
    for (std::size_t i = 0; i < back.size(); ++i) {
        EcoLine expected = lines[i % 3];
        expected.key = static_cast<long long>(i) + 1;
        EXPECT_EQ(back[i], expected);
    }
    // The key counter restarts after the import.
    ASSERT_TRUE(base.append({lines[0]}));
    EXPECT_EQ(base.linesStartingWith("").back().key, 7);
    fs::remove_all(dir);
}

} // namespace
