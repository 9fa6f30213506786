#include "openings/OpeningBase.h"

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
    prepared_.clear(); // statements go before their connection
    {
        QSqlDatabase db = QSqlDatabase::database(q(name_), false);
        if (db.isValid()) db.close();
    }
    if (QSqlDatabase::contains(q(name_))) QSqlDatabase::removeDatabase(q(name_));
}

bool OpeningBase::open(const std::string& path, bool create) {
    prepared_.clear();
    QSqlDatabase db = QSqlDatabase::contains(q(name_))
                          ? QSqlDatabase::database(q(name_), false)
                          : QSqlDatabase::addDatabase("QSQLITE", q(name_));
    if (!db.isValid()) {
        error_ = "the SQLite driver of Qt is missing";
        return false;
    }
    db.setDatabaseName(q(path));
    db.setConnectOptions(create ? QString() : QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        error_ = db.lastError().text().toStdString();
        return false;
    }
    QSqlQuery query(db);
    if (create &&
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
    error_.clear();
    return true;
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

QString OpeningBase::sqlQuery(const std::string& prefix, bool bookOrder, bool count,
                              int limit) const {
    // A case-sensitive prefix as a range of the index, named so that a LIMIT never tempts the
    // planner into walking the whole table in key order.
    QString sql = count ? "SELECT count(*) FROM ECO INDEXED BY ECO_coup WHERE Eco_coup >= ?"
                        : "SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_note, "
                          "Eco_connaissance FROM ECO INDEXED BY ECO_coup WHERE Eco_coup >= ?";
    if (!upperBound(prefix).empty()) sql += " AND Eco_coup < ?";
    if (count) return sql;
    // Learned rows before reference rows of the same score; the table's order is its key's.
    sql += bookOrder ? " ORDER BY Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, "
                       "length(Eco_coup) DESC, Eco_cle"
                     : " ORDER BY Eco_cle";
    if (limit > 0) sql += " LIMIT " + QString::number(limit) + " OFFSET ?";
    return sql;
}

std::vector<EcoLine> OpeningBase::query(const std::string& prefix, bool bookOrder, int limit,
                                        long long offset) const {
    std::vector<EcoLine> out;
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return out;
    const std::string top = upperBound(prefix);
    QSqlQuery& query = prepared(sqlQuery(prefix, bookOrder, false, limit));
    query.addBindValue(q(prefix));
    if (!top.empty()) query.addBindValue(q(top));
    if (limit > 0) query.addBindValue(offset);
    if (!query.exec()) return out;
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
    query.finish();
    return out;
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

long long OpeningBase::count(const std::string& prefix) const {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return 0;
    const std::string top = upperBound(prefix);
    QSqlQuery& query = prepared(sqlQuery(prefix, false, true, 0));
    query.addBindValue(q(prefix));
    if (!top.empty()) query.addBindValue(q(top));
    long long n = query.exec() && query.next() ? query.value(0).toLongLong() : 0;
    query.finish();
    return n;
}

std::vector<std::string> OpeningBase::plans(const std::string& prefix) const {
    std::vector<std::string> out;
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen()) return out;
    const std::string top = upperBound(prefix);
    for (auto [order, tally, limit] : {std::tuple{false, false, 1}, std::tuple{true, false, 1},
                                       std::tuple{false, true, 0}, std::tuple{false, false, 0}}) {
        QSqlQuery query(db);
        query.prepare("EXPLAIN QUERY PLAN " + sqlQuery(prefix, order, tally, limit));
        query.addBindValue(q(prefix));
        if (!top.empty()) query.addBindValue(q(top));
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

std::optional<OpeningBase::BookMove>
OpeningBase::choisir_coup_livre(const Position& p, Colour side, const std::string& text,
                                const std::function<double()>* random) const {
    // Each matching line with equal chance: the row at a random offset in the book's order.
    long long k = 0;
    if (random) {
        long long n = count(text);
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
