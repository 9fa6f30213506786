// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The correspondence base: the table PARTIE of an SQLite file. The file is opened and closed
// around each operation; every change is one transaction, so a crash leaves the old record or
// the new one.
#include "correspondence/CorrespondenceGame.h"

#include <QString>

#include <optional>
#include <vector>

namespace quarvelin {

class CorrespondenceStore {
public:
    explicit CorrespondenceStore(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    bool exists() const;
    // Makes an empty base with the table; false (and lastError) when it cannot.
    bool createEmpty();

    // Newest games first. Nothing, with lastError, when the base cannot be read.
    std::optional<std::vector<CorrespondenceGame>> games();
    std::optional<CorrespondenceGame> game(int cle);
    // Adds the game when its Cle is 0, else changes its details (moves and the four fields of
    // the last moves are not touched). Returns the game's Cle.
    std::optional<int> save(const CorrespondenceGame& g);
    bool remove(int cle);
    // A move sent or received: the moves so far, the date and the move.
    bool recordSent(int cle, const QString& moves, const QDate& date, const QString& move);
    bool recordReceived(int cle, const QString& moves, const QDate& date, const QString& move);

    QString lastError() const { return error_; }
    // How many times the base file was opened.
    int opened() const { return opened_; }

private:
    bool recordMove(int cle, const QString& moves, const QDate& date, const QString& move,
                    bool sent);

    QString path_;
    QString error_;
    int opened_ = 0;
};

} // namespace quarvelin
