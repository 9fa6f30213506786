// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The games-file flow of the main window, without a window: a PGN file's games listed through
// the filter of the settings, the first one or a listed one opened, and a file's games converted.
// The scans run through a LongTaskRunner, so the windows keep painting and can cancel them.
#include "config/RecentFiles.h"
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "notation/ParsedGame.h"
#include "records/PgnConversion.h"
#include "records/PgnIndex.h"
#include "session/Commentary.h"
#include "session/LongTask.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quarvelin {

// What the flow asks of the windows.
class GamesFileView {
public:
    virtual ~GamesFileView() = default;
    // The game list: null and empty to clear it before a new listing.
    virtual void showGameList(std::shared_ptr<const PgnIndex> games, const std::string& status) = 0;
    // A game read from the file, for the board.
    virtual void openGame(const ParsedGame& game) = 0;
    virtual void recentFilesChanged() = 0;
};

// The status line of a listing: "3 games selected out of 12", in the catalogue's language.
std::string listStatus(const PgnIndex& games, const TextCatalogue& catalogue);

class GamesFileController {
public:
    // How lire_fichier_pgn reads: the first game opened, every game passing the filter listed,
    // or the listed game at a position opened.
    enum class ReadMode { OpenFirst = 0, ListFile = 1, ReadSelection = 99 };

    GamesFileController(const Settings& settings, const TextCatalogue& catalogue, Dialogs& dialogs,
                        Commentary& commentary, RecentFiles& recent, GamesFileView& view,
                        LongTaskRunner& runner);

    // Paths in the file system's encoding; messages show them as they are.
    void lire_fichier_pgn(ReadMode mode, const std::string& path, std::uint64_t position = 0);
    // The games of source the settings' filter accepts, to target; the counts or the trouble
    // said at the end. Under the runner given, else the controller's own.
    ConversionResult convert(const std::string& source, const std::string& target,
                             const ConversionOptions& options, LongTaskRunner* runner = nullptr);

    // The games file the list comes from; empty before any.
    const std::string& currentFile() const { return currentFile_; }
    // A game from elsewhere is on the board: the list and its file no longer go with it.
    void forgetFile();

private:
    void openGameAt(const std::string& path, std::uint64_t position);

    const Settings& settings_;
    const TextCatalogue& catalogue_;
    Dialogs& dialogs_;
    Commentary& commentary_;
    RecentFiles& recent_;
    GamesFileView& view_;
    LongTaskRunner& runner_;
    std::string currentFile_;
};

} // namespace quarvelin
