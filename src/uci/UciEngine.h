// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UciEngine: drives an outside engine that speaks UCI, one process per object, used from the
// thread that created it. The interface is standard C++; the process lives in the source.
//
//   UciEngine engine;                          // nothing runs yet
//   if (!engine.start("stockfish"))            // starts the command line, uci + isready
//       report(engine.problem(), engine.detail());
//   engine.setOption("Skill Level", "0");      // or setOption("Skill Level=0")
//   engine.newGame();                          // ucinewgame + isready
//   UciLimits limits;
//   limits.depth = 8;                          // or limits.movetimeMs = 100
//   limits.searchMoves = {"e2e4"};             // optional: only these root moves
//   limits.multiPv = 3;                        // optional: the best 3 root moves, in lines
//   std::optional<UciResult> r = engine.search(fen, {"e2e4", "e7e5"}, limits);
//   r->bestMove      long algebraic ("g1f3", "e7e8q"); empty when the side to move has no move
//   r->score         the last score reported for the best line, from the side to move
//                    (centipawns, or mate in n moves, negative when it is mated)
//   r->lines         with multiPv > 1: each line's first move and score, best first
//
// Every call returns within its time limit. Without a result, problem() says why (the
// program could not start, it stopped, it did not answer in time) and detail() holds the
// command line; the process is then gone and start() may be called again. Lines the engine
// writes that are not UCI are skipped.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

enum class UciProblem { None, CannotStart, Stopped, NoAnswer };

struct UciScore {
    bool known = false; // the engine has reported no score
    bool mate = false;  // value counts moves to mate instead of centipawns
    int value = 0;
    bool operator==(const UciScore&) const = default;
};

struct UciLine {
    std::string move; // the line's first move
    UciScore score;
    int depth = 0;
};

struct UciResult {
    std::string bestMove;
    std::string ponder; // the engine's expected reply, when given
    UciScore score;
    int depth = 0;
    std::vector<UciLine> lines; // by MultiPV rank, best first
};

struct UciLimits {
    int depth = 0;      // go depth N, when > 0
    int movetimeMs = 0; // go movetime MS, when > 0 (and no depth)
    int multiPv = 1;
    std::vector<std::string> searchMoves;
};

class UciEngine {
public:
    // `answer`: how long the engine may take to answer a command, and beyond a search's
    // move time; a search by depth alone may take `search`.
    explicit UciEngine(std::chrono::milliseconds answer = std::chrono::seconds(10),
                       std::chrono::milliseconds search = std::chrono::minutes(2));
    ~UciEngine();
    UciEngine(const UciEngine&) = delete;
    UciEngine& operator=(const UciEngine&) = delete;

    bool start(const std::string& commandLine);
    bool running() const;
    // Ends the engine: quit, then kill if it lingers.
    void stop();

    // The name the engine gave in "id name", else the command line.
    const std::string& name() const { return name_; }
    // Whether the engine announced the option in its uci reply.
    bool hasOption(const std::string& name) const;

    bool setOption(const std::string& name, const std::string& value);
    // "Name=Value"; false without '=' (problem() stays None) or when the engine is gone.
    bool setOption(const std::string& nameAndValue);
    bool newGame();

    std::optional<UciResult> search(const std::string& fen, const std::vector<std::string>& moves,
                                    const UciLimits& limits);

    UciProblem problem() const { return problem_; }
    const std::string& detail() const { return command_; }

    // The score of an "info" line, from the side to move; unknown without one.
    static UciScore parseScore(const std::string& infoLine);
    // A search's result from the lines before its "bestmove" line and that line.
    static UciResult readResult(const std::vector<std::string>& lines,
                                const std::string& bestMoveLine, int multiPv);

private:
    struct Process;
    bool send(const std::string& line);
    // Reads lines until one starts with `word`; false at the deadline or when the engine stops.
    bool waitFor(const std::string& word, std::chrono::steady_clock::time_point deadline,
                 std::string* found = nullptr, std::vector<std::string>* before = nullptr);
    bool fail(UciProblem p);

    std::unique_ptr<Process> process_;
    std::chrono::milliseconds answer_, search_;
    std::string command_, name_;
    std::vector<std::string> options_;
    int multiPv_ = 1;
    UciProblem problem_ = UciProblem::None;
};

} // namespace quarvelin
