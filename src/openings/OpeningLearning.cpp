// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/OpeningLearning.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <unordered_set>
#include <vector>

namespace quarvelin {

namespace {

constexpr int LearnedHalfMoves = 12; // the first six moves
constexpr long long GamesPerTransaction = 2000;
// Lines known to be in the base, so common openings are looked up once; dropped when it grows
// past this, to keep memory bounded on huge files.
constexpr std::size_t KnownLinesKept = 1'000'000;

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trimmed(const std::string& s) {
    auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    auto b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

} // namespace

std::string gameTextUpTo(const std::string& text, int halfMoves) {
    if (halfMoves <= 0) return {};
    int seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ') continue;
        if (++seen == halfMoves) return text.substr(0, i);
    }
    return text;
}

PgnLearning learnPgn(OpeningBase& base, std::istream& in, std::uint64_t size,
                     const LearningProgress& progress) {
    PgnLearning r;
    PgnStream stream(in);
    PgnGame game;
    std::string code;
    std::unordered_set<std::string> known;
    std::vector<EcoLine> batch;
    // Lookups and additions of a few thousand games share one transaction: SQLite then locks
    // the file once for them, not once a lookup.
    QSqlDatabase db = QSqlDatabase::database(base.connectionName(), false);
    if (!db.isOpen() || !db.transaction()) {
        r.error = base.error().empty() ? db.lastError().text().toStdString() : base.error();
        return r;
    }
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup) VALUES (?, ?, ?)");
    auto flush = [&](bool last) {
        for (const EcoLine& l : batch) {
            insert.addBindValue(QString::fromStdString(l.code));
            insert.addBindValue(QString::fromStdString(l.label));
            insert.addBindValue(QString::fromStdString(l.moves));
            if (!insert.exec()) {
                r.error = insert.lastError().text().toStdString();
                db.rollback();
                return false;
            }
        }
        if (!db.commit() || (!last && !db.transaction())) {
            r.error = db.lastError().text().toStdString();
            return false;
        }
        r.added += static_cast<long long>(batch.size());
        batch.clear();
        return true;
    };
    while (stream.next(game)) {
        ++r.games;
        if (const std::string* eco = game.tag("ECO"); eco && !trimmed(*eco).empty())
            code = upper(trimmed(*eco));
        if (const std::string* fen = game.tag("FEN"); fen && !trimmed(*fen).empty()) {
            ++r.skipped; // its prefixes would not be lines from the initial position
        } else {
            Position p = Position::initial();
            std::string text;
            const int n = std::min<int>(LearnedHalfMoves, static_cast<int>(game.moves.size()));
            for (int i = 0; i < n; ++i) {
                std::string token = game.moves[static_cast<std::size_t>(i)];
                const Colour side = p.sideToMove();
                ReadMove parsed = lire_coup(p, side, NotationCode::Pgn, token);
                Move c = parsed.move();
                if (!parsed.readable || parsed.isResult() || parsed.fromX == 0 || !isLegal(p, c))
                    break;
                if (!text.empty()) text += ' ';
                if (side == Colour::White) text += std::to_string(p.MoveCount + 1) + ".";
                text += san(p, c);
                playMove(p, c);
                std::string line = text + " *";
                if (known.contains(line)) continue;
                if (known.size() > KnownLinesKept) known.clear();
                if (!base.hasLine(line)) batch.push_back({0, code, code, line, 0, false});
                known.insert(std::move(line));
            }
        }
        if (r.games % GamesPerTransaction == 0 && !flush(false)) return r;
        if (progress && r.games % 256 == 0) {
            const std::streamoff read = in.tellg(); // -1 once the last block is in
            const std::uint64_t at = read < 0 ? size : static_cast<std::uint64_t>(read);
            const int percent =
                size == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(100, at * 100 / size));
            if (!progress(percent, r.games, r.added + static_cast<long long>(batch.size()))) {
                r.stopped = true;
                break;
            }
        }
    }
    if (!flush(true)) return r;
    if (progress && !r.stopped) progress(100, r.games, r.added);
    return r;
}

PgnLearning apprendre_fichier_pgn(const std::string& basePath, const std::string& pgnPath,
                                  const LearningProgress& progress) {
    PgnLearning r;
    std::ifstream in(pgnPath, std::ios::binary);
    if (!in) {
        r.error = "cannot read " + pgnPath;
        return r;
    }
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(std::max<std::streamoff>(0, in.tellg()));
    in.seekg(0);
    OpeningBase base;
    if (!base.open(basePath, OpeningBase::Access::Write)) {
        r.error = base.error();
        return r;
    }
    return learnPgn(base, in, size, progress);
}

} // namespace quarvelin
