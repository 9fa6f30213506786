// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The far end of a network game for tests: a raw socket that writes and reads the protocol's
// bytes itself and keeps its own board through the rules, so it checks what it is sent.
#include "network/LineReader.h"
#include "network/Protocol.h"
#include "network/ReceivedMove.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

namespace quarvelin::test {

inline void startEventLoop() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "quarvelin_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

template <class Done> bool spinUntil(Done done, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// Lets the event loop run a little, for checks that nothing more arrives.
inline void settle(int ms = 150) {
    spinUntil([] { return false; }, ms);
}

class NetworkPeer {
public:
    explicit NetworkPeer(Colour side) : board_(Position::initial(side)) {}

    // As client, to a server on this machine.
    bool connect(int port) {
        owned_ = std::make_unique<QTcpSocket>();
        socket_ = owned_.get();
        socket_->connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
        return socket_->waitForConnected(5000);
    }
    // As server: the port to give the program, then accept() once it connects.
    int listen() {
        server_ = std::make_unique<QTcpServer>();
        server_->listen(QHostAddress::LocalHost, 0);
        return server_->serverPort();
    }
    bool accept() {
        spinUntil([&] { return server_->hasPendingConnections(); });
        socket_ = server_->nextPendingConnection();
        return socket_ != nullptr;
    }

    void write(const std::string& bytes) {
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket_->flush();
    }
    void send(const std::string& line) { write(line + "\r\n"); }

    // The next line the program sent, or "(nothing)" after a wait.
    std::string line(int ms = 5000) {
        spinUntil(
            [&] {
                pull();
                return !lines_.empty();
            },
            ms);
        if (lines_.empty()) return "(nothing)";
        std::string l = lines_.front();
        lines_.pop_front();
        return l;
    }
    bool closedByProgram() {
        return spinUntil([&] {
            pull();
            return socket_->state() == QAbstractSocket::UnconnectedState;
        });
    }
    void drop() { socket_->abort(); }

    // This side's move, "e7e5" or "a2a1q", sent with the program's own message layout.
    void play(const std::string& uci) {
        Square from = namedSquare(uci[0], uci[1], board_.PlayerColour);
        Square to = namedSquare(uci[2], uci[3], board_.PlayerColour);
        Move c{from.x, from.y, to.x, to.y, board_.at(from.x, from.y), PieceCode::Empty};
        if (uci.size() > 4) c.promotion = pieceOf(PieceType::Queen, colourOf(c.piece));
        ASSERT_TRUE(isLegal(board_, c)) << uci;
        const std::string text = longMoveText(board_, c, NotationCode::French);
        send(std::string{'#', char('0' + c.fromX), char('0' + c.fromY), char('0' + c.toX),
                         char('0' + c.toY)} +
             text);
        playMove(board_, c);
    }
    // The program's move arrives and is what the rules accept here; its SAN.
    std::string expectMove() {
        const std::string l = line();
        const std::optional<net::Message> m = net::decode(l);
        if (!m) return "(not a message: " + l + ")";
        const std::optional<Move> c = net::receivedMove(board_, *m, board_.sideToMove());
        if (!c) return "(refused: " + l + ")";
        const std::string s = san(board_, *c);
        playMove(board_, *c);
        return s;
    }
    const Position& board() const { return board_; }

private:
    void pull() {
        if (!socket_) return;
        const QByteArray b = socket_->readAll();
        reader_.feed(std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
        while (auto l = reader_.next()) lines_.push_back(*l);
    }

    Position board_;
    std::unique_ptr<QTcpServer> server_;
    std::unique_ptr<QTcpSocket> owned_;
    QTcpSocket* socket_ = nullptr;
    net::LineReader reader_;
    std::deque<std::string> lines_;
};

} // namespace quarvelin::test
