// SPDX-License-Identifier: GPL-3.0-or-later
// The UCI front: scripted sessions, live sessions with the program as a child process, and a
// match against Debian's Stockfish refereed by its own move generator.
#include "support/Moves.h"
#include "support/Peers.h"
#include "support/TestFolder.h"
#include "support/UciMatch.h"

#include "cli/Uci.h"
#include "config/SettingsFile.h"
#include "engine/Engine.h"
#include "notation/Fen.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

using namespace quarvelin;
using namespace std::chrono_literals;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

struct Output {
    int status;
    std::vector<std::string> lines;
};

Output session(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    int status = runUci(in, out);
    return {status, lines(out.str())};
}

std::string wordAfter(const std::string& line, const std::string& key) {
    std::istringstream in(line);
    for (std::string m; in >> m;)
        if (m == key && in >> m) return m;
    return {};
}

// The position a `position` command's arguments name, "startpos moves e2e4" or "fen <FEN>",
// played by the rules of chess.
Position positionOf(const std::string& args) {
    const std::size_t cut = args.find(" moves ");
    const std::string start = args.substr(0, cut);
    Position p = start == "startpos" ? Position::initial(Colour::White)
                                     : readFen(start.substr(4), Colour::White).value();
    std::istringstream moves(cut == std::string::npos ? "" : args.substr(cut + 7));
    for (std::string m; moves >> m;) {
        std::optional<Move> c = test::legalMove(p, m);
        EXPECT_TRUE(c.has_value()) << m;
        if (!c) break;
        playMove(p, *c);
    }
    return p;
}

// What the engine itself answers for p, built as the command line's bestmove builds it.
struct Expected {
    std::string move;
    long score;
    std::int32_t nodes;
};
Expected expected(const Position& p, int depth, const EngineWeights& weights = {}) {
    SearchRequest d;
    d.position = p;
    d.colour = p.sideToMove();
    if (d.colour == Colour::White) ++d.position.MoveCount;
    d.weights = weights;
    d.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);
    d.notation = NotationCode::Pgn;
    SearchCounters c;
    SearchResult r = searchMove(d, c);
    std::optional<Move> move = chosenMove(legalMoves(p), r);
    return {move ? uciMove(p, *move) : "", std::lround(r.score), c.PositionsEvaluated};
}

const std::string Kiwipete =
    "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

// The same script through runUci and through the program, whose exit status follows.
TEST(Uci, ScriptedSessionAnswersInOrderInProcessAndThroughTheProgram) {
    const std::string script =
        "uci\n  isready \r\nposition startpos moves e2e4\ngo depth 1\nquit\nisready\n";
    Output inProcess = session(script);
    EXPECT_EQ(inProcess.status, 0);
    std::vector<std::string> program =
        lines(test::run(std::string("(") + QUARVELIN_CLI + " uci; echo status=$?)", script));
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), "status=0");
    program.pop_back();

    const std::vector<std::string> wanted = {
        "id name Quarvelin",
        "id author the Quarvelin developers",
        "option name Depth type spin default 2 min 0 max 3",
        "option name Profile type string default <empty>",
        "option name Threads type spin default 2 min 1 max 8",
        "uciok",
        "readyok",
    };
    for (const std::vector<std::string>& l : {inProcess.lines, program}) {
        ASSERT_GE(l.size(), wanted.size() + 1);
        EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + 7), wanted);
        // quit may cut the search short: info lines or none, then one bestmove, then nothing.
        for (std::size_t i = 7; i + 1 < l.size(); ++i)
            EXPECT_TRUE(l[i].starts_with("info ")) << l[i];
        ASSERT_TRUE(l.back().starts_with("bestmove ")) << l.back();
        EXPECT_TRUE(
            test::legalMove(positionOf("startpos moves e2e4"), wordAfter(l.back(), "bestmove"))
                .has_value())
            << l.back();
    }
}

// At the end of the input a bounded search finishes, so its answer is the engine's own.
TEST(Uci, SearchAnswersWhatTheEngineFinds) {
    const struct {
        std::vector<std::string> options; // each given as "setoption name <option>"
        std::string position, go;
        int depth; // the depth searched
    } cases[] = {
        {{}, "startpos", "go", 2},
        {{}, "startpos moves e2e4 e7e5", "go depth 1", 1},
        {{"Depth value 3"},
         "startpos moves e2e4",
         "go depth 0 wtime 1000 btime 1000 winc 10 binc 10 movestogo 5",
         0},
        {{"Depth value 1"}, Kiwipete + " moves e1g1 h3g2", "go depth 5 movetime 10", 1},
        {{"DEPTH value 7"}, "startpos moves d2d4", "go depth 9", 3},
        {{"Depth value -2"}, Kiwipete, "go nodes 100", 0},
        {{}, "startpos moves g1f3", "go depth -5", 2},
        {{"Depth value 1", "Depth value abc"}, "startpos", "go", 1},
        {{"Threads value 1"}, "fen 4k3/1P6/8/8/8/8/6K1/8 w - - 0 1", "go infinite", 2},
        {{"Threads value 8"}, "fen 8/8/8/KpP4r/8/8/8/4k3 w - b6 0 1", "go depth 1", 1},
    };
    for (const auto& c : cases) {
        std::string script;
        for (const auto& o : c.options) script += "setoption name " + o + "\n";
        script += "position " + c.position + "\n" + c.go + "\n";
        SCOPED_TRACE(script);
        Output s = session(script);
        Expected a = expected(positionOf(c.position), c.depth);
        ASSERT_GE(s.lines.size(), 2u);
        EXPECT_EQ(s.lines.back(), "bestmove " + a.move);
        // Each rise as it comes, then the whole search's line.
        std::int64_t nodes = 0;
        for (std::size_t i = 0; i + 1 < s.lines.size(); ++i) {
            const std::string& l = s.lines[i];
            if (l.starts_with("info string ")) continue;
            ASSERT_TRUE(l.starts_with("info depth " + std::to_string(c.depth) + " ")) << l;
            std::int64_t n = std::stoll(wordAfter(l, "nodes"));
            EXPECT_GE(n, nodes) << l;
            nodes = n;
        }
        EXPECT_EQ(s.lines[s.lines.size() - 2],
                  "info depth " + std::to_string(c.depth) + " score cp " + std::to_string(a.score) +
                      " nodes " + std::to_string(a.nodes) + " pv " + a.move);
    }
}

TEST(Uci, NoLegalMoveAnswersTheNullMove) {
    for (const char* fen : {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", "k7/8/1Q6/8/8/8/8/7K b - - 0 1",
                            // The engine names a king move here, though it is mate.
                            "1R2k2r/1ppp1ppp/1b3nbN/nPB5/B1P1P3/q4N2/Pp1P2PP/R2Q1RK1 b k - 0 2"}) {
        Output s = session(std::string("position fen ") + fen + "\ngo depth 1\n");
        EXPECT_EQ(s.lines, std::vector<std::string>{"bestmove 0000"}) << fen;
    }
}

TEST(Uci, EnginesMoveIsCheckedAgainstTheRules) {
    const Position p = positionOf("fen 4k3/1P6/8/8/8/8/6K1/8 w - - 0 1");
    const struct {
        int fromX, fromY, toX, toY;
        const char* text;
        const char* wanted; // "": refused
    } cases[] = {
        {2, 2, 2, 1, " 1.x", "b7b8q"}, // the promotion is the queen's
        {7, 7, 7, 6, " 1.x", "g2g3"},  // the king, from the display squares
        {2, 2, 2, 3, " 1.x", ""},      // a pawn backwards
        {7, 7, 5, 7, " 1.x", ""},      // the king two squares, no castling
        {0, 0, 0, 0, "MAT", ""},       {7, 7, 7, 6, "PAT", ""},
    };
    for (const auto& c : cases) {
        SearchResult r;
        r.fromX = c.fromX, r.fromY = c.fromY, r.toX = c.toX, r.toY = c.toY;
        r.score = 0;
        r.text = c.text;
        std::optional<Move> move = chosenMove(legalMoves(p), r);
        EXPECT_EQ(move ? uciMove(p, *move) : "", c.wanted) << c.fromX << c.fromY << c.text;
    }
}

TEST(Uci, ProfileGivesTheEngineWeights) {
    const auto folder = test::testFolder("quarvelin-uci");
    const std::string profile = (folder / "profile.ini").string();
    test::writeText(profile, "NOTE_CENTRE=0\r\nNOTE_MOBILITE_CAVALIER=0\r\n");
    Settings s = builtInSettings(".");
    ASSERT_TRUE(readProfile(profile, s, 1));
    const Position start = Position::initial(Colour::White);
    const std::string builtIn = expected(start, 1).move;
    const std::string load = expected(start, 1, profileWeights(s, 1)).move;
    ASSERT_NE(builtIn, load) << "the profile must change the move for this test to mean anything";

    const std::string use = "setoption name Profile value " + profile + "\n";
    const std::string missing = "setoption name Profile value /nonexistent/profile.ini\n";
    const struct {
        std::string settings;
        std::string move;
        bool error;
    } cases[] = {
        {use, load, false},
        {missing, builtIn, true},
        {use + missing, load, true},
        {use + "setoption name Profile value <empty>\n", builtIn, false},
        {use + "setoption name Profile value\n", builtIn, false},
    };
    for (const auto& c : cases) {
        Output r =
            session("setoption name Depth value 1\n" + c.settings + "position startpos\ngo\n");
        ASSERT_FALSE(r.lines.empty()) << c.settings;
        EXPECT_EQ(r.lines.back(), "bestmove " + c.move) << c.settings;
        bool error = std::any_of(r.lines.begin(), r.lines.end(), [](const std::string& l) {
            return l.starts_with("info string cannot read the profile /nonexistent/profile.ini");
        });
        EXPECT_EQ(error, c.error) << c.settings;
    }
    std::filesystem::remove_all(folder);
}

// The program's exit status once its input is closed, or -1.
int exitStatus(test::UciProcess& program) {
    program.closeEntry();
    if (!program.waitForEnd(30s)) return -1;
    return WIFEXITED(*program.status()) ? WEXITSTATUS(*program.status()) : -1;
}

TEST(Uci, GarbledLinesAreIgnored) {
    test::UciProcess s(QUARVELIN_CLI, {"uci"});
    ASSERT_TRUE(s.started());
    s.send("setoption name Depth value 1");
    s.send("position startpos moves e2e4");
    std::mt19937 rng(20240611);
    for (int i = 0; i < 40; ++i) {
        std::string noise(1 + rng() % 80, ' ');
        for (char& c : noise) {
            c = static_cast<char>(rng() % 256);
            if (c == '\n') c = '\0';
        }
        s.send(noise);
    }
    for (const char* l :
         {"position fen garbage", "position", "position fen", "position middle",
          "setoption name Depth value abc", "setoption name Threads value x", "setoption name",
          "setoption", "setoption name Colour value red", "  ", "\t\r"})
        s.send(l);
    s.send("isready");
    std::vector<std::string> before;
    ASSERT_TRUE(s.wait("readyok", 30s, &before));
    for (const char* text : {"info string position refused, not a FEN: garbage",
                             "info string option Depth needs a number, kept as it was",
                             "info string option Threads needs a number, kept as it was",
                             "info string no option named colour"})
        EXPECT_NE(std::find(before.begin(), before.end(), text), before.end()) << text;
    // Both search the position kept, after e2e4, at the depth kept, 1.
    const Position after = positionOf("startpos moves e2e4");
    for (const char* go : {"go depth", "go searchmoves e2e4 wtime"}) {
        s.send(go);
        std::vector<std::string> infos;
        auto b = s.wait("bestmove", 30s, &infos);
        ASSERT_TRUE(b) << go;
        EXPECT_TRUE(test::legalMove(after, wordAfter(*b, "bestmove")).has_value()) << *b;
        EXPECT_FALSE(infos.empty()) << go;
        for (const auto& l : infos) EXPECT_EQ(wordAfter(l, "depth"), "1") << l;
    }

    s.send("position startpos moves e2e5 zz");
    s.send("go depth -5");
    std::vector<std::string> infos;
    auto b = s.wait("bestmove", 30s, &infos);
    ASSERT_TRUE(b);
    ASSERT_FALSE(infos.empty());
    EXPECT_EQ(infos.front(), "info string illegal move e2e5, the moves from there are ignored");
    EXPECT_EQ(*b, "bestmove " + expected(Position::initial(Colour::White), 1).move);
    s.send("quit");
    EXPECT_EQ(exitStatus(s), 0);
}

// A search still running answers once stopped or told to quit, at once, and only once.
TEST(Uci, StopAndQuitEndARunningSearchWithOneAnswer) {
    const struct {
        std::string options, position, go, end;
        bool over; // the search is over by then: its own move, not a fallback
    } cases[] = {
        // A depth-0 search is over at once; an infinite one still answers only once stopped.
        {"Depth value 0", "startpos moves d2d4", "go infinite", "stop", true},
        // A depth-3 search of this position on one thread takes seconds.
        {"Depth value 3\nsetoption name Threads value 1", Kiwipete, "go depth 3", "stop", false},
        {"Depth value 3\nsetoption name Threads value 1", Kiwipete, "go depth 3", "quit", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.go + " then " + c.end);
        test::UciProcess s(QUARVELIN_CLI, {"uci"});
        ASSERT_TRUE(s.started());
        s.send("setoption name " + c.options);
        s.send("position " + c.position);
        s.send(c.go);
        s.send("isready");
        std::vector<std::string> before;
        ASSERT_TRUE(s.wait("readyok", 30s, &before));
        s.send("go depth 1");
        ASSERT_TRUE(s.wait("info string already searching, go ignored", 30s, &before));
        while (auto l = s.line(300ms)) before.push_back(*l);
        for (const auto& l : before) EXPECT_FALSE(l.starts_with("bestmove")) << l;

        auto beginning = std::chrono::steady_clock::now();
        s.send(c.end);
        auto b = s.wait("bestmove", 30s);
        if (c.end == "quit") {
            EXPECT_EQ(exitStatus(s), 0);
        }
        EXPECT_LT(std::chrono::steady_clock::now() - beginning, 1000ms);
        ASSERT_TRUE(b);
        const Position p = positionOf(c.position);
        EXPECT_TRUE(test::legalMove(p, wordAfter(*b, "bestmove")).has_value()) << *b;
        if (c.over) {
            EXPECT_EQ(*b, "bestmove " + expected(p, 0).move);
        }
        if (c.end == "stop") {
            s.send("isready");
            EXPECT_TRUE(s.wait("readyok", 30s));
            s.send("quit");
            EXPECT_EQ(exitStatus(s), 0);
        }
        // One answer for the one search: what is left up to the end of the output.
        while (auto l = s.line(5s)) EXPECT_FALSE(l->starts_with("bestmove")) << *l;
    }
}

TEST(Uci, MatchAgainstStockfish) {
    std::string stockfish = test::findProgram("stockfish");
    ASSERT_FALSE(stockfish.empty()) << "stockfish is installed by 'make test'";
    test::UciProcess quarvelin(QUARVELIN_CLI, {"uci"});
    test::UciProcess opponent(stockfish, {});
    ASSERT_TRUE(quarvelin.started());
    ASSERT_TRUE(opponent.started());
    for (test::UciProcess* e : {&quarvelin, &opponent}) {
        ASSERT_TRUE(e->send("uci"));
        ASSERT_TRUE(e->wait("uciok", 30s));
    }
    quarvelin.send("setoption name Depth value 1");
    opponent.send("setoption name Skill Level value 0");
    opponent.send("setoption name Threads value 1");

    test::SettingsMatch settings;
    auto beginning = std::chrono::steady_clock::now();
    test::MatchResult r = test::playMatch(quarvelin, opponent, settings);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - beginning).count();
    std::cout << "match Quarvelin (depth 1) vs Stockfish (skill 0, movetime 20): " << r.gains
              << " wins, " << r.draws << " draws, " << r.losses << " losses, " << r.unfinished
              << " unfinished at " << settings.maxHalfMoves << " plies, in " << seconds << " s\n";
    EXPECT_EQ(r.error, "");
    if (r.error.empty()) {
        EXPECT_EQ(r.gains + r.draws + r.losses + r.unfinished, settings.games);
    }

    for (test::UciProcess* e : {&quarvelin, &opponent}) e->send("quit");
    ASSERT_TRUE(quarvelin.waitForEnd(30s)) << "quarvelin-cli did not leave after quit";
    int status = *quarvelin.status();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
}

} // namespace
