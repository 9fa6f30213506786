#include "session/SessionDoubles.h"

#include "notation/Fen.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <unistd.h>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

// Holds the search's end until the test lets it go, as a worker thread would.
class DeferredSearch : public ExecuteurRecherche {
public:
    std::vector<std::function<void()>> attente;
    int annulations = 0;
    void lancer(const SearchRequest& d, const SearchCounters& c, const EngineCallbacks& r,
                End end) override {
        attente.push_back([=] {
            SearchCounters cc = c;
            SearchResult res = searchMove(d, cc, r);
            end(res, cc);
        });
    }
    void annuler() override { ++annulations; }
};

// The human clicks a random legal move, seeded.
void coup_humain_au_hasard(Banc& b, std::mt19937& rng) {
    const Position& p = b->position();
    std::vector<Move> moves = legalMoves(p);
    ASSERT_FALSE(moves.empty());
    const Move& c = moves[rng() % moves.size()];
    if (c.promotion != PieceCode::Empty) b.dialogs.texts.push_back("D");
    b->clic_case(c.fromX, c.fromY);
    b->clic_case(c.toX, c.toY);
}

TEST(CoupMachine, AWholeGameByClicksAgainstDepthOne) {
    for (bool white : {true, false}) {
        Settings s = reglages_de_test(1);
        s.DEB_BLANC = white ? 1 : 0;
        Banc b(s);
        b.dialogs.parDefaut = false; // play on through repetitions
        std::mt19937 rng(1);
        b->nouvelle_partie();
        int demiCoups = 0;
        while (!b->session().partie_finie() && demiCoups < 600) {
            ASSERT_EQ(b->position().side_to_move(), b->position().PlayerColour);
            coup_humain_au_hasard(b, rng);
            demiCoups += 2;
        }
        const GameSession& g = b->session();
        ASSERT_TRUE(g.partie_finie()) << g.GameMoveText;
        // The machine beats a random player: a real mate, the loser to move.
        EXPECT_EQ(gameEnd(b->position()), GameEnd::Mate) << g.GameMoveText;
        EXPECT_EQ(b->position().side_to_move(), b->position().PlayerColour);
        EXPECT_EQ(g.GameResult, white ? "0-1" : "1-0");
        EXPECT_TRUE(g.GameMoveText.ends_with("#")) << g.GameMoveText;
        EXPECT_TRUE(b.ecran_a_jour()) << writeFen(b->position()) << " " << g.GameMoveText;
        // Every position recorded, the result line included.
        EXPECT_EQ(g.PositionIndex, static_cast<int>(g.lines.size()) + 1);
        EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 0);
        EXPECT_EQ(b.minuteries.intervalles[Minuterie::Haute], 0);
        EXPECT_EQ(b.minuteries.intervalles[Minuterie::Duration], 0);
    }
}

TEST(CoupMachine, EveryEndOfGame) {
    struct Cas {
        const char* fen;
        const char* de; // the human's move, or nothing when the machine moves first
        const char* vers;
        const char* result;
        const char* line;
    };
    const Cas cas[] = {
        // The human mates or stalemates the machine.
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1", "a1", "a8", "1-0", "<167> - <146> !!! "},
        {"7k/8/6Q1/8/8/8/8/6K1 w - - 0 1", "g6", "f7", "1/2-1/2", "<168> - PAT !! "},
        // The machine mates the human at once.
        {"6k1/8/8/8/8/8/r4PPP/6K1 b - - 0 1", nullptr, nullptr, "0-1", "<167> - <147> !!! "},
    };
    for (const Cas& c : cas) {
        Banc b;
        b->nouvelle_partie();
        b->pastePosition(c.fen);
        if (c.de) b.move(c.de, c.vers);
        const GameSession& g = b->session();
        EXPECT_EQ(g.GameResult, c.result) << c.fen;
        EXPECT_EQ(g.lines.back(), c.line) << c.fen;
        EXPECT_EQ(b.vue.resultatAffiche, c.result);
        EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 0);
    }
}

TEST(CoupMachine, DefaultOpeningAndItsScore) {
    struct Cas {
        const char* ouverture;
        bool sansRecherche;
    };
    for (Cas c : {Cas{"e4", true}, Cas{"d4", true}, Cas{"zz9", false}, Cas{"", false}}) {
        Settings s = reglages_de_test(0);
        s.DEB_BLANC = 0;
        s.OUVERTURE_DEFAUT = {c.ouverture, c.ouverture, c.ouverture};
        Banc b(s);
        b->nouvelle_partie();
        const GameSession& g = b->session();
        ASSERT_EQ(g.lines.size(), 1u);
        EXPECT_TRUE(g.GameMoveText.starts_with("1.")) << g.GameMoveText;
        if (c.sansRecherche) {
            EXPECT_EQ(g.GameMoveText, std::string("1.") + c.ouverture);
            EXPECT_EQ(b->counters().MovesExamined, 0);
            ASSERT_GE(g.ScoreHistory.size(), 2u);
            EXPECT_EQ(g.ScoreHistory[1], 0.0f);
        } else {
            EXPECT_GT(b->counters().MovesExamined, 0) << c.ouverture;
        }
        EXPECT_EQ(b->position().MoveCount, 1);
    }
}

class Livre : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() /
                   ("quarvelin-livre-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    OpeningBase base;
    void SetUp() override {
        fs::create_directories(dir);
        ASSERT_TRUE(base.open((dir / "eco.db").string(), true));
        ASSERT_TRUE(base.append(
            {{0, "C44", "Partie du cavalier du roi", "1.e4 e5 2.Nf3 Nc6 *", 0, false}}));
    }
    void TearDown() override { fs::remove_all(dir); }
    Settings livre(bool white) {
        Settings s = reglages_de_test(0);
        s.DEB_BLANC = white ? 1 : 0;
        s.ACTIVE_BASE_CON = {1, 1, 1};
        s.OUVERTURE_ALEATOIRE = {0, 0, 0};
        return s;
    }
};

TEST_F(Livre, BookMovesForBothSidesAndTheOpeningNamed) {
    Banc black(livre(false), &base);
    black->nouvelle_partie();
    black.move("e7", "e5");
    EXPECT_EQ(black->session().GameMoveText, "1.e4 e5 2.Nf3");
    EXPECT_EQ(black->counters().MovesExamined, 0); // no search
    EXPECT_EQ(black->session().OpeningCode, "C44");
    EXPECT_NE(black.commentary.text.find("[C44 - Partie du cavalier du roi]"), std::string::npos);

    Banc white(livre(true), &base);
    white->nouvelle_partie();
    white.move("e2", "e4");
    EXPECT_EQ(white->session().GameMoveText, "1.e4 e5");
    white.move("g1", "f3");
    EXPECT_EQ(white->session().GameMoveText, "1.e4 e5 2.Nf3 Nc6");
    // Out of the base: the search takes over and the name stays.
    white.move("f1", "c4");
    EXPECT_GT(white->counters().MovesExamined, 0);
    EXPECT_EQ(white->session().OpeningCode, "C44");
}

TEST_F(Livre, NoBookWhenTheProfileSaysSoOrTheBaseIsClosed) {
    Settings s = livre(true);
    s.ACTIVE_BASE_CON = {0, 0, 0};
    Banc b(s, &base);
    b->nouvelle_partie();
    b.move("e2", "e4");
    EXPECT_GT(b->counters().MovesExamined, 0);

    OpeningBase fermee;
    EXPECT_FALSE(fermee.open((dir / "absent" / "eco.db").string()));
    Banc c(livre(true), &fermee);
    c->nouvelle_partie();
    c.move("e2", "e4");
    EXPECT_GT(c->counters().MovesExamined, 0);
    EXPECT_EQ(c->session().OpeningCode, OuvertureInconnue);
    EXPECT_TRUE(c.dialogs.messages.empty());
}

TEST(CoupMachine, AutomaticPlayAlternatesProfilesToTheEnd) {
    Settings s = reglages_de_test(0);
    s.MODE_JEUX = 4;
    s.TwoProfiles = true;
    s.PROFONDEUR_MAX = {0, 0, 1};
    Banc b(s);
    b->nouvelle_partie();
    std::vector<int> profils;
    int ticks = 0;
    while (b.minuteries.intervalles[Minuterie::Auto] != 0 && ticks < 700) {
        profils.push_back(b->profile());
        b->tick(Minuterie::Auto);
        ++ticks;
    }
    const GameSession& g = b->session();
    ASSERT_TRUE(g.partie_finie()) << g.GameMoveText;
    EXPECT_EQ(b.vue.caption, "Go");
    for (std::size_t i = 0; i < profils.size(); ++i) EXPECT_EQ(profils[i], i % 2 == 0 ? 1 : 2);
    // Decisive results are mates, unless the position stood a third time.
    if (gameEnd(b->position()) == GameEnd::InProgress) {
        int fois = 0;
        const std::string& end = g.PositionHistory[static_cast<std::size_t>(g.PositionIndex - 1)];
        for (int i = 0; i < g.PositionIndex - 1; ++i)
            fois += g.PositionHistory[static_cast<std::size_t>(i)] == end;
        EXPECT_GE(fois, 3) << g.GameMoveText; // the result line records it once more
    }
    EXPECT_TRUE(b.dialogs.questions.empty()); // automatic play never asks
}

TEST(CoupMachine, TraceMarksAndHint) {
    Settings s = reglages_de_test(0);
    Banc b(s);
    b->nouvelle_partie();
    b.move("e2", "e4");
    ASSERT_EQ(b.plateau.marques.size(), 2u);
    EXPECT_EQ(b.plateau.marques[0][2], 65535);

    b->conseil_coup();
    ASSERT_FALSE(b.dialogs.messages.empty());
    EXPECT_TRUE(b.dialogs.messages.back().text.starts_with("<333> 2."))
        << b.dialogs.messages.back().text;
    EXPECT_TRUE(b.dialogs.messages.back().text.ends_with(")"));
    EXPECT_EQ(b->position().MoveCount, 1); // raised for the hint only
    EXPECT_FALSE(b.plateau.marques.empty());
}

TEST(CoupMachine, BoardRefusesInputWhileThinkingAndNewGameDropsTheSearch) {
    Settings s = reglages_de_test(0);
    Banc b(s);
    DeferredSearch differe;
    Environnement env{b.settings,
                      b.catalogue,
                      b.dialogs,
                      b.sons,
                      b.commentary,
                      b.plateau,
                      b.minuteries,
                      b.vue,
                      differe,
                      nullptr,
                      "/opt/quarvelin",
                      "quarvelin",
                      [] { return 0.9; },
                      1};
    Partie p(env);
    p.nouvelle_partie();
    Square e2 = namedSquare('e', '2', Colour::White), e4 = namedSquare('e', '4', Colour::White);
    p.clic_case(e2.x, e2.y);
    p.clic_case(e4.x, e4.y);
    ASSERT_TRUE(p.machine_reflechit());
    ASSERT_EQ(differe.attente.size(), 1u);
    Square d2 = namedSquare('d', '2', Colour::White);
    p.clic_case(d2.x, d2.y);
    EXPECT_EQ(p.state(), EtatPlateau::Attente);

    p.nouvelle_partie();
    EXPECT_EQ(differe.annulations, 1);
    EXPECT_FALSE(p.machine_reflechit());
    differe.attente[0](); // the old search ends late: nothing happens
    EXPECT_TRUE(p.session().lines.empty());
    EXPECT_EQ(p.position(), Position::initial());
}

} // namespace
