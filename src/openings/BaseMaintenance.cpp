// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/BaseMaintenance.h"

#include "config/AtomicFileWriter.h"
#include "openings/OpeningBase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace quarvelin {

namespace {

namespace fs = std::filesystem;

QString q(const std::string& s) { return QString::fromStdString(s); }

// A connection of its own, removed with this object.
class Connection {
public:
    explicit Connection(const std::string& path) {
        static std::atomic<int> counter{0};
        name_ = QStringLiteral("eco-maintenance-%1").arg(counter.fetch_add(1));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(q(path));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        open_ = fs::exists(path) && db.open();
    }
    ~Connection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    bool isOpen() const { return open_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
    bool open_ = false;
};

std::string readAll(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    ok = static_cast<bool>(in) || in.eof();
    return content.str();
}

// The new file takes the old one's place through the safe writer; the draft goes either way.
std::string putInPlace(const std::string& draft, const std::string& path) {
    bool ok = false;
    std::string content = readAll(draft, ok);
    std::error_code ec;
    fs::remove(draft, ec);
    if (!ok) return "cannot read " + draft;
    return AtomicFileWriter::writeFile(path, content);
}

EcoLine rowOf(const QSqlQuery& query) {
    EcoLine l;
    l.key = query.value(0).toLongLong();
    l.code = query.value(1).toString().toStdString();
    l.label = query.value(2).toString().toStdString();
    l.moves = query.value(3).toString().toStdString();
    l.note = query.value(4).toFloat();
    l.knowledge = query.value(5).toInt() != 0;
    return l;
}

constexpr const char* Columns =
    "SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_note, Eco_connaissance FROM ECO";

// Every row that can still be read: a scan in key order while it lasts, then, when it broke
// off, each key on its own, so one damaged page loses only its own rows.
std::map<long long, EcoLine> readableRows(const QSqlDatabase& db) {
    std::map<long long, EcoLine> rows;
    QSqlQuery scan(db);
    scan.setForwardOnly(true);
    bool whole = scan.exec(QStringLiteral("%1 ORDER BY Eco_cle").arg(Columns));
    while (whole && scan.next()) {
        EcoLine l = rowOf(scan);
        rows.emplace(l.key, std::move(l));
    }
    if (whole && !scan.lastError().isValid()) return rows;

    long long last = rows.empty() ? 0 : rows.rbegin()->first;
    for (const char* top :
         {"SELECT max(Eco_cle) FROM ECO", "SELECT seq FROM sqlite_sequence WHERE name = 'ECO'"}) {
        QSqlQuery query(db);
        if (query.exec(QString::fromLatin1(top)) && query.next())
            last = std::max(last, query.value(0).toLongLong());
    }
    QSqlQuery one(db);
    one.setForwardOnly(true);
    one.prepare(QStringLiteral("%1 WHERE Eco_cle = ?").arg(Columns));
    for (long long key = 1; key <= last; ++key) {
        if (rows.contains(key)) continue;
        one.addBindValue(key);
        if (one.exec() && one.next()) rows.emplace(key, rowOf(one));
        one.finish();
    }
    return rows;
}

} // namespace

std::string compactBase(const std::string& path) {
    const std::string draft = path + ".compact";
    std::error_code ec;
    fs::remove(draft, ec);
    {
        OpeningBase base;
        if (!base.open(path)) return base.error();
        Connection c(path);
        QSqlQuery query(c.db());
        QString target = q(draft).replace(QLatin1Char('\''), QStringLiteral("''"));
        if (!c.isOpen() || !query.exec(QStringLiteral("VACUUM INTO '%1'").arg(target))) {
            fs::remove(draft, ec);
            return query.lastError().text().toStdString();
        }
    }
    return putInPlace(draft, path);
}

Repair repairBase(const std::string& path) {
    Repair r;
    if (!fs::exists(path)) {
        r.error = "no such file: " + path;
        return r;
    }
    std::map<long long, EcoLine> rows;
    {
        Connection c(path);
        QSqlQuery check(c.db());
        r.damaged = !c.isOpen() || !check.exec(QStringLiteral("PRAGMA integrity_check")) ||
                    !check.next() || check.value(0).toString() != QLatin1String("ok");
        check.finish();
        if (!r.damaged) return r;
        if (c.isOpen()) rows = readableRows(c.db());
    }
    const std::string draft = path + ".repair";
    std::error_code ec;
    fs::remove(draft, ec);
    {
        OpeningBase rebuilt;
        std::vector<EcoLine> lines;
        lines.reserve(rows.size());
        for (auto& [key, line] : rows) lines.push_back(std::move(line));
        if (!rebuilt.open(draft, OpeningBase::Access::Create) || !rebuilt.replaceAll(lines)) {
            r.error = rebuilt.error();
            rebuilt.close();
            fs::remove(draft, ec);
            return r;
        }
        r.saved = static_cast<long long>(lines.size());
    }
    r.keptAside = path + ".damaged";
    fs::copy_file(path, r.keptAside, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        r.error = ec.message();
        fs::remove(draft, ec);
        return r;
    }
    r.error = putInPlace(draft, path);
    return r;
}

} // namespace quarvelin
