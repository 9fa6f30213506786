// SPDX-License-Identifier: GPL-3.0-or-later
#include "tournament/Tournament.h"

#include "config/SettingsFile.h"
#include "engine/Engine.h"
#include "localisation/TextCatalogue.h"
#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"
#include "uci/UciEngine.h"

#include <QThread>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

namespace quarvelin {

namespace {

const char* const StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

std::vector<std::vector<std::string>> readLines(std::istream& in) {
    std::vector<std::vector<std::string>> out;
    PgnStream games(in);
    for (PgnGame game; games.next(game);) {
        std::vector<std::string> moves;
        replay(game, NotationCode::Pgn, Colour::White, &moves);
        if (!moves.empty()) out.push_back(std::move(moves));
    }
    return out;
}

std::optional<Move> legalByUci(const Position& p, const std::vector<Move>& legal,
                               const std::string& text) {
    for (const Move& c : legal)
        if (uciMove(p, c) == text) return c;
    return std::nullopt;
}

std::string today() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y.%m.%d", &local);
    return buffer;
}

std::string tagValue(std::string v) {
    std::string out;
    for (char c : v) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string gameRecord(const PlayedGame& g) {
    std::string out = "[Event \"Quarvelin tournament\"]\n[Site \"?\"]\n[Date \"" + today() +
                      "\"]\n[Round \"" + std::to_string(g.game.round) + "\"]\n[White \"" +
                      tagValue(g.white) + "\"]\n[Black \"" + tagValue(g.black) + "\"]\n[Result \"" +
                      g.result + "\"]\n[Termination \"" + terminationText(g.ending) + "\"]\n\n";
    std::string line;
    auto word = [&](const std::string& w) {
        if (!line.empty() && line.size() + 1 + w.size() > 79) {
            out += line + '\n';
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += w;
    };
    for (std::size_t i = 0; i < g.san.size(); ++i)
        word(i % 2 == 0 ? std::to_string(i / 2 + 1) + ". " + g.san[i] : g.san[i]);
    word(g.result);
    return out + line + "\n\n";
}

struct Personality {
    EngineWeights weights;
    std::string firstMove;
    bool book = false, randomBook = false;
};

} // namespace

std::string problemText(const TournamentProblem& p, const TextCatalogue& catalogue) {
    std::string first = p.values.empty() ? "" : p.values[0];
    std::string second = p.values.size() < 2 ? "" : p.values[1];
    return catalogue.text(p.key, {first, second}) + p.detail;
}

TournamentPlayer personality(const std::string& file) {
    return {std::filesystem::path(file).stem().string(), file, {}, {}};
}

std::vector<ScheduledGame> schedule(int players, int rounds) {
    std::vector<ScheduledGame> out;
    int opening = 0;
    for (int round = 1; round <= rounds; ++round)
        for (int i = 0; i < players; ++i)
            for (int j = i + 1; j < players; ++j, ++opening) {
                out.push_back({static_cast<int>(out.size()), round, i, j, opening});
                out.push_back({static_cast<int>(out.size()), round, j, i, opening});
            }
    return out;
}

std::vector<std::vector<std::string>>
cutOpenings(const std::vector<std::vector<std::string>>& lines, int plies) {
    std::vector<std::vector<std::string>> out;
    std::set<std::vector<std::string>> seen;
    for (const auto& line : lines) {
        std::vector<std::string> cut(
            line.begin(), line.begin() + std::min<std::ptrdiff_t>(
                                             plies, static_cast<std::ptrdiff_t>(line.size())));
        if (seen.insert(cut).second) out.push_back(std::move(cut));
    }
    return out;
}

struct Tournament::Worker {
    std::atomic<bool> cancel{false};
    OpeningBase base;
    bool book = false;
    std::map<int, std::unique_ptr<UciEngine>> engines;
    std::mt19937_64 chance;
};

Tournament::Tournament(TournamentOptions options) : o_(std::move(options)), table_({}) {}

std::optional<TournamentProblem> Tournament::prepare() {
    if (o_.players.size() < 2) return TournamentProblem{TextKey::TournamentTooFewPlayers, {}, {}};
    std::vector<std::string> names;
    for (const TournamentPlayer& p : o_.players) {
        names.push_back(p.name);
        if (!p.settingsFile.empty()) {
            Settings s = builtInSettings(o_.programFolder);
            if (!readProfile(p.settingsFile, s, 1))
                return TournamentProblem{TextKey::CannotOpenFile, {}, p.settingsFile};
        }
        for (const std::string& option : p.uciOptions)
            if (option.find('=') == std::string::npos || option.front() == '=')
                return TournamentProblem{TextKey::UciBadOption, {option}, {}};
    }
    table_ = Crosstable(names);
    games_ = schedule(static_cast<int>(o_.players.size()), o_.rounds);

    std::vector<std::vector<std::string>> lines;
    if (o_.openingPlies > 0) {
        if (!o_.openingsFile.empty()) {
            std::ifstream in(o_.openingsFile, std::ios::binary);
            if (!in) return TournamentProblem{TextKey::CannotOpenFile, {}, o_.openingsFile};
            lines = readLines(in);
            if (lines.empty())
                return TournamentProblem{TextKey::TournamentNoOpenings, {o_.openingsFile}, {}};
        } else {
            // This thread's own connection, closed before the workers open theirs.
            OpeningBase base;
            if (!base.open(o_.basePath))
                return TournamentProblem{TextKey::TournamentNoOpenings, {o_.basePath}, {}};
            std::string text;
            for (const EcoLine& line : base.linesStartingWith("")) text += line.moves + "\n\n";
            std::istringstream in(text);
            lines = readLines(in);
            if (lines.empty())
                return TournamentProblem{TextKey::TournamentNoOpenings, {o_.basePath}, {}};
        }
        // A line shorter than the cut would give fewer openings; longer ones are preferred.
        std::vector<std::vector<std::string>> full;
        for (const auto& l : lines)
            if (static_cast<int>(l.size()) >= o_.openingPlies) full.push_back(l);
        pool_ = cutOpenings(full.empty() ? lines : full, o_.openingPlies);
    } else {
        pool_ = {{}};
    }
    std::mt19937_64 draw(o_.seed);
    std::uniform_int_distribution<std::size_t> pick(0, pool_.size() - 1);
    openings_.clear();
    const int pairs = static_cast<int>(games_.size()) / 2;
    for (int k = 0; k < pairs; ++k) openings_.push_back(pool_[pick(draw)]);
    return std::nullopt;
}

void Tournament::stop() {
    stop_ = true;
    std::lock_guard guard(lock_);
    for (std::atomic<bool>* c : cancels_) *c = true;
}

std::optional<TournamentProblem>
Tournament::run(const std::function<void(const PlayedGame&, const Crosstable&)>& finished) {
    int workers = o_.concurrency > 0 ? o_.concurrency
                                     : std::max(1, static_cast<int>(QThread::idealThreadCount()));
    workers = std::max(1, std::min(workers, gameCount()));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int k = 0; k < workers; ++k) {
        threads.emplace_back(QThread::create([this, &finished] {
            Worker worker;
            {
                std::lock_guard guard(lock_);
                cancels_.push_back(&worker.cancel);
                if (stop_) worker.cancel = true;
            }
            work(worker, finished);
            std::lock_guard guard(lock_);
            cancels_.erase(std::find(cancels_.begin(), cancels_.end(), &worker.cancel));
        }));
        threads.back()->start();
    }
    for (auto& t : threads) t->wait();
    return problem_;
}

void Tournament::work(Worker& w,
                      const std::function<void(const PlayedGame&, const Crosstable&)>& finished) {
    // Settings, book and engines belong to this thread.
    std::vector<Personality> people;
    for (const TournamentPlayer& p : o_.players) {
        Personality who;
        Settings s = builtInSettings(o_.programFolder);
        if (!p.settingsFile.empty()) readProfile(p.settingsFile, s, 1);
        who.weights = profileWeights(s, 1);
        who.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(o_.depth);
        who.firstMove = s.OUVERTURE_DEFAUT[1];
        who.book = s.ACTIVE_BASE_CON[1] == 1;
        who.randomBook = s.OUVERTURE_ALEATOIRE[1] == 1;
        people.push_back(who);
    }
    // The book of personalities that ask for it; a base that cannot open leaves them without.
    w.book = w.base.open(o_.basePath);

    auto failed = [&](const UciEngine& e) {
        TextKey key = e.problem() == UciProblem::CannotStart ? TextKey::UciCannotStart
                      : e.problem() == UciProblem::NoAnswer  ? TextKey::UciNoAnswer
                                                             : TextKey::UciStopped;
        std::lock_guard guard(lock_);
        if (!problem_) problem_ = TournamentProblem{key, {e.detail()}, {}};
        stop_ = true;
    };

    for (;;) {
        if (stop_) return;
        const int n = next_++;
        if (n >= gameCount()) return;
        const ScheduledGame& g = games_[static_cast<std::size_t>(n)];
        w.chance.seed(o_.seed * 1000003u + static_cast<std::uint64_t>(n));

        PlayedGame played;
        played.game = g;
        played.white = o_.players[static_cast<std::size_t>(g.white)].name;
        played.black = o_.players[static_cast<std::size_t>(g.black)].name;
        for (int side : {g.white, g.black}) {
            const TournamentPlayer& p = o_.players[static_cast<std::size_t>(side)];
            if (p.uciCommand.empty()) continue;
            auto& engine = w.engines[side];
            if (!engine || !engine->running()) {
                engine = std::make_unique<UciEngine>();
                bool ready = engine->start(p.uciCommand);
                for (const std::string& option : p.uciOptions)
                    ready = ready && engine->setOption(option);
                if (!ready) return failed(*engine);
            }
            if (!engine->newGame()) return failed(*engine);
        }

        Position pos = Position::initial(Colour::White);
        Referee referee(pos, o_.maxMoves);
        std::vector<std::string> uci;
        std::string gameText; // as the opening base writes games, for its book moves
        auto play = [&](const Move& c) {
            std::string text = san(pos, c);
            std::string plain = text;
            while (!plain.empty() && (plain.back() == '+' || plain.back() == '#')) plain.pop_back();
            if (pos.sideToMove() == Colour::White)
                plain = std::to_string(pos.MoveCount + 1) + "." + plain;
            gameText += (gameText.empty() ? "" : " ") + plain;
            played.san.push_back(text);
            uci.push_back(uciMove(pos, c));
            playMove(pos, c);
            played.ending = referee.judge(pos);
        };
        for (const std::string& m : openings_[static_cast<std::size_t>(g.opening)]) {
            auto c = legalByUci(pos, legalMoves(pos), m);
            if (!c || played.ending != Ending::None) break;
            play(*c);
        }
        while (played.ending == Ending::None) {
            if (stop_) return;
            const Colour side = pos.sideToMove();
            const int who = side == Colour::White ? g.white : g.black;
            const TournamentPlayer& player = o_.players[static_cast<std::size_t>(who)];
            const std::vector<Move> legal = legalMoves(pos);
            std::optional<Move> choice;
            if (!player.uciCommand.empty()) {
                UciEngine& engine = *w.engines[who];
                UciLimits limits;
                limits.depth = o_.uciDepth;
                limits.movetimeMs =
                    player.uciMoveTimeMs > 0 ? player.uciMoveTimeMs : o_.uciMoveTimeMs;
                auto r = engine.search(StartFen, uci, limits);
                if (!r) return failed(engine);
                choice = legalByUci(pos, legal, r->bestMove);
                if (!choice) {
                    played.ending = Ending::Forfeit;
                    break;
                }
            } else {
                const Personality& me = people[static_cast<std::size_t>(who)];
                if (side == Colour::White && pos.MoveCount == 0 && !me.firstMove.empty()) {
                    std::string token = me.firstMove;
                    ReadMove m = lire_coup(pos, Colour::White, NotationCode::Pgn, token);
                    choice = moveOnSquares(legal, m.fromX, m.fromY, m.toX, m.toY);
                }
                if (!choice && me.book && w.book) {
                    std::function<double()> random = [&] {
                        return std::uniform_real_distribution<double>(0, 1)(w.chance);
                    };
                    auto book = w.base.choisir_coup_livre(pos, side, gameText,
                                                          me.randomBook ? &random : nullptr);
                    if (book && isLegal(pos, book->move.move())) choice = book->move.move();
                }
                if (!choice) {
                    SearchRequest request;
                    request.position = pos;
                    request.colour = side;
                    // The engine's convention: White's search counts the move it is making.
                    if (side == Colour::White) ++request.position.MoveCount;
                    request.weights = me.weights;
                    request.notation = NotationCode::Pgn;
                    request.threads = 1;
                    SearchCounters counters;
                    SearchResult r = searchMove(request, counters, {}, &w.cancel);
                    if (w.cancel) return;
                    if (r.text != "MAT" && r.text != "PAT")
                        choice = moveOnSquares(legal, r.fromX, r.fromY, r.toX, r.toY);
                    // An engine that sees no move where the rules give one plays the first.
                    if (!choice) choice = legal.front();
                }
            }
            play(*choice);
        }
        played.result = resultOf(played.ending, pos.sideToMove());
        played.pgn = gameRecord(played);
        std::lock_guard guard(lock_);
        table_.add(g.white, g.black, played.result);
        if (finished) finished(played, table_);
    }
}

} // namespace quarvelin
