// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A round robin of engine personalities (settings files) and outside UCI engines: every pair
// plays both colours each round from a drawn opening, the games judged by the Referee, on
// several worker threads. Used by `quarvelin-cli tournament` and the desktop's window.
#include "localisation/TextKey.h"
#include "tournament/Crosstable.h"
#include "tournament/Referee.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

struct TournamentPlayer {
    std::string name;
    std::string settingsFile;            // a personality; empty for an outside engine
    std::string uciCommand;              // an outside engine's command line
    std::vector<std::string> uciOptions; // "Name=Value"
    int uciMoveTimeMs = 0;               // when > 0, this engine's own time per move
};

// A personality named by its file's name: "aggressive" for ".../aggressive.ini".
TournamentPlayer personality(const std::string& file);

struct TournamentOptions {
    std::vector<TournamentPlayer> players;
    int rounds = 1;
    int depth = 1; // the personalities' search depth, 0 to 3
    int uciMoveTimeMs = 100;
    int uciDepth = 0; // when > 0, the outside engines search to this depth instead
    int maxMoves = 200;
    int openingPlies = 8;
    std::uint64_t seed = 1;
    int concurrency = 0;      // worker threads; 0: one per processor
    std::string openingsFile; // PGN; empty: the opening base
    std::string basePath;     // the opening base
    std::string programFolder;
};

// A message for the user: a catalogue text, its values, and what follows it.
struct TournamentProblem {
    TextKey key;
    std::vector<std::string> values;
    std::string detail;
};
class TextCatalogue;
std::string problemText(const TournamentProblem& p, const TextCatalogue& catalogue);

// The game number n (from 0) of the schedule: round, players and the opening pair it belongs to.
struct ScheduledGame {
    int number = 0, round = 0, white = 0, black = 0;
    int opening = 0; // the pair's drawn opening, the same for both colours
};
// Each round, each pair i < j: i with White, then j with White.
std::vector<ScheduledGame> schedule(int players, int rounds);

// The opening lines as long algebraic moves, each cut to `plies` half-moves, without
// duplicates, in the order first met.
std::vector<std::vector<std::string>>
cutOpenings(const std::vector<std::vector<std::string>>& lines, int plies);

struct PlayedGame {
    ScheduledGame game;
    std::string white, black;
    std::string result;
    Ending ending = Ending::None;
    std::vector<std::string> san; // with check marks
    std::string pgn;
};

class Tournament {
public:
    explicit Tournament(TournamentOptions options);

    // Reads the personalities and the openings, draws each pair's opening; a problem when
    // something cannot be read.
    std::optional<TournamentProblem> prepare();

    int gameCount() const { return static_cast<int>(games_.size()); }
    const std::vector<ScheduledGame>& games() const { return games_; }
    const std::vector<std::string>& drawnOpening(int pairOpening) const {
        return openings_[static_cast<std::size_t>(pairOpening)];
    }

    // Plays every game; `finished` is called after each one, one call at a time, from the
    // worker threads, with the table so far. Ends early after stop() or an outside engine's
    // failure, which it returns.
    std::optional<TournamentProblem>
    run(const std::function<void(const PlayedGame&, const Crosstable&)>& finished);

    // From any thread: no game starts after this, and searches under way end.
    void stop();
    bool stopped() const { return stop_.load(); }

    const Crosstable& table() const { return table_; }

private:
    struct Worker;
    void work(Worker& worker,
              const std::function<void(const PlayedGame&, const Crosstable&)>& finished);

    TournamentOptions o_;
    std::vector<ScheduledGame> games_;
    std::vector<std::vector<std::string>> openings_; // by schedule's opening index
    std::vector<std::vector<std::string>> pool_;
    Crosstable table_;
    std::atomic<int> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex lock_; // the table, the problem, the callback and the workers' cancel flags
    std::vector<std::atomic<bool>*> cancels_;
    std::optional<TournamentProblem> problem_;
};

} // namespace quarvelin
