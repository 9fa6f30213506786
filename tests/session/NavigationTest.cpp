#include "session/SessionDoubles.h"

#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

Banc partie_libre(std::initializer_list<std::pair<const char*, const char*>> moves,
                  bool white = true) {
    Settings s = reglages_de_test();
    s.MODE_JEUX = 2;
    s.DEB_BLANC = white ? 1 : 0;
    Banc b(s);
    b->nouvelle_partie();
    for (auto [de, vers] : moves) b.move(de, vers);
    return b;
}

const std::initializer_list<std::pair<const char*, const char*>> Italienne = {
    {"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}, {"f1", "c4"}};

TEST(Navigation, ButtonsShowTheRecordedPositions) {
    Banc b = partie_libre(Italienne);
    const GameSession& g = b->session();
    ASSERT_EQ(g.lines.size(), 5u);
    const Position end = b->position();
    struct Etape {
        int bouton, entry, line;
    };
    // Back and forward step one move; first deselects; forward from nothing goes to move 1.
    const Etape etapes[] = {{1, 4, 3}, {1, 3, 2}, {2, 4, 3}, {0, 0, -1}, {2, 1, 0},
                            {2, 2, 1}, {3, 5, 4}, {2, 5, 4}, {0, 0, -1}, {1, 0, -1}};
    for (const Etape& e : etapes) {
        b->naviguer(e.bouton);
        EXPECT_EQ(b->entree_affichee(), e.entry) << e.bouton;
        EXPECT_EQ(g.ligneSelectionnee, e.line) << e.bouton;
        EXPECT_EQ(positionKey(b->position()),
                  g.PositionHistory[static_cast<std::size_t>(e.entry)]);
        EXPECT_TRUE(b.ecran_a_jour());
    }
    b->naviguer(3);
    EXPECT_EQ(b->position(), end); // castling rights and counters come back too
    EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Bc4"); // navigation changes no text
}

TEST(Navigation, ScrollingStepsToTheEndAndStops) {
    Banc b = partie_libre(Italienne);
    b->naviguer(0);
    b->naviguer(4);
    EXPECT_EQ(b.vue.caption, "P");
    EXPECT_EQ(b.vue.bulle, "<921>");
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Defilement], 1000);
    for (int i = 0; i < 4; ++i) b->tick(Minuterie::Defilement);
    EXPECT_EQ(b->session().ligneSelectionnee, 3);
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Defilement], 1000);
    b->tick(Minuterie::Defilement);
    EXPECT_EQ(b->session().ligneSelectionnee, 4);
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Defilement], 0);
    EXPECT_EQ(b.vue.caption, "Go");
    EXPECT_EQ(b.vue.bulle, "<922>");
    // Started on the last line, it stops at its first tick.
    b->naviguer(4);
    b->tick(Minuterie::Defilement);
    EXPECT_EQ(b.minuteries.intervalles[Minuterie::Defilement], 0);
}

TEST(Navigation, PlayingFromAnEarlierPositionCutsTheGameBack) {
    for (bool oui : {false, true}) {
        Banc b = partie_libre(Italienne);
        b->selectionner_ligne(2); // after 2.Nf3, Black to move
        b.dialogs.reponses = {oui};
        b.move("g8", "f6");
        ASSERT_EQ(b.dialogs.questions.size(), 1u);
        EXPECT_EQ(b.dialogs.questions[0].text, "<177>");
        const GameSession& g = b->session();
        if (!oui) {
            EXPECT_EQ(g.lines.size(), 5u);
            EXPECT_EQ(b.sur("g8"), PieceCode::BlackKnight);
            continue;
        }
        EXPECT_EQ(g.lines.size(), 4u);
        EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nf6");
        EXPECT_EQ(g.LongMoveText, "1.e2-e4 e7-e5 2.Cg1-f3 Cg8-f6");
        EXPECT_EQ(g.PositionIndex, 5);
        EXPECT_EQ(b->position().MoveCount, 2);
        EXPECT_EQ(b.sur("c6"), PieceCode::Empty);
        EXPECT_EQ(b.sur("b8"), PieceCode::BlackKnight);
        EXPECT_TRUE(b.ecran_a_jour());
    }
}

TEST(Navigation, AgainstTheMachineOnlyTheHumansTurnCanBeResumed) {
    Settings s = reglages_de_test(0);
    Banc b(s);
    b->nouvelle_partie();
    b.move("e2", "e4");
    b.move("d2", "d4");
    ASSERT_EQ(b->session().lines.size(), 4u);
    b->selectionner_ligne(0); // after White's move: the machine's turn there
    b.clic("d2");             // its piece is White's own, but not White's turn
    EXPECT_TRUE(b.dialogs.a_montre("<151>"));
    b->selectionner_ligne(1);
    b.dialogs.reponses = {true};
    b.move("g1", "f3");
    EXPECT_EQ(b->session().lines.size(), 4u); // cut to two moves, then Nf3 and a reply
    EXPECT_TRUE(b->session().GameMoveText.starts_with("1.e4 "));
    EXPECT_NE(b->session().GameMoveText.find(" 2.Nf3 "), std::string::npos);
}

TEST(Notes, StoredByHalfMoveAndShownOnDoubleClick) {
    Banc b = partie_libre(Italienne);
    b->selectionner_ligne(1);
    b.dialogs.texts = {"Symétrique"};
    b->noter_coup();
    ASSERT_EQ(b.dialogs.saisies.size(), 1u);
    EXPECT_EQ(b.dialogs.saisies[0].title, "quarvelin N°1");
    EXPECT_EQ(b.dialogs.saisies[0].text, "<201>     ..... e7-e5");
    ASSERT_GE(b->session().notes.size(), 3u);
    EXPECT_EQ(b->session().notes[2], "Symétrique");
    b.dialogs.texts = {""};
    b->noter_coup(); // an empty answer keeps the note
    EXPECT_EQ(b->session().notes[2], "Symétrique");
    b.commentary.text.clear();
    b->double_clic_ligne(1);
    EXPECT_EQ(b.commentary.text, "{Symétrique}\n");
    b->selectionner_ligne(4);
    b.dialogs.texts = {"Italienne"};
    b->noter_coup();
    EXPECT_EQ(b.dialogs.saisies.back().title, "quarvelin N°3");
    EXPECT_EQ(b->session().notes[5], "Italienne");
}

TEST(ModifierCoup, ReplacesTheLastMoveOnlyWithAReadableValidOne) {
    struct Cas {
        const char* reponse;
        bool confirme;
        const char* text; // the game text after
        const char* message;
    };
    const Cas cas[] = {
        {"Fb5", true, "1.e4 e5 2.Nf3 Nc6 3.Bb5", nullptr},
        {"Fb5", false, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr},
        {"xyz", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", "<520>"},
        {"Fa6", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr}, // blocked by b5? no: a6 is free
        {"e5", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr},  // a Black move read for White
        {"", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr},
    };
    for (const Cas& c : cas) {
        Banc b = partie_libre(Italienne);
        b.dialogs.texts = {c.reponse};
        b.dialogs.reponses = {c.confirme};
        b->modifier_dernier_coup();
        const GameSession& g = b->session();
        if (std::string(c.reponse) == "Fa6") {
            EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Ba6");
            continue;
        }
        EXPECT_EQ(g.GameMoveText, c.text) << c.reponse;
        EXPECT_EQ(g.lines.size(), 5u);
        EXPECT_EQ(g.PositionIndex, 6);
        EXPECT_EQ(positionKey(b->position()), g.PositionHistory[5]) << c.reponse;
        if (c.message) {
            EXPECT_TRUE(b.dialogs.a_montre(c.message));
        }
        EXPECT_TRUE(b.ecran_a_jour());
    }
}

TEST(Replay, AGameTextRebuildsTheGame) {
    Banc b = partie_libre({});
    GameSession& g = b->session();
    g.NotationCode = NotationCode::Pgn;
    g.GameMoveText =
        "1.e4 {Le meilleur} e5 2.Nf3 (2.f4 exf4) Nc6 $1 3.Bb5 a6 4.Bxc6 dxc6 5.O-O 1-0";
    b->rejouer_partie();
    EXPECT_EQ(g.lines.size(), 9u);
    EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Bxc6 dxc6 5.O-O");
    EXPECT_EQ(g.lines[8], " 5.O-O");
    EXPECT_EQ(g.PositionIndex, 10);
    EXPECT_EQ(b.sur("g1"), PieceCode::WhiteKing);
    EXPECT_TRUE(b.ecran_a_jour());
    EXPECT_TRUE(b.dialogs.questions.empty());

    g.GameMoveText = "*";
    b->rejouer_partie();
    EXPECT_TRUE(g.lines.empty());
    EXPECT_EQ(b->position(), Position::initial());
}

TEST(Replay, OriginRepairsAndRefusedMoves) {
    struct Cas {
        const char* fen;
        const char* text;
        const char* attendu;
        std::size_t questions;
    };
    const Cas cas[] = {
        // The first knight in walk order is pinned; the other one makes the move.
        {"4k3/8/8/3b4/8/1N3N2/6K1/8 w - - 0 1", "1.Nd4", "1.Nd4", 0},
        {"4k3/8/8/8/8/8/4N3/r1N1K3 w - - 0 1", "1.Nd4", "1.Nd4", 0},
        // Two rooks on a file with a piece between: only the free one can go.
        {"4k3/R7/8/P7/8/8/8/R3K3 w - - 0 1", "1.Ra3", "1.Ra3", 0},
        // A move nothing can play: asked, answered No, the replay stops there.
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "1.Ra2 Ke7 2.Qd4", "1.Ra2 Ke7", 1},
    };
    for (const Cas& c : cas) {
        Banc b = partie_libre({});
        b.dialogs.parDefaut = false;
        GameSession& g = b->session();
        g.NotationCode = NotationCode::Pgn;
        g.GameMoveText = c.text;
        b->rejouer_partie(readFen(c.fen, Colour::White));
        EXPECT_EQ(g.GameMoveText, c.attendu) << c.fen;
        EXPECT_EQ(b.dialogs.questions.size(), c.questions) << c.fen;
        EXPECT_EQ(g.FenDepart, writeFen(g.PositionStates[0]));
        EXPECT_TRUE(b.ecran_a_jour());
    }
}

TEST(Coller, APastedPositionStartsAGameAndARefusedOneChangesNothing) {
    Banc b = partie_libre(Italienne);
    const GameSession& g = b->session();
    const Position avant = b->position();
    for (const char* mauvais : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1",
                                "8/8/8/8/8/8/8/8 w - - 0 1"}) {
        b->pastePosition(mauvais);
        EXPECT_EQ(g.lines.size(), 5u);
        EXPECT_EQ(b->position(), avant);
    }
    EXPECT_TRUE(b.dialogs.a_montre("<338>"));
    b.dialogs.messages.clear();
    b->pastePosition("bonjour"); // neither FEN nor key: ignored
    EXPECT_TRUE(b.dialogs.messages.empty());

    std::string fen = b->copier_position(2);
    std::string key = b->copier_position(1);
    b->pastePosition("4k3/8/8/8/8/8/8/4K2R w K - 3 40");
    EXPECT_TRUE(g.lines.empty());
    EXPECT_EQ(g.PositionIndex, 1);
    EXPECT_EQ(b->copier_position(2), "4k3/8/8/8/8/8/8/4K2R w K - 3 40");
    EXPECT_EQ(g.FenDepart, "4k3/8/8/8/8/8/8/4K2R w K - 3 40");
    b.move("e1", "g1");
    EXPECT_EQ(g.GameMoveText, "40.O-O");
    b->pastePosition(fen);
    EXPECT_EQ(b->copier_position(1), key);
    EXPECT_TRUE(b.ecran_a_jour());
}

TEST(Edition, KingsFirstThenPlayFromThePosition) {
    Settings s = reglages_de_test(0);
    s.DEB_BLANC = 0; // the machine has White and moves at once
    Banc b(s);
    b->nouvelle_partie();
    b.dialogs.reponses = {false};
    b->entrer_edition(true);
    EXPECT_EQ(b->state(), EtatPlateau::Attente);
    b->entrer_edition(false);
    ASSERT_EQ(b->state(), EtatPlateau::Edition);
    EXPECT_TRUE(b.plateau.enEdition);
    // Clear the board: a click without a palette piece empties the square.
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) b->clic_case(x, y);
    b->clic_palette(PieceCode::WhiteKing);
    b.clic("e1");
    EXPECT_FALSE(b->demarrer_edition());
    EXPECT_TRUE(b.dialogs.a_montre("<176>"));
    EXPECT_EQ(b->state(), EtatPlateau::Edition);
    b->clic_palette(PieceCode::BlackKing);
    b.clic("e8");
    b->clic_palette(PieceCode::WhiteRook);
    b->clic_palette(PieceCode::WhiteRook); // a second click lets it go
    b.clic("a1");                          // so this click empties a1
    b->clic_palette(PieceCode::WhiteQueen);
    b.clic("d1");
    EXPECT_EQ(b.sur("a1"), PieceCode::Empty);
    ASSERT_TRUE(b->demarrer_edition());
    EXPECT_FALSE(b.plateau.enEdition);
    const GameSession& g = b->session();
    EXPECT_EQ(g.FenDepart, "4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    ASSERT_EQ(g.lines.size(), 1u); // the machine's White move
    EXPECT_EQ(b->position().LastMoverColour, Colour::White);
    EXPECT_EQ(g.PositionIndex, 2);
}

TEST(Reperes, ToggleTheCoordinateLabels) {
    Banc b = partie_libre({});
    bool avant = b->session().reperesVisibles;
    b->basculer_reperes();
    EXPECT_NE(b->session().reperesVisibles, avant);
    b->basculer_reperes();
    EXPECT_EQ(b->session().reperesVisibles, avant);
}

} // namespace
