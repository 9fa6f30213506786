// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save window without the window: the text it opens with, the file it proposes, and the
// save itself (the overwrite question, the write, the recent files, the confirmation).
#include "config/RecentFiles.h"
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "openings/OpeningBase.h"
#include "records/GameRecordText.h"
#include "session/GameSession.h"

#include <chrono>
#include <string>

namespace quarvelin {

class SaveController {
public:
    // The title of the window's messages: the program's name.
    static constexpr const char* Title = "quarvelin";

    // recent may be null: the save then leaves the recent files alone. base names the opening
    // of a game played here; without it the record names none.
    SaveController(Dialogs& dialogs, const TextCatalogue& catalogue, RecentFiles* recent,
                   const OpeningBase* base = nullptr);

    // The text the window opens with.
    std::string composer(const GameSession& s, const Settings& settings, Colour player,
                         std::chrono::year_month_day d) const;

    std::string dialogTitle() const;
    std::string filter(GameFormat format) const; // "Fichiers PGN (*.pgn)"
    // The default name in the folder of the last file used, when that folder is still there.
    std::string proposedName(GameFormat format, std::chrono::year_month_day d) const;

    // The save once a file is chosen: replacing an existing file is asked first (unless
    // appending), the text is written and the user is told. PGN: CR LF lines and one more line
    // end, and the file goes to the head of the recent files (which open PGN files only).
    // XML: the tag lines and the moves as one game record, appended to the file's list or
    // replacing it. A refused write is reported and leaves the file as it was. True when the
    // game was written.
    bool save(const std::string& path, const std::string& text, bool append,
              GameFormat format = GameFormat::Pgn);

private:
    Dialogs& dialogs_;
    const TextCatalogue& catalogue_;
    RecentFiles* recent_;
    const OpeningBase* base_;
};

} // namespace quarvelin
