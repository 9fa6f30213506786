#include "openings/BaseOuvertures.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <tuple>

namespace quarvelin {

namespace {

std::string nouvelle_connexion() {
    static std::atomic<int> compteur{0};
    return "eco-" + std::to_string(compteur.fetch_add(1));
}

QString q(const std::string& s) { return QString::fromStdString(s); }

// The smallest text greater than every text that starts with prefix, for an index range.
std::string borne_superieure(std::string prefix) {
    while (!prefix.empty() && static_cast<unsigned char>(prefix.back()) == 0xFF) prefix.pop_back();
    if (prefix.empty()) return {};
    prefix.back() = static_cast<char>(static_cast<unsigned char>(prefix.back()) + 1);
    return prefix;
}

} // namespace

BaseOuvertures::BaseOuvertures() : nom_(nouvelle_connexion()) {}

BaseOuvertures::~BaseOuvertures() {
    preparees_.clear(); // statements go before their connection
    {
        QSqlDatabase db = QSqlDatabase::database(q(nom_), false);
        if (db.isValid()) db.close();
    }
    if (QSqlDatabase::contains(q(nom_))) QSqlDatabase::removeDatabase(q(nom_));
}

bool BaseOuvertures::open(const std::string& path, bool creer) {
    preparees_.clear();
    QSqlDatabase db = QSqlDatabase::contains(q(nom_))
                          ? QSqlDatabase::database(q(nom_), false)
                          : QSqlDatabase::addDatabase("QSQLITE", q(nom_));
    if (!db.isValid()) {
        erreur_ = "the SQLite driver of Qt is missing";
        return false;
    }
    db.setDatabaseName(q(path));
    db.setConnectOptions(creer ? QString() : QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        erreur_ = db.lastError().text().toStdString();
        return false;
    }
    QSqlQuery query(db);
    if (creer &&
        (!query.exec(
             "CREATE TABLE IF NOT EXISTS ECO (Eco_cle INTEGER PRIMARY KEY AUTOINCREMENT, "
             "Eco_code TEXT NOT NULL, Eco_libelle TEXT NOT NULL, Eco_coup TEXT NOT NULL, "
             "Eco_note REAL NOT NULL DEFAULT 0, Eco_connaissance INTEGER NOT NULL DEFAULT 0)") ||
         !query.exec("CREATE INDEX IF NOT EXISTS ECO_coup ON ECO (Eco_coup)"))) {
        erreur_ = query.lastError().text().toStdString();
        db.close();
        return false;
    }
    if (!query.exec("SELECT count(*) FROM ECO")) {
        erreur_ = "not an opening base: " + query.lastError().text().toStdString();
        db.close();
        return false;
    }
    erreur_.clear();
    return true;
}

bool BaseOuvertures::ouverte() const {
    return QSqlDatabase::contains(q(nom_)) && QSqlDatabase::database(q(nom_), false).isOpen();
}

bool BaseOuvertures::ajouter(const std::vector<LigneEco>& lignes) {
    QSqlDatabase db = QSqlDatabase::database(q(nom_), false);
    if (!db.isOpen() || !db.transaction()) return false;
    QSqlQuery query(db);
    query.prepare("INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_note, Eco_connaissance) "
                  "VALUES (?, ?, ?, ?, ?)");
    for (const LigneEco& l : lignes) {
        query.addBindValue(q(l.code));
        query.addBindValue(q(l.libelle));
        query.addBindValue(q(l.coups));
        query.addBindValue(static_cast<double>(l.note));
        query.addBindValue(l.connaissance ? 1 : 0);
        if (!query.exec()) {
            erreur_ = query.lastError().text().toStdString();
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

QString BaseOuvertures::sql_requete(const std::string& prefixe, bool ordreLivre, bool compter,
                                    int limite) const {
    // A case-sensitive prefix as a range of the index, named so that a LIMIT never tempts the
    // planner into walking the whole table in key order.
    QString sql = compter ? "SELECT count(*) FROM ECO INDEXED BY ECO_coup WHERE Eco_coup >= ?"
                          : "SELECT Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_note, "
                            "Eco_connaissance FROM ECO INDEXED BY ECO_coup WHERE Eco_coup >= ?";
    if (!borne_superieure(prefixe).empty()) sql += " AND Eco_coup < ?";
    if (compter) return sql;
    // Learned rows before reference rows of the same score; the table's order is its key's.
    sql += ordreLivre ? " ORDER BY Eco_note DESC, Eco_connaissance DESC, Eco_code DESC, "
                        "length(Eco_coup) DESC, Eco_cle"
                      : " ORDER BY Eco_cle";
    if (limite > 0) sql += " LIMIT " + QString::number(limite) + " OFFSET ?";
    return sql;
}

std::vector<LigneEco> BaseOuvertures::requete(const std::string& prefixe, bool ordreLivre,
                                              int limite, long long decalage) const {
    std::vector<LigneEco> out;
    QSqlDatabase db = QSqlDatabase::database(q(nom_), false);
    if (!db.isOpen()) return out;
    const std::string haut = borne_superieure(prefixe);
    QSqlQuery& query = preparee(sql_requete(prefixe, ordreLivre, false, limite));
    query.addBindValue(q(prefixe));
    if (!haut.empty()) query.addBindValue(q(haut));
    if (limite > 0) query.addBindValue(decalage);
    if (!query.exec()) return out;
    while (query.next()) {
        LigneEco l;
        l.key = query.value(0).toLongLong();
        l.code = query.value(1).toString().toStdString();
        l.libelle = query.value(2).toString().toStdString();
        l.coups = query.value(3).toString().toStdString();
        l.note = query.value(4).toFloat();
        l.connaissance = query.value(5).toInt() != 0;
        out.push_back(std::move(l));
    }
    query.finish();
    return out;
}

QSqlQuery& BaseOuvertures::preparee(const QString& sql) const {
    auto& q = preparees_[sql];
    if (!q) {
        q = std::make_unique<QSqlQuery>(
            QSqlDatabase::database(QString::fromStdString(nom_), false));
        q->setForwardOnly(true);
        q->prepare(sql);
    }
    return *q;
}

long long BaseOuvertures::compter(const std::string& prefixe) const {
    QSqlDatabase db = QSqlDatabase::database(q(nom_), false);
    if (!db.isOpen()) return 0;
    const std::string haut = borne_superieure(prefixe);
    QSqlQuery& query = preparee(sql_requete(prefixe, false, true, 0));
    query.addBindValue(q(prefixe));
    if (!haut.empty()) query.addBindValue(q(haut));
    long long n = query.exec() && query.next() ? query.value(0).toLongLong() : 0;
    query.finish();
    return n;
}

std::vector<std::string> BaseOuvertures::plans(const std::string& prefixe) const {
    std::vector<std::string> out;
    QSqlDatabase db = QSqlDatabase::database(q(nom_), false);
    if (!db.isOpen()) return out;
    const std::string haut = borne_superieure(prefixe);
    for (auto [ordre, compte, limite] : {std::tuple{false, false, 1}, std::tuple{true, false, 1},
                                         std::tuple{false, true, 0}, std::tuple{false, false, 0}}) {
        QSqlQuery query(db);
        query.prepare("EXPLAIN QUERY PLAN " + sql_requete(prefixe, ordre, compte, limite));
        query.addBindValue(q(prefixe));
        if (!haut.empty()) query.addBindValue(q(haut));
        if (limite > 0) query.addBindValue(0);
        if (!query.exec()) continue;
        std::string plan;
        while (query.next()) plan += query.value(3).toString().toStdString() + "; ";
        out.push_back(plan);
    }
    return out;
}

std::vector<LigneEco> BaseOuvertures::lignes_commencant_par(const std::string& text) const {
    return requete(text, false);
}

std::optional<LigneEco> BaseOuvertures::nommer_ouverture(const std::string& text) const {
    auto lignes = requete(text, false, 1);
    if (lignes.empty()) return std::nullopt;
    return lignes.front();
}

long long BaseOuvertures::nombre_lignes() const {
    QSqlQuery query(QSqlDatabase::database(q(nom_), false));
    if (!query.exec("SELECT count(*) FROM ECO") || !query.next()) return 0;
    return query.value(0).toLongLong();
}

std::string coup_suivant(const std::string& line, const std::string& text, Colour side) {
    // 1-based positions, as the line is walked: past the game text and its space.
    std::size_t p = text.size() + 2;
    if (side == Colour::White) {
        auto dot = line.find('.', p - 1);
        if (dot == std::string::npos) return {};
        p = dot + 2;
    }
    if (p == 2) return {}; // no game text and Black to move
    std::string move;
    for (; p < line.size() && line[p - 1] != ' ' && line[p - 1] != '*'; ++p)
        move += line[p - 1];
    return move;
}

std::optional<BaseOuvertures::CoupLivre>
BaseOuvertures::choisir_coup_livre(const Position& p, Colour side, const std::string& text,
                                   const std::function<double()>* aleatoire) const {
    // Each matching line with equal chance: the row at a random offset in the book's order.
    long long k = 0;
    if (aleatoire) {
        long long n = compter(text);
        if (n == 0) return std::nullopt;
        double r = (*aleatoire)();
        k = std::clamp(static_cast<long long>(r * static_cast<double>(n)), 0LL, n - 1);
    }
    auto lignes = requete(text, true, 1, k);
    if (lignes.empty()) return std::nullopt;
    const LigneEco& l = lignes.front();
    std::string token = coup_suivant(l.coups, text, side);
    if (token.empty()) return std::nullopt;
    CoupLivre c;
    c.move = lire_coup(p, side, NotationCode::Pgn, token);
    if (!c.move.readable || c.move.fromX == 0 || c.move.fromY == 0) return std::nullopt;
    c.note = l.connaissance ? l.note : 0;
    c.line = l;
    return c;
}

} // namespace quarvelin
