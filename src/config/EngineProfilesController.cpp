#include "config/EngineProfilesController.h"

#include "config/SettingsFile.h"

#include <filesystem>

namespace quarvelin {

EngineProfilesController::EngineProfilesController(Settings& record, Dialogs& dialogs,
                                                   const TextCatalogue& catalogue)
    : record_(record), dialogs_(dialogs), catalogue_(catalogue), fichiers_(record.ProfileFiles) {}

const std::string& EngineProfilesController::file(int profil) const {
    return fichiers_[profil == 2 ? 2 : 1];
}

void EngineProfilesController::choisir(int profil, const std::string& chemin) {
    fichiers_[profil == 2 ? 2 : 1] = chemin;
}

bool EngineProfilesController::visible(int profil) {
    const std::string& chemin = file(profil);
    std::error_code ec;
    if (std::filesystem::is_regular_file(chemin, ec)) return true;
    dialogs_.message("quarvelin", "[" + chemin + "] " + catalogue_.text(TextKey::FileNotFound),
                     DialogIcon::Exclamation);
    return false;
}

bool EngineProfilesController::valider() {
    return charger_profils(fichiers_[1], fichiers_[2], record_, dialogs_, catalogue_);
}

} // namespace quarvelin
