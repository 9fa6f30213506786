#pragma once
// The opening base: the table ECO in an SQLite file, which names the opening of a game and
// gives the engine its book moves. Lines are found by prefix of the game text.
#include "notation/MoveReader.h"
#include "openings/EcoLine.h"
#include "rules/Position.h"

#include <QSqlQuery>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

class OpeningNames;

class OpeningBase {
public:
    OpeningBase();
    ~OpeningBase();
    OpeningBase(const OpeningBase&) = delete;
    OpeningBase& operator=(const OpeningBase&) = delete;

    // Opens (creating when asked) the base at path; false with the reason in error() if not.
    bool open(const std::string& path, bool create = false);
    bool isOpen() const;
    const std::string& error() const { return error_; }

    // Adds reference or learned lines in one transaction; false (and nothing added) on error.
    bool append(const std::vector<EcoLine>& lines);

    // The lines that begin with the game text, in the order of their key.
    std::vector<EcoLine> linesStartingWith(const std::string& gameMoveText) const;
    // The opening of the game: the first such line, when there is one.
    std::optional<EcoLine> nommer_ouverture(const std::string& gameMoveText) const;
    // The opening a whole game reached: the one named for the longest beginning of its moves
    // that a line still follows, as it was named move by move; nothing when its first move
    // already leaves the base.
    std::optional<EcoLine> openingOfGame(const std::string& gameMoveText) const;

    struct BookMove {
        ReadMove move;  // origin, destination and suffix of the move, as read
        float note = 0; // the line's score when it is a learned line
        EcoLine line;
    };
    // A book move for `side` in position p reached by the game text: the best-ordered line
    // (score, learned before reference, code, longest), or one at random when random gives
    // a number in [0, 1). Nothing when no line continues the game.
    std::optional<BookMove>
    choisir_coup_livre(const Position& p, Colour side, const std::string& gameMoveText,
                       const std::function<double()>* random = nullptr) const;

    // The names in the interface language kept beside the base, when they are open.
    void setNames(const OpeningNames* names) { names_ = names; }
    const OpeningNames* names() const { return names_; }

    long long lineCount() const;
    // The lines that begin with the game text, counted.
    long long count(const std::string& gameMoveText) const;
    // SQLite's plan for each lookup this base makes, one text per query.
    std::vector<std::string> plans(const std::string& gameMoveText) const;

private:
    // limit > 0: that many rows from the offset-th on.
    std::vector<EcoLine> query(const std::string& prefix, bool bookOrder, int limit = 0,
                               long long offset = 0) const;
    QString sqlQuery(const std::string& prefix, bool bookOrder, bool count, int limit) const;
    // The statement of a query text, prepared once: preparing costs more than the lookup.
    QSqlQuery& prepared(const QString& sql) const;
    std::string name_; // the Qt SQL connection this base uses
    mutable std::map<QString, std::unique_ptr<QSqlQuery>> prepared_;
    std::string error_;
    const OpeningNames* names_ = nullptr;
};

// The move that follows the game text in a line (empty when the line ends there), as the
// book move is taken: for White after the next move number.
std::string nextMove(const std::string& line, const std::string& gameMoveText, Colour side);

} // namespace quarvelin
