// SPDX-License-Identifier: GPL-3.0-or-later
// Perft speed of our move generator beside Debian's stockfish, on the same positions in the
// same run. Each measurement is taken three times and the best kept: the machine is shared.
#include "notation/Fen.h"
#include "rules/FastPosition.h"
#include "rules/Position.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvelin;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int Repetitions = 3;

struct Case {
    const char* name;
    const char* fen;
    int depth;
    std::uint64_t expected;
};

constexpr Case Positions[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6, 119060324},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5,
     193690690},
};

struct Measure {
    std::uint64_t nodes = 0;
    double seconds = 0; // the best of the repetitions
    bool ok = false;
};

double from(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

Measure measureOurs(const Case& c) {
    Measure m;
    FenProblem reason = FenProblem::None;
    auto p = readFen(c.fen, Colour::White, &reason);
    if (!p) {
        std::fprintf(stderr, "our FEN reader refused %s (reason %d)\n", c.name,
                     static_cast<int>(reason));
        return m;
    }
    const FastPosition f = FastPosition::from(*p);
    for (int i = 0; i < Repetitions; ++i) {
        auto t0 = Clock::now();
        std::uint64_t n = f.perft(c.depth);
        double s = from(t0);
        if (i == 0 || s < m.seconds) m.seconds = s;
        if (i > 0 && n != m.nodes) {
            std::fprintf(stderr, "our perft gave %llu then %llu for %s\n",
                         static_cast<unsigned long long>(m.nodes),
                         static_cast<unsigned long long>(n), c.name);
            return m;
        }
        m.nodes = n;
    }
    m.ok = true;
    return m;
}

std::string findStockfish() {
    if (access("/usr/games/stockfish", X_OK) == 0) return "/usr/games/stockfish";
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        auto colon = rest.find(':');
        std::string_view dir = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += "/stockfish";
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// A UCI engine as a child process, spoken to line by line through two pipes.
class Engine {
public:
    explicit Engine(const std::string& path) {
        int toEngine[2], fromEngine[2];
        if (pipe(toEngine) != 0) return;
        if (pipe(fromEngine) != 0) {
            close(toEngine[0]);
            close(toEngine[1]);
            return;
        }
        pid_ = fork();
        if (pid_ < 0) {
            for (int fd : {toEngine[0], toEngine[1], fromEngine[0], fromEngine[1]}) close(fd);
            return;
        }
        if (pid_ == 0) {
            dup2(toEngine[0], STDIN_FILENO);
            dup2(fromEngine[1], STDOUT_FILENO);
            for (int fd : {toEngine[0], toEngine[1], fromEngine[0], fromEngine[1]}) close(fd);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toEngine[0]);
        close(fromEngine[1]);
        in_ = toEngine[1];
        out_ = fromEngine[0];
    }

    ~Engine() {
        if (pid_ <= 0) return;
        send("quit");
        close(in_);
        close(out_);
        int status = 0;
        waitpid(pid_, &status, 0);
    }

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool alive() const { return pid_ > 0; }

    bool send(std::string line) {
        line += '\n';
        std::size_t done = 0;
        while (done < line.size()) {
            ssize_t n = write(in_, line.data() + done, line.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // The next line without its end; nullopt once the engine has gone.
    std::optional<std::string> readLine() {
        for (;;) {
            auto nl = buffer_.find('\n');
            if (nl != std::string::npos) {
                std::string line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return line;
            }
            char buf[4096];
            ssize_t n = read(out_, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return std::nullopt;
            buffer_.append(buf, static_cast<std::size_t>(n));
        }
    }

    // Reads until a line starting with `debut`; that line, or nullopt if the engine went away.
    std::optional<std::string> wait(std::string_view beginning) {
        while (auto line = readLine())
            if (line->starts_with(beginning)) return line;
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    std::string buffer_;
};

bool prepare(Engine& m) {
    if (!m.alive() || !m.send("uci") || !m.wait("uciok")) return false;
    if (!m.send("setoption name Threads value 1")) return false;
    return m.send("isready") && m.wait("readyok");
}

Measure measureStockfish(Engine& engine, const Case& c) {
    Measure m;
    for (int i = 0; i < Repetitions; ++i) {
        // Wait for the position to be taken before starting the clock.
        if (!engine.send(std::string("position fen ") + c.fen) || !engine.send("isready") ||
            !engine.wait("readyok"))
            return m;
        auto t0 = Clock::now();
        if (!engine.send("go perft " + std::to_string(c.depth))) return m;
        auto line = engine.wait("Nodes searched:");
        double s = from(t0);
        if (!line) return m;
        std::uint64_t n =
            std::strtoull(line->c_str() + std::strlen("Nodes searched:"), nullptr, 10);
        if (i == 0 || s < m.seconds) m.seconds = s;
        if (i > 0 && n != m.nodes) return m;
        m.nodes = n;
    }
    m.ok = true;
    return m;
}

double mnps(const Measure& m) {
    return m.seconds > 0 ? static_cast<double>(m.nodes) / m.seconds / 1e6 : 0;
}

} // namespace

int main() {
    // A stockfish that dies must show as a failed read, not end this program.
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("build: %s\n", QUARVELIN_BENCH_BUILD);

    const std::string path = findStockfish();
    std::optional<Engine> engine;
    if (path.empty()) {
        std::printf("stockfish not found (neither /usr/games/stockfish nor on PATH): "
                    "only our times are shown\n");
    } else {
        engine.emplace(path);
        if (!prepare(*engine)) {
            std::printf(
                "stockfish at %s did not answer the UCI handshake: only our times are shown\n",
                path.c_str());
            engine.reset();
        } else {
            std::printf("stockfish: %s (1 thread)\n", path.c_str());
        }
    }
    std::printf("best of %d runs each\n\n", Repetitions);

    std::printf("%-10s %5s %11s %9s %8s", "position", "depth", "nodes", "ours (s)", "Mnps");
    if (engine) std::printf(" %9s %8s %7s", "sf (s)", "Mnps", "ratio");
    std::printf("\n");

    bool good = true;
    double logSum = 0;
    int ratios = 0;
    for (const Case& c : Positions) {
        Measure us = measureOurs(c);
        std::optional<Measure> sf;
        if (engine) sf = measureStockfish(*engine, c);

        std::printf("%-10s %5d %11llu %9.3f %8.2f", c.name, c.depth,
                    static_cast<unsigned long long>(us.nodes), us.seconds, mnps(us));
        if (sf) {
            if (sf->ok) {
                double ratio = mnps(us) / mnps(*sf);
                std::printf(" %9.3f %8.2f %7.2f", sf->seconds, mnps(*sf), ratio);
                if (ratio > 0) {
                    logSum += std::log(ratio);
                    ++ratios;
                }
            } else {
                std::printf(" %9s %8s %7s", "failed", "-", "-");
            }
        }
        std::printf("\n");

        if (!us.ok || us.nodes != c.expected) {
            std::printf("  ours: %llu nodes, expected %llu\n",
                        static_cast<unsigned long long>(us.nodes),
                        static_cast<unsigned long long>(c.expected));
            good = false;
        }
        if (sf && (!sf->ok || sf->nodes != c.expected)) {
            std::printf("  stockfish: %llu nodes, expected %llu\n",
                        static_cast<unsigned long long>(sf->nodes),
                        static_cast<unsigned long long>(c.expected));
            good = false;
        }
        if (sf && sf->ok && us.ok && sf->nodes != us.nodes) {
            std::printf("  node counts disagree\n");
            good = false;
        }
    }

    std::printf("\n");
    if (ratios > 0)
        std::printf("perft speed ratio to stockfish: %.2f (geometric mean)\n",
                    std::exp(logSum / ratios));
    else if (engine)
        std::printf("perft speed ratio to stockfish: not available\n");
    if (!good) std::printf("node counts do not all agree\n");
    return good ? 0 : 1;
}
