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

class ServeurHttpLocal {
public:
    struct Reponse {
        int status = 200;
        std::string reason = "OK";
        std::string corps;
        bool muet = false;               // reads the request and never answers
        long long longueurAnnoncee = -1; // Content-Length to announce instead of the body's
    };

    ServeurHttpLocal() {
        ecoute_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        if (::bind(ecoute_, reinterpret_cast<sockaddr*>(&a), n) == 0 &&
            ::listen(ecoute_, 16) == 0 &&
            ::getsockname(ecoute_, reinterpret_cast<sockaddr*>(&a), &n) == 0)
            port_ = ntohs(a.sin_port);
        fil_ = std::thread([this] { servir_tout(); });
    }

    ~ServeurHttpLocal() {
        stop_ = true;
        fil_.join();
        for (int s : muets_) ::close(s);
        ::close(ecoute_);
    }

    ServeurHttpLocal(const ServeurHttpLocal&) = delete;
    ServeurHttpLocal& operator=(const ServeurHttpLocal&) = delete;

    void servir(const std::string& path, Reponse r) {
        std::lock_guard verrou(mutex_);
        reponses_[path] = std::move(r);
    }
    std::string address(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void servir_tout() {
        while (!stop_) {
            pollfd p{ecoute_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int s = ::accept4(ecoute_, nullptr, nullptr, SOCK_CLOEXEC);
            if (s >= 0) repondre(s);
        }
    }

    void repondre(int s) {
        std::string recu;
        char tampon[4096];
        while (recu.find("\r\n\r\n") == std::string::npos && !stop_) {
            pollfd p{s, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = ::recv(s, tampon, sizeof tampon, 0);
            if (n <= 0) break;
            recu.append(tampon, static_cast<std::size_t>(n));
        }
        const std::size_t beginning = recu.find(' ');
        const std::size_t end = recu.find(' ', beginning + 1);
        const std::string path =
            beginning == std::string::npos ? "/" : recu.substr(beginning + 1, end - beginning - 1);
        Reponse r{404, "Not Found", "absent"};
        {
            std::lock_guard verrou(mutex_);
            if (auto it = reponses_.find(path); it != reponses_.end()) r = it->second;
        }
        if (r.muet) {
            muets_.push_back(s); // open until the server goes, so the client only waits
            return;
        }
        const long long longueur =
            r.longueurAnnoncee >= 0 ? r.longueurAnnoncee : static_cast<long long>(r.corps.size());
        std::string text =
            "HTTP/1.1 " + std::to_string(r.status) + " " + r.reason + "\r\n" +
            "Content-Type: application/xml\r\nContent-Length: " + std::to_string(longueur) +
            "\r\nConnection: close\r\n\r\n" + r.corps;
        std::size_t envoye = 0;
        while (envoye < text.size()) {
            const ssize_t n = ::send(s, text.data() + envoye, text.size() - envoye, MSG_NOSIGNAL);
            if (n <= 0) break;
            envoye += static_cast<std::size_t>(n);
        }
        if (r.longueurAnnoncee >= 0) {
            muets_.push_back(s); // the rest of the announced body never comes
            return;
        }
        ::shutdown(s, SHUT_WR);
        ::close(s);
    }

    int ecoute_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::map<std::string, Reponse> reponses_;
    std::vector<int> muets_; // touched by the server's thread only, then by the destructor
    std::thread fil_;
};

} // namespace quarvelin::test
