#include "session/SessionDoubles.h"

#include "notation/Fen.h"
#include "records/PgnReader.h"
#include "records/GameRecordText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

ParsedGame lire(const std::string& pgn) {
    std::istringstream in(pgn);
    return readPgnGame(in, 0);
}

struct CasNotes {
    const char* name;
    std::string pgn;
    std::size_t moves;
    std::vector<std::pair<std::size_t, std::string>> notes; // by move played, from 1
    std::string fenFinale;
};

class NotesDesCommentaires : public ::testing::TestWithParam<CasNotes> {};

TEST_P(NotesDesCommentaires, LandOnTheMovesTheyFollow) {
    const CasNotes& c = GetParam();
    Banc b;
    ASSERT_TRUE(b->charger_partie(lire(c.pgn)));
    const GameSession& s = b->session();
    EXPECT_EQ(s.lines.size(), c.moves);
    EXPECT_EQ(s.NotationCode, NotationCode::Pgn);
    ASSERT_EQ(s.notes.size(), c.moves + 1);
    std::size_t avecNote = 0;
    for (const std::string& n : s.notes) avecNote += !n.empty();
    EXPECT_EQ(avecNote, c.notes.size());
    for (const auto& [k, text] : c.notes) EXPECT_EQ(s.notes[k], text) << k;
    EXPECT_EQ(writeFen(b->position()), c.fenFinale);
}

INSTANTIATE_TEST_SUITE_P(
    Chargement, NotesDesCommentaires,
    ::testing::Values(
        CasNotes{"Initial",
                 "[Event \"a\"]\n\n1.e4 {a} e5 {b} 2.Nf3 Nc6 {c} 1-0\n",
                 4,
                 {{1, "a"}, {2, "b"}, {4, "c"}},
                 "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3"},
        // From a position with Black to move at move 20: its first move is half-move 40.
        CasNotes{"FenBlackToMove",
                 "[Event \"b\"]\n[SetUp \"1\"]\n"
                 "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 20\"]\n\n"
                 "20... Kd7 {first} 21.e4 Kc6 {third} *\n",
                 3,
                 {{1, "first"}, {3, "third"}},
                 "8/8/2k5/8/4P3/8/8/4K3 w - - 1 22"}),
    [](const auto& info) { return info.param.name; });

TEST(Chargement, ResultKeptAndCommentaryShowsCommentsAndVariations) {
    Banc b;
    b.commentary.text.clear();
    ASSERT_TRUE(b->charger_partie(
        lire("[Event \"a\"]\n[Result \"0-1\"]\n\n{opening words} 1.e4 (1.d4 d5) e5 {b} 0-1\n")));
    EXPECT_EQ(b->session().GameResult, "0-1");
    const std::string& t = b.commentary.text;
    EXPECT_NE(t.find("{opening words}"), std::string::npos) << t;
    EXPECT_NE(t.find("{b}"), std::string::npos) << t;
    EXPECT_NE(t.find("1. (1.d4 d5)"), std::string::npos) << t;
    // The opening comment is the game's own note, saved in front of the first move.
    EXPECT_EQ(b->session().notes.at(0), "opening words");
    const std::string sauve =
        saveText(b->session(), b.settings, Colour::White, std::chrono::year_month_day{},
                         b.catalogue, b.dialogs, "quarvelin");
    EXPECT_NE(sauve.find("\r\n{opening words} 1.e4 e5 {b} 0-1"), std::string::npos) << sauve;
}

TEST(Chargement, ClocksOfTheGameBeforeAreResetAndStill) {
    Banc b;
    b->nouvelle_partie();
    for (int i = 0; i < 5; ++i) b->tick(Minuterie::Basse);
    ASSERT_EQ(b->horloges().basse(), "00:14:55");
    ASSERT_TRUE(b->charger_partie(lire("[Event \"a\"]\n\n1.e4 e5 *\n")));
    EXPECT_EQ(b->horloges().basse(), "00:15:00");
    for (Minuterie m : {Minuterie::Basse, Minuterie::Haute, Minuterie::Duration})
        EXPECT_EQ(b.minuteries.intervalles[m], 0);
}

TEST(Chargement, RefusedStartLeavesTheGameOnTheBoard) {
    Banc b;
    b->nouvelle_partie();
    b->charger_partie(lire("[Event \"a\"]\n\n1.e4 e5 *\n"));
    const std::string avant = b->session().GameMoveText;
    ParsedGame deuxRois = lire("[Event \"b\"]\n\n1.d4 *\n");
    deuxRois.FenDepart = "4k3/8/8/8/8/8/8/4KK2 w - - 0 1";
    EXPECT_FALSE(b->charger_partie(deuxRois));
    EXPECT_EQ(b->session().GameMoveText, avant);
    EXPECT_FALSE(b.dialogs.messages.empty());
}

} // namespace
