// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop game against the command line's engine over loopback: one whole game.
#include "network/NetworkGame.h"
#include "network/NetworkPeer.h"
#include "rules/MoveRules.h"
#include "session/SessionDoubles.h"

#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quarvelin::test {
namespace {

TEST(NetworkCliPeer, PlaysAWholeGameAgainstTheDesktopSession) {
    startEventLoop();
    QTemporaryDir dir;
    const QString pgn = dir.filePath(QStringLiteral("net.pgn"));
    int port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    QProcess cli;
    cli.start(QStringLiteral(QUARVELIN_CLI),
              {"net", "serve", "--port", QString::number(port), "--depth", "0", "--max-plies", "40",
               "--name", "Moteur", "--pgn", pgn});
    ASSERT_TRUE(cli.waitForStarted());
    ASSERT_TRUE(spinUntil([&] { return cli.canReadLine(); }));
    EXPECT_TRUE(cli.readLine().startsWith("listening on port"));

    Settings s = testSettings();
    s.MODE_JEUX = 3;
    s.IP_NOM_UTILISATEUR = "Анна";
    Bench bench(s);
    net::NetworkGame link(
        {*bench.game, bench.settings, bench.catalogue, bench.dialogs, bench.commentary});
    bench.view.forward = [&](const std::string& m) { link.send(m); };
    bench.view.closing = [&] { link.close(); };
    link.connectTo("127.0.0.1", port);
    ASSERT_TRUE(spinUntil([&] { return link.stage() == net::NetworkGame::Stage::Playing; }));
    EXPECT_EQ(link.opponent(), "Moteur");

    // Black here plays the first legal move each time; draw offers are accepted.
    GameController& game = *bench.game;
    while (!game.session().gameOver() && link.stage() == net::NetworkGame::Stage::Playing) {
        const int n = game.session().moveCount();
        if (n % 2 == 1) {
            const Move c = legalMoves(game.livePosition()).front();
            game.clickSquare(c.fromX, c.fromY);
            game.clickSquare(c.toX, c.toY);
            ASSERT_EQ(game.session().moveCount(), n + 1);
        }
        ASSERT_TRUE(spinUntil([&] {
            return game.session().gameOver() || game.session().moveCount() > n ||
                   link.stage() != net::NetworkGame::Stage::Playing;
        })) << "no answer after "
            << n << " half-moves";
    }
    EXPECT_NE(game.session().GameResult, "*");
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 0);
    const std::string output = cli.readAllStandardOutput().toStdString();
    EXPECT_NE(output.find("received 1... "), std::string::npos);
    EXPECT_NE(output.find("result " + game.session().GameResult), std::string::npos);

    // The record the command line wrote holds the same moves.
    std::ifstream in(pgn.toStdString());
    std::stringstream text;
    text << in.rdbuf();
    // Line breaks and runs of blanks read as one blank.
    auto words = [](const std::string& t) {
        std::string out;
        for (char c : t) {
            const bool blank = c == ' ' || c == '\r' || c == '\n';
            if (blank && (out.empty() || out.back() == ' ')) continue;
            out += blank ? ' ' : c;
        }
        return out;
    };
    const std::string record = words(text.str());
    EXPECT_NE(record.find("[Black \"Анна\"]"), std::string::npos);
    const std::string moves = words(game.session().GameMoveText);
    EXPECT_NE(record.find("[Result \"" + game.session().GameResult + "\"]"), std::string::npos);
    EXPECT_NE(record.find(moves.substr(0, std::min<std::size_t>(moves.size(), 60))),
              std::string::npos)
        << moves << "\n"
        << record;
}

} // namespace
} // namespace quarvelin::test
