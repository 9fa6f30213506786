// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Peers.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "cli/Cli.h"
#include "cli/UciJudge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

// The text with its line ends read as blanks, as a PGN reader takes them.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c == '\n' ? ' ' : c;
    return out;
}

Outcome analyse(std::vector<std::string> args) {
    args.insert(args.begin(), "analyse");
    std::ostringstream out, err;
    test::OffsetCatalogue cat;
    const int status = runCli(args, out, err, cat, ".");
    return {status, out.str(), err.str()};
}

// 3.Nd4 leaves the knight to the e5 pawn; the second game stops at an illegal move.
constexpr const char* Games =
    "[Event \"one\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 d6 3.Nd4 exd4 4.Bc4 Nf6 *\n\n"
    "[Event \"two\"]\n[Result \"*\"]\n\n1.e4 e5 2.Ke3 *\n\n"
    "[Event \"three\"]\n[Result \"1-0\"]\n\n{A short one} 1.f3 e5 2.g4 Qh4# 1-0\n";

TEST(AnalysisCommand, WritesMarkedGamesThatPgnExtractReadsSilently) {
    ASSERT_FALSE(test::findProgram("pgn-extract").empty()) << "installed by 'make test'";
    const fs::path folder = test::testFolder("quarvelin-analyse");
    test::writeText(folder / "games.pgn", Games);
    const Outcome o = analyse({(folder / "games.pgn").string(), "--depth", "1"});
    // The unreadable game is reported by number and left out; the others are written.
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find("<1236>"), std::string::npos) << o.err;
    EXPECT_NE(o.out.find("[Event \"one\"]"), std::string::npos);
    EXPECT_EQ(o.out.find("[Event \"two\"]"), std::string::npos);
    EXPECT_NE(o.out.find("[Event \"three\"]"), std::string::npos);
    EXPECT_NE(o.out.find("[Annotator \"Quarvelin; <1233>\"]"), std::string::npos) << o.out;
    const std::string flat = oneLine(o.out);
    EXPECT_NE(flat.find("3.Nd4 $4 {"), std::string::npos) << o.out;
    EXPECT_NE(flat.find("{A short one} 1.f3"), std::string::npos) << o.out;

    test::writeText(folder / "annotated.pgn", o.out);
    const std::string complaint = test::run(test::findProgram("pgn-extract") + " -s -r " +
                                                (folder / "annotated.pgn").string() + " 2>&1",
                                            "");
    EXPECT_EQ(complaint, "");
}

// Stockfish, driven as a real process, finds the same blunder; its scores are centipawns.
TEST(AnalysisCommand, StockfishMarksTheHangingKnight) {
    ASSERT_FALSE(test::findProgram("stockfish").empty()) << "installed by 'make test'";
    const fs::path folder = test::testFolder("quarvelin-analyse-uci");
    test::writeText(folder / "g.pgn",
                    "[Event \"one\"]\n\n1.e4 e5 2.Nf3 d6 3.Nd4 exd4 4.Bc4 Nf6 *\n");
    const Outcome o =
        analyse({(folder / "g.pgn").string(), "--uci", "stockfish", "--movetime", "50"});
    EXPECT_EQ(o.status, 0) << o.err;
    const std::string flat = oneLine(o.out);
    EXPECT_NE(flat.find("3.Nd4 $4 {"), std::string::npos) << o.out;
    EXPECT_EQ(flat.find("exd4 $"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("<1234>"), std::string::npos);

    const Outcome broken = analyse({(folder / "g.pgn").string(), "--uci", "no-such-engine-here"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("<1200>"), std::string::npos) << broken.err;
}

TEST(UciJudge, MatesRankBeyondEveryCentipawnScoreNearerFirst) {
    struct Case {
        UciScore uci;
        AnalysisScore expected;
    };
    const Case cases[] = {
        {{true, false, 35}, {35, 0}},     {{true, false, -1200}, {-1200, 0}},
        {{true, true, 1}, {99900, 1}},    {{true, true, 4}, {99600, 4}},
        {{true, true, -2}, {-99800, -2}},
    };
    for (const Case& c : cases) EXPECT_EQ(UciJudge::score(c.uci), c.expected) << c.uci.value;
}

TEST(AnalysisCommand, RefusesBadArgumentsAndUnreadableFiles) {
    const fs::path folder = test::testFolder("quarvelin-analyse-args");
    test::writeText(folder / "g.pgn", "1.e4 e5 *\n");
    const std::string g = (folder / "g.pgn").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, "<"},
        {{g, "--depth", "0"}, 2, "<"},
        {{g, "--depth", "4"}, 2, "<"},
        {{g, "--blunder", "10"}, 2, "<1240>"},
        {{g, "--mistake", "-1"}, 2, "<"},
        {{g, "--frobnicate"}, 2, "<"},
        {{g, "--movetime", "100"}, 2, "--movetime"},
        {{g, "--uci", "stockfish", "--depth", "2"}, 2, "--uci"},
        {{g, "--uci", "stockfish", "--movetime", "0"}, 2, "--movetime"},
        {{(folder / "missing.pgn").string()}, 1, "missing.pgn"},
        {{folder.string()}, 1, "<"},
        {{g, "--inaccuracy", "1", "--mistake", "2", "--blunder", "3"}, 0, ""},
    };
    for (const Case& c : cases) {
        const Outcome o = analyse(c.args);
        EXPECT_EQ(o.status, c.status) << (c.args.empty() ? "" : c.args.back());
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    }
}

} // namespace
