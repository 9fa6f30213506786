// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Moves.h"
#include "support/Peers.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "cli/Cli.h"
#include "notation/Fen.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

int launch(const std::vector<std::string>& args, std::string& err) {
    std::ostringstream out, e;
    test::OffsetCatalogue cat;
    // The built opening base lies beside the command-line program.
    int status = runCli(args, out, e, cat, fs::path(QUARVELIN_CLI).parent_path().string());
    err = e.str();
    return status;
}

// Every position of a game's main line, as board keys, and the last one.
struct Walk {
    std::vector<std::string> keys;
    Position end;
};
Walk walk(const PgnGame& g) {
    std::vector<std::string> uci;
    Replay r = replay(g, NotationCode::Pgn, Colour::White, &uci);
    EXPECT_TRUE(r.ok) << r.errorToken;
    Walk p{{}, Position::initial()};
    p.keys.push_back(positionKey(p.end));
    for (const std::string& m : uci) {
        playMove(p.end, test::legalMove(p.end, m).value());
        p.keys.push_back(positionKey(p.end));
    }
    return p;
}

std::string arbiter(const Position& p) {
    std::string output =
        test::run(test::findProgram("stockfish"), "position fen " + writeFen(p) + "\ngo depth 1\n");
    if (output.find("bestmove (none)") == std::string::npos) return "play";
    return output.find("score mate 0") != std::string::npos ? "mate" : "stalemate";
}

TEST(Autoplay, GamesAreValidPgnAndEveryResultIsEarned) {
    ASSERT_FALSE(test::findProgram("pgn-extract").empty())
        << "pgn-extract is installed by 'make test'";
    ASSERT_FALSE(test::findProgram("stockfish").empty());
    const fs::path folder = test::testFolder("quarvelin-auto");
    // One side with its own weights: a material-hungry profile at depth 0.
    const fs::path profile = folder / "greedy.ini";
    test::writeText(profile, "[CALCUL]\r\nPROFONDEUR_MAX=0\r\nNOTE_MATERIEL_DAME=1500\r\n");
    struct Case {
        std::vector<std::string> args;
        const char* white;
        const char* black;
    };
    const Case cases[] = {
        {{"--games", "10", "--depth", "1", "--seed", "3"}, "Quarvelin", "Quarvelin"},
        {{"--games", "6", "--profile-black", profile.string(), "--max-plies", "120"},
         "Quarvelin",
         "greedy"},
    };
    for (const Case& c : cases) {
        fs::path pgn = folder / "games.pgn";
        std::vector<std::string> args = {"autoplay", "--out", pgn.string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::string err;
        ASSERT_EQ(launch(args, err), 0) << err;
        int n = std::stoi(c.args[1]);
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), n) << err;

        std::string complaint =
            test::run(test::findProgram("pgn-extract") + " -s -r " + pgn.string() + " 2>&1", "");
        EXPECT_EQ(complaint, "") << complaint;

        std::ifstream in(pgn, std::ios::binary);
        PgnStream flux(in);
        int readCount = 0;
        for (PgnGame g; flux.next(g); ++readCount) {
            EXPECT_EQ(*g.tag("White"), c.white);
            EXPECT_EQ(*g.tag("Black"), c.black);
            ASSERT_NE(g.tag("Result"), nullptr);
            EXPECT_EQ(*g.tag("Result"), g.result);
            Walk p = walk(g);
            std::map<std::string, int> views;
            for (const auto& k : p.keys) ++views[k];
            bool repeated = views[p.keys.back()] >= 3;
            std::string verdict = arbiter(p.end);
            if (g.result == "1-0" || g.result == "0-1") {
                bool whiteMated = p.end.sideToMove() == Colour::White;
                if (verdict == "mate")
                    EXPECT_EQ(g.result, whiteMated ? "0-1" : "1-0");
                else
                    EXPECT_TRUE(repeated) << g.result << " without mate or repetition";
            } else if (g.result == "1/2-1/2") {
                EXPECT_TRUE(verdict == "stalemate" || repeated) << "draw without a reason";
            } else {
                EXPECT_EQ(g.result, "*");
                EXPECT_EQ(verdict, "play");
                EXPECT_GE(p.keys.size(), 121u); // stopped at the half-move limit
            }
        }
        EXPECT_EQ(readCount, n);
    }
    fs::remove_all(folder);
}

} // namespace
