// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TournamentCommand.h"

#include "cli/EcoCommand.h"
#include "tournament/Tournament.h"

#include <QProcess>

#include <filesystem>
#include <fstream>

namespace quarvelin {

namespace {

bool count(const std::string& v, int bottom, int top, int& out) {
    if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::stoi(v);
    return out >= bottom && out <= top;
}

// An outside engine goes by its program's name, made unique in the field.
std::string engineName(const std::string& command, const std::vector<TournamentPlayer>& field) {
    QStringList parts = QProcess::splitCommand(QString::fromStdString(command));
    std::string base = parts.isEmpty()
                           ? command
                           : std::filesystem::path(parts.front().toStdString()).filename().string();
    std::string name = base;
    for (int n = 2; std::any_of(field.begin(), field.end(),
                                [&](const TournamentPlayer& p) { return p.name == name; });
         ++n)
        name = base + " " + std::to_string(n);
    return name;
}

} // namespace

int tournamentCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const TextCatalogue& catalogue, const std::string& programFolder) {
    auto error = [&](TextKey key, const std::string& detail) {
        err << "quarvelin-cli: " << catalogue.text(key) << detail << '\n';
        return 2;
    };
    TournamentOptions o;
    o.programFolder = programFolder;
    o.basePath = desktopOpeningBase(programFolder);
    std::string pgnFile;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            o.players.push_back(personality(a));
            continue;
        }
        static const char* const known[] = {
            "--uci",           "--uci-option", "--rounds",    "--depth",       "--openings",
            "--opening-plies", "--seed",       "--max-moves", "--concurrency", "--uci-movetime",
            "--uci-depth",     "--base",       "--pgn"};
        if (std::none_of(std::begin(known), std::end(known), [&](const char* k) { return a == k; }))
            return error(TextKey::UnknownArgument, a);
        if (i + 1 >= args.size()) return error(TextKey::MissingArgument, "");
        const std::string& v = args[++i];
        int n = 0;
        auto number = [&](int bottom, int top, int& into) {
            if (!count(v, bottom, top, n)) return false;
            into = n;
            return true;
        };
        bool ok = true;
        if (a == "--uci") {
            o.players.push_back({engineName(v, o.players), {}, v, {}});
        } else if (a == "--uci-option") {
            if (o.players.empty() || o.players.back().uciCommand.empty())
                return error(TextKey::UnknownArgument, a + " " + v);
            if (v.find('=') == std::string::npos || v.front() == '=') {
                err << "quarvelin-cli: " << catalogue.text(TextKey::UciBadOption, {v}) << '\n';
                return 2;
            }
            o.players.back().uciOptions.push_back(v);
        } else if (a == "--depth") {
            if (!number(0, 3, o.depth)) return error(TextKey::InvalidDepth, v);
        } else if (a == "--seed") {
            ok = number(0, 999999999, n);
            o.seed = static_cast<std::uint64_t>(n);
        } else {
            if (a == "--rounds") ok = number(1, 10000, o.rounds);
            if (a == "--opening-plies") ok = number(0, 100, o.openingPlies);
            if (a == "--max-moves") ok = number(1, 100000, o.maxMoves);
            if (a == "--concurrency") ok = number(1, 256, o.concurrency);
            if (a == "--uci-movetime") ok = number(1, 3600000, o.uciMoveTimeMs);
            if (a == "--uci-depth") ok = number(1, 100, o.uciDepth);
            if (a == "--openings") o.openingsFile = v;
            if (a == "--base") o.basePath = v;
            if (a == "--pgn") pgnFile = v;
        }
        if (!ok) return error(TextKey::UnknownArgument, a + " " + v);
    }

    Tournament tournament(o);
    if (auto problem = tournament.prepare()) {
        err << "quarvelin-cli: " << problemText(*problem, catalogue) << '\n';
        return 2;
    }
    std::ofstream pgn;
    if (!pgnFile.empty()) {
        pgn.open(pgnFile, std::ios::binary | std::ios::trunc);
        if (!pgn) return error(TextKey::CannotOpenFile, pgnFile);
    }
    const int total = tournament.gameCount();
    auto problem = tournament.run([&](const PlayedGame& g, const Crosstable& table) {
        if (pgn.is_open()) pgn << g.pgn << std::flush;
        err << catalogue.text(TextKey::TournamentProgress,
                              {std::to_string(table.games()), std::to_string(total)})
            << ": " << g.white << " - " << g.black << " " << g.result << " ("
            << terminationText(g.ending) << ", " << g.san.size() << " half-moves)\n"
            << std::flush;
    });
    out << tournament.table().text(
        catalogue.text(TextKey::CrosstablePlayer), catalogue.text(TextKey::CrosstableGames),
        catalogue.text(TextKey::CrosstablePoints), catalogue.text(TextKey::CrosstableScore),
        catalogue.text(TextKey::CrosstableElo));
    if (pgn.is_open() && !pgn.flush()) return error(TextKey::CannotOpenFile, pgnFile);
    if (problem) {
        err << "quarvelin-cli: " << problemText(*problem, catalogue) << '\n';
        return 1;
    }
    return 0;
}

} // namespace quarvelin
