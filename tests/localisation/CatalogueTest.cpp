// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "localisation/Catalogue.h"
#include "localisation/RulesTexts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <cstdlib>
#include <optional>
#include <set>

using namespace quarvelin;

namespace {

using test::writeText;

// Through the key, so that the program's own offsets past 999 are reached too.
std::string textIn(const Catalogue& catalogue, int language, int offset) {
    Catalogue in = catalogue;
    in.appliquer_langue(language);
    return in.text(static_cast<TextKey>(offset));
}

// A catalogue on disk whose texts name their language and offset, e.g. "en-92".
class FakeCatalogue {
public:
    FakeCatalogue() {
        for (int language = 1; language <= LanguageCount; ++language) {
            const std::string code = std::string(Catalogue::fileName(language)).substr(0, 2);
            std::string content;
            for (int offset : {1, 90, 92, 100, 999, 1050})
                content +=
                    std::to_string(offset) + "\t" + code + "-" + std::to_string(offset) + "\n";
            writeText(dir() + "/" + Catalogue::fileName(language), content);
        }
    }
    std::string dir() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
};

TEST(CatalogueFiles, EveryLanguageReadsCleanAndHoldsTheSameOffsets) {
    const Catalogue resources;
    const Catalogue sources(QUARVELIN_SOURCE_DIR "/data/catalogue");
    for (const Catalogue* catalogue : {&resources, &sources}) {
        for (const auto& problem : catalogue->problems()) ADD_FAILURE() << problem;
        for (int language = 1; language <= LanguageCount; ++language)
            EXPECT_EQ(catalogue->offsets(language), catalogue->offsets(1))
                << Catalogue::fileName(language);
    }
}

// Every key the program names, and every member of the ranges it computes, has a text in all
// eight languages.
TEST(CatalogueFiles, EveryTextKeyExistsInEveryLanguage) {
    Catalogue catalogue;
    std::set<int> offsets;
    for (const TextKeyEntry& e : AllTextKeys) {
        EXPECT_TRUE(offsets.insert(offsetOf(e.key)).second) << e.name << " shares its offset";
        for (int language = 1; language <= LanguageCount; ++language) {
            catalogue.appliquer_langue(language);
            EXPECT_NE(catalogue.text(e.key), "")
                << e.name << " missing in " << Catalogue::fileName(language);
        }
    }
    for (const TextRange& range : AllTextRanges)
        for (int i = 0; i < range.count; ++i)
            EXPECT_TRUE(offsets.contains(offsetOf(range.at(i))))
                << offsetOf(range.first) << "+" << i;
}

// The title and the preferences name a level as the menu does, access key aside.
TEST(CatalogueFiles, LevelsAreNamedAsTheMenuNamesThem) {
    const Catalogue catalogue;
    for (int language = 1; language <= LanguageCount; ++language)
        for (int i = 0; i < LevelTexts.count; ++i) {
            std::string menu = textIn(catalogue, language, offsetOf(MenuLevelTexts.at(i)));
            std::erase(menu, '&');
            EXPECT_EQ(textIn(catalogue, language, offsetOf(LevelTexts.at(i))), menu)
                << Catalogue::fileName(language) << " level " << i;
        }
}

TEST(CatalogueFiles, TextsFollowedByAValueKeepTheirSpace) {
    const Catalogue catalogue;
    for (int language = 1; language <= LanguageCount; ++language)
        for (TextKey key :
             {TextKey::UnknownSettingsKey, TextKey::MoveLoadError, TextKey::FenRejected,
              TextKey::InvalidDepth, TextKey::UnknownArgument, TextKey::CannotOpenFile}) {
            const std::string t = textIn(catalogue, language, offsetOf(key));
            EXPECT_TRUE(t.size() > 2 && t.ends_with(": "))
                << Catalogue::fileName(language) << " " << offsetOf(key) << " \"" << t << "\"";
        }
    // Before any language the bare number is asked, as the settings reader does.
    EXPECT_EQ(catalogue.text(TextKey::SettingsSyntaxError),
              "Clé inconnue dans le fichier de réglages : ");
}

TEST(TextRanges, AnIndexOutsideGivesTheFirstText) {
    const struct {
        int index;
        TextKey expected;
    } cases[] = {{0, TextKey::LevelBeginner},
                 {3, TextKey::LevelExpert},
                 {4, TextKey::LevelBeginner},
                 {-1, TextKey::LevelBeginner}};
    for (const auto& c : cases) EXPECT_EQ(LevelTexts.at(c.index), c.expected) << c.index;
}

TEST(CatalogueNumbering, BaseAndNotationByLanguage) {
    const struct {
        int language, base, notation;
    } cases[] = {{0, 1010, 2}, {1, 10, 1},   {2, 1010, 2},  {3, 2010, 2},
                 {4, 3010, 2}, {5, 4010, 2}, {6, 5010, 2},  {7, 6010, 2},
                 {8, 7010, 2}, {9, 1010, 2}, {-1, 1010, 2}, {INT_MIN, 1010, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(Catalogue::textBase(c.language), c.base) << c.language;
        EXPECT_EQ(Catalogue::languageNotation(c.language), c.notation) << c.language;
    }
}

TEST(CatalogueNumbering, GlobalNumber) {
    const FakeCatalogue fake;
    const Catalogue catalogue(fake.dir());
    ASSERT_TRUE(catalogue.problems().empty());
    const struct {
        int number;
        const char* text;
    } cases[] = {{INT_MIN, ""},   {-5, ""},         {9, ""},         {10, ""},
                 {11, "fr-1"},    {100, "fr-90"},   {102, "fr-92"},  {1009, "fr-999"},
                 {1010, ""},      {1011, "en-1"},   {1102, "en-92"}, {2102, "it-92"},
                 {3102, "es-92"}, {4102, "de-92"},  {5102, "pt-92"}, {6102, "ru-92"},
                 {7102, "pl-92"}, {8009, "pl-999"}, {8010, ""},      {8011, ""},
                 {INT_MAX, ""}};
    for (const auto& c : cases) EXPECT_EQ(catalogue.texte_catalogue(c.number), c.text) << c.number;
}

TEST(CatalogueNumbering, TextFollowsTheAppliedLanguage) {
    const FakeCatalogue fake;
    Catalogue catalogue(fake.dir());
    EXPECT_EQ(catalogue.BaseTexte(), 0);
    // Before any language the bare number is asked: 100 is what the settings reader needs.
    EXPECT_EQ(catalogue.text(TextKey::SettingsSyntaxError), "fr-90");
    const struct {
        int language;
        const char* text92;
        const char* text1050; // past the numbered texts: by key only
    } cases[] = {{2, "en-92", "en-1050"},
                 {1, "fr-92", "fr-1050"},
                 {8, "pl-92", "pl-1050"},
                 {0, "en-92", "en-1050"}};
    for (const auto& c : cases) {
        catalogue.appliquer_langue(c.language);
        EXPECT_EQ(catalogue.BaseTexte(), Catalogue::textBase(c.language));
        EXPECT_EQ(catalogue.text(TextKey::AbandonGameQuestion), c.text92) << c.language;
        EXPECT_EQ(catalogue.text(TextKey::MissingCorrespondenceBase), c.text1050) << c.language;
    }
}

TEST(CatalogueBrokenFile, ProblemsByFileAndLine) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString();
    writeText(path + "/fr.txt",
              "# comment\n"                                                // 1
              "\n"                                                         // 2
              "1\tun\n"                                                    // 3
              "sans tab\n"                                                 // 4
              "abc\tx\n"                                                   // 5
              "0\tzero\n"                                                  // 6
              "1270\ttrop loin\n"                                          // 7
              "1\tdoublon\n"                                               // 8
              "-3\tnegatif\n"                                              // 9
              " 7\tespace\n"                                               // 10
              "7 \tespace\n"                                               // 11
              "\tvide\n"                                                   // 12
              "8\tdeux\\nlignes\r\n"                                       // 13
              "9\t\n"                                                      // 14
              "+4\tplus\n"                                                 // 15
              "10\tfin");                                                  // 16, no final newline
    writeText(path + "/en.txt", std::string("\xEF\xBB\xBF") + "1\tone\n"); // with a byte order mark

    const Catalogue catalogue(path);
    std::vector<int> lines;
    std::vector<std::string> missing;
    for (const auto& p : catalogue.problems()) {
        if (p.starts_with("fr.txt:"))
            lines.push_back(std::atoi(p.c_str() + 7));
        else
            missing.push_back(p.substr(0, p.find(':')));
    }
    EXPECT_EQ(lines, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 15}));
    EXPECT_EQ(missing, (std::vector<std::string>{"it.txt", "es.txt", "de.txt", "pt.txt", "ru.txt",
                                                 "pl.txt"}));

    EXPECT_EQ(catalogue.texte_catalogue(11), "un"); // the first of a duplicate wins
    EXPECT_EQ(catalogue.texte_catalogue(18), "deux\nlignes");
    EXPECT_EQ(catalogue.texte_catalogue(20), "fin");
    EXPECT_EQ(catalogue.offsets(1), (std::vector<int>{1, 8, 9, 10}));
    EXPECT_EQ(catalogue.texte_catalogue(1011), "one");
    EXPECT_EQ(catalogue.texte_catalogue(2011), "");
}

TEST(SystemLanguage, LocaleName) {
    const struct {
        const char* name;
        int language;
    } cases[] = {
        {"fr_FR.UTF-8", 1}, {"fr", 1},         {"FR_ca", 1},   {"en_GB.UTF-8", 2}, {"it_IT", 3},
        {"es_ES.UTF-8", 4}, {"de_DE@euro", 5}, {"pt_BR", 6},   {"ru_RU.UTF-8", 7}, {"pl_PL", 8},
        {"pl-PL", 8},       {"C", 2},          {"C.UTF-8", 2}, {"POSIX", 2},       {"", 2},
        {"nl_NL", 2},       {"f", 2}};
    for (const auto& c : cases) EXPECT_EQ(languageOfLocale(c.name), c.language) << c.name;
}

TEST(SystemLanguage, OrderOfTheVariables) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i)
        if (const char* v = std::getenv(names[i])) saved[i] = v;
    auto set = [&](int i, const char* value) {
        if (value)
            setenv(names[i], value, 1);
        else
            unsetenv(names[i]);
    };
    const struct {
        const char* values[3]; // nullptr: unset
        int language;
    } cases[] = {{{"de_DE", "ru_RU", "fr_FR"}, 5},
                 {{nullptr, "ru_RU", "fr_FR"}, 7},
                 {{nullptr, nullptr, "pl_PL"}, 8},
                 {{"", "", "it_IT"}, 3},
                 {{nullptr, nullptr, nullptr}, 2}};
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i) set(i, c.values[i]);
        EXPECT_EQ(systemLanguage(), c.language) << c.values[2];
    }
    for (int i = 0; i < 3; ++i) set(i, saved[i] ? saved[i]->c_str() : nullptr);
}

TEST(RulesTexts, PieceNamesByTypeAndLanguage) {
    Catalogue catalogue;
    const struct {
        int language, pieceCode;
        const char* name;
    } cases[] = {{1, 8, "pion"}, {1, 4, "cavalier"}, {1, 13, "roi"},   {1, 1, ""},
                 {1, 14, ""},    {2, 6, "queen"},    {5, 11, "Läufer"}};
    for (const auto& c : cases) {
        catalogue.appliquer_langue(c.language);
        EXPECT_EQ(pieceName(c.pieceCode, catalogue), c.name) << c.pieceCode;
    }
}

TEST(CatalogueCounts, EachLanguageCountsInItsOwnForms) {
    Catalogue catalogue;
    const struct {
        int language;
        std::int64_t n;
        const char* text;
    } cases[] = {{1, 0, " partie"},  {1, 1, " partie"},  {1, 2, " parties"}, {2, 0, " games"},
                 {2, 1, " game"},    {2, 21, " games"},  {5, 1, " Partie"},  {7, 1, " партия"},
                 {7, 21, " партия"}, {7, 3, " партии"},  {7, 12, " партий"}, {7, 25, " партий"},
                 {8, 1, " partia"},  {8, 22, " partie"}, {8, 21, " partii"}, {8, 13, " partii"}};
    for (const auto& c : cases) {
        catalogue.appliquer_langue(c.language);
        EXPECT_EQ(catalogue.countText(c.n, TextKey::GamesSuffixOne, TextKey::GamesSuffixFew,
                                      TextKey::GamesSuffix),
                  c.text)
            << c.language << " " << c.n;
    }
}

} // namespace
