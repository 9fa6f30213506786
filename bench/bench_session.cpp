// SPDX-License-Identifier: GPL-3.0-or-later
// Opening lookups on the full base, beside the plain reading of them (a LIKE over the whole
// table), and automatic games per second at depth 1 through the game session.
// Usage: bench_session [eco.db]   (default: the base built beside this program)
#include "cli/Cli.h"
#include "localisation/Catalogue.h"
#include "notation/MoveReader.h"
#include "openings/OpeningBase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

using namespace quarvelin;
using Clock = std::chrono::steady_clock;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

template <typename F> std::vector<double> time(const std::vector<std::string>& texts, F&& f) {
    std::vector<double> t;
    t.reserve(texts.size());
    for (const auto& text : texts) {
        auto beginning = Clock::now();
        f(text);
        t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - beginning).count());
    }
    return t;
}

// Game texts as a game reaches them: every line's moves cut after a random number of moves.
std::vector<std::string> gameTexts(const OpeningBase& base, std::size_t n) {
    std::vector<EcoLine> lines = base.linesStartingWith("");
    std::mt19937 rng(42);
    std::vector<std::string> out;
    while (out.size() < n && !lines.empty()) {
        const std::string& moves = lines[rng() % lines.size()].moves;
        std::vector<std::size_t> spaces;
        for (std::size_t i = 0; i < moves.size(); ++i)
            if (moves[i] == ' ') spaces.push_back(i);
        out.push_back(moves.substr(0, spaces[rng() % spaces.size()]));
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    auto here = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    std::printf("build: %s\n", QUARVELIN_BENCH_BUILD);
    std::string path = argc > 1 ? argv[1] : (here / "base" / "eco.db").string();
    OpeningBase base;
    if (!base.open(path)) {
        std::fprintf(stderr, "bench_session: cannot open %s: %s\n", path.c_str(),
                     base.error().c_str());
        return 1;
    }
    const std::vector<std::string> texts = gameTexts(base, 2000);
    Position p = Position::initial();
    std::printf("opening base: %lld lines, %zu game texts\n", base.lineCount(), texts.size());

    double r = 0.5;
    std::function<double()> chance = [&] { return r; };
    auto name = time(texts, [&](const std::string& t) { base.nommer_ouverture(t); });
    // The book move is asked in the position the text reaches; the lookup is what is timed, so
    // the start position stands in for it.
    auto book =
        time(texts, [&](const std::string& t) { base.choisir_coup_livre(p, Colour::White, t); });
    auto randomBook = time(texts, [&](const std::string& t) {
        base.choisir_coup_livre(p, Colour::White, t, &chance);
    });

    // The plain reading: the whole table filtered by LIKE, as an index-less base answers.
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-plain");
    db.setDatabaseName(QString::fromStdString(path));
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    db.open();
    auto plain = time(std::vector<std::string>(texts.begin(), texts.begin() + 200),
                      [&](const std::string& t) {
                          QSqlQuery q(db);
                          q.prepare("SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup FROM ECO "
                                    "NOT INDEXED WHERE Eco_coup LIKE ? ORDER BY Eco_cle");
                          q.addBindValue(QString::fromStdString(t) + "%");
                          q.exec();
                          q.next();
                      });

    // The plain reading of the book move: every matching row, sorted, the whole table read.
    auto plainBook = time(
        std::vector<std::string>(texts.begin(), texts.begin() + 200), [&](const std::string& t) {
            QSqlQuery q(db);
            q.prepare("SELECT Eco_cle, Eco_code, Eco_libelle, Eco_note, Eco_coup, "
                      "Eco_connaissance FROM ECO NOT INDEXED WHERE Eco_coup LIKE ? "
                      "ORDER BY Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, "
                      "length(Eco_coup) DESC");
            q.addBindValue(QString::fromStdString(t) + "%");
            q.exec();
            q.next();
        });
    double mN = median(name), mL = median(book), mH = median(randomBook), mP = median(plain),
           mPL = median(plainBook);
    std::printf("nommer_ouverture           median %.4f ms\n", mN);
    std::printf("choisir_coup_livre         median %.4f ms (ordered)\n", mL);
    std::printf("choisir_coup_livre         median %.4f ms (random line)\n", mH);
    std::printf("plain LIKE, first row      median %.4f ms  -> naming %.1fx faster\n", mP, mP / mN);
    std::printf("plain LIKE, book order     median %.4f ms  -> book move %.1fx faster\n", mPL,
                mPL / mL);

    // Automatic games at depth 1, through the same session as the desktop program.
    {
        Catalogue catalogue;
        std::ostringstream out, err;
        const int games = 20;
        auto beginning = Clock::now();
        int status =
            runCli({"autoplay", "--games", std::to_string(games), "--depth", "1", "--base", path},
                   out, err, catalogue, here.string());
        double s = std::chrono::duration<double>(Clock::now() - beginning).count();
        if (status != 0) {
            std::fprintf(stderr, "%s", err.str().c_str());
            return 1;
        }
        std::size_t halfMoves = 0;
        std::istringstream lines(err.str());
        for (std::string l; std::getline(lines, l);) {
            auto in = l.find(" in ");
            if (in != std::string::npos) halfMoves += std::stoul(l.substr(in + 4));
        }
        std::printf(
            "autoplay depth 1: %d games, %zu half-moves in %.2f s: %.1f games/s, %.0f moves/s\n",
            games, halfMoves, s, games / s, static_cast<double>(halfMoves) / s);
    }
    return 0;
}
