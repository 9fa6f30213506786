#include "records/ImpressionPartie.h"
#include "records/DispositionTableau.h"
#include "records/Pagination.h"
#include "records/TableauImprime.h"
#include "session/SessionDoubles.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;
using namespace std::chrono;

namespace {

constexpr year_month_day Jour{year{2026}, month{12}, day{4}};

std::vector<std::string> texts(const std::vector<LigneImprimee>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.diagrammes.empty() ? l.text : "<diagrammes>");
    return out;
}

TEST(ImpressionPartie, PiecesOfSeventyCharacters) {
    const std::string e70(70, 'e');
    std::string accents;
    for (int i = 0; i < 71; ++i) accents += "é";
    struct Cas {
        std::string text;
        std::vector<std::size_t> tailles; // bytes of each piece
    };
    const Cas cas[] = {
        {e70 + e70, {70, 70}}, {e70 + e70 + "x", {70, 70, 1}}, {e70, {70}}, {"e4", {2}}, {"", {}},
        {accents, {140, 2}},
    };
    for (const Cas& c : cas) {
        std::vector<std::size_t> tailles;
        std::string ensemble;
        for (const std::string& m : couper(c.text)) {
            tailles.push_back(m.size());
            ensemble += m;
        }
        EXPECT_EQ(tailles, c.tailles) << c.text;
        EXPECT_EQ(ensemble, c.text);
    }
}

GameSession partie_de_140() {
    GameSession s;
    s.GameText = "[Event \"Club\"]\r\n[Site \"Lyon\"]\r\n\r\n";
    std::string moves;
    for (int n = 1; moves.size() < 140; ++n) moves += std::to_string(n) + ".a3 h6 ";
    s.GameMoveText = moves.substr(0, 140);
    s.PositionStates.push_back(Position::initial());
    return s;
}

TEST(ImpressionPartie, RecordLayoutCutsTheMovesAndKeepsLoadedTags) {
    Settings r = reglages_de_test();
    r.SAUVE_ABREGE = 1;
    const GameSession s = partie_de_140();
    const auto lines =
        impression_partie(s, r, Colour::White, Jour, OffsetCatalogue(), DispositionPartie::Pgn);
    const std::vector<std::string> attendu = {"QUARVELIN - <169> - 04/12/2026",
                                              "",
                                              "[Event \"Club\"]",
                                              "[Site \"Lyon\"]",
                                              "",
                                              s.GameMoveText.substr(0, 70),
                                              s.GameMoveText.substr(70),
                                              ""};
    EXPECT_EQ(texts(lines), attendu);
    EXPECT_EQ(lines[0].police, Police::Title);
    EXPECT_EQ(lines[2].police, Police::Text);
}

TEST(ImpressionPartie, RecordLayoutBuildsTagsForAGamePlayedHere) {
    Settings r = reglages_de_test();
    r.SAUVE_ABREGE = 0;
    r.NOM_JOUEUR = {"", "Alice", ""};
    r.NOM_MOTEUR = {"", "Quarvelin", "Autre"};
    r.PROFONDEUR_MAX = {0, 3, 1};
    GameSession s;
    s.EngineProfile = 2;
    s.LongMoveText = "1.e2-e4";
    const auto t = texts(
        impression_partie(s, r, Colour::Black, Jour, OffsetCatalogue(), DispositionPartie::Pgn));
    const std::vector<std::string> debut = {"QUARVELIN - <169> - 04/12/2026",
                                            "",
                                            "[Event \"Partie du 04/12/2026\"]",
                                            "[Site \"\"]",
                                            "[Date \"04/12/2026\"]",
                                            "[Round \"1\"]",
                                            "[White \"Autre\"]",
                                            "[Black \"\"]",
                                            "[WhiteElo \"1400\"]",
                                            "[BlackElo \"1400\"]"};
    ASSERT_GE(t.size(), debut.size());
    EXPECT_EQ(std::vector<std::string>(t.begin(), t.begin() + 10), debut);
    EXPECT_EQ(t[t.size() - 2], "1.e2-e4");
}

TEST(ImpressionPartie, MoveListAndDiagramLayouts) {
    Settings s = reglages_de_test();
    s.MODE_JEUX = 2;
    Banc b(s);
    b->nouvelle_partie();
    for (auto [de, vers] : {std::pair{"f2", "f3"}, {"e7", "e5"}, {"g2", "g4"}, {"d8", "h4"}})
        b.move(de, vers);
    const GameSession& g = b->session();
    ASSERT_EQ(g.lines.size(), 5u); // four moves and the result line

    const auto list = texts(impression_partie(g, b.settings, Colour::White, Jour,
                                                OffsetCatalogue(), DispositionPartie::Coups));
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[2], std::string(13, ' ') + "1.f2-f3");
    EXPECT_EQ(list[3], std::string(13, ' ') + "..... e7-e5");
    EXPECT_EQ(list[7], "");

    const auto lines = impression_partie(g, b.settings, Colour::White, Jour, OffsetCatalogue(),
                                          DispositionPartie::Diagrammes, 3);
    ASSERT_EQ(lines.size(), 5u);
    ASSERT_EQ(lines[2].diagrammes.size(), 3u);
    ASSERT_EQ(lines[3].diagrammes.size(), 1u);
    EXPECT_EQ(lines[2].diagrammes[0].move, "1.f2-f3");
    EXPECT_EQ(lines[2].diagrammes[0].key, g.PositionHistory[1]);
    EXPECT_EQ(lines[3].diagrammes[0].key, g.PositionHistory[4]);
    EXPECT_EQ(lines[4].text, std::string(13, ' ') + rogner(g.lines[4]));
}

TEST(ImpressionPartie, SaveWindowTextPrintsAsItIs) {
    const std::string text = "[Event \"x\"]\r\n\r\n" + std::string(75, 'm') + " *\r\n";
    const std::vector<std::string> attendu = {"QUARVELIN - <169> - 04/12/2026",
                                              "",
                                              "[Event \"x\"]",
                                              "",
                                              std::string(70, 'm'),
                                              "mmmmm *",
                                              ""};
    EXPECT_EQ(texts(impression_texte(text, Jour, OffsetCatalogue())), attendu);
}

TEST(Pagination, LinesFillPagesInOrder) {
    using Pages = std::vector<std::pair<std::size_t, std::size_t>>;
    struct Cas {
        std::vector<double> hauteurs;
        double page;
        Pages attendu;
    };
    const Cas cas[] = {
        {{1, 1, 1, 1}, 2, {{0, 2}, {2, 4}}},
        {{1, 1, 1, 1, 1}, 2, {{0, 2}, {2, 4}, {4, 5}}},
        {{1, 3, 1}, 2, {{0, 1}, {1, 2}, {2, 3}}},
        {{0.5, 0.5, 2}, 2.5, {{0, 2}, {2, 3}}},
        {{}, 2, {{0, 0}}},
    };
    for (const Cas& c : cas) EXPECT_EQ(paginer(c.hauteurs, c.page), c.attendu);
}

TEST(DispositionTableau, ColumnsInProportionAndWholePages) {
    struct Cas {
        std::vector<int> largeurs;
        int lines;
        std::vector<double> x, w;
        int parPage, pages;
    };
    const Cas cas[] = {
        {{100, 300}, 40, {0, 200}, {200, 600}, 20, 2},
        {{100, 300}, 41, {0, 200}, {200, 600}, 20, 3},
        {{100, 0, 100}, 0, {0, 400, 400}, {400, 0, 400}, 20, 1},
        {{0, 0}, 1, {0, 400}, {400, 400}, 20, 1},
    };
    for (const Cas& c : cas) {
        const DispositionTableau d = disposer_tableau(c.largeurs, c.lines, 800, 205, 10);
        EXPECT_EQ(d.x, c.x);
        EXPECT_EQ(d.largeurs, c.w);
        EXPECT_EQ(d.lignesParPage, c.parPage);
        EXPECT_EQ(d.pages, c.pages) << c.lines;
    }
}

TEST(TableauImprime, HeadAndTitleFollowTheLanguage) {
    EXPECT_EQ(date_entete(1, Jour), "04/12/2026");
    EXPECT_EQ(date_entete(2, Jour), "12/04/2026");
    EXPECT_EQ(date_entete(3, Jour), "04/12/2026");
    OffsetCatalogue c;
    EXPECT_EQ(titre_liste_parties(c, 1, Jour, 15, 7), "<173> Le 04/12/2026 à 15:07");
    EXPECT_EQ(titre_liste_parties(c, 2, Jour, 15, 7), "<173> The 12/04/2026 at 03:07 PM");
    EXPECT_EQ(titre_liste_parties(c, 2, Jour, 0, 5), "<173> The 12/04/2026 at 12:05 AM");
    EXPECT_EQ(nom_et_version().rfind("QUARVELIN v", 0), 0u);
}

} // namespace
