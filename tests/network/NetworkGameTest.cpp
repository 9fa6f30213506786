// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop game against a scripted peer over real sockets on loopback.
#include "network/NetworkGame.h"
#include "network/NetworkPeer.h"
#include "session/SessionDoubles.h"

#include <gtest/gtest.h>

#include <random>

namespace quarvelin::test {
namespace {

using net::NetworkGame;

std::string tag(TextKey key) { return "<" + std::to_string(offsetOf(key)) + ">"; }

// The program's side: a game, its network link and what it showed.
struct Player {
    Bench bench;
    std::unique_ptr<NetworkGame> net;
    std::vector<std::string> chats;

    explicit Player(bool server) : bench(settingsFor(server)) {
        bench.view.forward = [this](const std::string& m) { net->send(m); };
        bench.view.closing = [this] { net->close(); };
        net = std::make_unique<NetworkGame>(
            NetworkGame::Context{*bench.game, bench.settings, bench.catalogue, bench.dialogs,
                                 bench.commentary},
            NetworkGame::Events{{}, [this](const std::string& c) { chats.push_back(c); }, {}});
    }
    static Settings settingsFor(bool server) {
        Settings s = testSettings();
        s.MODE_JEUX = 3;
        s.IP_MODE_SERVEUR = server ? 1 : 0;
        s.IP_NOM_UTILISATEUR = "Анна";
        return s;
    }
    const GameSession& session() const { return bench.game->session(); }
    // The move clicked on the board: "e2e4", absolute squares.
    void play(const std::string& uci) {
        const int before = session().moveCount();
        bench.move(uci.substr(0, 2).c_str(), uci.substr(2, 2).c_str());
        EXPECT_EQ(session().moveCount(), before + 1) << uci;
    }
    bool waitForMoves(int n) {
        return spinUntil([&] { return session().moveCount() >= n; });
    }
    bool commented(TextKey key) const {
        return bench.commentary.text.find(tag(key)) != std::string::npos;
    }
};

class NetworkGameTest : public testing::Test {
protected:
    static void SetUpTestSuite() { startEventLoop(); }

    // A game with the program as server (White) and the peer as client.
    void serve() {
        ASSERT_TRUE(me.net->serve(0));
        ASSERT_TRUE(peer.connect(me.net->port()));
        peer.send("?Boris");
        ASSERT_EQ(peer.line(), "@Анна");
        ASSERT_EQ(me.net->stage(), NetworkGame::Stage::Playing);
    }

    Player me{true};
    NetworkPeer peer{Colour::Black};
};

class NetworkClientTest : public NetworkGameTest {
protected:
    // A game with the program as client (Black) and the peer as server.
    void join() {
        me.net->connectTo("127.0.0.1", peer.listen());
        ASSERT_TRUE(peer.accept());
        ASSERT_EQ(peer.line(), "?Анна");
        peer.send("@Boris");
        ASSERT_TRUE(spinUntil([&] { return me.net->stage() == NetworkGame::Stage::Playing; }));
    }

    Player me{false};
    NetworkPeer peer{Colour::White};
};

TEST_F(NetworkGameTest, AGameToMateWithAPromotionAndACastling) {
    serve();
    EXPECT_EQ(me.bench.view.title, tag(TextKey::NetworkGameTitle));
    EXPECT_TRUE(me.commented(TextKey::OpponentPrefix));
    EXPECT_NE(me.bench.commentary.text.find(tag(TextKey::OpponentPrefix) + "Boris"),
              std::string::npos);
    EXPECT_TRUE(me.commented(TextKey::GameBegins));
    EXPECT_EQ(me.bench.sounds.played.front(), "connect.wav");
    // White's clock runs from the start.
    EXPECT_TRUE(me.bench.game->clocks().running(Timer::Bottom));
    EXPECT_TRUE(me.bench.game->clocks().running(Timer::Duration));

    const std::vector<std::string> game = {"e2e4", "d7d5", "e4d5", "c7c6", "d5c6", "h7h6", "c6b7",
                                           "h6h5", "b7a8", "h5h4", "g1f3", "g7g6", "f1c4", "g6g5",
                                           "e1g1", "g5g4", "f3e5", "a7a6", "c4f7"};
    std::vector<std::string> sans;
    for (std::size_t i = 0; i < game.size(); ++i) {
        if (i % 2 == 0) {
            me.play(game[i]);
            sans.push_back(peer.expectMove());
        } else {
            peer.play(game[i]);
            ASSERT_TRUE(me.waitForMoves(static_cast<int>(i) + 1)) << game[i];
        }
    }
    EXPECT_EQ(sans[4], "bxa8=Q");
    EXPECT_EQ(sans[7], "O-O");
    EXPECT_EQ(sans[9], "Bxf7#");
    EXPECT_EQ(gameEnd(peer.board()), GameEnd::Mate);
    EXPECT_EQ(me.session().GameResult, "1-0");
    EXPECT_EQ(me.session().GameMoveText, "1.e4 d5 2.exd5 c6 3.dxc6 h6 4.cxb7 h5 5.bxa8=Q h4 6.Nf3 "
                                         "g6 7.Bc4 g5 8.O-O g4 9.Ne5 a6 10.Bxf7#");
    // Nothing is accepted once the game has ended.
    peer.send("#8685a6-a5");
    settle();
    EXPECT_TRUE(me.commented(TextKey::InvalidNetworkMessage));
    EXPECT_EQ(me.session().GameResult, "1-0");
}

TEST_F(NetworkClientTest, SeesTheServersMovesFromItsOwnSide) {
    join();
    EXPECT_EQ(me.bench.game->position().PlayerColour, Colour::Black);
    EXPECT_TRUE(me.commented(TextKey::GameBeginsWait));
    peer.send("#5755e2-e4");
    ASSERT_TRUE(me.waitForMoves(1));
    const Position& p = me.bench.game->position();
    EXPECT_EQ(p.at(4, 4), PieceCode::WhitePawn);
    EXPECT_EQ(p.at(4, 2), PieceCode::Empty);
    // The receiver writes the line in its own notation, whatever text came.
    EXPECT_EQ(me.session().GameMoveText, "1.e4");
    EXPECT_EQ(me.bench.view.title.find('"'), std::string::npos);
    me.play("e7e5");
    EXPECT_EQ(peer.line(), "#4745e7-e5");
}

TEST_F(NetworkGameTest, ChatsInBothDirectionsInAnyAlphabet) {
    serve();
    me.net->sendChat("");
    me.net->sendChat("  Привет  ");
    me.net->sendChat("   ");
    EXPECT_EQ(peer.line(), ">[Анна] Привет");
    EXPECT_EQ(peer.line(), ">[Анна] ");
    peer.send(">[Boris] Здравствуйте");
    ASSERT_TRUE(spinUntil([&] { return !me.chats.empty(); }));
    EXPECT_EQ(me.chats, std::vector<std::string>{"[Boris] Здравствуйте"});
}

TEST_F(NetworkGameTest, ADrawOfferedRefusedThenAccepted) {
    serve();
    me.bench.game->offerDraw();
    ASSERT_EQ(peer.line(), "/");
    peer.send("!R");
    ASSERT_TRUE(
        spinUntil([&] { return me.bench.dialogs.showed(tag(TextKey::OpponentDeclinesDraw)); }));
    EXPECT_FALSE(me.net->drawOfferPending());
    // An answer with no offer pending changes nothing.
    peer.send("!A");
    ASSERT_TRUE(spinUntil([&] { return me.commented(TextKey::InvalidNetworkMessage); }));
    EXPECT_EQ(me.session().GameResult, "*");
    me.bench.game->offerDraw();
    ASSERT_EQ(peer.line(), "/");
    peer.send("!A");
    ASSERT_TRUE(spinUntil([&] { return me.session().GameResult == "1/2-1/2"; }));
    EXPECT_TRUE(me.bench.dialogs.showed(tag(TextKey::OpponentAcceptsDraw)));
}

TEST_F(NetworkGameTest, AnswersThePeersDrawOffers) {
    serve();
    me.bench.dialogs.answers = {false, true};
    peer.send("/");
    EXPECT_EQ(peer.line(), "!R");
    EXPECT_EQ(me.session().GameResult, "*");
    peer.send("/");
    EXPECT_EQ(peer.line(), "!A");
    EXPECT_EQ(me.session().GameResult, "1/2-1/2");
    EXPECT_EQ(me.session().lines.back(), "1/2-1/2");
}

TEST_F(NetworkClientTest, ARefusedGreetingStartsNoGame) {
    me.net->connectTo("127.0.0.1", peer.listen());
    ASSERT_TRUE(peer.accept());
    ASSERT_EQ(peer.line(), "?Анна");
    peer.send("-");
    ASSERT_TRUE(
        spinUntil([&] { return me.bench.dialogs.showed(tag(TextKey::OpponentDeclinedGame)); }));
    EXPECT_EQ(me.net->stage(), NetworkGame::Stage::Idle);
    EXPECT_FALSE(me.session().boardOpen);
}

TEST_F(NetworkGameTest, ARefusedGreetingLeavesTheServerListening) {
    ASSERT_TRUE(me.net->serve(0));
    ASSERT_TRUE(peer.connect(me.net->port()));
    me.bench.dialogs.answers = {false};
    peer.send("?Boris");
    EXPECT_EQ(peer.line(), "-");
    EXPECT_TRUE(peer.closedByProgram());
    EXPECT_FALSE(me.session().boardOpen);
    NetworkPeer second(Colour::Black);
    ASSERT_TRUE(second.connect(me.net->port()));
    second.send("?Carla");
    EXPECT_EQ(second.line(), "@Анна");
    // While that game is open nobody else gets in.
    NetworkPeer third(Colour::Black);
    ASSERT_TRUE(third.connect(me.net->port()));
    EXPECT_EQ(third.line(), "-");
    EXPECT_TRUE(third.closedByProgram());
    EXPECT_TRUE(me.commented(TextKey::SecondConnectionRefused));
}

TEST_F(NetworkGameTest, ResigningIsSentAndTheLinkCloses) {
    serve();
    me.bench.game->resign();
    EXPECT_EQ(peer.line(), "%");
    EXPECT_TRUE(peer.closedByProgram());
    EXPECT_EQ(me.session().GameResult, "0-1");
    EXPECT_EQ(me.net->stage(), NetworkGame::Stage::Idle);
}

TEST_F(NetworkClientTest, ThePeersResignationWins) {
    join();
    peer.send("%");
    peer.drop();
    ASSERT_TRUE(spinUntil([&] { return me.net->stage() == NetworkGame::Stage::Idle; }));
    EXPECT_EQ(me.session().GameResult, "0-1");
    EXPECT_TRUE(me.bench.dialogs.showed(tag(TextKey::OpponentResigned)));
    EXPECT_FALSE(me.bench.dialogs.showed(tag(TextKey::ConnectionLost)));
}

TEST_F(NetworkGameTest, ADroppedPeerLeavesTheGameUnfinished) {
    serve();
    me.play("e2e4");
    peer.drop();
    ASSERT_TRUE(spinUntil([&] { return me.net->stage() == NetworkGame::Stage::Idle; }));
    EXPECT_EQ(me.session().GameResult, "*");
    EXPECT_TRUE(me.session().boardOpen);
    EXPECT_TRUE(me.bench.dialogs.showed(tag(TextKey::ConnectionLost)));
    EXPECT_FALSE(me.bench.game->networkLocked());
}

TEST_F(NetworkClientTest, ADroppedServerLeavesTheGameUnfinished) {
    join();
    peer.drop();
    ASSERT_TRUE(spinUntil([&] { return me.net->stage() == NetworkGame::Stage::Idle; }));
    EXPECT_EQ(me.session().GameResult, "*");
    EXPECT_TRUE(me.bench.dialogs.showed(tag(TextKey::ConnectionLost)));
}

TEST_F(NetworkGameTest, ClaimsAreCheckedAgainstTheReceiversOwnGame) {
    serve();
    // The receiver's clock is full, so its loss on time is not taken; no repetition either.
    peer.send("&W");
    peer.send("~");
    ASSERT_TRUE(spinUntil([&] { return me.commented(TextKey::RepetitionClaimIgnored); }));
    EXPECT_TRUE(me.commented(TextKey::TimeLossClaimIgnored));
    EXPECT_EQ(me.session().GameResult, "*");
    // The sender's own loss stands as it is.
    peer.send("&B");
    ASSERT_TRUE(spinUntil([&] { return me.session().GameResult == "1-0"; }));
}

TEST_F(NetworkGameTest, WhileConnectedOnlyMovesChangeTheGame) {
    serve();
    me.play("e2e4");
    me.bench.game->pastePosition("8/8/8/8/8/8/8/K6k w - - 0 1");
    me.bench.game->enterEditor(false);
    EXPECT_EQ(me.session().moveCount(), 1);
    EXPECT_FALSE(me.bench.board.isEditing);
    EXPECT_TRUE(me.bench.dialogs.showed(tag(TextKey::RefusedWhileConnected)));
}

// Thousands of broken, hostile and random lines: the game does not move and still answers.
TEST_F(NetworkGameTest, HostileMessagesChangeNothing) {
    serve();
    me.play("e2e4");
    ASSERT_EQ(peer.expectMove(), "e4");
    const GameSession before = me.session();
    const Position board = me.bench.game->position();
    std::vector<std::string> hostile = {"#5254d2-d4",
                                        "#4747",
                                        "#9999",
                                        "#0000",
                                        "#4744",
                                        "#4146Kd8-d3",
                                        "#1213a2-a3",
                                        "#47",
                                        "#4745e7-e5=Q",
                                        "#4745e7-e5=X",
                                        "!A",
                                        "!R",
                                        "!",
                                        "!AR",
                                        "@Mallory",
                                        "?Mallory",
                                        "-",
                                        "&W",
                                        "~",
                                        "%%",
                                        "&",
                                        "/x",
                                        "x",
                                        "\xff\xfe",
                                        ">\xc0\xaf",
                                        ">\xed\xa0\x80",
                                        ">a\rb"};
    hostile.push_back(std::string{'#', '4', '7', '\0', '4', '5'}); // a NUL inside a move
    hostile.push_back(std::string(200, '#'));
    hostile.push_back(std::string("\0\0\0", 3));
    for (int round = 0; round < 40; ++round)
        for (const std::string& line : hostile) peer.send(line);
    std::mt19937 random(17);
    for (int i = 0; i < 3000; ++i) {
        std::string line(random() % 40, '\0');
        for (char& c : line) {
            c = static_cast<char>(random() % 256);
            if (c == '\n') c = 'n';
        }
        // Random lines that start like a move or a claim reach further into the checks.
        if (i % 3 == 0 && !line.empty()) line[0] = "#&!~"[random() % 4];
        if (line == "&B" || line == "/" || line == "%") continue; // the valid ones
        peer.send(line);
    }
    peer.send(">[Boris] still there?");
    ASSERT_TRUE(spinUntil([&] { return !me.chats.empty(); }, 20000));
    EXPECT_EQ(me.session().lines, before.lines);
    EXPECT_EQ(me.session().GameMoveText, before.GameMoveText);
    EXPECT_EQ(me.session().GameResult, "*");
    EXPECT_EQ(me.bench.game->position(), board);
    EXPECT_TRUE(me.bench.dialogs.messages.empty());
    // A real move still goes through, both ways.
    peer.play("e7e5");
    ASSERT_TRUE(me.waitForMoves(2));
    me.play("g1f3");
    EXPECT_EQ(peer.expectMove(), "Nf3");
}

TEST_F(NetworkGameTest, ALineOverTheLimitClosesTheLink) {
    serve();
    peer.write(std::string(5000, 'a'));
    EXPECT_TRUE(peer.closedByProgram());
    EXPECT_TRUE(me.bench.dialogs.showed(tag(TextKey::NetworkLineTooLong)));
    EXPECT_EQ(me.session().GameResult, "*");
    EXPECT_TRUE(me.session().boardOpen);
}

} // namespace
} // namespace quarvelin::test
