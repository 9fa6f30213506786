// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/OpeningBase.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <tuple>

namespace quarvelin {

namespace {

std::string newConnection() {
    static std::atomic<int> counter{0};
    return "eco-" + std::to_string(counter.fetch_add(1));
}

QString q(const std::string& s) { return QString::fromStdString(s); }

// The smallest text greater than every text that starts with prefix, for an index range.
std::string upperBound(std::string prefix) {
    while (!prefix.empty() && static_cast<unsigned char>(prefix.back()) == 0xFF) prefix.pop_back();
    if (prefix.empty()) return {};
    prefix.back() = static_cast<char>(static_cast<unsigned char>(prefix.back()) + 1);
    return prefix;
}

} // namespace

OpeningBase::OpeningBase() : name_(newConnection()) {}

OpeningBase::~OpeningBase() {
    close();
    if (QSqlDatabase::contains(q(name_))) QSqlDatabase::removeDatabase(q(name_));
}

bool OpeningBase::open(const std::string& path, Access access) {
    close();
    QSqlDatabase db = QSqlDatabase::contains(q(name_))
                          ? QSqlDatabase::database(q(name_), false)
                          : QSqlDatabase::addDatabase("QSQLITE", q(name_));
    if (!db.isValid()) {
        error_ = "the SQLite driver of Qt is missing";
        return false;
    }
    // SQLite would create a missing file even to read it.
    if (access != Access::Create && !QFileInfo::exists(q(path))) {
        error_ = "no such file: " + path;
        return false;
    }
    db.setDatabaseName(q(path));
    db.setConnectOptions(access == Access::Read ? QStringLiteral("QSQLITE_OPEN_READONLY")
                                                : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        error_ = db.lastError().text().toStdString();
        return false;
    }
    QSqlQuery query(db);
    if (access == Access::Create &&
        (!query.exec(
             "CREATE TABLE IF NOT EXISTS ECO (Eco_cle INTEGER PRIMARY KEY AUTOINCREMENT, "
             "Eco_code TEXT NOT NULL, Eco_libelle TEXT NOT NULL, Eco_coup TEXT NOT NULL, "
             "Eco_note REAL NOT NULL DEFAULT 0, Eco_connaissance INTEGER NOT NULL DEFAULT 0)") ||
         !query.exec("CREATE INDEX IF NOT EXISTS ECO_coup ON ECO (Eco_coup)"))) {
        error_ = query.lastError().text().toStdString();
        db.close();
        return false;
    }
    if (!query.exec("SELECT count(*) FROM ECO")) {
        error_ = "not an opening base: " + query.lastError().text().toStdString();
        db.close();
        return false;
    }
    path_ = path;
    error_.clear();
    return true;
}

void OpeningBase::close() {
    prepared_.clear(); // statements go before their connection
    if (!QSqlDatabase::contains(q(name_))) return;
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (db.isOpen()) db.close();
}

bool OpeningBase::isOpen() const {
    return QSqlDatabase::contains(q(name_)) && QSqlDatabase::database(q(name_), false).isOpen();
}

bool OpeningBase::append(const std::vector<EcoLine>& lines) {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen() || !db.transaction()) return false;
    QSqlQuery query(db);
    query.prepare("INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_note, Eco_connaissance) "
                  "VALUES (?, ?, ?, ?, ?)");
    for (const EcoLine& l : lines) {
        query.addBindValue(q(l.code));
        query.addBindValue(q(l.label));
        query.addBindValue(q(l.moves));
        query.addBindValue(static_cast<double>(l.note));
        query.addBindValue(l.knowledge ? 1 : 0);
        if (!query.exec()) {
            error_ = query.lastError().text().toStdString();
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

bool OpeningBase::replaceAll(const std::vector<EcoLine>& lines) {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen() || !db.transaction()) {
        error_ = db.lastError().text().toStdString();
        return false;
    }
    QSqlQuery query(db);
    auto failed = [&] {
        error_ = query.lastError().text().toStdString();
        db.rollback();
        return false;
    };
    if (!query.exec("DELETE FROM ECO")) return failed();
    // The counter restarts, so rows added later follow the imported keys. A table without
    // AUTOINCREMENT has no counter row to drop.
    query.exec("DELETE FROM sqlite_sequence WHERE name = 'ECO'");
    query.prepare("INSERT INTO ECO (Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_note, "
                  "Eco_connaissance) VALUES (?, ?, ?, ?, ?, ?)");
    for (const EcoLine& l : lines) {
        query.addBindValue(l.key);
        query.addBindValue(q(l.code));
        query.addBindValue(q(l.label));
        query.addBindValue(q(l.moves));
        query.addBindValue(static_cast<double>(l.note));
        query.addBindValue(l.knowledge ? 1 : 0);
        if (!query.exec()) return failed();
    }
    if (!db.commit()) return failed();
    return true;
}

long long OpeningBase::purgeLearned() {
    prepared_.clear();
    QSqlQuery query(QSqlDatabase::database(q(name_), false));
    if (!query.exec("DELETE FROM ECO WHERE Eco_connaissance <> 0")) {
        error_ = query.lastError().text().toStdString();
        return -1;
    }
    return query.numRowsAffected();
}

QString OpeningBase::sqlQuery(const std::string& text, bool bookOrder, bool count, int limit,
                              bool open) {
    // A case-sensitive prefix as a range of the index, named so that a LIMIT never tempts the
    // planner into walking the whole table in key order.
    QString sql = count ? "SELECT count(*) FROM ECO INDEXED BY ECO_coup WHERE Eco_coup >= ?"
                        : "SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_note, "
                          "Eco_connaissance FROM ECO INDEXED BY ECO_coup WHERE Eco_coup >= ?";
    if (!text.empty()) sql += " AND Eco_coup < ?";
    if (open) sql += " AND Eco_coup <> ?";
    if (count) return sql;
    // Learned rows before reference rows of the same score; the table's order is its key's.
    sql += bookOrder ? " ORDER BY Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, "
                       "length(Eco_coup) DESC, Eco_cle"
                     : " ORDER BY Eco_cle";
    if (limit > 0) sql += " LIMIT " + QString::number(limit) + " OFFSET ?";
    return sql;
}

void OpeningBase::bindRange(QSqlQuery& query, const std::string& text, bool open) {
    // "1.e4 e5" is continued by "1.e4 e5 2.Nf3 *", not by "1.e4 e5x"; "...O-O" not by
    // "...O-O-O".
    const std::string prefix = text.empty() ? text : text + " ";
    query.addBindValue(q(prefix));
    if (!text.empty()) query.addBindValue(q(upperBound(prefix)));
    if (open) query.addBindValue(q(text.empty() ? "*" : text + " *"));
}

std::vector<EcoLine> OpeningBase::query(const std::string& text, bool bookOrder, int limit,
                                        long long offset) const {
    std::vector<EcoLine> out;
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return out;
    QSqlQuery& query = prepared(sqlQuery(text, bookOrder, false, limit, bookOrder));
    bindRange(query, text, bookOrder);
    if (limit > 0) query.addBindValue(offset);
    if (!query.exec()) return out;
    return rows(query);
}

std::vector<EcoLine> OpeningBase::rows(QSqlQuery& query) {
    std::vector<EcoLine> out;
    while (query.next()) {
        EcoLine l;
        l.key = query.value(0).toLongLong();
        l.code = query.value(1).toString().toStdString();
        l.label = query.value(2).toString().toStdString();
        l.moves = query.value(3).toString().toStdString();
        l.note = query.value(4).toFloat();
        l.knowledge = query.value(5).toInt() != 0;
        out.push_back(std::move(l));
    }
    query.finish(); // no read lock kept on the file between pages
    return out;
}

std::vector<EcoLine> OpeningBase::linesAfter(const std::string& text, long long afterKey, int limit,
                                             bool walkKeys) const {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen() || limit <= 0) return {};
    // NOT INDEXED still lets the key bound start the walk.
    QString sql =
        QStringLiteral("SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_note, "
                       "Eco_connaissance FROM ECO %1 WHERE Eco_coup >= ?")
            .arg(walkKeys ? QStringLiteral("NOT INDEXED") : QStringLiteral("INDEXED BY ECO_coup"));
    if (!text.empty()) sql += " AND Eco_coup < ?";
    sql += " AND Eco_cle > ? ORDER BY Eco_cle LIMIT " + QString::number(limit);
    QSqlQuery& query = prepared(sql);
    bindRange(query, text, false);
    query.addBindValue(afterKey);
    if (!query.exec()) return {};
    return rows(query);
}

QSqlQuery& OpeningBase::prepared(const QString& sql) const {
    auto& q = prepared_[sql];
    if (!q) {
        q = std::make_unique<QSqlQuery>(
            QSqlDatabase::database(QString::fromStdString(name_), false));
        q->setForwardOnly(true);
        q->prepare(sql);
    }
    return *q;
}

long long OpeningBase::count(const std::string& text, bool open) const {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return 0;
    QSqlQuery& query = prepared(sqlQuery(text, false, true, 0, open));
    bindRange(query, text, open);
    long long n = query.exec() && query.next() ? query.value(0).toLongLong() : 0;
    query.finish();
    return n;
}

bool OpeningBase::hasLine(const std::string& moves) const {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return false;
    QSqlQuery& query = prepared("SELECT 1 FROM ECO WHERE Eco_coup = ? LIMIT 1");
    query.addBindValue(q(moves));
    bool found = query.exec() && query.next();
    query.finish();
    return found;
}

bool OpeningBase::hasLearnedLine(const std::string& text) const {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return false;
    QSqlQuery& query =
        prepared("SELECT 1 FROM ECO WHERE Eco_coup = ? AND Eco_connaissance <> 0 LIMIT 1");
    query.addBindValue(q(text + " *"));
    bool found = query.exec() && query.next();
    query.finish();
    return found;
}

std::vector<std::string> OpeningBase::plans(const std::string& text) const {
    std::vector<std::string> out;
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return out;
    for (auto [order, tally, limit] : {std::tuple{false, false, 1}, std::tuple{true, false, 1},
                                       std::tuple{false, true, 0}, std::tuple{false, false, 0}}) {
        QSqlQuery query(db);
        query.prepare("EXPLAIN QUERY PLAN " + sqlQuery(text, order, tally, limit, order));
        bindRange(query, text, order);
        if (limit > 0) query.addBindValue(0);
        if (!query.exec()) continue;
        std::string plan;
        while (query.next()) plan += query.value(3).toString().toStdString() + "; ";
        out.push_back(plan);
    }
    return out;
}

std::vector<EcoLine> OpeningBase::linesStartingWith(const std::string& text) const {
    return query(text, false);
}

std::optional<EcoLine> OpeningBase::nommer_ouverture(const std::string& text) const {
    auto lines = query(text, false, 1);
    if (lines.empty()) return std::nullopt;
    return lines.front();
}

std::optional<EcoLine> OpeningBase::openingOfGame(const std::string& text) const {
    std::optional<EcoLine> named;
    // Beginnings cut at the spaces between moves; a shorter one is followed by every line a
    // longer one is, so the first that no line follows ends the walk.
    for (std::size_t end = 0; end != std::string::npos;) {
        end = text.find(' ', end + 1);
        const std::string beginning = text.substr(0, end);
        if (beginning.find_first_not_of(' ') == std::string::npos) continue; // names every line
        auto line = nommer_ouverture(beginning);
        if (!line) break;
        named = std::move(line);
    }
    return named;
}

long long OpeningBase::lineCount() const {
    QSqlQuery query(QSqlDatabase::database(q(name_), false));
    if (!query.exec("SELECT count(*) FROM ECO") || !query.next()) return 0;
    return query.value(0).toLongLong();
}

std::string nextMove(const std::string& line, const std::string& text, Colour side) {
    // 1-based positions, as the line is walked: past the game text and its space.
    std::size_t p = text.size() + 2;
    if (side == Colour::White) {
        auto dot = line.find('.', p - 1);
        if (dot == std::string::npos) return {};
        p = dot + 2;
    }
    if (p == 2) return {}; // no game text and Black to move
    std::string move;
    for (; p < line.size() && line[p - 1] != ' ' && line[p - 1] != '*'; ++p) move += line[p - 1];
    return move;
}

std::string listedMove(const std::string& line, const std::string& text) {
    std::size_t from = 0;
    if (!text.empty()) {
        if (!line.starts_with(text + " ")) return {};
        from = text.size() + 1;
    }
    const std::size_t end = line.find_first_of(" *", from);
    return line.substr(from, (end == std::string::npos ? line.size() : end) - from);
}

std::optional<OpeningBase::BookMove>
OpeningBase::choisir_coup_livre(const Position& p, Colour side, const std::string& text,
                                const std::function<double()>* random) const {
    // Each matching line with equal chance: the row at a random offset in the book's order.
    long long k = 0;
    if (random) {
        long long n = count(text, true);
        if (n == 0) return std::nullopt;
        double r = (*random)();
        k = std::clamp(static_cast<long long>(r * static_cast<double>(n)), 0LL, n - 1);
    }
    auto lines = query(text, true, 1, k);
    if (lines.empty()) return std::nullopt;
    const EcoLine& l = lines.front();
    std::string token = nextMove(l.moves, text, side);
    if (token.empty()) return std::nullopt;
    BookMove c;
    c.move = lire_coup(p, side, NotationCode::Pgn, token);
    if (!c.move.readable || c.move.fromX == 0 || c.move.fromY == 0) return std::nullopt;
    c.note = l.knowledge ? l.note : 0;
    c.line = l;
    return c;
}

} // namespace quarvelin
