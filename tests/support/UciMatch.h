#pragma once
// UCI engines as child processes, and a match between two of them refereed by one's perft.
// Every read has a deadline, so a silent engine fails the test instead of blocking it.
#include "rules/MoveRules.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quarvelin::test {

using namespace std::chrono_literals;

class ProcessusUci {
public:
    // Starts `programme` with `arguments`, its standard input and output piped to us.
    ProcessusUci(const std::string& program, const std::vector<std::string>& arguments) {
        // A child that died must give us EPIPE on write, not end the test binary.
        std::signal(SIGPIPE, SIG_IGN);
        int entry[2], sortie[2];
        if (::pipe2(entry, O_CLOEXEC) != 0) return;
        if (::pipe2(sortie, O_CLOEXEC) != 0) {
            ::close(entry[0]);
            ::close(entry[1]);
            return;
        }
        std::vector<std::string> mots{program};
        mots.insert(mots.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& m : mots) argv.push_back(m.data());
        argv.push_back(nullptr);

        pid_ = ::fork();
        if (pid_ == 0) {
            // Only what is safe between fork and exec. dup2 clears close-on-exec on 0 and 1,
            // and every other pipe of ours closes at exec, so no child holds another's ends.
            ::dup2(entry[0], 0);
            ::dup2(sortie[1], 1);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(entry[0]);
        ::close(sortie[1]);
        if (pid_ < 0) {
            ::close(entry[1]);
            ::close(sortie[0]);
            return;
        }
        ecriture_ = entry[1];
        lecture_ = sortie[0];
    }

    ~ProcessusUci() {
        fermer_entree();
        if (pid_ > 0 && !statut_) {
            // Given a moment to leave on its own, then killed: never left behind.
            if (!attendre_fin(2s)) {
                ::kill(pid_, SIGKILL);
                int s = 0;
                ::waitpid(pid_, &s, 0);
            }
        }
        if (lecture_ >= 0) ::close(lecture_);
    }
    ProcessusUci(const ProcessusUci&) = delete;
    ProcessusUci& operator=(const ProcessusUci&) = delete;

    bool demarre() const { return pid_ > 0 && ecriture_ >= 0; }

    bool envoyer(const std::string& line) {
        std::string s = line + "\n";
        for (std::size_t fait = 0; fait < s.size();) {
            if (ecriture_ < 0) return false;
            ssize_t n = ::write(ecriture_, s.data() + fait, s.size() - fait);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            fait += static_cast<std::size_t>(n);
        }
        return true;
    }

    // The next line, or nothing at the end of its output or once the delay has passed.
    std::optional<std::string> line(std::chrono::milliseconds delay) {
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            if (auto end = tampon_.find('\n'); end != std::string::npos) {
                std::string l = tampon_.substr(0, end);
                tampon_.erase(0, end + 1);
                if (!l.empty() && l.back() == '\r') l.pop_back();
                return l;
            }
            if (lecture_ < 0 || ferme_) return std::nullopt;
            auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
                limit - std::chrono::steady_clock::now());
            if (reste.count() <= 0) return std::nullopt;
            pollfd p{lecture_, POLLIN, 0};
            int r = ::poll(&p, 1, static_cast<int>(reste.count()));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return std::nullopt;
            char buffer[4096];
            ssize_t n = ::read(lecture_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ferme_ = true;
                continue;
            }
            tampon_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Reads up to the first line starting with `debut`; the lines before it go to `avant`.
    std::optional<std::string> attendre(const std::string& beginning, std::chrono::milliseconds delay,
                                        std::vector<std::string>* before = nullptr) {
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
                limit - std::chrono::steady_clock::now());
            std::optional<std::string> l = line(std::max(reste, 0ms));
            if (!l) return std::nullopt;
            if (l->starts_with(beginning)) return l;
            if (before) before->push_back(*l);
        }
    }

    void fermer_entree() {
        if (ecriture_ >= 0) ::close(ecriture_);
        ecriture_ = -1;
    }

    // Whether the child ended within the delay; its wait status is then in statut().
    bool attendre_fin(std::chrono::milliseconds delay) {
        if (statut_) return true;
        if (pid_ <= 0) return false;
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            int s = 0;
            pid_t r = ::waitpid(pid_, &s, WNOHANG);
            if (r == pid_) {
                statut_ = s;
                return true;
            }
            if (r < 0 || std::chrono::steady_clock::now() >= limit) return false;
            std::this_thread::sleep_for(5ms);
        }
    }
    std::optional<int> status() const { return statut_; }

private:
    pid_t pid_ = -1;
    int ecriture_ = -1, lecture_ = -1;
    std::string tampon_;
    bool ferme_ = false;
    std::optional<int> statut_;
};

struct ResultatMatch {
    int gains = 0, nulles = 0, pertes = 0, inachevees = 0; // for the first engine
    std::string error; // the first fault seen; the match stops there
};

struct ReglagesMatch {
    int games = 20;
    int demiCoupsMax = 120;
    std::string goPremier = "go depth 1"; // the engine under test
    std::string goSecond = "go movetime 20";
    std::chrono::milliseconds delay = 30s; // for every answer
};

namespace detail {

inline std::string commande_position(const std::vector<std::string>& moves) {
    std::string s = "position startpos";
    if (!moves.empty()) s += " moves";
    for (const auto& c : moves) s += " " + c;
    return s;
}

// The referee's legal moves: its `go perft 1` lines "<move>: 1", up to "Nodes searched".
inline std::optional<std::set<std::string>> legaux_selon(ProcessusUci& arbitre,
                                                         const std::vector<std::string>& moves,
                                                         std::chrono::milliseconds delay) {
    if (!arbitre.envoyer(commande_position(moves)) || !arbitre.envoyer("go perft 1"))
        return std::nullopt;
    std::vector<std::string> lines;
    if (!arbitre.attendre("Nodes searched", delay, &lines)) return std::nullopt;
    std::set<std::string> out;
    for (const auto& l : lines)
        if (auto p = l.find(": "); p != std::string::npos && p > 0) out.insert(l.substr(0, p));
    return out;
}

inline std::string bestmove_de(const std::string& line) {
    std::string reste = line.substr(std::string("bestmove").size());
    reste.erase(0, reste.find_first_not_of(' '));
    return reste.substr(0, reste.find(' '));
}

} // namespace detail

// Plays `premier` (the engine under test) against `second`, colours alternating, with the
// second engine (it must know `go perft`) as referee of the first one's moves. Mate and
// stalemate are judged by this program's rules on a position kept in step with both.
inline ResultatMatch jouer_match(ProcessusUci& premier, ProcessusUci& second,
                                 const ReglagesMatch& r) {
    ResultatMatch res;
    auto faute = [&](const std::string& quoi) {
        res.error = quoi;
        return res;
    };
    for (int game = 0; game < r.games; ++game) {
        const bool premierBlanc = game % 2 == 0;
        for (ProcessusUci* e : {&premier, &second}) {
            if (!e->envoyer("ucinewgame") || !e->envoyer("isready") ||
                !e->attendre("readyok", r.delay))
                return faute("no readyok before game " + std::to_string(game + 1));
        }
        Position p = Position::initial(Colour::White);
        std::vector<std::string> moves;
        const std::string lieu = "game " + std::to_string(game + 1);
        for (;;) {
            const std::string ici = lieu + " after '" + detail::commande_position(moves) + "'";
            auto legal = detail::legaux_selon(second, moves, r.delay);
            if (!legal) return faute("the referee did not list the moves, " + ici);
            GameEnd end = gameEnd(p);
            if ((end == GameEnd::InProgress) != !legal->empty())
                return faute("this program's rules and the referee disagree on the end, " + ici);
            const bool premierAuTrait = (p.side_to_move() == Colour::White) == premierBlanc;
            if (end == GameEnd::Mate) {
                ++(premierAuTrait ? res.pertes : res.gains);
                break;
            }
            if (end == GameEnd::Stalemate) {
                ++res.nulles;
                break;
            }
            if (static_cast<int>(moves.size()) >= r.demiCoupsMax) {
                ++res.inachevees;
                break;
            }
            ProcessusUci& player = premierAuTrait ? premier : second;
            // One bestmove per go: a second one still waiting would be taken for the next move.
            std::vector<std::string> enAttente;
            if (!player.envoyer("isready") || !player.attendre("readyok", r.delay, &enAttente))
                return faute("no readyok before the move, " + ici);
            for (const auto& l : enAttente)
                if (l.starts_with("bestmove"))
                    return faute("an extra '" + l + "' was waiting, " + ici);
            if (!player.envoyer(detail::commande_position(moves)) ||
                !player.envoyer(premierAuTrait ? r.goPremier : r.goSecond))
                return faute("cannot write to the engine, " + ici);
            auto line = player.attendre("bestmove", r.delay);
            if (!line)
                return faute(
                    std::string(premierAuTrait ? "the engine under test" : "its opponent") +
                    " gave no bestmove in time, " + ici);
            const std::string move = detail::bestmove_de(*line);
            if (premierAuTrait && !legal->contains(move))
                return faute("illegal move '" + move + "' by the engine under test, " + ici);
            std::vector<Move> nos = legalMoves(p);
            auto c = std::find_if(nos.begin(), nos.end(),
                                  [&](const Move& l) { return uciMove(p, l) == move; });
            if (c == nos.end())
                return faute("move '" + move +
                             "' is legal for the referee, not for this program, " + ici);
            playMove(p, *c);
            moves.push_back(move);
        }
    }
    return res;
}

} // namespace quarvelin::test
