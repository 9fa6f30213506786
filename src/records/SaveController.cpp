// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/SaveController.h"

#include "records/GameFile.h"
#include "records/XmlWriter.h"

#include <filesystem>

namespace quarvelin {

SaveController::SaveController(Dialogs& dialogs, const TextCatalogue& catalogue,
                               RecentFiles* recent, const OpeningBase* base)
    : dialogs_(dialogs), catalogue_(catalogue), recent_(recent), base_(base) {}

std::string SaveController::composer(const GameSession& s, const Settings& settings, Colour player,
                                     std::chrono::year_month_day d) const {
    return saveText(s, settings, player, d, catalogue_, dialogs_, Title, gameOpening(s, base_));
}

std::string SaveController::dialogTitle() const { return catalogue_.text(TextKey::ChooseFile); }

std::string SaveController::filter(GameFormat format) const {
    return catalogue_.text(TextKey::Files) +
           (format == GameFormat::Pgn ? " PGN (*.pgn)" : " XML (*.xml)");
}

std::string SaveController::proposedName(GameFormat format, std::chrono::year_month_day d) const {
    const std::string name = defaultFileName(d, format);
    if (!recent_) return name;
    const auto list = recent_->list();
    if (list.empty()) return name;
    const std::filesystem::path folder = std::filesystem::path(list.front()).parent_path();
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return name;
    return (folder / name).string();
}

bool SaveController::save(const std::string& path, const std::string& text, bool append,
                          GameFormat format) {
    std::error_code ec;
    if (!append && std::filesystem::exists(path, ec) &&
        !dialogs_.question(Title, catalogue_.text(TextKey::ReplaceFileQuestion)))
        return false;
    if (format == GameFormat::Xml) {
        const WriteFailure e =
            XmlWriter::writeFile(path, {XmlWriter::gameFromText(text)},
                                 append ? XmlWriter::Mode::Append : XmlWriter::Mode::Replace);
        if (e) {
            dialogs_.message(Title, e.message(catalogue_) + "\n" + path, DialogIcon::Critical);
            return false;
        }
        dialogs_.message(Title, catalogue_.text(TextKey::GameSaved), DialogIcon::Information);
        return true;
    }
    const std::string error = writeGameFile(path, crlfLines(text + "\n"), append);
    if (!error.empty()) {
        dialogs_.message(Title,
                         catalogue_.text(TextKey::GameNotSaved) + "\n" + path + " : " + error,
                         DialogIcon::Critical);
        return false;
    }
    if (recent_) recent_->ajouter_fichier_recent(path);
    dialogs_.message(Title, catalogue_.text(TextKey::GameSaved), DialogIcon::Information);
    return true;
}

} // namespace quarvelin
