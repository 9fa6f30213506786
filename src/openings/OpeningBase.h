// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The opening base: the table ECO in an SQLite file, which names the opening of a game and
// gives the engine its book moves. A line continues a game when it begins with the game text
// and a space; an empty game text is continued by every line.
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

    enum class Access { Read, Write, Create };
    // Opens the base at path (created by Create); false with the reason in error() if not.
    bool open(const std::string& path, Access access = Access::Read);
    bool open(const std::string& path, bool create) {
        return open(path, create ? Access::Create : Access::Read);
    }
    // Drops the prepared statements and the connection: the file may then be replaced.
    void close();
    bool isOpen() const;
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    // The Qt SQL connection of this base, for the grid and the maintenance commands.
    QString connectionName() const { return QString::fromStdString(name_); }

    // Whether the game text, closed by " *", is already there as a learned line.
    bool hasLearnedLine(const std::string& gameMoveText) const;
    // Whether a row holds exactly this line, learned or not.
    bool hasLine(const std::string& moves) const;

    // Adds reference or learned lines in one transaction; false (and nothing added) on error.
    bool append(const std::vector<EcoLine>& lines);
    // Every row replaced by these lines with their keys, in one transaction, the key counter
    // restarted; false (and the base as it was) on error.
    bool replaceAll(const std::vector<EcoLine>& lines);
    // Deletes the learned rows; how many, or -1 on error.
    long long purgeLearned();

    // The lines that begin with the game text, in the order of their key.
    std::vector<EcoLine> linesStartingWith(const std::string& gameMoveText) const;
    // The same a page at a time: at most `limit` of them with a key above `afterKey`. With
    // `walkKeys` the table is walked in key order, which finds a page at once when most lines
    // continue the game; otherwise the index gives the lines, quicker when few do.
    std::vector<EcoLine> linesAfter(const std::string& gameMoveText, long long afterKey, int limit,
                                    bool walkKeys) const;
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
    // a number in [0, 1). Lines that end where the game does are left out first. Nothing when
    // no line continues the game.
    std::optional<BookMove>
    choisir_coup_livre(const Position& p, Colour side, const std::string& gameMoveText,
                       const std::function<double()>* random = nullptr) const;

    // The names in the interface language kept beside the base, when they are open.
    void setNames(const OpeningNames* names) { names_ = names; }
    const OpeningNames* names() const { return names_; }

    long long lineCount() const;
    // The lines that continue the game text, counted; with `open`, only those that go on past
    // it.
    long long count(const std::string& gameMoveText, bool open = false) const;
    // SQLite's plan for each lookup this base makes, one text per query.
    std::vector<std::string> plans(const std::string& gameMoveText) const;

private:
    // limit > 0: that many rows from the offset-th on.
    std::vector<EcoLine> query(const std::string& text, bool bookOrder, int limit = 0,
                               long long offset = 0) const;
    static std::vector<EcoLine> rows(QSqlQuery& query);
    // `open` leaves out the line that ends at the game text.
    static QString sqlQuery(const std::string& text, bool bookOrder, bool count, int limit,
                            bool open);
    // Binds the range of lines that continue the text, and the line it ends, as asked.
    static void bindRange(QSqlQuery& query, const std::string& text, bool open);
    // The statement of a query text, prepared once: preparing costs more than the lookup.
    QSqlQuery& prepared(const QString& sql) const;
    std::string name_; // the Qt SQL connection this base uses
    std::string path_;
    mutable std::map<QString, std::unique_ptr<QSqlQuery>> prepared_;
    std::string error_;
    const OpeningNames* names_ = nullptr;
};

// The move that follows the game text in a line (empty when the line ends there), as the
// book move is taken: for White after the next move number.
std::string nextMove(const std::string& line, const std::string& gameMoveText, Colour side);
// The move the opening list shows for a line: the token after the game text, a White move
// with its number ("2.Nf3"); empty when the line ends there.
std::string listedMove(const std::string& line, const std::string& gameMoveText);

} // namespace quarvelin
