// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/EngineProfilesController.h"

#include "config/SettingsFile.h"

#include <filesystem>

namespace quarvelin {

EngineProfilesController::EngineProfilesController(Settings& record, Dialogs& dialogs,
                                                   const TextCatalogue& catalogue)
    : record_(record), dialogs_(dialogs), catalogue_(catalogue), files_(record.ProfileFiles) {}

const std::string& EngineProfilesController::file(int profile) const {
    return files_[profile == 2 ? 2 : 1];
}

void EngineProfilesController::choose(int profile, const std::string& path) {
    files_[profile == 2 ? 2 : 1] = path;
}

bool EngineProfilesController::visible(int profile) {
    const std::string& path = file(profile);
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return true;
    dialogs_.message("quarvelin", "[" + path + "] " + catalogue_.text(TextKey::FileNotFound),
                     DialogIcon::Exclamation);
    return false;
}

bool EngineProfilesController::validate() {
    return loadProfiles(files_[1], files_[2], record_, dialogs_, catalogue_);
}

} // namespace quarvelin
