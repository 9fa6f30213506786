// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GamePrinting.h"
#include "records/Pagination.h"
#include "records/PrintedTable.h"
#include "records/TableLayout.h"
#include "session/SessionDoubles.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;
using namespace std::chrono;

namespace {

constexpr year_month_day Day{year{2026}, month{12}, day{4}};

std::vector<std::string> texts(const std::vector<PrintedLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.diagrams.empty() ? l.text : "<diagrammes>");
    return out;
}

TEST(GamePrinting, PiecesOfSeventyCharacters) {
    const std::string e70(70, 'e');
    std::string accents;
    for (int i = 0; i < 71; ++i) accents += "é";
    struct Case {
        std::string text;
        std::vector<std::size_t> sizes; // bytes of each piece
    };
    const Case cases[] = {
        {e70 + e70, {70, 70}}, {e70 + e70 + "x", {70, 70, 1}}, {e70, {70}}, {"e4", {2}}, {"", {}},
        {accents, {140, 2}},
    };
    for (const Case& c : cases) {
        std::vector<std::size_t> sizes;
        std::string set;
        for (const std::string& m : cut(c.text)) {
            sizes.push_back(m.size());
            set += m;
        }
        EXPECT_EQ(sizes, c.sizes) << c.text;
        EXPECT_EQ(set, c.text);
    }
}

GameSession gameOf140() {
    GameSession s;
    s.GameText = "[Event \"Club\"]\r\n[Site \"Lyon\"]\r\n\r\n";
    std::string moves;
    for (int n = 1; moves.size() < 140; ++n) moves += std::to_string(n) + ".a3 h6 ";
    s.GameMoveText = moves.substr(0, 140);
    s.PositionStates.push_back(Position::initial());
    return s;
}

TEST(GamePrinting, RecordLayoutCutsTheMovesAndKeepsLoadedTags) {
    Settings r = testSettings();
    r.SAUVE_ABREGE = 1;
    const GameSession s = gameOf140();
    const auto lines = gamePrint(s, r, Colour::White, Day, 1, OffsetCatalogue(), GameLayout::Pgn);
    const std::vector<std::string> expected = {"QUARVELIN - <169> - 04/12/2026",
                                               "",
                                               "[Event \"Club\"]",
                                               "[Site \"Lyon\"]",
                                               "",
                                               s.GameMoveText.substr(0, 70),
                                               s.GameMoveText.substr(70),
                                               ""};
    EXPECT_EQ(texts(lines), expected);
    EXPECT_EQ(lines[0].font, Font::Title);
    EXPECT_EQ(lines[2].font, Font::Text);
}

TEST(GamePrinting, RecordLayoutBuildsTagsForAGamePlayedHere) {
    Settings r = testSettings();
    r.SAUVE_ABREGE = 0;
    r.NOM_JOUEUR = {"", "Alice", ""};
    r.NOM_MOTEUR = {"", "Quarvelin", "Autre"};
    r.PROFONDEUR_MAX = {0, 3, 1};
    GameSession s;
    s.EngineProfile = 2;
    s.LongMoveText = "1.e2-e4";
    const auto t =
        texts(gamePrint(s, r, Colour::Black, Day, 1, OffsetCatalogue(), GameLayout::Pgn));
    const std::vector<std::string> beginning = {"QUARVELIN - <169> - 04/12/2026",
                                                "",
                                                "[Event \"Partie du 04/12/2026\"]",
                                                "[Site \"\"]",
                                                "[Date \"04/12/2026\"]",
                                                "[Round \"1\"]",
                                                "[White \"Autre\"]",
                                                "[Black \"\"]",
                                                "[WhiteElo \"1400\"]",
                                                "[BlackElo \"1400\"]"};
    ASSERT_GE(t.size(), beginning.size());
    EXPECT_EQ(std::vector<std::string>(t.begin(), t.begin() + 10), beginning);
    EXPECT_EQ(t[t.size() - 2], "1.e2-e4");
    // The opening named for the game goes after the result; nothing named, nothing written.
    EXPECT_EQ(t[11], "");
    const auto named = texts(gamePrint(s, r, Colour::Black, Day, 1, OffsetCatalogue(),
                                       GameLayout::Pgn, 3, EcoLine{0, "C20", "Open", "1.e4 e5 *"}));
    EXPECT_EQ(std::vector<std::string>(named.begin() + 11, named.begin() + 14),
              (std::vector<std::string>{"[ECO \"C20\"]", "[Opening \"Open\"]", ""}));
    // In English the head of the page writes the month first: the whole page does.
    const auto english =
        texts(gamePrint(s, r, Colour::Black, Day, 2, OffsetCatalogue(), GameLayout::Pgn));
    for (int i : {0, 2, 4}) EXPECT_NE(english[i].find(headerDate(2, Day)), std::string::npos);
}

TEST(GamePrinting, MoveListAndDiagramLayouts) {
    Bench b(freePlay());
    b->newGame();
    for (auto [of, to] : {std::pair{"f2", "f3"}, {"e7", "e5"}, {"g2", "g4"}, {"d8", "h4"}})
        b.move(of, to);
    const GameSession& g = b->session();
    ASSERT_EQ(g.lines.size(), 5u); // four moves and the result line

    const auto list = texts(
        gamePrint(g, b.settings, Colour::White, Day, 1, OffsetCatalogue(), GameLayout::Moves));
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[2], std::string(13, ' ') + "1.f2-f3");
    EXPECT_EQ(list[3], std::string(13, ' ') + "..... e7-e5");
    EXPECT_EQ(list[7], "");

    const auto lines =
        gamePrint(g, b.settings, Colour::White, Day, 1, OffsetCatalogue(), GameLayout::Diagrams, 3);
    ASSERT_EQ(lines.size(), 5u);
    ASSERT_EQ(lines[2].diagrams.size(), 3u);
    ASSERT_EQ(lines[3].diagrams.size(), 1u);
    EXPECT_EQ(lines[2].diagrams[0].move, "1.f2-f3");
    EXPECT_EQ(lines[2].diagrams[0].key, g.PositionHistory[1]);
    EXPECT_EQ(lines[3].diagrams[0].key, g.PositionHistory[4]);
    EXPECT_EQ(lines[4].text, std::string(13, ' ') + trimmed(g.lines[4]));
}

TEST(GamePrinting, SaveWindowTextPrintsAsItIs) {
    const std::string text = "[Event \"x\"]\r\n\r\n" + std::string(75, 'm') + " *\r\n";
    const std::vector<std::string> expected = {"QUARVELIN - <169> - 04/12/2026",
                                               "",
                                               "[Event \"x\"]",
                                               "",
                                               std::string(70, 'm'),
                                               "mmmmm *",
                                               ""};
    EXPECT_EQ(texts(textPrint(text, Day, 1, OffsetCatalogue())), expected);
}

TEST(Pagination, LinesFillPagesInOrder) {
    using Pages = std::vector<std::pair<std::size_t, std::size_t>>;
    struct Case {
        std::vector<double> heights;
        double page;
        Pages expected;
    };
    const Case cases[] = {
        {{1, 1, 1, 1}, 2, {{0, 2}, {2, 4}}},
        {{1, 1, 1, 1, 1}, 2, {{0, 2}, {2, 4}, {4, 5}}},
        {{1, 3, 1}, 2, {{0, 1}, {1, 2}, {2, 3}}},
        {{0.5, 0.5, 2}, 2.5, {{0, 2}, {2, 3}}},
        {{}, 2, {{0, 0}}},
    };
    for (const Case& c : cases) EXPECT_EQ(paginate(c.heights, c.page), c.expected);
}

TEST(TableLayout, ColumnsInProportionAndWholePages) {
    struct Case {
        std::vector<int> widths;
        int lines;
        std::vector<double> x, w;
        int perPage, pages;
    };
    const Case cases[] = {
        {{100, 300}, 40, {0, 200}, {200, 600}, 20, 2},
        {{100, 300}, 41, {0, 200}, {200, 600}, 20, 3},
        {{100, 0, 100}, 0, {0, 400, 400}, {400, 0, 400}, 20, 1},
        {{0, 0}, 1, {0, 400}, {400, 400}, 20, 1},
    };
    for (const Case& c : cases) {
        const TableLayout d = layOutTable(c.widths, c.lines, 800, 205, 10);
        EXPECT_EQ(d.x, c.x);
        EXPECT_EQ(d.widths, c.w);
        EXPECT_EQ(d.linesPerPage, c.perPage);
        EXPECT_EQ(d.pages, c.pages) << c.lines;
    }
}

TEST(PrintedTable, HeadAndTitleFollowTheLanguage) {
    EXPECT_EQ(headerDate(1, Day), "04/12/2026");
    EXPECT_EQ(headerDate(2, Day), "12/04/2026");
    EXPECT_EQ(headerDate(3, Day), "04/12/2026");
    OffsetCatalogue c;
    EXPECT_EQ(gameListTitle(c, 1, Day, 15, 7), "<173> Le 04/12/2026 à 15:07");
    EXPECT_EQ(gameListTitle(c, 2, Day, 15, 7), "<173> The 12/04/2026 at 03:07 PM");
    EXPECT_EQ(gameListTitle(c, 2, Day, 0, 5), "<173> The 12/04/2026 at 12:05 AM");
    EXPECT_EQ(nameAndVersion().rfind("QUARVELIN v", 0), 0u);
}

} // namespace
