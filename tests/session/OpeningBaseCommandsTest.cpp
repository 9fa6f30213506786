// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"
#include "support/TestFolder.h"

#include "openings/OpeningBase.h"
#include "session/OpeningBaseCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

class BaseCommands : public ::testing::Test {
protected:
    fs::path dir = testFolder("quarvelin-basecmd");
    Settings settings = testSettings();
    OffsetCatalogue catalogue;
    ScriptedDialogs dialogs;
    InPlaceRunner runner;
    OpeningBase game; // the game's own read connection
    GameSession s;
    std::unique_ptr<OpeningBaseCommands> commands;

    void SetUp() override {
        settings.BASE_ECO = (dir / "eco.db").string();
        settings.ACTIVE_BASE_CON = {1, 1, 1};
        {
            OpeningBase created;
            ASSERT_TRUE(created.open(settings.BASE_ECO, true));
            ASSERT_TRUE(created.append({{0, "C20", "Pion roi", "1.e4 e5 *", 0, false}}));
        }
        ASSERT_TRUE(game.open(settings.BASE_ECO));
        commands = std::make_unique<OpeningBaseCommands>(settings, catalogue, dialogs, runner,
                                                         &game, "quarvelin");
        s.EngineProfile = 1;
        s.GameMoveText = "1.e4 e5 2.Nf3";
        s.GameResult = "*";
        s.OpeningCode = "C40";
        s.OpeningName = "Cavalier du roi";
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string lastMessage() const {
        return dialogs.messages.empty() ? "" : dialogs.messages.back().text;
    }
};

TEST_F(BaseCommands, LearningTheSameGameTwiceIsRefused) {
    dialogs.texts = {"beaucoup", "12,5"}; // asked again until it is a number
    commands->apprendre_partie(s, 0.75f);
    ASSERT_EQ(dialogs.inputs.size(), 2u);
    EXPECT_EQ(dialogs.questions.back().text, "<106><107>1.e4 e5 2.Nf3 *");
    EXPECT_EQ(lastMessage(), "<109><110>1\n1.e4 e5 2.Nf3 *");
    auto learned = game.linesStartingWith("1.e4 e5 2.Nf3");
    ASSERT_EQ(learned.size(), 1u);
    EXPECT_EQ(learned[0], (EcoLine{2, "C40", "Cavalier du roi", "1.e4 e5 2.Nf3 *", 12.5f, true}));

    commands->apprendre_partie(s, 0);
    EXPECT_EQ(lastMessage(), "<105>");
    EXPECT_EQ(game.lineCount(), 2);
}

TEST_F(BaseCommands, UpToTheCursorAndRefusals) {
    dialogs.texts = {"3"};
    commands->apprendre_partie(s, 0, 2); // the selected move is Black's first
    EXPECT_TRUE(game.hasLearnedLine("1.e4 e5"));
    EXPECT_FALSE(game.hasLearnedLine("1.e4 e5 2.Nf3"));

    dialogs.answers = {false}; // not confirmed
    commands->apprendre_partie(s, 0);
    EXPECT_FALSE(game.hasLearnedLine("1.e4 e5 2.Nf3"));

    s.EngineProfile = 2;
    settings.ACTIVE_BASE_CON[2] = 0;
    commands->apprendre_partie(s, 0);
    EXPECT_EQ(lastMessage(), "<111>");
    commands->purge(s);
    EXPECT_EQ(lastMessage(), "<227>");
    EXPECT_EQ(game.lineCount(), 2);

    s.EngineProfile = 1;
    commands->purge(s);
    EXPECT_EQ(lastMessage(), "<226>");
    EXPECT_EQ(game.lineCount(), 1);
}

TEST_F(BaseCommands, ReplacingTheFileReopensTheGame) {
    commands->compact();
    EXPECT_EQ(lastMessage(), "<1101>");
    ASSERT_TRUE(game.isOpen());
    EXPECT_EQ(game.nommer_ouverture("1.e4")->code, "C20");
    commands->repair();
    EXPECT_EQ(lastMessage(), "<1103>\n<1105>");
    EXPECT_TRUE(game.isOpen());
}

TEST_F(BaseCommands, ABrokenImportLeavesTheBaseWhole) {
    const std::string csv = (dir / "eco.csv").string();
    commands->exporter_csv(csv);
    EXPECT_EQ(lastMessage(), "<275>1");
    writeText(csv, readText(csv) + "9;B20;\"Sicilienne;1.e4 c5 *;0;0\r\n");
    commands->importer_csv(csv);
    EXPECT_EQ(lastMessage(), "<1108>");
    EXPECT_EQ(game.lineCount(), 1);

    commands->importer_csv((dir / "absent.csv").string());
    EXPECT_EQ(lastMessage(), "<279> (" + (dir / "absent.csv").string() + ")");

    writeText(csv, "Eco_code;Eco_libelle;Eco_coup\r\nB20;Sicilienne;1.e4 c5 *\r\n");
    commands->importer_csv(csv);
    EXPECT_EQ(lastMessage(), "<275>1");
    EXPECT_EQ(game.nommer_ouverture("1.e4")->code, "B20");
}

TEST_F(BaseCommands, LearningAFileNeverTouchesTheGame) {
    const std::string pgn = (dir / "games.pgn").string();
    writeText(pgn, "[Event \"x\"]\n[ECO \"B20\"]\n\n1. e4 c5 2. Nf3 d6 1-0\n");
    commands->apprendre_fichier_pgn(pgn);
    EXPECT_EQ(lastMessage(), "<109><110>+4\n<1113>");
    EXPECT_EQ(s.GameMoveText, "1.e4 e5 2.Nf3");
    EXPECT_EQ(game.linesStartingWith("1.e4 c5").size(), 3u);
}

} // namespace

namespace {

TEST(ListedMove, PlayedAsTheUserWouldPlayIt) {
    Bench b(freePlay());
    b->newGame();
    EXPECT_TRUE(b->playListedMove("1.e4"));
    EXPECT_TRUE(b->playListedMove("e5"));
    EXPECT_TRUE(b->playListedMove("2.Nf3"));
    for (const char* refused : {"Ke3", "2.Nf3", "", "*"}) EXPECT_FALSE(b->playListedMove(refused));
    EXPECT_EQ(b->session().GameMoveText, "1.e4 e5 2.Nf3");
    EXPECT_EQ(b->session().lines.size(), 3u);
}

} // namespace
