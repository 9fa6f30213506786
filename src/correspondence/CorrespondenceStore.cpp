// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/CorrespondenceStore.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <atomic>
#include <memory>

namespace quarvelin {

namespace {

const char* const Schema = R"(CREATE TABLE PARTIE (
  "Cle" INTEGER PRIMARY KEY AUTOINCREMENT,
  "Lieu" TEXT,
  "JAIBLANC" INTEGER NOT NULL DEFAULT 1,
  "BLANC" TEXT,
  "NOIR" TEXT,
  "Mel Blanc" TEXT,
  "Mel Noir" TEXT,
  "Elo Blanc" TEXT,
  "Elo Noir" TEXT,
  "Date debut" TEXT,
  "Date fin" TEXT,
  "Cle adverse" INTEGER,
  "Resultat" TEXT,
  "Avertir" INTEGER NOT NULL DEFAULT 0,
  "Move" TEXT,
  "notation" INTEGER NOT NULL DEFAULT 2,
  "Date coup envoyé" TEXT,
  "Date coup recu" TEXT,
  "Dernier coup envoyé" TEXT,
  "Dernier coup recu" TEXT))";

// One named connection for the length of an operation.
class Connection {
public:
    explicit Connection(const QString& path) : name_(QStringLiteral("corres-%1").arg(++counter_)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        open_ = db.open();
        if (!open_) error_ = db.lastError().text();
    }
    ~Connection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool open() const { return open_; }
    QString error() const { return error_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    static inline std::atomic<int> counter_{0};
    QString name_;
    bool open_ = false;
    QString error_;
};

QVariant dateValue(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate))
                       : QVariant(QMetaType(QMetaType::QString));
}

QVariant textValue(const QString& s) {
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

QDate readDate(const QVariant& v) {
    return v.isNull() ? QDate() : QDate::fromString(v.toString().left(10), Qt::ISODate);
}

CorrespondenceGame readGame(const QSqlQuery& q) {
    auto f = [&](const char* name) { return q.value(QString::fromUtf8(name)); };
    CorrespondenceGame g;
    g.Cle = f("Cle").toInt();
    g.Lieu = f("Lieu").toString();
    g.JAIBLANC = f("JAIBLANC").toInt() != 0;
    g.BLANC = f("BLANC").toString();
    g.NOIR = f("NOIR").toString();
    g.MelBlanc = f("Mel Blanc").toString();
    g.MelNoir = f("Mel Noir").toString();
    g.EloBlanc = f("Elo Blanc").toString();
    g.EloNoir = f("Elo Noir").toString();
    g.DateDebut = readDate(f("Date debut"));
    g.DateFin = readDate(f("Date fin"));
    if (!f("Cle adverse").isNull()) g.CleAdverse = f("Cle adverse").toInt();
    g.Resultat = f("Resultat").toString();
    g.Avertir = f("Avertir").toInt() != 0;
    g.Move = f("Move").toString();
    g.notation = f("notation").isNull() ? 2 : f("notation").toInt();
    g.DateCoupEnvoye = readDate(f("Date coup envoyé"));
    g.DateCoupRecu = readDate(f("Date coup recu"));
    g.DernierCoupEnvoye = f("Dernier coup envoyé").toString();
    g.DernierCoupRecu = f("Dernier coup recu").toString();
    return g;
}

// Opens the base for one operation; when it cannot, says why in error.
std::unique_ptr<Connection> openBase(const QString& path, bool mustExist, QString& error,
                                     int& opened) {
    if (mustExist && !QFileInfo(path).isFile()) {
        error = path;
        return nullptr;
    }
    auto c = std::make_unique<Connection>(path);
    ++opened;
    if (!c->open()) {
        error = c->error();
        return nullptr;
    }
    return c;
}

} // namespace

bool CorrespondenceStore::exists() const { return QFileInfo(path_).isFile(); }

bool CorrespondenceStore::createEmpty() {
    const auto c = openBase(path_, false, error_, opened_);
    if (!c) return false;
    QSqlQuery q(c->db());
    if (!q.exec(QString::fromUtf8(Schema))) {
        error_ = q.lastError().text();
        return false;
    }
    return true;
}

std::optional<std::vector<CorrespondenceGame>> CorrespondenceStore::games() {
    const auto c = openBase(path_, true, error_, opened_);
    if (!c) return std::nullopt;
    std::vector<CorrespondenceGame> list;
    QSqlQuery q(c->db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(R"(SELECT * FROM PARTIE ORDER BY "Date debut" DESC, "Cle" DESC)"))) {
        error_ = q.lastError().text();
        return std::nullopt;
    }
    while (q.next()) list.push_back(readGame(q));
    return list;
}

std::optional<CorrespondenceGame> CorrespondenceStore::game(int cle) {
    const auto c = openBase(path_, true, error_, opened_);
    if (!c) return std::nullopt;
    QSqlQuery q(c->db());
    q.prepare(QStringLiteral("SELECT * FROM PARTIE WHERE Cle = ?"));
    q.addBindValue(cle);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return std::nullopt;
    }
    if (!q.next()) {
        error_.clear();
        return std::nullopt;
    }
    return readGame(q);
}

std::optional<int> CorrespondenceStore::save(const CorrespondenceGame& g) {
    const auto c = openBase(path_, true, error_, opened_);
    if (!c) return std::nullopt;
    QSqlDatabase db = c->db();
    std::optional<int> cle;
    {
        QSqlQuery q(db);
        const bool adding = g.Cle == 0;
        q.prepare(adding ? QString::fromUtf8(
                               R"(INSERT INTO PARTIE ("Lieu", "JAIBLANC", "BLANC", "NOIR",
                 "Mel Blanc", "Mel Noir", "Elo Blanc", "Elo Noir", "Date debut", "Date fin",
                 "Cle adverse", "Resultat", "Avertir", "notation", "Move")
                 VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))")
                         : QString::fromUtf8(R"(UPDATE PARTIE SET "Lieu" = ?, "JAIBLANC" = ?,
                 "BLANC" = ?, "NOIR" = ?, "Mel Blanc" = ?, "Mel Noir" = ?, "Elo Blanc" = ?,
                 "Elo Noir" = ?, "Date debut" = ?, "Date fin" = ?, "Cle adverse" = ?,
                 "Resultat" = ?, "Avertir" = ?, "notation" = ? WHERE "Cle" = ?)"));
        for (const QVariant& v :
             {QVariant(g.Lieu), QVariant(g.JAIBLANC ? 1 : 0), QVariant(g.BLANC), QVariant(g.NOIR),
              QVariant(g.MelBlanc), QVariant(g.MelNoir), QVariant(g.EloBlanc), QVariant(g.EloNoir),
              dateValue(g.DateDebut), dateValue(g.DateFin),
              g.CleAdverse ? QVariant(*g.CleAdverse) : QVariant(QMetaType(QMetaType::Int)),
              QVariant(g.Resultat), QVariant(g.Avertir ? 1 : 0), QVariant(g.notation)})
            q.addBindValue(v);
        q.addBindValue(adding ? textValue(g.Move) : QVariant(g.Cle));
        if (!q.exec()) {
            error_ = q.lastError().text();
            return std::nullopt;
        }
        if (!adding && q.numRowsAffected() == 0) {
            error_.clear();
            return std::nullopt;
        }
        cle = adding ? q.lastInsertId().toInt() : g.Cle;
    }
    return cle;
}

bool CorrespondenceStore::remove(int cle) {
    const auto c = openBase(path_, true, error_, opened_);
    if (!c) return false;
    QSqlQuery q(c->db());
    q.prepare(QStringLiteral("DELETE FROM PARTIE WHERE Cle = ?"));
    q.addBindValue(cle);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    return q.numRowsAffected() > 0;
}

bool CorrespondenceStore::recordSent(int cle, const QString& moves, const QDate& date,
                                     const QString& move) {
    return recordMove(cle, moves, date, move, true);
}

bool CorrespondenceStore::recordReceived(int cle, const QString& moves, const QDate& date,
                                         const QString& move) {
    return recordMove(cle, moves, date, move, false);
}

bool CorrespondenceStore::recordMove(int cle, const QString& moves, const QDate& date,
                                     const QString& move, bool sent) {
    const auto c = openBase(path_, true, error_, opened_);
    if (!c) return false;
    QSqlQuery q(c->db());
    q.prepare(QString::fromUtf8(sent ? R"(UPDATE PARTIE SET "Move" = ?, "Date coup envoyé" = ?,
                 "Dernier coup envoyé" = ? WHERE "Cle" = ?)"
                                     : R"(UPDATE PARTIE SET "Move" = ?, "Date coup recu" = ?,
                 "Dernier coup recu" = ? WHERE "Cle" = ?)"));
    q.addBindValue(textValue(moves));
    q.addBindValue(dateValue(date));
    q.addBindValue(move);
    q.addBindValue(cle);
    if (!q.exec()) {
        error_ = q.lastError().text();
        return false;
    }
    return q.numRowsAffected() > 0;
}

} // namespace quarvelin
