// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Peers.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace quarvelin;

namespace {

struct Output {
    int status;
    std::string out, err;
};

Output cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    test::OffsetCatalogue cat;
    int status = runCli(args, out, err, cat);
    return {status, out.str(), err.str()};
}

std::string lastLine(const std::string& text) {
    std::string t = text;
    while (!t.empty() && t.back() == '\n') t.pop_back();
    return t.substr(t.rfind('\n') == std::string::npos ? 0 : t.rfind('\n') + 1);
}

const char* Kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

TEST(Cli, PerftTotalIsTheLastLine) {
    Output r = cli({"perft", Kiwipete, "3"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "97862\n");
    Output d = cli({"perft", Kiwipete, "2", "--divide"});
    EXPECT_EQ(d.status, 0);
    EXPECT_EQ(lastLine(d.out), "2039");
    EXPECT_NE(d.out.find("e1g1: "), std::string::npos);
    EXPECT_NE(d.out.find("d5e6: "), std::string::npos);
    EXPECT_EQ(cli({"perft", Kiwipete, "0", "--divide"}).out, "1\n");
}

TEST(Cli, MovesInSan) {
    Output r = cli({"moves", "4k3/1P6/8/8/8/8/8/4K2R w K - 0 1"});
    EXPECT_EQ(r.status, 0);
    for (const char* m : {"b8=Q+\n", "b8=N\n", "O-O\n", "Rh8+\n", "Kd2\n"})
        EXPECT_NE(r.out.find(m), std::string::npos) << m;
    EXPECT_EQ(cli({"moves", "7k/6Q1/6K1/8/8/8/8/8 b - - 0 1"}).out, "");
}

TEST(Cli, BestmoveNamesTheMoveOrTheEnd) {
    const struct {
        std::vector<std::string> args;
        std::string answer; // the line's beginning
    } cases[] = {
        {{"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 30", "--depth", "1"},
         "bestmove a1a8 score 99999.9 text 30.Ra1-a8 "},
        {{"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1"}, "bestmove (none) score -999999 text MAT "},
        {{"7k/8/6QK/8/8/8/8/8 b - - 0 1"}, "bestmove (none) score -999999 text PAT "},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"bestmove"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        Output r = cli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.substr(0, c.answer.size()), c.answer);
    }
}

TEST(Cli, WrongArgumentsGetOneLineAndStatusTwo) {
    struct Bad {
        std::vector<std::string> args;
        const char* text;
    };
    const Bad cases[] = {
        {{"perft", "nonsense", "3"}, "<901>"},
        {{"perft", Kiwipete, "x"}, "<902>x"},
        {{"perft", Kiwipete, "21"}, "<902>21"},
        {{"perft", Kiwipete, "-1"}, "<902>-1"},
        {{"perft", Kiwipete}, "<905>"},
        {{"perft", Kiwipete, "2", "--fast"}, "<903>--fast"},
        {{"moves"}, "<905>"},
        {{"replay", "/nonexistent/games.pgn"}, "<904>/nonexistent/games.pgn"},
        {{"replay", "a.pgn", "b.pgn"}, "<903>b.pgn"},
        {{"frobnicate"}, "<903>frobnicate"},
        {{"list"}, "<905>"},
        {{"list", "/nonexistent/games.pgn"}, "<904>/nonexistent/games.pgn"},
        {{"list", "a.pgn", "--white"}, "<905>"},
        {{"list", "a.pgn", "--max", "ten"}, "<882>ten"},
        {{"list", "a.pgn", "--max", "2147483648"}, "<882>2147483648"},
        {{"list", "a.pgn", "--colour", "w"}, "<903>--colour"},
        {{"convert"}, "<905>"},
        {{"convert", "a.pgn"}, "<905>"},
        {{"convert", "a.pgn", "b.txt"}, "<889>b.txt"},
        {{"convert", "a.pgn", "b"}, "<889>b"},
        {{"convert", "a.pgn", "b.xml", "c.xml"}, "<903>c.xml"},
        {{"convert", "a.pgn", "b.xml", "--max", "3"}, "<903>--max"},
        {{"convert", "a.pgn", "b.xml", "--round"}, "<905>"},
        {{"convert", "/nonexistent/games.pgn", "b.xml"}, "<270> (/nonexistent/games.pgn)"},
        {{"uci", "extra"}, "<903>extra"},
        {{"autoplay", "--depth", "4"}, "<902>4"},
        {{"autoplay", "--games", "x"}, "<903>x"},
        {{"autoplay", "--profile-white", "/nonexistent/p.ini"}, "<904>/nonexistent/p.ini"},
        {{"autoplay", "--games"}, "<905>"},
        {{"autoplay", "--speed", "2"}, "<903>--speed"},
        {{"bestmove", "7k/8/6QK/8/8/8/8/8 b - - 0 1", "--depth", "4"}, "<902>4"},
        {{"bestmove", "7k/8/6QK/8/8/8/8/8 b - - 0 1", "--profile", "/no.ini"}, "<904>/no.ini"},
    };
    for (const Bad& b : cases) {
        Output r = cli(b.args);
        EXPECT_EQ(r.status, 2) << b.text;
        EXPECT_EQ(r.err.find("quarvelin-cli: "), 0u) << r.err;
        EXPECT_NE(r.err.find(b.text), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(Cli, HelpForEachCommand) {
    for (std::string command :
         {"perft", "moves", "replay", "list", "convert", "uci", "autoplay", "bestmove"}) {
        Output r = cli({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.find("usage: quarvelin-cli " + command), 0u) << r.out;
    }
    Output general = cli({"--help"});
    EXPECT_EQ(general.status, 0);
    EXPECT_EQ(general.out.find("usage: quarvelin-cli <command>"), 0u);
    EXPECT_EQ(cli({}).status, 2);
}

TEST(Cli, ReplayGoesOnAfterABrokenGame) {
    Output r = cli({"replay", std::string(QUARVELIN_TEST_DATA) + "/broken.pgn"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "1\tr1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3\n"
                     "2\terror at 2: Ke3\n"
                     "3\terror at 2: Zz9\n"
                     "4\terror at 0: [FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n"
                     "5\trnbqkb1r/pppppp1p/5np1/8/2PP4/8/PP2PPPP/RNBQKBNR w KQkq - 0 3\n");
    Output ok = cli({"replay", std::string(QUARVELIN_TEST_DATA) + "/varied.pgn"});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 7);
}

TEST(Cli, ListShowsEachGamesPlaceAndTags) {
    const std::string varied = std::string(QUARVELIN_TEST_DATA) + "/varied.pgn";
    Output r = cli({"list", varied, "--max", "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "63\tParis opera\tParis FRA\t1858.??.??\t\tMorphy, Paul\tAllies\t1-0\n"
                     "465\tClub game\t\t\t\tMüller, Jürgen\tŁukasz Żółć\t*\n");
    EXPECT_EQ(r.err, "2<218>2\n");

    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {{},
         {"Paris opera", "Club game", "Promotions", "Black side", "Black to move first",
          "No result, next game follows", "Windows lines"}},
        {{"--result", "1-0"}, {"Paris opera", "Windows lines"}},
        {{"--black", "łukasz"}, {"Club game"}},
        {{"--white", "allies"}, {}},
        {{"--white", "allies", "--either"}, {"Paris opera"}},
        {{"--event", "black", "--result", "0-1"}, {"Black side"}},
        {{"--site", "paris", "--date", "1858", "--round", "", "--eco", ""}, {"Paris opera"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"list", varied};
        args.insert(args.end(), c.options.begin(), c.options.end());
        Output l = cli(args);
        EXPECT_EQ(l.status, 0);
        std::vector<std::string> seen;
        std::istringstream lines(l.out);
        for (std::string line; std::getline(lines, line);) {
            std::size_t tab = line.find('\t');
            seen.push_back(line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1));
        }
        EXPECT_EQ(seen, c.events) << l.out;
        EXPECT_EQ(l.err, std::to_string(seen.size()) + (seen.size() == 1 ? "<38>7\n" : "<218>7\n"));
    }
}

TEST(Cli, ConvertWritesTheGamesThatPassTheFilter) {
    const auto folder = test::testFolder("cli");
    const std::string varied = std::string(QUARVELIN_TEST_DATA) + "/varied.pgn";
    struct Case {
        std::string target;
        std::vector<std::string> options;
        int writtenCount;
        const char* mark; // found once per game written
    };
    const Case cases[] = {
        {"tout.xml", {}, 7, "<GAME>"},
        {"gains.XML", {"--result", "1-0"}, 2, "<GAME>"},
        {"allies.pgn", {"--white", "allies", "--either"}, 1, "[Event "},
        {"allies-blancs.Pgn", {"--white", "allies"}, 0, "[Event "},
    };
    for (const Case& c : cases) {
        const std::string target = (folder / c.target).string();
        std::vector<std::string> args = {"convert", varied, target};
        args.insert(args.end(), c.options.begin(), c.options.end());
        Output r = cli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "<268>" + std::to_string(c.writtenCount) + "<269>7\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(test::occurrences(test::readText(target), c.mark), c.writtenCount) << c.target;
    }

    Output failure = cli({"convert", varied, (folder / "absent" / "x.xml").string()});
    EXPECT_EQ(failure.status, 1);
    EXPECT_TRUE(failure.out.empty());
    EXPECT_EQ(failure.err.find("quarvelin-cli: <992>" + (folder / "absent" / "x.xml").string()), 0u)
        << failure.err;
}

TEST(Cli, TheProgramItself) {
    std::string out =
        test::run(std::string(QUARVELIN_CLI) + " perft '" + Kiwipete + "' 2; echo status=$?", "");
    EXPECT_EQ(out, "2039\nstatus=0\n");
    out = test::run(std::string(QUARVELIN_CLI) + " perft bad 2; echo status=$?", "");
    EXPECT_EQ(out, "status=2\n");
}

} // namespace
