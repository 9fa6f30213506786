// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UCI engines as child processes, and a match between two of them refereed by one's perft.
// Every read has a deadline, so a silent engine fails the test instead of blocking it.
#include "support/Moves.h"

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

class UciProcess {
public:
    // Starts `program` with `arguments`, its standard input and output piped to us.
    UciProcess(const std::string& program, const std::vector<std::string>& arguments) {
        // A child that died must give us EPIPE on write, not end the test binary.
        std::signal(SIGPIPE, SIG_IGN);
        int entry[2], output[2];
        if (::pipe2(entry, O_CLOEXEC) != 0) return;
        if (::pipe2(output, O_CLOEXEC) != 0) {
            ::close(entry[0]);
            ::close(entry[1]);
            return;
        }
        std::vector<std::string> words{program};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& m : words) argv.push_back(m.data());
        argv.push_back(nullptr);

        pid_ = ::fork();
        if (pid_ == 0) {
            // Only what is safe between fork and exec. dup2 clears close-on-exec on 0 and 1,
            // and every other pipe of ours closes at exec, so no child holds another's ends.
            ::dup2(entry[0], 0);
            ::dup2(output[1], 1);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(entry[0]);
        ::close(output[1]);
        if (pid_ < 0) {
            ::close(entry[1]);
            ::close(output[0]);
            return;
        }
        writing_ = entry[1];
        reading_ = output[0];
    }

    ~UciProcess() {
        closeEntry();
        if (pid_ > 0 && !status_) {
            // Given a moment to leave on its own, then killed: never left behind.
            if (!waitForEnd(2s)) {
                ::kill(pid_, SIGKILL);
                int s = 0;
                ::waitpid(pid_, &s, 0);
            }
        }
        if (reading_ >= 0) ::close(reading_);
    }
    UciProcess(const UciProcess&) = delete;
    UciProcess& operator=(const UciProcess&) = delete;

    bool started() const { return pid_ > 0 && writing_ >= 0; }

    bool send(const std::string& line) {
        std::string s = line + "\n";
        for (std::size_t done = 0; done < s.size();) {
            if (writing_ < 0) return false;
            ssize_t n = ::write(writing_, s.data() + done, s.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

    // The next line, or nothing at the end of its output or once the delay has passed.
    std::optional<std::string> line(std::chrono::milliseconds delay) {
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            if (auto end = buffer_.find('\n'); end != std::string::npos) {
                std::string l = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                if (!l.empty() && l.back() == '\r') l.pop_back();
                return l;
            }
            if (reading_ < 0 || closed_) return std::nullopt;
            auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
                limit - std::chrono::steady_clock::now());
            if (rest.count() <= 0) return std::nullopt;
            pollfd p{reading_, POLLIN, 0};
            int r = ::poll(&p, 1, static_cast<int>(rest.count()));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return std::nullopt;
            char buffer[4096];
            ssize_t n = ::read(reading_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                closed_ = true;
                continue;
            }
            buffer_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    // Reads up to the first line starting with `beginning`; the lines before it go to `before`.
    std::optional<std::string> wait(const std::string& beginning, std::chrono::milliseconds delay,
                                    std::vector<std::string>* before = nullptr) {
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(
                limit - std::chrono::steady_clock::now());
            std::optional<std::string> l = line(std::max(rest, 0ms));
            if (!l) return std::nullopt;
            if (l->starts_with(beginning)) return l;
            if (before) before->push_back(*l);
        }
    }

    void closeEntry() {
        if (writing_ >= 0) ::close(writing_);
        writing_ = -1;
    }

    // Whether the child ended within the delay; its wait status is then in status().
    bool waitForEnd(std::chrono::milliseconds delay) {
        if (status_) return true;
        if (pid_ <= 0) return false;
        auto limit = std::chrono::steady_clock::now() + delay;
        for (;;) {
            int s = 0;
            pid_t r = ::waitpid(pid_, &s, WNOHANG);
            if (r == pid_) {
                status_ = s;
                return true;
            }
            if (r < 0 || std::chrono::steady_clock::now() >= limit) return false;
            std::this_thread::sleep_for(5ms);
        }
    }
    std::optional<int> status() const { return status_; }

private:
    pid_t pid_ = -1;
    int writing_ = -1, reading_ = -1;
    std::string buffer_;
    bool closed_ = false;
    std::optional<int> status_;
};

struct MatchResult {
    int gains = 0, draws = 0, losses = 0, unfinished = 0; // for the first engine
    std::string error; // the first fault seen; the match stops there
};

struct SettingsMatch {
    int games = 20;
    int maxHalfMoves = 120;
    std::string goFirst = "go depth 1"; // the engine under test
    std::string goSecond = "go movetime 20";
    std::chrono::milliseconds delay = 30s; // for every answer
};

namespace detail {

inline std::string positionCommand(const std::vector<std::string>& moves) {
    std::string s = "position startpos";
    if (!moves.empty()) s += " moves";
    for (const auto& c : moves) s += " " + c;
    return s;
}

// The referee's legal moves: its `go perft 1` lines "<move>: 1", up to "Nodes searched".
inline std::optional<std::set<std::string>> legalBy(UciProcess& arbiter,
                                                    const std::vector<std::string>& moves,
                                                    std::chrono::milliseconds delay) {
    if (!arbiter.send(positionCommand(moves)) || !arbiter.send("go perft 1")) return std::nullopt;
    std::vector<std::string> lines;
    if (!arbiter.wait("Nodes searched", delay, &lines)) return std::nullopt;
    std::set<std::string> out;
    for (const auto& l : lines)
        if (auto p = l.find(": "); p != std::string::npos && p > 0) out.insert(l.substr(0, p));
    return out;
}

inline std::string bestmoveOf(const std::string& line) {
    std::string rest = line.substr(std::string("bestmove").size());
    rest.erase(0, rest.find_first_not_of(' '));
    return rest.substr(0, rest.find(' '));
}

} // namespace detail

// Plays `first` (the engine under test) against `second`, colours alternating, with the
// second engine (it must know `go perft`) as referee of the first one's moves. Mate and
// stalemate are judged by this program's rules on a position kept in step with both.
inline MatchResult playMatch(UciProcess& first, UciProcess& second, const SettingsMatch& r) {
    MatchResult outcome;
    auto fault = [&](const std::string& what) {
        outcome.error = what;
        return outcome;
    };
    for (int game = 0; game < r.games; ++game) {
        const bool firstBlank = game % 2 == 0;
        for (UciProcess* e : {&first, &second}) {
            if (!e->send("ucinewgame") || !e->send("isready") || !e->wait("readyok", r.delay))
                return fault("no readyok before game " + std::to_string(game + 1));
        }
        Position p = Position::initial(Colour::White);
        std::vector<std::string> moves;
        const std::string place = "game " + std::to_string(game + 1);
        for (;;) {
            const std::string here = place + " after '" + detail::positionCommand(moves) + "'";
            auto legal = detail::legalBy(second, moves, r.delay);
            if (!legal) return fault("the referee did not list the moves, " + here);
            GameEnd end = gameEnd(p);
            if ((end == GameEnd::InProgress) != !legal->empty())
                return fault("this program's rules and the referee disagree on the end, " + here);
            const bool firstToMove = (p.sideToMove() == Colour::White) == firstBlank;
            if (end == GameEnd::Mate) {
                ++(firstToMove ? outcome.losses : outcome.gains);
                break;
            }
            if (end == GameEnd::Stalemate) {
                ++outcome.draws;
                break;
            }
            if (static_cast<int>(moves.size()) >= r.maxHalfMoves) {
                ++outcome.unfinished;
                break;
            }
            UciProcess& player = firstToMove ? first : second;
            // One bestmove per go: a second one still waiting would be taken for the next move.
            std::vector<std::string> waiting;
            if (!player.send("isready") || !player.wait("readyok", r.delay, &waiting))
                return fault("no readyok before the move, " + here);
            for (const auto& l : waiting)
                if (l.starts_with("bestmove"))
                    return fault("an extra '" + l + "' was waiting, " + here);
            if (!player.send(detail::positionCommand(moves)) ||
                !player.send(firstToMove ? r.goFirst : r.goSecond))
                return fault("cannot write to the engine, " + here);
            auto line = player.wait("bestmove", r.delay);
            if (!line)
                return fault(std::string(firstToMove ? "the engine under test" : "its opponent") +
                             " gave no bestmove in time, " + here);
            const std::string move = detail::bestmoveOf(*line);
            if (firstToMove && !legal->contains(move))
                return fault("illegal move '" + move + "' by the engine under test, " + here);
            const std::optional<Move> c = legalMove(p, move);
            if (!c)
                return fault("move '" + move +
                             "' is legal for the referee, not for this program, " + here);
            playMove(p, *c);
            moves.push_back(move);
        }
    }
    return outcome;
}

} // namespace quarvelin::test
