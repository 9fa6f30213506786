// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"
#include "support/TestFolder.h"

#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

Bench free(bool white = true) { return Bench(freePlay(white)); }

TEST(NewGame, StartPositionRecordedAndAnnounced) {
    Bench b;
    b->newGame();
    const GameSession& s = b->session();
    EXPECT_EQ(s.PositionIndex, 1);
    EXPECT_EQ(s.PositionHistory[0], positionKey(Position::initial()));
    EXPECT_EQ(s.GameResult, "*");
    EXPECT_TRUE(b.screenUpToDate());
    EXPECT_EQ(b.sounds.played, std::vector<std::string>{"commencer.wav"});
    EXPECT_NE(b.commentary.text.find("<152>"), std::string::npos);
    EXPECT_NE(b.commentary.text.find("<154>"), std::string::npos);
    // White's clock runs first: the human's, at the bottom.
    EXPECT_EQ(b.timers.intervals[Timer::Bottom], 1000);
    EXPECT_EQ(b.timers.intervals[Timer::Top], 0);
    EXPECT_EQ(b->clocks().bottom(), "00:15:00");
}

TEST(NewGame, MachineOpensWhenTheHumanHasBlack) {
    Settings s = testSettings();
    s.DEB_BLANC = 0;
    Bench b(s);
    b->newGame();
    const GameSession& g = b->session();
    ASSERT_EQ(g.lines.size(), 1u);
    EXPECT_EQ(g.GameMoveText, "1.e4");
    EXPECT_EQ(g.lines[0], " 1.e2-e4");
    EXPECT_EQ(b->position().LastMoverColour, Colour::White);
    EXPECT_EQ(b->position().PlayerColour, Colour::Black);
    EXPECT_EQ(b.on("e4"), PieceCode::WhitePawn);
    EXPECT_TRUE(b.screenUpToDate());
    EXPECT_NE(b.commentary.text.find("<153>"), std::string::npos);
}

TEST(NewGame, ColourItemsFlipTheChoice) {
    Bench b;
    EXPECT_TRUE(b->session().whiteChosen);
    b->couleur_blanche();
    EXPECT_FALSE(b->session().whiteChosen);
    b->couleur_blanche();
    EXPECT_TRUE(b->session().whiteChosen);
    b->couleur_noire();
    EXPECT_FALSE(b->session().whiteChosen);
    b->couleur_noire();
    EXPECT_TRUE(b->session().whiteChosen);
}

TEST(NewGame, AutomaticHeaderNamesBothProfiles) {
    struct Case {
        bool twoProfiles;
        const char* black;
        const char* blackElo;
    };
    for (Case c : {Case{true, "Beta", "1800"}, Case{false, "Alpha", "1500"}}) {
        Settings s = testSettings(0);
        s.MODE_JEUX = 4;
        s.LIEU_JEU = "Lyon";
        s.NOM_MOTEUR = {"", "Alpha", "Beta"};
        s.NIVEAU_ELO = {0, 1500, 0};
        s.PROFONDEUR_MAX = {0, 1, 3};
        s.TwoProfiles = c.twoProfiles;
        Bench b(s);
        b->newGame();
        const std::string& h = b->session().GameText;
        EXPECT_NE(h.find("[Event \"Partie du "), std::string::npos);
        EXPECT_NE(h.find("[Site \"Lyon\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find("[White \"Alpha\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find(std::string("[Black \"") + c.black + "\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find("[WhiteElo \"1500\"]\r\n"), std::string::npos);
        EXPECT_NE(h.find(std::string("[BlackElo \"") + c.blackElo + "\"]\r\n\r\n"),
                  std::string::npos);
        EXPECT_EQ(b.timers.intervals[Timer::Auto], 100);
        EXPECT_TRUE(b.view.running);
    }
}

TEST(Input, RefusalsOfTheFirstClick) {
    Bench b;
    b->newGame();
    b.click("e4"); // empty: nothing
    EXPECT_EQ(b->state(), BoardState::Waiting);
    b.click("e7"); // the machine's piece
    EXPECT_TRUE(b.dialogs.showed("<150>"));
    Bench l = free();
    l->newGame();
    l.click("e7"); // either colour in free play, but in turn
    EXPECT_TRUE(l.dialogs.showed("<151>"));
    EXPECT_EQ(l->state(), BoardState::Waiting);
}

TEST(Input, LiftingAndPuttingBack) {
    Bench b = free();
    b->newGame();
    b.click("g1");
    EXPECT_EQ(b->state(), BoardState::PieceLifted);
    EXPECT_EQ(b.on("g1"), PieceCode::Empty);
    EXPECT_EQ(b.sounds.played.back(), "up.wav");
    b.click("g1");
    EXPECT_EQ(b->state(), BoardState::Waiting);
    EXPECT_EQ(b.on("g1"), PieceCode::WhiteKnight);
    EXPECT_TRUE(b->session().lines.empty());
}

TEST(Input, IllegalMovesGoBackWithTheErrorCue) {
    Bench b = free();
    b->newGame();
    b.move("g1", "g3");
    EXPECT_EQ(b.on("g1"), PieceCode::WhiteKnight);
    EXPECT_EQ(b.sounds.played.back(), "erreur.wav");
    EXPECT_NE(b.commentary.text.find("<143>"), std::string::npos);
    EXPECT_EQ(b.commentary.text.find("<172>"), std::string::npos);

    // A pinned piece: the move is valid but leaves the king attacked.
    b->pastePosition("4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1");
    b.commentary.text.clear();
    b.move("e2", "c3");
    EXPECT_EQ(b.on("e2"), PieceCode::WhiteKnight);
    EXPECT_NE(b.commentary.text.find("<172>"), std::string::npos);
    EXPECT_NE(b.commentary.text.find("<143>"), std::string::npos);
}

TEST(Input, TextsOfAMove) {
    Bench b = free();
    b->newGame();
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
    EXPECT_EQ(b.view.title.substr(0, 16), "<169> - [Nf3] - ");
    EXPECT_TRUE(b.screenUpToDate());
    // The clocks follow the side to move.
    EXPECT_EQ(b.timers.intervals[Timer::Top], 1000);
    EXPECT_EQ(b.timers.intervals[Timer::Bottom], 0);
}

TEST(Input, PromotionPickedOrTakenBack) {
    struct Case {
        NotationCode notation;
        std::optional<PieceType> choice;
        PieceCode piece; // on e8; Empty when the move was taken back
        const char* text;
    };
    const Case cases[] = {
        {NotationCode::Pgn, PieceType::Queen, PieceCode::WhiteQueen, "=Q"},
        {NotationCode::French, PieceType::Rook, PieceCode::WhiteRook, "=T"},
        {NotationCode::International, PieceType::Knight, PieceCode::WhiteKnight, "=N"},
        {NotationCode::Pgn, std::nullopt, PieceCode::Empty, ""},
    };
    for (const Case& c : cases) {
        Bench b = free();
        b->setNotation(c.notation);
        b->newGame();
        b->pastePosition("8/4P2k/8/8/8/8/8/4K3 w - - 0 1");
        b.view.promotion = c.choice;
        b.move("e7", "e8");
        EXPECT_EQ(b.view.promotionsAsked, std::vector<Colour>{Colour::White});
        EXPECT_EQ(b.on("e8"), c.piece);
        EXPECT_TRUE(b.screenUpToDate());
        EXPECT_EQ(b->state(), BoardState::Waiting);
        if (c.choice) {
            EXPECT_NE(b->session().lines.back().find(c.text), std::string::npos)
                << b->session().lines.back();
        } else {
            // Cancelled: the pawn is back and it is still White's move.
            EXPECT_EQ(b.on("e7"), PieceCode::WhitePawn);
            EXPECT_TRUE(b->session().lines.empty());
            b.view.promotion = PieceType::Bishop;
            b.move("e7", "e8");
            EXPECT_EQ(b.on("e8"), PieceCode::WhiteBishop);
        }
    }
}

TEST(Input, EnPassant) {
    Bench b = free();
    b->newGame();
    b.move("e2", "e4");
    b.move("a7", "a6");
    b.move("e4", "e5");
    b.move("d7", "d5");
    b.move("e5", "d6");
    EXPECT_EQ(b.on("d5"), PieceCode::Empty);
    EXPECT_EQ(b.on("d6"), PieceCode::WhitePawn);
    EXPECT_EQ(b->session().lines.back(), " 3.e5xd6e.p.");
    EXPECT_EQ(b->session().GameMoveText, "1.e4 a6 2.e5 d5 3.exd6");
    EXPECT_NE(b.commentary.text.find("- <163><162><165>" +
                                     pieceName(code(PieceCode::BlackPawn), b.catalogue) + "\n"),
              std::string::npos)
        << b.commentary.text;
    EXPECT_TRUE(b.screenUpToDate());
}

TEST(Input, CastlingBothWaysInBothOrientations) {
    const struct {
        const char *white, *black; // the kings' destinations
        const char *whiteRook, *blackRook, *text, *line;
    } cases[] = {{"g1", "c8", "f1", "d8", "1.O-O O-O-O", " 1.O-O"},
                 {"c1", "g8", "d1", "f8", "1.O-O-O O-O", " 1.O-O-O"}};
    for (bool white : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.text) + (white ? "" : " black below"));
            Bench b = free(white);
            b->newGame();
            b->pastePosition("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1");
            b.move("e1", c.white);
            b.move("e8", c.black);
            EXPECT_EQ(b.on(c.whiteRook), PieceCode::WhiteRook);
            EXPECT_EQ(b.on(c.white), PieceCode::WhiteKing);
            EXPECT_EQ(b.on(c.blackRook), PieceCode::BlackRook);
            EXPECT_EQ(b.on(c.black), PieceCode::BlackKing);
            EXPECT_EQ(b->session().GameMoveText, c.text);
            EXPECT_EQ(b->session().lines[0], c.line);
            EXPECT_NE(b.commentary.text.find("<166>"), std::string::npos);
            EXPECT_TRUE(b.screenUpToDate());
        }
    }
}

TEST(Input, ThreefoldRepetitionOfferedOnTheThirdOccurrenceOnly) {
    for (bool accepted : {true, false}) {
        Bench b = free();
        b->newGame();
        b.dialogs.byDefault = accepted;
        const char* turn[][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
        for (auto& c : turn) b.move(c[0], c[1]);
        EXPECT_TRUE(b.dialogs.questions.empty()); // the start stands for the second time
        for (auto& c : turn) b.move(c[0], c[1]);
        ASSERT_EQ(b.dialogs.questions.size(), 1u);
        EXPECT_EQ(b.dialogs.questions[0].text, "<337>");
        EXPECT_EQ(b->session().GameResult, accepted ? "1/2-1/2" : "*");
        if (accepted) {
            EXPECT_EQ(b->session().lines.back(), "1/2-1/2");
            EXPECT_EQ(b.timers.intervals[Timer::Bottom], 0);
            EXPECT_EQ(b.timers.intervals[Timer::Top], 0);
        } else {
            // Asked again at each later repetition.
            b.move("g1", "f3");
            EXPECT_EQ(b.dialogs.questions.size(), 2u);
        }
    }
}

TEST(Input, MateByTheHumanEndsAFreeGame) {
    Bench b = free();
    b->newGame();
    const char* moves[][2] = {{"f2", "f3"}, {"e7", "e5"}, {"g2", "g4"}, {"d8", "h4"}};
    for (auto& c : moves) b.move(c[0], c[1]);
    EXPECT_EQ(b->session().GameResult, "0-1");
    EXPECT_EQ(b->session().lines.back(), "<167> - <147> !!! ");
    EXPECT_TRUE(b.dialogs.showed("<167> <147> !!! "));
    EXPECT_EQ(b->session().GameMoveText, "1.f3 e5 2.g4 Qh4#");
    b.click("e2"); // the game is over: the board takes no more moves
    EXPECT_EQ(b->state(), BoardState::Waiting);
}

TEST(Input, QualityMarksAndCues) {
    struct Case {
        double chance;
        const char* fen;
        const char* of;
        const char* to;
        const char* mark;
        const char* cue;
    };
    // Taking a queen for nothing is worth far more than 600 to the mover.
    const Case cases[] = {
        {0.1, "4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", "d2", "d5", "!", "mauvais.wav"},
        {0.9, "4k3/8/8/3q4/8/8/3R4/4K3 w - - 0 1", "d2", "d5", "!", "down.wav"},
        {0.1, "4k3/r7/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "d3", "3", "down.wav"},
        {0.1, "4k3/r7/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "e2", "2+", "comportement.wav"},
        {0.9, "4k3/r7/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "e2", "2+", "down.wav"},
        // The check mark comes before the quality mark.
        {0.1, "r2qk3/8/8/8/8/8/3R4/4K3 w - - 0 1", "d2", "e2", "+?", "raisonable.wav"},
    };
    for (const Case& c : cases) {
        Bench b = free();
        b.chance = c.chance;
        b->newGame();
        b->pastePosition(c.fen);
        b.sounds.played.clear();
        b.move(c.of, c.to);
        ASSERT_EQ(b->session().lines.size(), 1u) << c.fen;
        EXPECT_TRUE(b->session().lines[0].ends_with(c.mark)) << b->session().lines[0];
        EXPECT_EQ(b.sounds.played.back(), c.cue) << b->session().lines[0] << b.view.title;
    }
}

TEST(Sounds, SilentWhenOffAndReportedWhenBroken) {
    Settings s = testSettings();
    s.ACTIVE_SON = 0;
    Bench silent(s);
    silent->newGame();
    silent.move("e2", "e4");
    EXPECT_TRUE(silent.sounds.played.empty());
    EXPECT_TRUE(silent.dialogs.messages.empty());

    Bench broken;
    broken.sounds.succeeds = false;
    broken->newGame();
    ASSERT_EQ(broken.dialogs.messages.size(), 1u);
    EXPECT_EQ(broken.dialogs.messages[0].title, "<924>");
    EXPECT_EQ(broken.dialogs.messages[0].text, "<923>");
    EXPECT_EQ(broken.sounds.played[0], "commencer.wav");
}

TEST(Clocks, LossOnTimeAtExactlyZero) {
    struct Case {
        bool white;
        Timer m;
        const char* result;
        const char* loser;
        const char* title;
    };
    const Case cases[] = {
        {true, Timer::Bottom, "0-1", "<144>", "<149>"},
        {false, Timer::Bottom, "1-0", "<145>", "<149>"},
        {true, Timer::Top, "1-0", "<145>", "<149>"},
        {false, Timer::Top, "0-1", "<144>", "<149>"},
    };
    for (const Case& c : cases) {
        Settings s = freePlay(c.white);
        s.DELAI_PARTIE = "00:00:03";
        Bench b(s);
        b->newGame();
        // Moves until the asked clock is the one running.
        if (b.timers.intervals[c.m] == 0) b.move("e2", "e4");
        ASSERT_EQ(b.timers.intervals[c.m], 1000);
        b->tick(c.m);
        b->tick(c.m);
        EXPECT_EQ(b->session().GameResult, "*");
        b->tick(c.m);
        EXPECT_EQ(c.m == Timer::Bottom ? b->clocks().bottom() : b->clocks().top(), "00:00:00");
        EXPECT_EQ(b->session().GameResult, c.result);
        // The move list says why the game ended.
        EXPECT_EQ(b->session().lines.back(), std::string("<148> ") + c.loser);
        ASSERT_FALSE(b.dialogs.messages.empty());
        EXPECT_EQ(b.dialogs.messages.back().text, std::string("<148> ") + c.loser);
        EXPECT_EQ(b.dialogs.messages.back().title, c.title);
        for (Timer m : {Timer::Bottom, Timer::Top, Timer::Duration, Timer::Auto})
            EXPECT_EQ(b.timers.intervals[m], 0);
        EXPECT_TRUE(b.board.marks.empty()); // only the last move stays marked
    }
}

TEST(Clocks, DurationCountsAndClocksOffStayStill) {
    Settings s = testSettings();
    s.ACTIVE_HORLOGE = 0;
    Bench b(s);
    b->newGame();
    EXPECT_EQ(b.timers.intervals[Timer::Bottom], 0);
    for (int i = 0; i < 61; ++i) b->tick(Timer::Duration);
    EXPECT_EQ(b->clocks().duration(), "00:01:01");
    b.move("e2", "e4");
    EXPECT_EQ(b.timers.intervals[Timer::Top], 0);
}

TEST(Clocks, TimeTexts) {
    EXPECT_EQ(Clocks::readTime("00:15:00"), 900);
    EXPECT_EQ(Clocks::readTime("1:02:03"), 3723);
    EXPECT_EQ(Clocks::readTime("00:60:00"), std::nullopt);
    EXPECT_EQ(Clocks::readTime("quinze"), std::nullopt);
    EXPECT_EQ(Clocks::readTime("00:15:00x"), std::nullopt);
    EXPECT_EQ(Clocks::writeTime(3723), "01:02:03");
    EXPECT_EQ(Clocks::writeTime(-5), "00:00:00");
}

TEST(Draw, MachineAcceptsOnlyAfterTenMovesWhenBehind) {
    struct Case {
        const char* fen;
        bool drawAccepted;
    };
    // The machine has Black and is a queen down in the first three; not in the last.
    const Case cases[] = {
        {"4k3/8/8/8/8/8/3Q4/4K3 w - - 0 1", false},
        {"4k3/8/8/8/8/8/3Q4/4K3 w - - 0 11", false}, // ten White moves are not enough
        {"4k3/8/8/8/8/8/3Q4/4K3 w - - 0 12", true},
        {"4k3/3q4/8/8/8/8/8/4K3 w - - 0 12", false},
    };
    for (const Case& c : cases) {
        Bench b;
        b->newGame();
        b->pastePosition(c.fen);
        b->offerDraw();
        EXPECT_EQ(b->session().GameResult, c.drawAccepted ? "1/2-1/2" : "*") << c.fen;
        ASSERT_FALSE(b.dialogs.messages.empty());
        EXPECT_EQ(b.dialogs.messages.back().text.substr(0, 5), c.drawAccepted ? "<336>" : "<335>");
    }
}

TEST(Abandon, OnlyOnYesAndTheGameEndsWithItsResultLine) {
    struct Case {
        int mode;
        bool moveFirst; // in free play the side to move resigns
        const char* result;
        const char* line;
    };
    const Case cases[] = {
        {1, false, "0-1", "<31>"}, {2, false, "0-1", "<31>"}, {2, true, "1-0", "<32>"}};
    for (const Case& c : cases) {
        Settings s = testSettings();
        s.MODE_JEUX = c.mode;
        Bench b(s);
        b->newGame();
        if (c.moveFirst) b.move("e2", "e4");
        b.dialogs.answers = {false};
        b->resign();
        EXPECT_EQ(b->session().GameResult, "*");
        b->resign();
        EXPECT_TRUE(b->session().boardOpen); // the board stays for the next game
        EXPECT_EQ(b->session().GameResult, c.result);
        EXPECT_EQ(b->session().lines.back(), c.line);
        EXPECT_EQ(b.view.shownResult, c.result);
        EXPECT_EQ(b.timers.intervals[Timer::Bottom], 0);
        EXPECT_EQ(b.timers.intervals[Timer::Top], 0);
        // A finished game cannot be resigned again.
        const std::size_t asked = b.dialogs.questions.size();
        b->resign();
        EXPECT_EQ(b.dialogs.questions.size(), asked);
    }
}

// The log as a game kept (or not) in `path` writes it: e2-e4 and Black's reply, or a
// stalemate when `fen` is given.
std::string logOf(const std::string& path, bool kept, const char* fen = nullptr) {
    Settings s = testSettings(0);
    s.GES_LOG = kept ? 1 : 0;
    s.FILE_LOG = path;
    Bench b(s);
    b->newGame();
    if (fen) {
        b->pastePosition(fen);
        b.move("g6", "f7");
    } else {
        b.move("e2", "e4");
        EXPECT_EQ(b->session().lines.size(), 2u); // a log that cannot open is passed over
    }
    return readText(path);
}

TEST(Log, NewGamesTheEnginesChoicesAndStalematesWhenKept) {
    const auto folder = testFolder("log");
    EXPECT_EQ(logOf((folder / "off.log").string(), false), "");
    const std::string content = logOf((folder / "on.log").string(), true);
    // The new game's line, then the board's.
    EXPECT_TRUE(content.starts_with("-><28> - ")) << content;
    for (const char* piece :
         {"\n-> <28> - ", "<330>1<332>" /* Black's search */, " * Selection : ("})
        EXPECT_NE(content.find(piece), std::string::npos) << content;
    EXPECT_EQ(logOf("/nonexistent/dir/q.log", true), "");
    EXPECT_TRUE(logOf((folder / "pat.log").string(), true, "7k/8/6Q1/8/8/8/8/6K1 w - - 0 1")
                    .ends_with("<169> - 1/2-1/2 - PAT\n"));
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
