// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small HTTP server on loopback for the tests that fetch documents, on its own thread like a
// real server: each path answers with a fixed status and body, and a path may be told never to
// answer. Unknown paths get 404.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quarvelin::test {

// A loopback port nobody listens on: bound and given back at once.
inline int unusedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), n);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(s);
    return ntohs(a.sin_port);
}

class LocalHttpServer {
public:
    struct Answer {
        int status = 200;
        std::string reason = "OK";
        std::string body;
        bool silent = false;            // reads the request and never answers
        long long announcedLength = -1; // Content-Length to announce instead of the body's
    };

    LocalHttpServer() {
        listening_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (::bind(listening_, reinterpret_cast<sockaddr*>(&a), n) == 0 &&
            ::listen(listening_, 16) == 0 &&
            ::getsockname(listening_, reinterpret_cast<sockaddr*>(&a), &n) == 0)
            port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serveAll(); });
    }

    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
        for (int s : silent_) ::close(s);
        ::close(listening_);
    }

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    void serve(const std::string& path, Answer r) {
        std::lock_guard lock(mutex_);
        answers_[path] = std::move(r);
    }
    std::string address(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void serveAll() {
        while (!stop_) {
            pollfd p{listening_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int s = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
            if (s >= 0) answer(s);
        }
    }

    void answer(int s) {
        std::string received;
        char buffer[4096];
        while (received.find("\r\n\r\n") == std::string::npos && !stop_) {
            pollfd p{s, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = ::recv(s, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            received.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t beginning = received.find(' ');
        const std::size_t end = received.find(' ', beginning + 1);
        const std::string path = beginning == std::string::npos
                                     ? "/"
                                     : received.substr(beginning + 1, end - beginning - 1);
        Answer r{404, "Not Found", "absent"};
        {
            std::lock_guard lock(mutex_);
            if (auto it = answers_.find(path); it != answers_.end()) r = it->second;
        }
        if (r.silent) {
            silent_.push_back(s); // open until the server goes, so the client only waits
            return;
        }
        const long long length =
            r.announcedLength >= 0 ? r.announcedLength : static_cast<long long>(r.body.size());
        std::string text =
            "HTTP/1.1 " + std::to_string(r.status) + " " + r.reason + "\r\n" +
            "Content-Type: application/xml\r\nContent-Length: " + std::to_string(length) +
            "\r\nConnection: close\r\n\r\n" + r.body;
        std::size_t sent = 0;
        while (sent < text.size()) {
            const ssize_t n = ::send(s, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
        if (r.announcedLength >= 0) {
            silent_.push_back(s); // the rest of the announced body never comes
            return;
        }
        ::shutdown(s, SHUT_WR);
        ::close(s);
    }

    int listening_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::map<std::string, Answer> answers_;
    std::vector<int> silent_; // touched by the server's thread only, then by the destructor
    std::thread thread_;
};

} // namespace quarvelin::test
