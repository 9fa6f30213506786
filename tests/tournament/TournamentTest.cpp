// SPDX-License-Identifier: GPL-3.0-or-later
// Tournaments: the referee's rules, the pairing, the table and its Elo, and whole tournaments
// through the command line, read back by pgn-extract, with Stockfish as one player.
#include "support/Peers.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "cli/Cli.h"
#include "notation/Fen.h"
#include "rules/MoveRules.h"
#include "tournament/Tournament.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

Position fen(const char* text) {
    auto p = readFen(text, Colour::White);
    EXPECT_TRUE(p) << text;
    return p.value_or(Position::initial());
}

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    test::OffsetCatalogue cat;
    args.insert(args.begin(), "tournament");
    int status = runCli(args, out, err, cat, fs::path(QUARVELIN_CLI).parent_path().string());
    return {status, out.str(), err.str()};
}

// Each player's points and games from the crosstable's lines.
std::map<std::string, std::pair<double, int>> standings(const std::string& table) {
    std::map<std::string, std::pair<double, int>> out;
    std::regex row(R"(^ +\d+ (\S+) +(\d+) +([\d.]+) )");
    std::istringstream in(table);
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, row)) out[m[1]] = {std::stod(m[3]), std::stoi(m[2])};
    }
    return out;
}

} // namespace

TEST(Referee, EndsGamesByTheRulesOfChess) {
    struct Case {
        const char* what;
        const char* fen;
        Ending ending;
    };
    const Case cases[] = {
        {"mate", "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 1 3",
         Ending::Checkmate},
        {"stalemate", "7k/5Q2/6K1/8/8/8/8/8 b - - 0 50", Ending::Stalemate},
        {"fifty moves", "4k3/8/8/8/8/8/4P3/R3K3 w - - 100 80", Ending::FiftyMoves},
        {"mate on the hundredth half-move", "7k/6Q1/6K1/8/8/8/8/8 b - - 100 80", Ending::Checkmate},
        {"kings alone", "4k3/8/8/8/8/8/8/4K3 w - - 0 60", Ending::Material},
        {"one knight", "4k3/8/8/8/8/8/8/4KN2 w - - 0 60", Ending::Material},
        {"bishops on one colour", "2b1k3/8/8/8/8/8/8/4KB2 w - - 0 60", Ending::Material},
        {"bishops on both colours", "3bk3/8/8/8/8/8/8/4KB2 w - - 0 60", Ending::None},
        {"two knights", "4k3/8/8/8/8/8/8/4KNN1 w - - 0 60", Ending::None},
        {"a pawn", "4k3/8/8/8/8/8/4P3/4K3 w - - 0 60", Ending::None},
    };
    for (const Case& c : cases) {
        Referee referee(Position::initial(), 0);
        EXPECT_EQ(referee.judge(fen(c.fen)), c.ending) << c.what;
    }
}

TEST(Referee, CountsRepetitionsAndTheMoveLimit) {
    Referee referee(Position::initial(), 0), limited(Position::initial(), 3);
    Position p = Position::initial();
    const char* knights[] = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};
    std::vector<Ending> seen, limit;
    for (const char* m : knights) {
        for (const Move& c : legalMoves(p))
            if (uciMove(p, c) == m) playMove(p, c);
        seen.push_back(referee.judge(p));
        limit.push_back(limited.judge(p));
    }
    // The start position comes back a third time with the eighth half-move.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), Ending::None), 7);
    EXPECT_EQ(seen.back(), Ending::Repetition);
    EXPECT_EQ(limit[5], Ending::MoveLimit);
    EXPECT_EQ(resultOf(Ending::Checkmate, Colour::Black), "1-0");
    EXPECT_EQ(resultOf(Ending::Forfeit, Colour::White), "0-1");
    EXPECT_EQ(resultOf(Ending::MoveLimit, Colour::White), "1/2-1/2");
}

TEST(Crosstable, EloFromScores) {
    struct Case {
        int wins, draws, losses;
        std::optional<double> elo; // rounded
    };
    const Case cases[] = {{5, 0, 5, 0},    {3, 0, 1, 191}, {0, 4, 0, 0},
                          {1, 2, 7, -241}, {4, 0, 0, {}},  {0, 0, 3, {}}};
    for (const Case& c : cases) {
        auto e = eloEstimate(c.wins, c.draws, c.losses);
        ASSERT_EQ(e.has_value(), c.elo.has_value()) << c.wins << c.draws << c.losses;
        if (!e) continue;
        EXPECT_EQ(std::lround(e->difference), *c.elo);
        EXPECT_GE(e->margin, 0);
    }
    // More games of the same score narrow the margin.
    EXPECT_LT(eloEstimate(30, 0, 10)->margin, eloEstimate(3, 0, 1)->margin);
}

TEST(Tournament, PairsEveryoneWithBothColoursEachRound) {
    auto games = schedule(3, 2);
    ASSERT_EQ(games.size(), 12u);
    std::map<std::pair<int, int>, int> colours;
    for (const ScheduledGame& g : games) ++colours[{g.white, g.black}];
    EXPECT_EQ(colours.size(), 6u);
    for (auto& [pair, n] : colours) EXPECT_EQ(n, 2);
    for (std::size_t k = 0; k < games.size(); k += 2) {
        EXPECT_EQ(games[k].opening, games[k + 1].opening);
        EXPECT_EQ(games[k].white, games[k + 1].black);
    }
    auto cut = cutOpenings({{"e2e4", "e7e5", "g1f3"}, {"e2e4", "e7e5", "f1c4"}, {"d2d4"}}, 2);
    EXPECT_EQ(cut, (std::vector<std::vector<std::string>>{{"e2e4", "e7e5"}, {"d2d4"}}));
}

TEST(Tournament, ThreePersonalitiesPlayARoundRobin) {
    const fs::path dir = test::testFolder("tournament");
    test::writeText(dir / "plain.ini", "");
    test::writeText(dir / "greedy.ini",
                    "[CALCUL]\r\nNOTE_MATERIEL_DAME=1500\r\nNOTE_MOBILITE_CAVALIER=0\r\n");
    test::writeText(dir / "mobile.ini", "[CALCUL]\r\nNOTE_MOBILITE_FOU=9\r\nNOTE_CENTRE=90\r\n");
    const std::string pgn = (dir / "games.pgn").string();
    CliRun r = cli({(dir / "plain.ini").string(), (dir / "greedy.ini").string(),
                    (dir / "mobile.ini").string(), "--depth", "0", "--rounds", "2", "--concurrency",
                    "2", "--max-moves", "80", "--pgn", pgn});
    ASSERT_EQ(r.status, 0) << r.err;
    auto table = standings(r.out);
    ASSERT_EQ(table.size(), 3u) << r.out;
    double points = 0;
    for (auto& [name, row] : table) {
        points += row.first;
        EXPECT_EQ(row.second, 8) << name;
    }
    EXPECT_EQ(points, 12);
    const std::string games = test::readText(pgn);
    EXPECT_NE(games.find("[White \"greedy\"]"), std::string::npos);
    const std::regex termination("\\[Termination ");
    EXPECT_EQ(std::distance(std::sregex_iterator(games.begin(), games.end(), termination),
                            std::sregex_iterator()),
              12);
    const std::string extract = test::findProgram("pgn-extract");
    ASSERT_FALSE(extract.empty()) << "pgn-extract is installed by 'make test'";
    EXPECT_EQ(test::exitOf(extract + " -s -r " + pgn + " 2>&1; echo $?"), "0\n");

    // The same seed draws the same openings; another seed others.
    const std::vector<std::string> two = {(dir / "plain.ini").string(),
                                          (dir / "greedy.ini").string(),
                                          "--depth",
                                          "0",
                                          "--max-moves",
                                          "5",
                                          "--concurrency",
                                          "1",
                                          "--pgn",
                                          pgn};
    auto seeded = [&](const char* seed) {
        auto args = two;
        args.insert(args.end(), {"--seed", seed});
        cli(args);
    };
    seeded("7");
    auto moves = [&] {
        return std::regex_replace(test::readText(pgn), std::regex("\\[Date.*"), "");
    };
    const std::string seven = moves();
    seeded("7");
    EXPECT_EQ(moves(), seven);
    seeded("8");
    EXPECT_NE(moves(), seven);
}

TEST(Tournament, StockfishTakesPart) {
    const fs::path dir = test::testFolder("tournament");
    test::writeText(dir / "plain.ini", "");
    const std::string pgn = (dir / "games.pgn").string();
    CliRun r =
        cli({(dir / "plain.ini").string(), "--uci", "stockfish", "--uci-option", "Skill Level=0",
             "--uci-movetime", "10", "--depth", "0", "--max-moves", "30", "--pgn", pgn});
    ASSERT_EQ(r.status, 0) << r.err;
    auto table = standings(r.out);
    EXPECT_EQ(table["stockfish"].second, 2) << r.out;
    EXPECT_EQ(table["stockfish"].first + table["plain"].first, 2);
    EXPECT_NE(test::readText(pgn).find("[Black \"stockfish\"]"), std::string::npos);

    // An engine that cannot start ends the tournament with its message, and a table.
    r = cli({(dir / "plain.ini").string(), "--uci", "/nonexistent/engine", "--depth", "0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("<1200>"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("plain"), std::string::npos);
}

TEST(Tournament, RefusesWhatItCannotPlay) {
    const fs::path dir = test::testFolder("tournament");
    test::writeText(dir / "a.ini", "");
    test::writeText(dir / "empty.pgn", "");
    const std::string a = (dir / "a.ini").string();
    const std::vector<std::vector<std::string>> cases = {
        {a},
        {a, (dir / "missing.ini").string()},
        {a, a, "--openings", (dir / "empty.pgn").string()},
        {a, "--uci", "stockfish", "--uci-option", "Skill Level"},
        {a, a, "--depth", "4"},
        {a, a, "--rounds"},
    };
    for (const auto& args : cases) {
        CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
}
