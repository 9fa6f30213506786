// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the knowledge-base menu: learning the game or a PGN file, CSV export and
// import, purging the learned rows, compacting and repairing the file. Each writing command
// works on a writable connection of its own; those that replace the file close the game's
// connection first and reopen it afterwards, so the game never reads a replaced file.
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "session/LongTask.h"

#include <string>

namespace quarvelin {

struct GameSession;
struct Settings;
class OpeningBase;

class OpeningBaseCommands {
public:
    // game: the game's read connection, reopened after a file replacement (may be null).
    OpeningBaseCommands(const Settings& settings, const TextCatalogue& catalogue, Dialogs& dialogs,
                        LongTaskRunner& runner, OpeningBase* game, std::string title)
        : settings_(settings), catalogue_(catalogue), dialogs_(dialogs), runner_(runner),
          game_(game), title_(std::move(title)) {}

    // The game as one learned line, scored by the user (the shown evaluation by default);
    // halfMoves >= 0 learns it only that far.
    void apprendre_partie(const GameSession& s, float shownScore, int halfMoves = -1);
    void apprendre_fichier_pgn(const std::string& pgnPath);
    void exporter_csv(const std::string& csvPath);
    void importer_csv(const std::string& csvPath);
    void purge(const GameSession& s);
    void compact();
    void repair();

private:
    std::string text(TextKey key) const { return catalogue_.text(key); }
    void tell(const std::string& message) {
        dialogs_.message(title_, message, DialogIcon::Exclamation);
    }
    bool learningOn(const GameSession& s) const;
    void reopenGame();

    const Settings& settings_;
    const TextCatalogue& catalogue_;
    Dialogs& dialogs_;
    LongTaskRunner& runner_;
    OpeningBase* game_;
    std::string title_;
};

} // namespace quarvelin
