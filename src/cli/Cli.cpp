// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/AnalysisCommand.h"
#include "cli/Autoplay.h"
#include "cli/EcoCommand.h"
#include "cli/NetPlay.h"
#include "cli/TournamentCommand.h"
#include "cli/Uci.h"
#include "config/SettingsFile.h"
#include "engine/Engine.h"
#include "localisation/RulesTexts.h"
#include "localisation/TextCatalogue.h"
#include "notation/Fen.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "records/PgnConversion.h"
#include "records/PgnIndex.h"
#include "records/PgnReader.h"
#include "rules/FastPosition.h"
#include "rules/MoveRules.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <optional>

namespace quarvelin {

namespace {

constexpr const char* HelpGeneral =
    "usage: quarvelin-cli <command> [arguments]\n"
    "\n"
    "commands:\n"
    "  perft \"<FEN>\" <depth> [--divide]  count legal move sequences to <depth>\n"
    "  moves \"<FEN>\"                     list the legal moves in SAN\n"
    "  replay <file.pgn>                 replay every game, print the final FEN of each\n"
    "  list <file.pgn> [--white X] ...   list the games that pass a filter, with their places\n"
    "  convert <in.pgn> <out.xml|out.pgn> [--white X] ...\n"
    "                                    write the games that pass a filter as XML or PGN\n"
    "  bestmove \"<FEN>\" [--depth N] [--profile file.ini] [--black-bottom]\n"
    "                                    the engine's choice for the side to move\n"
    "  bench                             engine signature and speed on fixed positions\n"
    "  uci                               play as a UCI engine on standard input and output\n"
    "  autoplay [--games N] [--depth D] ...  engine against engine, the games as PGN\n"
    "  tournament A.ini B.ini ... [--uci \"stockfish\"] [--rounds N] ...\n"
    "                                    a round robin of personalities, with its crosstable\n"
    "  net serve [--port N] ... | net connect HOST[:PORT] ...\n"
    "                                    the engine plays one game over TCP/IP\n"
    "  analyse <games.pgn> [--depth D] ...  every move judged, weak ones marked, as PGN\n"
    "  eco learn|export|import|name ... [--base eco.db]\n"
    "                                    teach, back up, restore or ask the opening base\n"
    "\n"
    "Run 'quarvelin-cli <command> --help' for the details of a command.\n";

constexpr const char* HelpPerft =
    "usage: quarvelin-cli perft \"<FEN>\" <depth> [--divide]\n"
    "Counts the legal move sequences of <depth> half-moves from the position (a promotion\n"
    "counts as four moves). With --divide, first prints each legal move (long algebraic)\n"
    "with its count. The last line is the total.\n";

constexpr const char* HelpBestmove =
    "usage: quarvelin-cli bestmove \"<FEN>\" [--depth N] [--profile file.ini] [--black-bottom]\n"
    "Searches the position for the side to move with the engine (depth 0 to 3; default the\n"
    "profile's depth, 0 with the built-in weights) and prints one line:\n"
    "  bestmove <move> score <score> text <move text> moves <moves examined> evals <evaluations>\n"
    "or 'bestmove (none)' with the text MAT or PAT. --profile takes the engine weights of a\n"
    "settings file; --black-bottom searches with Black at the bottom of the board.\n";

constexpr const char* HelpBench =
    "usage: quarvelin-cli bench [--threads N]\n"
    "Searches a fixed set of positions at depth 3 with the built-in weights and prints the sum\n"
    "of evaluations, a signature that must not change unless the engine's behaviour does, and\n"
    "the evaluations per second.\n";

constexpr const char* HelpUci =
    "usage: quarvelin-cli uci\n"
    "Speaks the Universal Chess Interface on standard input and output, for chess GUIs and\n"
    "engine matches. Options: Depth (0 to 3, default 2), Profile (a settings file whose engine\n"
    "weights are used; empty for the built-in ones), Threads (1 to 8, default 2). The go\n"
    "command's limits are accepted; the depth bounds the search. Ends on quit.\n";

constexpr const char* HelpMoves =
    "usage: quarvelin-cli moves \"<FEN>\"\n"
    "Prints the legal moves of the side to move in standard algebraic notation, one a line.\n";

constexpr const char* HelpReplay =
    "usage: quarvelin-cli replay <file.pgn>\n"
    "Replays the main line of every game of the file, from the start position or the game's\n"
    "[FEN] tag, and prints one line a game: its number, a tab, and the FEN after the last\n"
    "move, or 'error at <move number>: <token>'. Exits with 1 when a game failed.\n";

constexpr const char* HelpList =
    "usage: quarvelin-cli list <file.pgn> [--white X] [--black Y] [--either] [--result R]\n"
    "           [--eco C] [--site S] [--event E] [--date D] [--round N] [--max N]\n"
    "Lists the games of the file that pass the filter, one line a game: the byte position of\n"
    "its first line (from 0), then its Event, Site, Date, Round, White, Black and Result tags,\n"
    "tab-separated. A game starts at a line beginning with [Event. Each criterion must start\n"
    "its tag's value, in any case; with --either, a White or Black criterion found anywhere in\n"
    "the game's tags is enough. At most --max games are listed (1000 unless given). The number\n"
    "of games listed and seen ends on standard error.\n";

constexpr const char* HelpConvert =
    "usage: quarvelin-cli convert <in.pgn> <out.xml|out.pgn> [--white X] [--black Y] [--either]\n"
    "           [--result R] [--eco C] [--site S] [--event E] [--date D] [--round N]\n"
    "Writes every game of <in.pgn> that passes the filter to the target, whose extension (.xml\n"
    "or .pgn, in any case) gives the format: an XML game list (tags, main line and result of\n"
    "each game), or PGN with each game as written, comments and variations included. The\n"
    "criteria are those of 'list'; every game that passes is written. The target is replaced\n"
    "only once the whole conversion is done. Prints the number of games written and read;\n"
    "exits with 2 on a missing source or bad arguments, 1 when the source cannot be read or\n"
    "the target written.\n";

struct Usage {
    std::ostream& err;
    const TextCatalogue& cat;
    int error(TextKey key, const std::string& detail) const {
        err << "quarvelin-cli: " << cat.text(key) << detail << '\n';
        return 2;
    }
};

bool helpAsked(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

std::optional<Position> fenOrError(const std::string& text, const Usage& u) {
    FenProblem why = FenProblem::None;
    auto p = readFen(text, Colour::White, &why);
    if (!p) u.error(TextKey::FenRejected, text + " (" + u.cat.text(fenProblemText(why)) + ")");
    return p;
}

int perft(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    bool divide = false;
    std::vector<std::string> rest;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--divide")
            divide = true;
        else if (args[i].starts_with("--"))
            return u.error(TextKey::UnknownArgument, args[i]);
        else
            rest.push_back(args[i]);
    }
    if (rest.size() < 2) return u.error(TextKey::MissingArgument, "");
    if (rest.size() > 2) return u.error(TextKey::UnknownArgument, rest[2]);
    const std::string& d = rest[1];
    if (d.empty() || d.size() > 2 || d.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(d) > 20)
        return u.error(TextKey::InvalidDepth, d);
    int depth = std::stoi(d);
    auto p = fenOrError(rest[0], u);
    if (!p) return 2;
    FastPosition f = FastPosition::from(*p);
    if (!divide) {
        out << f.perft(depth) << '\n';
        return 0;
    }
    std::uint64_t total = 0;
    if (depth > 0) {
        MoveList list;
        f.generate(list);
        for (FastMove m : list) {
            std::uint64_t n = f.after(m).perft(depth - 1);
            total += n;
            out << uciMove(*p, moveFrom(*p, m)) << ": " << n << '\n';
        }
        out << '\n';
    } else {
        total = 1;
    }
    out << total << '\n';
    return 0;
}

int moves(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    if (args.size() < 2) return u.error(TextKey::MissingArgument, "");
    if (args.size() > 2) return u.error(TextKey::UnknownArgument, args[2]);
    auto p = fenOrError(args[1], u);
    if (!p) return 2;
    for (const Move& c : legalMoves(*p)) out << san(*p, c) << '\n';
    return 0;
}

int replay(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    if (args.size() < 2) return u.error(TextKey::MissingArgument, "");
    if (args.size() > 2) return u.error(TextKey::UnknownArgument, args[2]);
    std::ifstream in(args[1], std::ios::binary);
    if (!in) return u.error(TextKey::CannotOpenFile, args[1]);
    PgnStream stream(in);
    PgnGame game;
    int number = 0, status = 0;
    while (stream.next(game)) {
        ++number;
        Replay r = replay(game);
        if (r.ok) {
            out << number << '\t' << writeFen(r.position) << '\n';
        } else {
            out << number << "\terror at " << r.errorNumber << ": " << r.errorToken << '\n';
            status = 1;
        }
    }
    return status;
}

// The filter options of list and convert, and the files named; a usage error's status when
// they are wrong. --max only where withMaximum.
std::optional<int> readFilter(const std::vector<std::string>& args, bool withMaximum,
                              std::size_t files, GameFilter& filter,
                              std::vector<std::string>& paths, const Usage& u) {
    struct Criterion {
        const char* option;
        std::string GameFilter::*field;
    };
    static constexpr Criterion criteria[] = {
        {"--white", &GameFilter::white},   {"--black", &GameFilter::black},
        {"--result", &GameFilter::result}, {"--eco", &GameFilter::eco},
        {"--site", &GameFilter::site},     {"--event", &GameFilter::event},
        {"--date", &GameFilter::date},     {"--round", &GameFilter::round}};
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--either") {
            filter.either = true;
            continue;
        }
        const Criterion* criterion = nullptr;
        for (const Criterion& c : criteria)
            if (a == c.option) criterion = &c;
        if (criterion || (withMaximum && a == "--max")) {
            if (i + 1 >= args.size()) return u.error(TextKey::MissingArgument, "");
            const std::string& v = args[++i];
            if (criterion) {
                filter.*(criterion->field) = v;
                continue;
            }
            // MAX_SEUIL_PARTIE is a 32-bit count.
            if (v.empty() || v.size() > 10 ||
                v.find_first_not_of("0123456789") != std::string::npos ||
                std::stoll(v) > 2147483647)
                return u.error(TextKey::WrongGameCount, v);
            filter.maximum = std::stoll(v);
        } else if (a.starts_with("--") || paths.size() == files) {
            return u.error(TextKey::UnknownArgument, a);
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() < files) return u.error(TextKey::MissingArgument, "");
    return std::nullopt;
}

int list(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    GameFilter filter;
    filter.maximum = Settings{}.MAX_SEUIL_PARTIE;
    std::vector<std::string> paths;
    if (auto status = readFilter(args, true, 1, filter, paths, u)) return *status;
    const std::string& path = paths[0];
    auto index = PgnIndex::indexFile(path, filter);
    if (!index) return u.error(TextKey::CannotOpenFile, path);

    std::string lines;
    for (std::size_t i = 0; i < index->size(); ++i) {
        char count[24];
        lines.append(count, std::to_chars(count, count + 24, index->position(i)).ptr);
        for (int c = PgnIndex::Event; c <= PgnIndex::Result; ++c) {
            lines += '\t';
            std::string_view v = index->value(i, static_cast<PgnIndex::Field>(c));
            std::size_t beginning = lines.size();
            lines.append(v);
            // A tab inside a value would shift the columns.
            if (v.find('\t') != std::string_view::npos)
                std::replace(lines.begin() + static_cast<std::ptrdiff_t>(beginning), lines.end(),
                             '\t', ' ');
        }
        lines += '\n';
        if (lines.size() >= (1u << 20)) {
            out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
            lines.clear();
        }
    }
    out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    if (index->readError()) {
        u.error(TextKey::FileReadError, path);
        return 1;
    }
    const auto kept = static_cast<std::int64_t>(index->size());
    u.err << kept
          << u.cat.countText(kept, TextKey::GamesSelectedOutOfOne, TextKey::GamesSelectedOutOfFew,
                             TextKey::GamesSelectedOutOf)
          << index->views() << '\n';
    return 0;
}

int convert(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    GameFilter filter;
    std::vector<std::string> paths;
    if (auto status = readFilter(args, false, 2, filter, paths, u)) return *status;
    ConversionOptions options;
    const auto format = targetFormat(paths[1]);
    if (!format) return u.error(TextKey::UnknownTarget, paths[1]);
    options.format = *format;
    const ConversionResult r = convertir_fichier_pgn(paths[0], paths[1], filter, options);
    const std::string message = conversionMessage(r, u.cat);
    if (r.success()) {
        out << message << '\n';
        return 0;
    }
    u.err << "quarvelin-cli: " << message << '\n';
    return r.error == ConversionResult::Error::SourceMissing ? 2 : 1;
}

int bestmove(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    std::string fen, profile;
    int depth = -1;
    bool blackBottom = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--black-bottom") {
            blackBottom = true;
        } else if (a == "--depth" || a == "--profile") {
            if (i + 1 >= args.size()) return u.error(TextKey::MissingArgument, "");
            const std::string& v = args[++i];
            if (a == "--profile") {
                profile = v;
            } else {
                if (v.size() != 1 || v[0] < '0' || v[0] > '3')
                    return u.error(TextKey::InvalidDepth, v);
                depth = v[0] - '0';
            }
        } else if (a.starts_with("--") || !fen.empty()) {
            return u.error(TextKey::UnknownArgument, a);
        } else {
            fen = a;
        }
    }
    if (fen.empty()) return u.error(TextKey::MissingArgument, "");
    FenProblem why = FenProblem::None;
    auto p = readFen(fen, blackBottom ? Colour::Black : Colour::White, &why);
    if (!p)
        return u.error(TextKey::FenRejected, fen + " (" + u.cat.text(fenProblemText(why)) + ")");
    Settings settings = builtInSettings(".");
    if (!profile.empty() && !readProfile(profile, settings, 1))
        return u.error(TextKey::CannotOpenFile, profile);

    SearchRequest request;
    request.position = *p;
    request.colour = p->sideToMove();
    // As the hint does: White's search counts the move it is about to make.
    if (request.colour == Colour::White) ++request.position.MoveCount;
    request.weights = profileWeights(settings, 1);
    if (depth >= 0) request.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);
    if (request.weights.PROFONDEUR_MAX < 0 || request.weights.PROFONDEUR_MAX > 3)
        return u.error(TextKey::InvalidDepth, std::to_string(request.weights.PROFONDEUR_MAX));
    request.notation = NotationCode::Pgn;
    SearchCounters counters;
    SearchResult r = searchMove(request, counters);
    std::string text = r.text;
    text.erase(0, text.find_first_not_of(' '));
    bool none = r.text == "MAT" || r.text == "PAT";
    Move c{r.fromX, r.fromY, r.toX, r.toY, p->at(r.fromX, r.fromY), PieceCode::Empty};
    out << "bestmove " << (none ? "(none)" : uciMove(*p, c)) << " score " << scoreText(r.score)
        << " text " << text << " moves " << counters.MovesExamined << " evals "
        << counters.PositionsEvaluated << '\n';
    return 0;
}

// Positions of every phase; the sum of their evaluations at depth 3 is the engine's signature.
constexpr const char* PositionsBench[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/8/PPP2PPP/RNBQKB1R w KQkq - 1 5",
    "r2q1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P1b1/2NP1N2/PPP2PPP/R2Q1RK1 w - - 4 8",
    "2r2rk1/pp3ppp/2n1bn2/q2p4/3P4/P1N1PN2/1P1QBPPP/2R2RK1 b - - 0 15",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 40",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 30",
    "4k3/8/8/8/8/8/4P3/4K3 w - - 0 50",
};

int bench(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    int threads = 2;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--threads" && i + 1 < args.size() && args[i + 1].size() == 1 &&
            args[i + 1][0] >= '1' && args[i + 1][0] <= '8')
            threads = args[++i][0] - '0';
        else
            return u.error(TextKey::UnknownArgument, args[i]);
    }
    std::int64_t evals = 0;
    auto start = std::chrono::steady_clock::now();
    for (const char* fen : PositionsBench) {
        SearchRequest request;
        request.position = *readFen(fen, Colour::White);
        request.colour = request.position.sideToMove();
        if (request.colour == Colour::White) ++request.position.MoveCount;
        request.weights.PROFONDEUR_MAX = 3;
        request.threads = threads;
        SearchCounters c;
        searchMove(request, c);
        evals += c.PositionsEvaluated;
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out << "positions " << std::size(PositionsBench) << " depth 3 threads " << threads << '\n';
    out << "evaluations per second "
        << static_cast<std::int64_t>(static_cast<double>(evals) / seconds) << '\n';
    out << "signature " << evals << '\n';
    return 0;
}

int uci(const std::vector<std::string>& args, std::ostream& out, const Usage& u) {
    if (args.size() > 1) return u.error(TextKey::UnknownArgument, args[1]);
    return runUci(std::cin, out);
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TextCatalogue& catalogue, const std::string& programFolder) {
    Usage u{err, catalogue};
    if (args.empty()) {
        err << HelpGeneral;
        return 2;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << HelpGeneral;
        return 0;
    }
    struct Command {
        const char* name;
        const char* help;
        int (*run)(const std::vector<std::string>&, std::ostream&, const Usage&);
    };
    static constexpr Command commands[] = {
        {"perft", HelpPerft, perft},         {"moves", HelpMoves, moves},
        {"replay", HelpReplay, replay},      {"list", HelpList, list},
        {"convert", HelpConvert, convert},   {"bestmove", HelpBestmove, bestmove},
        {"bench", HelpBench, bench},         {"uci", HelpUci, uci},
        {"autoplay", HelpAutoplay, nullptr}, {"tournament", HelpTournament, nullptr},
        {"net", HelpNet, nullptr},           {"eco", HelpEco, nullptr},
        {"analyse", HelpAnalyse, nullptr}};
    for (const Command& c : commands) {
        if (command != c.name) continue;
        if (helpAsked(args)) {
            out << c.help;
            return 0;
        }
        if (command == "net") return netPlay(args, out, err, catalogue, programFolder);
        if (command == "eco") return ecoCommand(args, out, err, catalogue, programFolder);
        if (command == "tournament")
            return tournamentCommand(args, out, err, catalogue, programFolder);
        if (command == "analyse") return analysisCommand(args, out, err, catalogue, programFolder);
        if (!c.run) return autoplay(args, out, err, catalogue, programFolder);
        return c.run(args, out, u);
    }
    return u.error(TextKey::UnknownArgument, command);
}

} // namespace quarvelin
