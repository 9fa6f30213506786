// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/GamesFileController.h"

#include "config/Version.h"
#include "records/GameFilter.h"
#include "records/PgnReader.h"

#include <QLocale>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

namespace quarvelin {

std::string listStatus(const PgnIndex& games, const TextCatalogue& catalogue) {
    const QLocale locale;
    const auto kept = static_cast<std::int64_t>(games.size());
    return locale.toString(static_cast<qlonglong>(kept)).toStdString() +
           catalogue.countText(kept, TextKey::GamesSelectedOutOfOne, TextKey::GamesSelectedOutOfFew,
                               TextKey::GamesSelectedOutOf) +
           locale.toString(static_cast<qlonglong>(games.views())).toStdString();
}

GamesFileController::GamesFileController(const Settings& settings, const TextCatalogue& catalogue,
                                         Dialogs& dialogs, Commentary& commentary,
                                         RecentFiles& recent, GamesFileView& view,
                                         LongTaskRunner& runner)
    : settings_(settings), catalogue_(catalogue), dialogs_(dialogs), commentary_(commentary),
      recent_(recent), view_(view), runner_(runner) {}

void GamesFileController::lire_fichier_pgn(ReadMode mode, const std::string& path,
                                           std::uint64_t position) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (mode == ReadMode::ReadSelection)
            dialogs_.message(ProgramName, catalogue_.text(TextKey::GamesFileMissing) + "\n" + path,
                             DialogIcon::Information);
        else
            dialogs_.message(ProgramName, catalogue_.text(TextKey::FileNotFound) + "\n" + path,
                             DialogIcon::Exclamation);
        return;
    }
    if (mode != ReadMode::ReadSelection) view_.showGameList(nullptr, {});
    // The comment window starts again with the file's name, then the game's tags.
    if (commentary_.visible()) {
        commentary_.clear();
        commentary_.append(catalogue_.text(TextKey::ChessGame) + " {" + path + "} :\n");
    }
    if (mode == ReadMode::ReadSelection) {
        openGameAt(path, position);
        return;
    }

    // Listing: the whole filter, or the first game whatever it is.
    GameFilter filter;
    if (mode == ReadMode::ListFile)
        filter = filterFromSettings(settings_);
    else
        filter.maximum = 1;
    std::optional<PgnIndex> index;
    runner_.run(catalogue_.text(TextKey::ReadingPrefix) + path,
                [&](const ProgressReport& progress, const CancelToken& cancel) {
                    index = PgnIndex::indexFile(path, filter, progress, &cancel);
                });
    if (!index || index->readError()) {
        dialogs_.message(ProgramName, catalogue_.text(TextKey::FileReadError) + path,
                         DialogIcon::Exclamation);
        if (!index) return;
    }
    currentFile_ = path;
    if (recent_.ajouter_fichier_recent(std::filesystem::absolute(path, ec).string()))
        view_.recentFilesChanged();
    auto list = std::make_shared<const PgnIndex>(std::move(*index));
    view_.showGameList(list, listStatus(*list, catalogue_));
    if (mode == ReadMode::OpenFirst && !list->empty()) openGameAt(path, list->position(0));
}

void GamesFileController::openGameAt(const std::string& path, std::uint64_t position) {
    std::ifstream in(path, std::ios::binary);
    ParsedGame parsed = readPgnGame(in, position);
    const std::string problem = readingMessage(parsed, catalogue_);
    // Nothing to open: only a box tells the user so.
    if (parsed.error == GameReadProblem::NoGameAtPlace ||
        parsed.error == GameReadProblem::FileReadError) {
        dialogs_.message(ProgramName, problem, DialogIcon::Exclamation);
        return;
    }
    // The game opens as far as it reads; what stopped it is one line beside its tags, with
    // the place to look for it in the file.
    if (commentary_.visible()) {
        commentary_.append(parsed.GameText);
        if (!problem.empty()) {
            const std::string place = catalogue_.text(
                TextKey::ByteInFile,
                {std::filesystem::path(path).filename().string(), std::to_string(position)});
            commentary_.append(problem + " (" + place + ")\n");
        }
    }
    view_.openGame(parsed);
}

void GamesFileController::forgetFile() {
    currentFile_.clear();
    view_.showGameList(nullptr, {});
}

ConversionResult GamesFileController::convert(const std::string& source, const std::string& target,
                                              const ConversionOptions& options,
                                              LongTaskRunner* runner) {
    ConversionResult r;
    (runner ? *runner : runner_)
        .run(catalogue_.text(TextKey::ConvertingPrefix) + source,
             [&](const ProgressReport& progress, const CancelToken& cancel) {
                 r = convertir_fichier_pgn(source, target, filterFromSettings(settings_), options,
                                           progress, &cancel);
             });
    dialogs_.message(ProgramName, conversionMessage(r, catalogue_),
                     r.success() ? DialogIcon::Information : DialogIcon::Exclamation);
    return r;
}

} // namespace quarvelin
