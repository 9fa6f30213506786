// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/OpeningNames.h"

#include "localisation/Catalogue.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>

#include <atomic>
#include <cstring>

namespace quarvelin {

namespace {

std::string newConnection() {
    static std::atomic<int> counter{0};
    return "eco-names-" + std::to_string(counter.fetch_add(1));
}

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

OpeningNames::OpeningNames() : name_(newConnection()) {}

OpeningNames::~OpeningNames() {
    lookup_.reset(); // the statement goes before its connection
    {
        QSqlDatabase db = QSqlDatabase::database(q(name_), false);
        if (db.isValid()) db.close();
    }
    if (QSqlDatabase::contains(q(name_))) QSqlDatabase::removeDatabase(q(name_));
}

bool OpeningNames::open(const std::string& path, bool create) {
    lookup_.reset();
    hasTable_ = false;
    QSqlDatabase db = QSqlDatabase::contains(q(name_))
                          ? QSqlDatabase::database(q(name_), false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), q(name_));
    if (!db.isValid()) {
        error_ = "the SQLite driver of Qt is missing";
        return false;
    }
    db.close();
    db.setDatabaseName(q(path));
    db.setConnectOptions(create ? QString() : QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        error_ = db.lastError().text().toStdString();
        return false;
    }
    QSqlQuery query(db);
    if (create &&
        !query.exec(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS ECO_NAMES (line TEXT NOT NULL, "
            "language TEXT NOT NULL, name TEXT NOT NULL, PRIMARY KEY (line, language))"))) {
        error_ = query.lastError().text().toStdString();
        db.close();
        return false;
    }
    hasTable_ = query.exec(QStringLiteral("SELECT count(*) FROM ECO_NAMES"));
    if (hasTable_) {
        lookup_ = std::make_unique<QSqlQuery>(db);
        lookup_->prepare(
            QStringLiteral("SELECT name FROM ECO_NAMES WHERE line = ? AND language = ?"));
    }
    error_.clear();
    return true;
}

bool OpeningNames::store(const std::string& language, const std::vector<EcoLine>& lines) {
    QSqlDatabase db = QSqlDatabase::database(q(name_), false);
    if (!db.isOpen() || !hasTable_) {
        error_ = "the names table is not open";
        return false;
    }
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(
        QStringLiteral("INSERT OR REPLACE INTO ECO_NAMES (line, language, name) VALUES (?, ?, ?)"));
    for (const EcoLine& l : lines) {
        insert.addBindValue(q(l.moves));
        insert.addBindValue(q(language));
        insert.addBindValue(q(l.label));
        if (!insert.exec()) {
            error_ = insert.lastError().text().toStdString();
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

std::string OpeningNames::namesLanguage(int languageKey) {
    const char* file = Catalogue::fileName(languageKey);
    if (std::strncmp(file, "fr", 2) == 0) return "fr";
    if (std::strncmp(file, "es", 2) == 0) return "es";
    return "en";
}

std::optional<std::string> OpeningNames::find(const std::string& moves,
                                              const std::string& language) const {
    if (!lookup_) return std::nullopt;
    lookup_->addBindValue(q(moves));
    lookup_->addBindValue(q(language));
    if (!lookup_->exec() || !lookup_->next()) return std::nullopt;
    std::string r = lookup_->value(0).toString().toStdString();
    lookup_->finish();
    return r;
}

std::string OpeningNames::label(const EcoLine& line) const {
    // The ECO table holds the French names, and whatever the user has entered.
    if (language_ == "fr" || line.knowledge) return line.label;
    if (auto n = find(line.moves, language_)) return *n;
    if (language_ != "en")
        if (auto n = find(line.moves, "en")) return *n;
    return line.label;
}

std::optional<EcoLine> OpeningNames::named(std::optional<EcoLine> line) const {
    if (line) line->label = label(*line);
    return line;
}

std::vector<EcoLine> OpeningNames::named(std::vector<EcoLine> lines) const {
    for (EcoLine& l : lines) l.label = label(l);
    return lines;
}

} // namespace quarvelin
