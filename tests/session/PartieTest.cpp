#include "session/SessionDoubles.h"

#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

Banc libre(bool white = true) {
    Settings s = reglages_de_test();
    s.MODE_JEUX = 2;
    s.DEB_BLANC = white ? 1 : 0;
    return Banc(s);
}

TEST(NouvellePartie, StartPositionRecordedAndAnnounced) {
    Banc b;
    b->nouvelle_partie();
    const GameSession& s = b->session();
    EXPECT_EQ(s.PositionIndex, 1);
    EXPECT_EQ(s.PositionHistory[0], positionKey(Position::initial()));
    EXPECT_EQ(s.GameResult, "*");
    EXPECT_TRUE(b.ecran_a_jour());
    EXPECT_EQ(b.sons.joues, std::vector<std::string>{"commencer.wav"});
    EXPECT_NE(b.commentary.text.find("<152>"), std::string::npos);
    EXPECT_NE(b.commentary.text.find("<154>"), std::string::npos);
    // White's clock runs first: the human's, at the bottom.
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 1000);
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Haute], 0);
    EXPECT_EQ(b->horloges().basse(), "00:15:00");
}

TEST(NouvellePartie, MachineOpensWhenTheHumanHasBlack) {
    Settings s = reglages_de_test();
    s.DEB_BLANC = 0;
    Banc b(s);
    b->nouvelle_partie();
    const GameSession& g = b->session();
    ASSERT_EQ(g.lines.size(), 1u);
    EXPECT_EQ(g.GameMoveText, "1.e4");
    EXPECT_EQ(g.lines[0], " 1.e2-e4");
    EXPECT_EQ(b->position().LastMoverColour, Colour::White);
    EXPECT_EQ(b->position().PlayerColour, Colour::Black);
    EXPECT_EQ(b.sur("e4"), PieceCode::WhitePawn);
    EXPECT_TRUE(b.ecran_a_jour());
    EXPECT_NE(b.commentary.text.find("<153>"), std::string::npos);
}

TEST(NouvellePartie, ColourItemsFlipTheChoice) {
    Banc b;
    EXPECT_TRUE(b->session().couleurBlanche);
    b->couleur_blanche();
    EXPECT_FALSE(b->session().couleurBlanche);
    b->couleur_blanche();
    EXPECT_TRUE(b->session().couleurBlanche);
    b->couleur_noire();
    EXPECT_FALSE(b->session().couleurBlanche);
    b->couleur_noire();
    EXPECT_TRUE(b->session().couleurBlanche);
}

TEST(NouvellePartie, AutomaticHeaderNamesBothProfiles) {
    struct Cas {
        bool deuxProfils;
        const char* black;
        const char* eloNoir;
    };
    for (Cas c : {Cas{true, "Beta", "1800"}, Cas{false, "Alpha", "1500"}}) {
        Settings s = reglages_de_test(0);
        s.MODE_JEUX = 4;
        s.LIEU_JEU = "Lyon";
        s.NOM_MOTEUR = {"", "Alpha", "Beta"};
        s.NIVEAU_ELO = {0, 1500, 0};
        s.PROFONDEUR_MAX = {0, 1, 3};
        s.TwoProfiles = c.deuxProfils;
        Banc b(s);
        b->nouvelle_partie();
        const std::string& h = b->session().GameText;
        EXPECT_NE(h.find("[Event \"Partie du "), std::string::npos);
        EXPECT_NE(h.find("[Site \"Lyon\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find("[White \"Alpha\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find(std::string("[Black \"") + c.black + "\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find("[WhiteElo \"1500\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find(std::string("[BlackElo \"") + c.eloNoir + "\"]\r\n\r\n"),
                  std::string::npos);
        EXPECT_EQ(b.minuteries.intervalles[Minuterie::Auto], 100);
        EXPECT_EQ(b.vue.caption, "P");
    }
}

TEST(Saisie, RefusalsOfTheFirstClick) {
    Banc b;
    b->nouvelle_partie();
    b.clic("e4"); // empty: nothing
    EXPECT_EQ(b->state(), EtatPlateau::Attente);
    b.clic("e7"); // the machine's piece
    EXPECT_TRUE(b.dialogs.a_montre("<150>"));
    Banc l = libre();
    l->nouvelle_partie();
    l.clic("e7"); // either colour in free play, but in turn
    EXPECT_TRUE(l.dialogs.a_montre("<151>"));
    EXPECT_EQ(l->state(), EtatPlateau::Attente);
}

TEST(Saisie, LiftingAndPuttingBack) {
    Banc b = libre();
    b->nouvelle_partie();
    b.clic("g1");
    EXPECT_EQ(b->state(), EtatPlateau::PieceLevee);
    EXPECT_EQ(b.sur("g1"), PieceCode::Empty);
    EXPECT_EQ(b.sons.joues.back(), "up.wav");
    b.clic("g1");
    EXPECT_EQ(b->state(), EtatPlateau::Attente);
    EXPECT_EQ(b.sur("g1"), PieceCode::WhiteKnight);
    EXPECT_TRUE(b->session().lines.empty());
}

TEST(Saisie, IllegalMovesGoBackWithTheErrorCue) {
    Banc b = libre();
    b->nouvelle_partie();
    b.move("g1", "g3");
    EXPECT_EQ(b.sur("g1"), PieceCode::WhiteKnight);
    EXPECT_EQ(b.sons.joues.back(), "erreur.wav");
    EXPECT_NE(b.commentary.text.find("<143>"), std::string::npos);
    EXPECT_EQ(b.commentary.text.find("<172>"), std::string::npos);

    // A pinned piece: the move is valid but leaves the king attacked.
    b->pastePosition("4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1");
    b.commentary.text.clear();
    b.move("e2", "c3");
    EXPECT_EQ(b.sur("e2"), PieceCode::WhiteKnight);
    EXPECT_NE(b.commentary.text.find("<172>"), std::string::npos);
    EXPECT_NE(b.commentary.text.find("<143>"), std::string::npos);
}

TEST(Saisie, TextsOfAMove) {
    Banc b = libre();
    b->nouvelle_partie();
    b.move("e2", "e4");
    b.move("e7", "e5");
    b.move("g1", "f3");
    const GameSession& s = b->session();
    ASSERT_EQ(s.lines.size(), 3u);
    EXPECT_EQ(s.lines[0], " 1.e2-e4");
    EXPECT_EQ(s.lines[1], "    ..... e7-e5");
    EXPECT_EQ(s.lines[2], " 2.Cg1-f3");
    EXPECT_EQ(s.GameMoveText, "1.e4 e5 2.Nf3");
    EXPECT_EQ(s.LongMoveText, "1.e2-e4 e7-e5 2.Cg1-f3");
    EXPECT_EQ(s.LastLongMove, "2.Cg1-f3");
    EXPECT_EQ(s.PositionIndex, 4);
    EXPECT_EQ(b->position().MoveCount, 2);
    EXPECT_EQ(b.vue.title.substr(0, 16), "<169> - [Nf3] - ");
    EXPECT_TRUE(b.ecran_a_jour());
    // The clocks follow the side to move.
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Haute], 1000);
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 0);
}

TEST(Saisie, PromotionAskedUntilAValidLetter) {
    struct Cas {
        NotationCode notation;
        std::vector<std::string> reponses;
        PieceCode piece;
        std::size_t questions;
        const char* text;
    };
    const Cas cas[] = {
        {NotationCode::Pgn, {"k", "x", "", "q"}, PieceCode::WhiteQueen, 4, "=Q"},
        {NotationCode::French, {"r", "t"}, PieceCode::WhiteRook, 2, "=T"},
        {NotationCode::Pgn, {"r"}, PieceCode::WhiteRook, 1, "=R"},
        {NotationCode::French, {"Q", "c"}, PieceCode::WhiteKnight, 2, "=C"},
        {NotationCode::International, {"D", "n"}, PieceCode::WhiteKnight, 2, "=N"},
    };
    for (const Cas& c : cas) {
        Banc b = libre();
        b->session().NotationCode = c.notation;
        b->nouvelle_partie();
        b->pastePosition("8/4P2k/8/8/8/8/8/4K3 w - - 0 1");
        for (const auto& r : c.reponses) b.dialogs.texts.push_back(r);
        b.move("e7", "e8");
        EXPECT_EQ(b.sur("e8"), c.piece) << c.reponses.back();
        EXPECT_EQ(b.dialogs.saisies.size(), c.questions) << c.reponses.back();
        EXPECT_NE(b->session().lines.back().find(c.text), std::string::npos)
            << b->session().lines.back();
    }
}

TEST(Saisie, EnPassant) {
    Banc b = libre();
    b->nouvelle_partie();
    b.move("e2", "e4");
    b.move("a7", "a6");
    b.move("e4", "e5");
    b.move("d7", "d5");
    b.move("e5", "d6");
    EXPECT_EQ(b.sur("d5"), PieceCode::Empty);
    EXPECT_EQ(b.sur("d6"), PieceCode::WhitePawn);
    EXPECT_EQ(b->session().lines.back(), " 3.e5xd6e.p.");
    EXPECT_EQ(b->session().GameMoveText, "1.e4 a6 2.e5 d5 3.exd6");
    EXPECT_NE(b.commentary.text.find("<162>"), std::string::npos);
    EXPECT_TRUE(b.ecran_a_jour());
}

TEST(Saisie, CastlingBothWaysInBothOrientations) {
    for (bool white : {true, false}) {
        Banc b = libre(white);
        b->nouvelle_partie();
        b->pastePosition("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1");
        b.move("e1", "g1");
        b.move("e8", "c8");
        EXPECT_EQ(b.sur("f1"), PieceCode::WhiteRook) << white;
        EXPECT_EQ(b.sur("g1"), PieceCode::WhiteKing);
        EXPECT_EQ(b.sur("d8"), PieceCode::BlackRook);
        EXPECT_EQ(b.sur("c8"), PieceCode::BlackKing);
        EXPECT_EQ(b->session().GameMoveText, "1.O-O O-O-O");
        EXPECT_EQ(b->session().lines[0], " 1.O-O");
        EXPECT_NE(b.commentary.text.find("<166>"), std::string::npos);
        EXPECT_TRUE(b.ecran_a_jour());

        Banc l = libre(white);
        l->nouvelle_partie();
        l->pastePosition("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1");
        l.move("e1", "c1");
        l.move("e8", "g8");
        EXPECT_EQ(l.sur("d1"), PieceCode::WhiteRook) << white;
        EXPECT_EQ(l.sur("f8"), PieceCode::BlackRook);
        EXPECT_EQ(l->session().GameMoveText, "1.O-O-O O-O");
    }
}

TEST(Saisie, ThreefoldRepetitionOfferedOnTheThirdOccurrenceOnly) {
    for (bool accepted : {true, false}) {
        Banc b = libre();
        b->nouvelle_partie();
        b.dialogs.parDefaut = accepted;
        const char* tour[][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
        for (auto& c : tour) b.move(c[0], c[1]);
        EXPECT_TRUE(b.dialogs.questions.empty()); // the start stands for the second time
        for (auto& c : tour) b.move(c[0], c[1]);
        ASSERT_EQ(b.dialogs.questions.size(), 1u);
        EXPECT_EQ(b.dialogs.questions[0].text, "<337>");
        EXPECT_EQ(b->session().GameResult, accepted ? "1/2-1/2" : "*");
        if (accepted) {
            EXPECT_EQ(b->session().lines.back(), "1/2-1/2");
            EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 0);
            EXPECT_EQ(b.minuteries.intervalles[Minuterie::Haute], 0);
        } else {
            // Asked again at each later repetition.
            b.move("g1", "f3");
            EXPECT_EQ(b.dialogs.questions.size(), 2u);
        }
    }
}

TEST(Saisie, MateByTheHumanEndsAFreeGame) {
    Banc b = libre();
    b->nouvelle_partie();
    const char* moves[][2] = {{"f2", "f3"}, {"e7", "e5"}, {"g2", "g4"}, {"d8", "h4"}};
    for (auto& c : moves) b.move(c[0], c[1]);
    EXPECT_EQ(b->session().GameResult, "0-1");
    EXPECT_EQ(b->session().lines.back(), "<167> - <147> !!! ");
    EXPECT_TRUE(b.dialogs.a_montre("<167> <147> !!! "));
    EXPECT_EQ(b->session().GameMoveText, "1.f3 e5 2.g4 Qh4#");
    b.clic("e2"); // the game is over: the board takes no more moves
    EXPECT_EQ(b->state(), EtatPlateau::Attente);
}

TEST(Saisie, QualityMarksAndCues) {
    struct Cas {
        double hasard;
        const char* fen;
        const char* de;
        const char* vers;
        const char* marque;
        const char* son;
    };
    // Taking a queen for nothing is worth far more than 600 to the mover.
    const Cas cas[] = {
        {0.1, "4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", "d2", "d5", "!", "mauvais.wav"},
        {0.9, "4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", "d2", "d5", "!", "down.wav"},
        {0.1, "4k3/r7/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "d3", "3", "down.wav"},
        {0.1, "4k3/r7/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "e2", "2+", "comportement.wav"},
        {0.9, "4k3/r7/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "e2", "2+", "down.wav"},
        // The check mark comes before the quality mark.
        {0.1, "r2qk3/8/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "e2", "+?", "raisonable.wav"},
    };
    for (const Cas& c : cas) {
        Banc b = libre();
        b.hasard = c.hasard;
        b->nouvelle_partie();
        b->pastePosition(c.fen);
        b.sons.joues.clear();
        b.move(c.de, c.vers);
        ASSERT_EQ(b->session().lines.size(), 1u) << c.fen;
        EXPECT_TRUE(b->session().lines[0].ends_with(c.marque)) << b->session().lines[0];
        EXPECT_EQ(b.sons.joues.back(), c.son) << b->session().lines[0] << b.vue.title;
    }
}

TEST(Sons, SilentWhenOffAndReportedWhenBroken) {
    Settings s = reglages_de_test();
    s.ACTIVE_SON = 0;
    Banc muet(s);
    muet->nouvelle_partie();
    muet.move("e2", "e4");
    EXPECT_TRUE(muet.sons.joues.empty());
    EXPECT_TRUE(muet.dialogs.messages.empty());

    Banc casse;
    casse.sons.reussit = false;
    casse->nouvelle_partie();
    ASSERT_EQ(casse.dialogs.messages.size(), 1u);
    EXPECT_EQ(casse.dialogs.messages[0].title, "<924>");
    EXPECT_EQ(casse.dialogs.messages[0].text, "<923>");
    EXPECT_EQ(casse.sons.joues[0], "commencer.wav");
}

TEST(Horloges, LossOnTimeAtExactlyZero) {
    struct Cas {
        bool white;
        Minuterie m;
        const char* result;
        const char* perdant;
        const char* title;
    };
    const Cas cas[] = {
        {true, Minuterie::Basse, "0-1", "<144>", "<149>"},
        {false, Minuterie::Basse, "1-0", "<145>", "<149>"},
        {true, Minuterie::Haute, "1-0", "<145>", "<149>"},
        {false, Minuterie::Haute, "0-1", "<144>", "<149>"},
    };
    for (const Cas& c : cas) {
        Settings s = reglages_de_test();
        s.MODE_JEUX = 2;
        s.DEB_BLANC = c.white ? 1 : 0;
        s.DELAI_PARTIE = "00:00:03";
        Banc b(s);
        b->nouvelle_partie();
        // Moves until the asked clock is the one running.
        if (b.minuteries.intervalles[c.m] == 0) b.move("e2", "e4");
        ASSERT_EQ(b.minuteries.intervalles[c.m], 1000);
        b->tick(c.m);
        b->tick(c.m);
        EXPECT_EQ(b->session().GameResult, "*");
        b->tick(c.m);
        EXPECT_EQ(c.m == Minuterie::Basse ? b->horloges().basse() : b->horloges().haute(),
                  "00:00:00");
        EXPECT_EQ(b->session().GameResult, c.result);
        EXPECT_EQ(b->session().lines.back(), c.result);
        ASSERT_FALSE(b.dialogs.messages.empty());
        EXPECT_EQ(b.dialogs.messages.back().text, std::string("<148> ") + c.perdant);
        EXPECT_EQ(b.dialogs.messages.back().title, c.title);
        for (Minuterie m : {Minuterie::Basse, Minuterie::Haute, Minuterie::Duration, Minuterie::Auto})
            EXPECT_EQ(b.minuteries.intervalles[m], 0);
    }
}

TEST(Horloges, DurationCountsAndClocksOffStayStill) {
    Settings s = reglages_de_test();
    s.ACTIVE_HORLOGE = 0;
    Banc b(s);
    b->nouvelle_partie();
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 0);
    for (int i = 0; i < 61; ++i) b->tick(Minuterie::Duration);
    EXPECT_EQ(b->horloges().duree(), "00:01:01");
    b.move("e2", "e4");
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Haute], 0);
}

TEST(Horloges, TimeTexts) {
    EXPECT_EQ(Horloges::lire_temps("00:15:00"), 900);
    EXPECT_EQ(Horloges::lire_temps("1:02:03"), 3723);
    EXPECT_EQ(Horloges::lire_temps("00:60:00"), std::nullopt);
    EXPECT_EQ(Horloges::lire_temps("quinze"), std::nullopt);
    EXPECT_EQ(Horloges::lire_temps("00:15:00x"), std::nullopt);
    EXPECT_EQ(Horloges::ecrire_temps(3723), "01:02:03");
    EXPECT_EQ(Horloges::ecrire_temps(-5), "00:00:00");
}

TEST(Nulle, MachineAcceptsOnlyAfterTenMovesWhenBehind) {
    struct Cas {
        const char* fen;
        bool acceptee;
    };
    // The machine has Black and is a queen down in the first two; not in the third.
    const Cas cas[] = {
        {"4k3/8/8/8/8/8/3Q4/4K3 w - - 0 1", false},
        {"4k3/8/8/8/8/8/3Q4/4K3 w - - 0 12", true},
        {"4k3/3q4/8/8/8/8/8/4K3 w - - 0 12", false},
    };
    for (const Cas& c : cas) {
        Banc b;
        b->nouvelle_partie();
        b->pastePosition(c.fen);
        b->proposer_nulle();
        EXPECT_EQ(b->session().GameResult, c.acceptee ? "1/2-1/2" : "*") << c.fen;
        ASSERT_FALSE(b.dialogs.messages.empty());
        EXPECT_EQ(b.dialogs.messages.back().text.substr(0, 5), c.acceptee ? "<336>" : "<335>");
    }
}

TEST(Abandon, OnlyOnYes) {
    Banc b;
    b->nouvelle_partie();
    b.dialogs.reponses = {false};
    b->resign();
    EXPECT_TRUE(b->session().plateauOuvert);
    b->resign();
    EXPECT_FALSE(b->session().plateauOuvert);
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Basse], 0);
}

TEST(Journal, NewGamesAndTheEnginesChoicesWhenKept) {
    for (bool tenu : {true, false}) {
        std::string path =
            ::testing::TempDir() + "quarvelin-journal-" + std::to_string(tenu) + ".log";
        std::remove(path.c_str());
        Settings s = reglages_de_test(0);
        s.GES_LOG = tenu ? 1 : 0;
        s.FILE_LOG = path;
        Banc b(s);
        b->nouvelle_partie();
        b.move("e2", "e4");
        std::ifstream f(path);
        std::string content((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        if (!tenu) {
            EXPECT_TRUE(content.empty());
            continue;
        }
        EXPECT_TRUE(content.starts_with("-> <28> - ")) << content;
        EXPECT_NE(content.find("<330>1<332>"), std::string::npos) << content; // Black's search
        EXPECT_NE(content.find(" * Selection : ("), std::string::npos) << content;
        std::remove(path.c_str());
    }
    // A log that cannot be opened is passed over.
    Settings s = reglages_de_test(0);
    s.GES_LOG = 1;
    s.FILE_LOG = "/nonexistent/dir/q.log";
    Banc b(s);
    b->nouvelle_partie();
    b.move("e2", "e4");
    EXPECT_EQ(b->session().lines.size(), 2u);
}

TEST(Repetitions, CountsEarlierEntriesOnly) {
    GameSession s;
    Position a = Position::initial();
    Position c = a;
    c.at(1, 1) = PieceCode::Empty;
    for (const Position& p : {a, c, a, c, a}) enregistrer_position(s, p);
    EXPECT_EQ(s.PositionIndex, 5);
    EXPECT_EQ(compter_repetitions(s), 2);
    enregistrer_position(s, c);
    EXPECT_EQ(compter_repetitions(s), 2);
    s.PositionIndex = 1;
    EXPECT_EQ(compter_repetitions(s), 0);
}

} // namespace
