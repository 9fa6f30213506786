// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One TCP link to the peer: listening for it (server) or reaching it (client), framed lines in
// and out. While a peer is connected, any other connection is closed as soon as it arrives. Qt's
// socket types stay in the source file.
#include "network/LineReader.h"
#include "network/Protocol.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace quarvelin::net {

class Connection {
public:
    enum class Failure { Socket, LineTooLong, TooMuchUnread };
    struct Events {
        std::function<void()> connected;  // the peer is there (accepted or reached)
        std::function<void()> linesReady; // lines wait in nextLine()
        std::function<void()> closed;     // the peer closed the link
        std::function<void(Failure, const std::string&)> failed; // with the platform's text
        std::function<void()> otherRefused;                      // a second peer tried to connect
    };

    explicit Connection(Events events);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Server: listens on every address; false with the platform's text when the port is taken.
    bool listen(int port, std::string& error);
    // The port actually listened on (the one the system chose for port 0).
    int port() const;
    // The addresses other machines can reach this one on (loopback when there is no other).
    static std::vector<std::string> localAddresses();
    // Client: starts connecting; connected() or failed() follows.
    void connectTo(const std::string& host, int port);

    void send(const Message& m);
    std::optional<std::string> nextLine() { return reader_.next(); }
    bool hasPeer() const { return peer_ != nullptr; }
    bool listening() const;
    // The peer goes, after what was sent has left; a server goes on listening.
    void dropPeer();
    // Everything stops at once and the port is free.
    void close();

private:
    void adopt(QTcpSocket* socket);
    void read();
    void release(bool graceful);

    Events events_;
    std::unique_ptr<QTcpServer> server_;
    QTcpSocket* peer_ = nullptr; // deleted later: its own signals may be on the stack
    LineReader reader_;
};

} // namespace quarvelin::net
