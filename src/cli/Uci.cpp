// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Uci.h"

#include "config/SettingsFile.h"
#include "engine/Engine.h"
#include "notation/Fen.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quarvelin {

namespace {

constexpr int DefaultDepth = 2;
constexpr int MaxDepth = 3;
constexpr int DefaultThreads = 2;
constexpr int ThreadsMax = 8;

constexpr std::string_view White = " \t\r\n\v\f";

std::string_view trimmed(std::string_view s) {
    std::size_t beginning = s.find_first_not_of(White);
    if (beginning == std::string_view::npos) return {};
    return s.substr(beginning, s.find_last_not_of(White) - beginning + 1);
}

// The words of a line, as views into it (so the rest of a line can be taken raw).
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t i = 0;;) {
        i = line.find_first_not_of(White, i);
        if (i == std::string_view::npos) break;
        std::size_t end = std::min(line.find_first_of(White, i), line.size());
        out.push_back(line.substr(i, end - i));
        i = end;
    }
    return out;
}

std::string lowercase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// A whole word as a number; nothing for "abc", "3x" or a value out of range.
std::optional<long long> integer(std::string_view s) {
    long long v = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    return v;
}

EngineWeights builtInWeights() { return profileWeights(builtInSettings("."), 1); }

// The engine reports a rise by its long text only: find the legal move it writes that way.
std::optional<Move> moveOfText(const std::vector<Move>& legal, const Position& searched,
                               NotationCode notation, const std::string& text) {
    for (const Move& c : legal) {
        std::string t =
            ecrire_coup(searched.MoveCount, c.piece, c.fromX, c.fromY, searched.at(c.toX, c.toY),
                        c.toX, c.toY, false, notation, searched.PlayerColour);
        if (t == text) return moveOnSquares(legal, c.fromX, c.fromY, c.toX, c.toY);
    }
    return std::nullopt;
}

struct Task {
    Position position; // as the GUI gave it, for the move names
    SearchRequest request;
    int depth = 0;
    bool waitForStop = false; // infinite or ponder: bestmove only once told
};

class Session {
public:
    explicit Session(std::ostream& out) : out_(out), weights_(builtInWeights()) {}
    ~Session() { stop(true); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // False once the session is to end.
    bool handle(std::string_view line);
    // Ends the session: cancels the search when `cancel`, else lets a bounded one finish.
    void stop(bool cancel);

private:
    void send(const std::string& line) {
        std::lock_guard lock(output_);
        out_ << line << '\n';
        out_.flush();
    }
    void uci();
    void position(const std::vector<std::string_view>& m);
    void setoption(std::string_view line, const std::vector<std::string_view>& m);
    void go(const std::vector<std::string_view>& m);
    void search(const Task& t);
    void release(bool cancel);

    std::ostream& out_;
    std::mutex output_; // every line written, and searching_ cleared with the bestmove

    Position position_ = Position::initial(Colour::White);
    int depth_ = DefaultDepth;
    int threads_ = DefaultThreads;
    EngineWeights weights_;

    std::thread search_;
    std::atomic<bool> searching_{false};
    std::atomic<bool> cancel_{false};
    std::mutex state_;
    std::condition_variable signal_;
    bool stop_ = false; // guarded by state_: stop, ponderhit, quit or the end of the input
};

bool Session::handle(std::string_view line) {
    std::vector<std::string_view> m = words(line);
    if (m.empty()) return true;
    const std::string_view command = m[0];
    if (command == "quit") return false;
    if (command == "uci") {
        uci();
    } else if (command == "isready") {
        send("readyok");
    } else if (command == "ucinewgame") {
        position_ = Position::initial(Colour::White);
    } else if (command == "position") {
        position(m);
    } else if (command == "setoption") {
        setoption(line, m);
    } else if (command == "go") {
        go(m);
    } else if (command == "stop") {
        release(true);
    } else if (command == "ponderhit") {
        release(false);
    }
    // Anything else (debug, register, unknown words, noise) is ignored, as GUIs expect.
    return true;
}

void Session::uci() {
    send("id name Quarvelin");
    send("id author the Quarvelin developers");
    send("option name Depth type spin default " + std::to_string(DefaultDepth) + " min 0 max " +
         std::to_string(MaxDepth));
    send("option name Profile type string default <empty>");
    send("option name Threads type spin default " + std::to_string(DefaultThreads) + " min 1 max " +
         std::to_string(ThreadsMax));
    send("uciok");
}

void Session::position(const std::vector<std::string_view>& m) {
    if (m.size() < 2) return;
    Position p;
    std::size_t i = 2;
    if (m[1] == "startpos") {
        p = Position::initial(Colour::White);
    } else if (m[1] == "fen") {
        std::string fen;
        for (; i < m.size() && m[i] != "moves"; ++i) {
            if (!fen.empty()) fen += ' ';
            fen += m[i];
        }
        std::optional<Position> parsed = readFen(fen, Colour::White);
        if (!parsed) {
            // Keeping the previous position: better than searching a made-up one.
            send("info string position refused, not a FEN: " + fen);
            return;
        }
        p = *parsed;
    } else {
        return;
    }
    if (i < m.size() && m[i] == "moves") {
        for (++i; i < m.size(); ++i) {
            const std::string wanted = lowercase(m[i]);
            std::vector<Move> legal = legalMoves(p);
            auto c = std::find_if(legal.begin(), legal.end(),
                                  [&](const Move& l) { return uciMove(p, l) == wanted; });
            if (c == legal.end()) {
                send("info string illegal move " + std::string(m[i]) +
                     ", the moves from there are ignored");
                break;
            }
            playMove(p, *c);
        }
    }
    position_ = p;
}

void Session::setoption(std::string_view line, const std::vector<std::string_view>& m) {
    if (m.size() < 3 || m[1] != "name") return;
    std::size_t v = 2;
    while (v < m.size() && m[v] != "value") ++v;
    std::string name;
    for (std::size_t i = 2; i < v; ++i) {
        if (!name.empty()) name += ' ';
        name += lowercase(m[i]);
    }
    // The value is the rest of the line as written: a profile path may hold spaces.
    std::string_view value;
    if (v + 1 < m.size())
        value = trimmed(line.substr(static_cast<std::size_t>(m[v + 1].data() - line.data())));

    if (name == "depth" || name == "threads") {
        std::optional<long long> n = integer(value);
        if (!n) {
            send("info string option " + std::string(m[2]) + " needs a number, kept as it was");
            return;
        }
        if (name == "depth")
            depth_ = static_cast<int>(std::clamp<long long>(*n, 0, MaxDepth));
        else
            threads_ = static_cast<int>(std::clamp<long long>(*n, 1, ThreadsMax));
    } else if (name == "profile") {
        if (value.empty() || value == "<empty>") {
            weights_ = builtInWeights();
            return;
        }
        Settings s = builtInSettings(".");
        if (!readProfile(std::string(value), s, 1)) {
            send("info string cannot read the profile " + std::string(value) +
                 ", the engine weights are unchanged");
            return;
        }
        weights_ = profileWeights(s, 1);
    } else {
        send("info string no option named " + name);
    }
}

void Session::go(const std::vector<std::string_view>& m) {
    if (searching_) {
        send("info string already searching, go ignored");
        return;
    }
    std::optional<long long> depth;
    bool wait = false;
    for (std::size_t i = 1; i < m.size(); ++i) {
        const std::string_view word = m[i];
        if (word == "infinite" || word == "ponder") {
            wait = true;
        } else if (word == "depth") {
            // A depth that is no number or below 0 is left out, not taken as 0.
            std::optional<long long> n = i + 1 < m.size() ? integer(m[i + 1]) : std::nullopt;
            if (n && *n >= 0) depth = n;
            if (n) ++i;
        } else if (word == "movetime" || word == "wtime" || word == "btime" || word == "winc" ||
                   word == "binc" || word == "movestogo" || word == "nodes" || word == "mate") {
            // Accepted; the depth alone bounds the work, and it is quick.
            if (i + 1 < m.size() && integer(m[i + 1])) ++i;
        }
        // searchmoves and its moves, and unknown words, are skipped.
    }

    Task t;
    t.position = position_;
    t.depth = depth ? static_cast<int>(std::min<long long>(*depth, depth_)) : depth_;
    t.waitForStop = wait;
    SearchRequest& d = t.request;
    d.position = position_;
    d.colour = position_.sideToMove();
    // The engine's convention: White's search counts the move it is about to make.
    if (d.colour == Colour::White) ++d.position.MoveCount;
    d.weights = weights_;
    d.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(t.depth);
    d.notation = NotationCode::Pgn;
    d.threads = threads_;

    if (search_.joinable()) search_.join(); // the last one has sent its bestmove
    {
        std::lock_guard lock(state_);
        stop_ = false;
    }
    cancel_ = false;
    searching_ = true;
    try {
        search_ = std::thread([this, t = std::move(t)] { search(t); });
    } catch (const std::exception&) {
        searching_ = false;
        send("info string cannot start the search thread");
        send("bestmove 0000");
    }
}

void Session::search(const Task& t) {
    const std::vector<Move> legal = legalMoves(t.position);
    SearchCounters counters;
    std::optional<Move> bestMove; // the last rise seen before any stop, and its score
    float bestScore = 0;
    auto info = [&](float score, const std::optional<Move>& c) {
        std::string line = "info depth " + std::to_string(t.depth) + " score cp " +
                           std::to_string(std::lround(score)) + " nodes " +
                           std::to_string(counters.PositionsEvaluated);
        if (c) line += " pv " + uciMove(t.position, *c);
        send(line);
    };

    // The engine reports rises on the thread that called it (this one), with the counters
    // up to date for that thread, so they are read here without a lock.
    EngineCallbacks callbacks;
    callbacks.best = [&](const std::string& text, float score) {
        // Once cancelled, the scores and moves the engine reports mean nothing.
        if (cancel_) return;
        std::optional<Move> c = moveOfText(legal, t.request.position, t.request.notation, text);
        if (c) {
            bestMove = c;
            bestScore = score;
        }
        info(score, c);
    };

    std::optional<Move> choice;
    if (!legal.empty()) {
        try {
            SearchResult r = searchMove(t.request, counters, callbacks, &cancel_);
            if (cancel_) {
                choice = bestMove;
                if (choice) info(bestScore, choice);
            } else {
                choice = chosenMove(legal, r);
                if (choice)
                    info(r.score, choice); // the whole search's count
                else
                    send("info string the engine gave " +
                         std::string(trimmed(r.text.empty() ? "no move" : r.text)) +
                         ", not a legal move here: playing the first legal move");
            }
        } catch (const std::exception& e) {
            send(std::string("info string the search failed: ") + e.what());
        }
        if (!choice) choice = legal.front();
    }

    if (t.waitForStop) {
        std::unique_lock lock(state_);
        signal_.wait(lock, [this] { return stop_; });
    }
    std::lock_guard lock(output_);
    // Cleared before the line goes out, so the GUI's next go is never taken for a second one.
    searching_ = false;
    out_ << "bestmove " << (choice ? uciMove(t.position, *choice) : "0000") << '\n';
    out_.flush();
}

void Session::release(bool cancel) {
    {
        std::lock_guard lock(state_);
        stop_ = true;
    }
    if (cancel) cancel_ = true;
    signal_.notify_all();
}

void Session::stop(bool cancel) {
    release(cancel);
    if (search_.joinable()) search_.join();
}

} // namespace

std::optional<Move> chosenMove(const std::vector<Move>& legal, const SearchResult& r) {
    if (r.text == "MAT" || r.text == "PAT") return std::nullopt;
    return moveOnSquares(legal, r.fromX, r.fromY, r.toX, r.toY);
}

int runUci(std::istream& in, std::ostream& out) {
    // A tied input flushes the output before each read, from this thread and outside the
    // output lock, while the search thread may be writing: a line could go out twice.
    struct Unbind {
        std::istream& in;
        std::ostream* tie;
        ~Unbind() { in.tie(tie); }
    } unbind{in, in.tie(nullptr)};
    Session session(out);
    for (std::string line; std::getline(in, line);) {
        bool next = true;
        try {
            next = session.handle(trimmed(line));
        } catch (const std::exception&) {
            // One bad line must not end the session.
        }
        if (!next) {
            session.stop(true);
            return 0;
        }
    }
    session.stop(false);
    return 0;
}

} // namespace quarvelin
