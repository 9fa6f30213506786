// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionDoubles.h"

#include "notation/Fen.h"
#include "notation/ParsedGame.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

Bench freeGame(std::initializer_list<std::pair<const char*, const char*>> moves,
               bool white = true) {
    Bench b(freePlay(white));
    b->newGame();
    for (auto [of, to] : moves) b.move(of, to);
    return b;
}

const std::initializer_list<std::pair<const char*, const char*>> Italian = {
    {"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}, {"f1", "c4"}};

TEST(Navigation, ButtonsShowTheRecordedPositions) {
    Bench b = freeGame(Italian);
    const GameSession& g = b->session();
    ASSERT_EQ(g.lines.size(), 5u);
    const Position end = b->position();
    struct Step {
        int button, entry, line;
    };
    // Back and forward step one move; first deselects; forward from nothing goes to move 1.
    const Step steps[] = {{1, 4, 3}, {1, 3, 2}, {2, 4, 3}, {0, 0, -1}, {2, 1, 0},
                          {2, 2, 1}, {3, 5, 4}, {2, 5, 4}, {0, 0, -1}, {1, 0, -1}};
    for (const Step& e : steps) {
        b->navigate(e.button);
        EXPECT_EQ(b->shownEntry(), e.entry) << e.button;
        EXPECT_EQ(g.selectedLine, e.line) << e.button;
        EXPECT_EQ(positionKey(b->position()), g.PositionHistory[static_cast<std::size_t>(e.entry)]);
        EXPECT_TRUE(b.screenUpToDate());
    }
    b->navigate(3);
    EXPECT_EQ(b->position(), end); // castling rights and counters come back too
    EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Bc4"); // navigation changes no text
}

TEST(Navigation, ScrollingStepsToTheEndAndStops) {
    Bench b = freeGame(Italian);
    b->navigate(0);
    b->navigate(4);
    EXPECT_TRUE(b.view.running);
    EXPECT_EQ(b.view.tip, "<921>");
    EXPECT_EQ(b.timers.intervals[Timer::Scroll], 1000);
    for (int i = 0; i < 4; ++i) b->tick(Timer::Scroll);
    EXPECT_EQ(b->session().selectedLine, 3);
    EXPECT_EQ(b.timers.intervals[Timer::Scroll], 1000);
    b->tick(Timer::Scroll);
    EXPECT_EQ(b->session().selectedLine, 4);
    EXPECT_EQ(b.timers.intervals[Timer::Scroll], 0);
    EXPECT_FALSE(b.view.running);
    EXPECT_EQ(b.view.tip, "<922>");
    // Started on the last line, it stops at its first tick.
    b->navigate(4);
    b->tick(Timer::Scroll);
    EXPECT_EQ(b.timers.intervals[Timer::Scroll], 0);
}

TEST(Navigation, PlayingFromAnEarlierPositionCutsTheGameBack) {
    for (bool yes : {false, true}) {
        Bench b = freeGame(Italian);
        b->selectLine(2); // after 2.Nf3, Black to move
        b.dialogs.answers = {yes};
        b.move("g8", "f6");
        ASSERT_EQ(b.dialogs.questions.size(), 1u);
        EXPECT_EQ(b.dialogs.questions[0].text, "<177>");
        const GameSession& g = b->session();
        if (!yes) {
            EXPECT_EQ(g.lines.size(), 5u);
            EXPECT_EQ(b.on("g8"), PieceCode::BlackKnight);
            continue;
        }
        EXPECT_EQ(g.lines.size(), 4u);
        EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nf6");
        EXPECT_EQ(g.LongMoveText, "1.e2-e4 e7-e5 2.Cg1-f3 Cg8-f6");
        EXPECT_EQ(g.PositionIndex, 5);
        EXPECT_EQ(b->position().MoveCount, 2);
        EXPECT_EQ(b.on("c6"), PieceCode::Empty);
        EXPECT_EQ(b.on("b8"), PieceCode::BlackKnight);
        EXPECT_TRUE(b.screenUpToDate());
    }
}

TEST(Navigation, AgainstTheMachineOnlyTheHumansTurnCanBeResumed) {
    Settings s = testSettings(0);
    Bench b(s);
    b->newGame();
    b.move("e2", "e4");
    b.move("d2", "d4");
    ASSERT_EQ(b->session().lines.size(), 4u);
    b->selectLine(0); // after White's move: the machine's turn there
    b.click("d2");    // its piece is White's own, but not White's turn
    EXPECT_TRUE(b.dialogs.showed("<151>"));
    b->selectLine(1);
    b.dialogs.answers = {true};
    b.move("g1", "f3");
    EXPECT_EQ(b->session().lines.size(), 4u); // cut to two moves, then Nf3 and a reply
    EXPECT_TRUE(b->session().GameMoveText.starts_with("1.e4 "));
    EXPECT_NE(b->session().GameMoveText.find(" 2.Nf3 "), std::string::npos);
}

TEST(Notes, StoredByHalfMoveAndShownOnDoubleClick) {
    Bench b = freeGame(Italian);
    b->selectLine(1);
    b.dialogs.texts = {"Symétrique"};
    b->noteMove();
    ASSERT_EQ(b.dialogs.inputs.size(), 1u);
    EXPECT_EQ(b.dialogs.inputs[0].title, "quarvelin N°1");
    EXPECT_EQ(b.dialogs.inputs[0].text, "<201>     ..... e7-e5");
    ASSERT_GE(b->session().notes.size(), 3u);
    EXPECT_EQ(b->session().notes[2], "Symétrique");
    b.dialogs.texts = {""};
    b->noteMove(); // an empty answer keeps the note
    EXPECT_EQ(b->session().notes[2], "Symétrique");
    b.commentary.text.clear();
    b->doubleClickLine(1);
    EXPECT_EQ(b.commentary.text, "{Symétrique}\n");
    b->selectLine(4);
    b.dialogs.texts = {"Italienne"};
    b->noteMove();
    EXPECT_EQ(b.dialogs.inputs.back().title, "quarvelin N°3");
    EXPECT_EQ(b->session().notes[5], "Italienne");
}

TEST(ModifyMove, ReplacesTheLastMoveOnlyWithAReadableValidOne) {
    struct Case {
        const char* answer;
        bool confirmed;
        const char* text; // the game text after
        const char* message;
    };
    const Case cases[] = {
        {"Fb5", true, "1.e4 e5 2.Nf3 Nc6 3.Bb5", nullptr},
        {"Fb5", false, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr},
        {"xyz", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", "<520>"},
        {"Fa6", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr}, // blocked by b5? no: a6 is free
        {"e5", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr},  // a Black move read for White
        {"", true, "1.e4 e5 2.Nf3 Nc6 3.Bc4", nullptr},
    };
    for (const Case& c : cases) {
        Bench b = freeGame(Italian);
        b.dialogs.texts = {c.answer};
        b.dialogs.answers = {c.confirmed};
        b->modifyLastMove();
        const GameSession& g = b->session();
        if (std::string(c.answer) == "Fa6") {
            EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Ba6");
            continue;
        }
        EXPECT_EQ(g.GameMoveText, c.text) << c.answer;
        EXPECT_EQ(g.lines.size(), 5u);
        EXPECT_EQ(g.PositionIndex, 6);
        EXPECT_EQ(positionKey(b->position()), g.PositionHistory[5]) << c.answer;
        if (c.message) {
            EXPECT_TRUE(b.dialogs.showed(c.message));
        }
        EXPECT_TRUE(b.screenUpToDate());
    }
}

TEST(Replay, AGameTextRebuildsTheGame) {
    Bench b = freeGame({});
    const GameSession& g = b->session();
    b->setNotation(NotationCode::Pgn);
    b->rejouer_partie(
        "1.e4 {Le meilleur} e5 2.Nf3 (2.f4 exf4) Nc6 $1 3.Bb5 a6 4.Bxc6 dxc6 5.O-O 1-0");
    EXPECT_EQ(g.lines.size(), 9u);
    EXPECT_EQ(g.GameMoveText, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Bxc6 dxc6 5.O-O");
    EXPECT_EQ(g.lines[8], " 5.O-O");
    EXPECT_EQ(g.PositionIndex, 10);
    EXPECT_EQ(b.on("g1"), PieceCode::WhiteKing);
    EXPECT_TRUE(b.screenUpToDate());
    EXPECT_TRUE(b.dialogs.questions.empty());

    b->rejouer_partie("*");
    EXPECT_TRUE(g.lines.empty());
    EXPECT_EQ(b->position(), Position::initial());
}

TEST(Replay, OriginRepairsAndRefusedMoves) {
    struct Case {
        const char* fen;
        const char* text;
        const char* expected;
        std::size_t questions;
    };
    const Case cases[] = {
        // The first knight in walk order is pinned; the other one makes the move.
        {"4k3/8/8/3b4/8/1N3N2/6K1/8 w - - 0 1", "1.Nd4", "1.Nd4", 0},
        {"4k3/8/8/8/8/8/4N3/r1N1K3 w - - 0 1", "1.Nd4", "1.Nd4", 0},
        // Two rooks on a file with a piece between: only the free one can go.
        {"4k3/R7/8/P7/8/8/8/R3K3 w - - 0 1", "1.Ra3", "1.Ra3", 0},
        // A move nothing can play: asked, answered No, the replay stops there.
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "1.Ra2 Ke7 2.Qd4", "1.Ra2 Ke7", 1},
    };
    for (const Case& c : cases) {
        Bench b = freeGame({});
        b.dialogs.byDefault = false;
        const GameSession& g = b->session();
        b->setNotation(NotationCode::Pgn);
        b->rejouer_partie(c.text, readFen(c.fen, Colour::White));
        EXPECT_EQ(g.GameMoveText, c.expected) << c.fen;
        EXPECT_EQ(b.dialogs.questions.size(), c.questions) << c.fen;
        EXPECT_EQ(g.FenDepart, writeFen(g.PositionStates[0]));
        EXPECT_TRUE(b.screenUpToDate());
    }
}

TEST(Replay, LongTextsCarryEnPassantButNoCheckMarks) {
    struct Case {
        const char* fen; // empty: the initial position
        const char* text;
        std::size_t line;
        const char* expected;
    };
    const char* enPassant = "1.e4 a6 2.e5 f5 3.exf6 e6 4.Qh5+ g6";
    const Case cases[] = {
        {"", enPassant, 4, " 3.e5xf6e.p."},
        {"", enPassant, 6, " 4.Qd1-h5"},
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", "1.a8=Q+", 0, " 1.a7-a8=Q"},
    };
    for (const Case& c : cases) {
        Bench b = freeGame({});
        b->setNotation(NotationCode::Pgn);
        std::optional<Position> start;
        if (*c.fen) start = readFen(c.fen, Colour::White);
        b->rejouer_partie(c.text, start);
        const GameSession& g = b->session();
        ASSERT_GT(g.lines.size(), c.line) << c.text;
        EXPECT_EQ(g.lines[c.line], c.expected);
        EXPECT_EQ(g.GameMoveText, c.text); // the short text keeps its check marks
    }
}

TEST(Paste, APastedPositionStartsAGameAndARefusedOneChangesNothing) {
    Bench b = freeGame(Italian);
    const GameSession& g = b->session();
    const Position before = b->position();
    for (const char* bad : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNX w KQkq - 0 1",
                            "8/8/8/8/8/8/8/8 w - - 0 1"}) {
        b->pastePosition(bad);
        EXPECT_EQ(g.lines.size(), 5u);
        EXPECT_EQ(b->position(), before);
    }
    EXPECT_TRUE(b.dialogs.showed("<338>"));
    b.dialogs.messages.clear();
    b->pastePosition("bonjour"); // neither FEN nor key: ignored
    EXPECT_TRUE(b.dialogs.messages.empty());

    std::string fen = b->copyPosition(2);
    std::string key = b->copyPosition(1);
    // Copied with a line break after it, as pages and other programs copy it.
    b->pastePosition("4k3/8/8/8/8/8/8/4K2R w K - 3 40\r\n");
    EXPECT_TRUE(g.lines.empty());
    EXPECT_EQ(g.PositionIndex, 1);
    EXPECT_EQ(b->copyPosition(2), "4k3/8/8/8/8/8/8/4K2R w K - 3 40");
    EXPECT_EQ(g.FenDepart, "4k3/8/8/8/8/8/8/4K2R w K - 3 40");
    b.move("e1", "g1");
    EXPECT_EQ(g.GameMoveText, "40.O-O");
    b->pastePosition(fen);
    EXPECT_EQ(b->copyPosition(1), key);
    b->pastePosition(" " + key + "\n");
    EXPECT_EQ(b->copyPosition(1), key);
    EXPECT_TRUE(b.screenUpToDate());
}

TEST(Editing, KingsFirstThenPlayFromThePosition) {
    Settings s = testSettings(0);
    s.DEB_BLANC = 0; // the machine has White and moves at once
    Bench b(s);
    b->newGame();
    b.dialogs.answers = {false};
    b->enterEditor(true);
    EXPECT_EQ(b->state(), BoardState::Waiting);
    b->enterEditor(false);
    ASSERT_EQ(b->state(), BoardState::Editing);
    EXPECT_TRUE(b.board.isEditing);
    // Clear the board: a click without a palette piece empties the square.
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) b->clickSquare(x, y);
    b->clickPalette(PieceCode::WhiteKing);
    b.click("e1");
    EXPECT_FALSE(b->startFromEditor());
    EXPECT_TRUE(b.dialogs.showed("<176>"));
    EXPECT_EQ(b->state(), BoardState::Editing);
    b->clickPalette(PieceCode::BlackKing);
    b.click("e8");
    b->clickPalette(PieceCode::WhiteRook);
    b->clickPalette(PieceCode::WhiteRook); // a second click lets it go
    b.click("a1");                         // so this click empties a1
    b->clickPalette(PieceCode::WhiteQueen);
    b.click("d1");
    EXPECT_EQ(b.on("a1"), PieceCode::Empty);
    ASSERT_TRUE(b->startFromEditor());
    EXPECT_FALSE(b.board.isEditing);
    const GameSession& g = b->session();
    EXPECT_EQ(g.FenDepart, "4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
    ASSERT_EQ(g.lines.size(), 1u); // the machine's White move
    EXPECT_EQ(b->position().LastMoverColour, Colour::White);
    EXPECT_EQ(g.PositionIndex, 2);
}

TEST(Coordinates, ToggleTheCoordinateLabels) {
    Bench b = freeGame({});
    bool before = b->session().coordinatesShown;
    b->toggleCoordinates();
    EXPECT_NE(b->session().coordinatesShown, before);
    b->toggleCoordinates();
    EXPECT_EQ(b->session().coordinatesShown, before);
}

} // namespace

namespace {

ParsedGame scholarsMate() {
    ParsedGame g;
    g.GameText = "[Event \"x\"]\r\n\r\n";
    g.GameMoveText = "1.e4 e5 2.Bc4 Nc6 3.Qh5 Nf6 4.Qxf7#";
    g.GameResult = "1-0";
    return g;
}

} // namespace

// Nothing of the game before stays on screen once another starts, however it starts; a game
// that does not start from the first move counts its duration from its first move.
TEST(Traces, EveryFreshStartClearsTheLastGame) {
    const struct {
        const char* name;
        std::function<void(Bench&)> start;
    } cases[] = {
        {"new game", [](Bench& b) { b->newGame(); }},
        {"load", [](Bench& b) { ASSERT_TRUE(b->loadGame(scholarsMate())); }},
        {"paste", [](Bench& b) { b->pastePosition("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1"); }},
        {"editor", [](Bench& b) { b->enterEditor(false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s = testSettings(1);
        s.MACHINE_TRACE_COUP = 1;
        Bench b(s);
        b->newGame();
        b.move("e2", "e4"); // the machine answers: marks, a title with its score, its thinking
        ASSERT_FALSE(b.board.marks.empty());
        ASSERT_NE(b.view.title, "<169>");
        c.start(b);
        EXPECT_TRUE(b.board.marks.empty());
        EXPECT_EQ(b.view.title.find(" - ["), std::string::npos) << b.view.title;
        EXPECT_EQ(b.view.thought, "");
    }
}

TEST(Traces, TheDurationRunsFromTheFirstMoveOfALoadedOrSetUpGame) {
    for (bool editor : {false, true}) {
        SCOPED_TRACE(editor ? "editor" : "paste");
        Bench b = freeGame({});
        if (editor) {
            b->enterEditor(false);
            ASSERT_TRUE(b->startFromEditor());
        } else {
            b->pastePosition("4k3/8/8/8/8/8/4P3/4K3 w - - 0 1");
        }
        b.move("e2", "e3");
        EXPECT_EQ(b.timers.intervals[Timer::Duration], 1000);
        b->tick(Timer::Duration);
        EXPECT_EQ(b->clocks().duration(), "00:00:01");
    }
}

TEST(Traces, AMateInALoadedGameGetsItsResultLine) {
    Bench b = freeGame({});
    ASSERT_TRUE(b->loadGame(scholarsMate()));
    const GameSession& g = b->session();
    EXPECT_EQ(g.GameResult, "1-0");
    EXPECT_TRUE(g.shortTexts.back().empty()); // a result line, not a move
    EXPECT_EQ(b.view.shownResult, "1-0");
}
