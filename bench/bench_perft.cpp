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

struct Cas {
    const char* name;
    const char* fen;
    int depth;
    std::uint64_t attendu;
};

constexpr Cas Positions[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6, 119060324},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5,
     193690690},
};

struct Mesure {
    std::uint64_t noeuds = 0;
    double seconds = 0; // the best of the repetitions
    bool ok = false;
};

double from(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

Mesure mesurer_nous(const Cas& c) {
    Mesure m;
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
        if (i > 0 && n != m.noeuds) {
            std::fprintf(stderr, "our perft gave %llu then %llu for %s\n",
                         static_cast<unsigned long long>(m.noeuds),
                         static_cast<unsigned long long>(n), c.name);
            return m;
        }
        m.noeuds = n;
    }
    m.ok = true;
    return m;
}

std::string trouver_stockfish() {
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
class Moteur {
public:
    explicit Moteur(const std::string& path) {
        int versMoteur[2], depuisMoteur[2];
        if (pipe(versMoteur) != 0) return;
        if (pipe(depuisMoteur) != 0) {
            close(versMoteur[0]);
            close(versMoteur[1]);
            return;
        }
        pid_ = fork();
        if (pid_ < 0) {
            for (int fd : {versMoteur[0], versMoteur[1], depuisMoteur[0], depuisMoteur[1]})
                close(fd);
            return;
        }
        if (pid_ == 0) {
            dup2(versMoteur[0], STDIN_FILENO);
            dup2(depuisMoteur[1], STDOUT_FILENO);
            for (int fd : {versMoteur[0], versMoteur[1], depuisMoteur[0], depuisMoteur[1]})
                close(fd);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(versMoteur[0]);
        close(depuisMoteur[1]);
        in_ = versMoteur[1];
        out_ = depuisMoteur[0];
    }

    ~Moteur() {
        if (pid_ <= 0) return;
        envoyer("quit");
        close(in_);
        close(out_);
        int status = 0;
        waitpid(pid_, &status, 0);
    }

    Moteur(const Moteur&) = delete;
    Moteur& operator=(const Moteur&) = delete;

    bool vivant() const { return pid_ > 0; }

    bool envoyer(std::string line) {
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
    std::optional<std::string> lire_ligne() {
        for (;;) {
            auto nl = tampon_.find('\n');
            if (nl != std::string::npos) {
                std::string line = tampon_.substr(0, nl);
                tampon_.erase(0, nl + 1);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return line;
            }
            char buf[4096];
            ssize_t n = read(out_, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return std::nullopt;
            tampon_.append(buf, static_cast<std::size_t>(n));
        }
    }

    // Reads until a line starting with `debut`; that line, or nullopt if the engine went away.
    std::optional<std::string> attendre(std::string_view beginning) {
        while (auto line = lire_ligne())
            if (line->starts_with(beginning)) return line;
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    std::string tampon_;
};

bool preparer(Moteur& m) {
    if (!m.vivant() || !m.envoyer("uci") || !m.attendre("uciok")) return false;
    if (!m.envoyer("setoption name Threads value 1")) return false;
    return m.envoyer("isready") && m.attendre("readyok");
}

Mesure mesurer_stockfish(Moteur& engine, const Cas& c) {
    Mesure m;
    for (int i = 0; i < Repetitions; ++i) {
        // Wait for the position to be taken before starting the clock.
        if (!engine.envoyer(std::string("position fen ") + c.fen) || !engine.envoyer("isready") ||
            !engine.attendre("readyok"))
            return m;
        auto t0 = Clock::now();
        if (!engine.envoyer("go perft " + std::to_string(c.depth))) return m;
        auto line = engine.attendre("Nodes searched:");
        double s = from(t0);
        if (!line) return m;
        std::uint64_t n =
            std::strtoull(line->c_str() + std::strlen("Nodes searched:"), nullptr, 10);
        if (i == 0 || s < m.seconds) m.seconds = s;
        if (i > 0 && n != m.noeuds) return m;
        m.noeuds = n;
    }
    m.ok = true;
    return m;
}

double mnps(const Mesure& m) {
    return m.seconds > 0 ? static_cast<double>(m.noeuds) / m.seconds / 1e6 : 0;
}

} // namespace

int main() {
    // A stockfish that dies must show as a failed read, not end this program.
    std::signal(SIGPIPE, SIG_IGN);

    const std::string path = trouver_stockfish();
    std::optional<Moteur> engine;
    if (path.empty()) {
        std::printf("stockfish not found (neither /usr/games/stockfish nor on PATH): "
                    "only our times are shown\n");
    } else {
        engine.emplace(path);
        if (!preparer(*engine)) {
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

    bool bon = true;
    double sommeLog = 0;
    int ratios = 0;
    for (const Cas& c : Positions) {
        Mesure nous = mesurer_nous(c);
        std::optional<Mesure> sf;
        if (engine) sf = mesurer_stockfish(*engine, c);

        std::printf("%-10s %5d %11llu %9.3f %8.2f", c.name, c.depth,
                    static_cast<unsigned long long>(nous.noeuds), nous.seconds, mnps(nous));
        if (sf) {
            if (sf->ok) {
                double ratio = mnps(nous) / mnps(*sf);
                std::printf(" %9.3f %8.2f %7.2f", sf->seconds, mnps(*sf), ratio);
                if (ratio > 0) {
                    sommeLog += std::log(ratio);
                    ++ratios;
                }
            } else {
                std::printf(" %9s %8s %7s", "failed", "-", "-");
            }
        }
        std::printf("\n");

        if (!nous.ok || nous.noeuds != c.attendu) {
            std::printf("  ours: %llu nodes, expected %llu\n",
                        static_cast<unsigned long long>(nous.noeuds),
                        static_cast<unsigned long long>(c.attendu));
            bon = false;
        }
        if (sf && (!sf->ok || sf->noeuds != c.attendu)) {
            std::printf("  stockfish: %llu nodes, expected %llu\n",
                        static_cast<unsigned long long>(sf->noeuds),
                        static_cast<unsigned long long>(c.attendu));
            bon = false;
        }
        if (sf && sf->ok && nous.ok && sf->noeuds != nous.noeuds) {
            std::printf("  node counts disagree\n");
            bon = false;
        }
    }

    std::printf("\n");
    if (ratios > 0)
        std::printf("perft speed ratio to stockfish: %.2f (geometric mean)\n",
                    std::exp(sommeLog / ratios));
    else if (engine)
        std::printf("perft speed ratio to stockfish: not available\n");
    if (!bon) std::printf("node counts do not all agree\n");
    return bon ? 0 : 1;
}
