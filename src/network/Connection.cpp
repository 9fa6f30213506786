// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/Connection.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>

namespace quarvelin::net {

Connection::Connection(Events events) : events_(std::move(events)) {}

Connection::~Connection() { close(); }

bool Connection::listen(int port, std::string& error) {
    close();
    server_ = std::make_unique<QTcpServer>();
    if (!server_->listen(QHostAddress::Any, static_cast<quint16>(port))) {
        error = server_->errorString().toStdString();
        server_.reset();
        return false;
    }
    QObject::connect(server_.get(), &QTcpServer::newConnection, server_.get(), [this] {
        while (QTcpSocket* s = server_->nextPendingConnection()) {
            if (peer_) {
                // One game at a time: the newcomer is told no and dropped.
                s->write(encode(simple(MessageKind::Refusal)).c_str());
                s->disconnectFromHost();
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                if (events_.otherRefused) events_.otherRefused();
                continue;
            }
            adopt(s);
            if (events_.connected) events_.connected();
        }
    });
    return true;
}

int Connection::port() const { return server_ ? server_->serverPort() : 0; }

bool Connection::listening() const { return server_ && server_->isListening(); }

std::vector<std::string> Connection::localAddresses() {
    std::vector<std::string> out;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
            out.push_back(a.toString().toStdString());
    if (out.empty()) out.emplace_back("127.0.0.1");
    return out;
}

void Connection::connectTo(const std::string& host, int port) {
    close();
    auto* s = new QTcpSocket();
    adopt(s);
    QObject::connect(s, &QTcpSocket::connected, s, [this] {
        if (events_.connected) events_.connected();
    });
    s->connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void Connection::adopt(QTcpSocket* s) {
    // Owned here, not by the server, so closing the server does not cut what is being sent.
    s->setParent(nullptr);
    peer_ = s;
    reader_ = LineReader();
    QObject::connect(s, &QTcpSocket::readyRead, s, [this] { read(); });
    QObject::connect(s, &QTcpSocket::disconnected, s, [this, s] {
        if (s != peer_) return;
        // Lines that came before the close are still handled, then the close.
        release(false);
        if (events_.closed) events_.closed();
    });
    QObject::connect(s, &QTcpSocket::errorOccurred, s, [this, s](QAbstractSocket::SocketError e) {
        if (s != peer_ || e == QAbstractSocket::RemoteHostClosedError) return;
        const std::string why = s->errorString().toStdString();
        release(false);
        if (events_.failed) events_.failed(Failure::Socket, why);
    });
}

// Read a piece at a time and handed on at once, so only lines held up (by a question box)
// count as unread, however fast they come.
void Connection::read() {
    constexpr qint64 Piece = 8192;
    while (peer_ && peer_->bytesAvailable() > 0) {
        const QByteArray bytes = peer_->read(Piece);
        const LineReader::Status st = reader_.feed(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (st != LineReader::Status::Ok) {
            release(false);
            if (events_.failed)
                events_.failed(st == LineReader::Status::LineTooLong ? Failure::LineTooLong
                                                                     : Failure::TooMuchUnread,
                               {});
            return;
        }
        if (reader_.unread() > 0 && events_.linesReady) events_.linesReady();
    }
}

void Connection::send(const Message& m) {
    if (!peer_) return;
    const std::string bytes = encode(m);
    peer_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void Connection::release(bool graceful) {
    QTcpSocket* s = peer_;
    peer_ = nullptr;
    if (!s) return;
    QObject::disconnect(s, nullptr, nullptr, nullptr);
    if (graceful && s->state() == QAbstractSocket::ConnectedState) {
        s->disconnectFromHost();
        if (s->state() != QAbstractSocket::UnconnectedState) {
            QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            return;
        }
    } else {
        s->abort();
    }
    s->deleteLater();
}

void Connection::dropPeer() {
    release(true);
    reader_ = LineReader(); // what that peer sent is not to be handled any more
}

void Connection::close() {
    dropPeer();
    if (server_) {
        server_->close();
        server_.reset();
    }
}

} // namespace quarvelin::net
