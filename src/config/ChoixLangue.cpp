#include "config/ChoixLangue.h"

#include "config/SettingsFile.h"
#include "config/Version.h"

#include <utility>

namespace quarvelin {

ChoixLangue::ChoixLangue(Settings& reglages, Catalogue& catalogue, NotationCode& notation,
                         std::string cheminReglages, Dialogs& dialogs)
    : reglages_(reglages), catalogue_(catalogue), notation_(notation),
      cheminReglages_(std::move(cheminReglages)), dialogs_(dialogs) {}

std::string ChoixLangue::titre_fenetre() {
    return std::string(NomProgramme) + " v" + VersionProgramme + " - " + " Welcome!";
}

bool ChoixLangue::choisir(int languageKey) {
    if (languageKey < 1 || languageKey > LanguageCount) return false;
    reglages_.CLE_LANGUE = static_cast<std::uint8_t>(languageKey);
    reglages_.FIRST_STARTUP = 0;
    appliquer_langue(reglages_, catalogue_, notation_);
    const std::string erreur = ecrire_reglages(reglages_, cheminReglages_);
    if (erreur.empty()) return true;
    // Said in the language just chosen, which is applied already.
    dialogs_.message(NomProgramme,
                     catalogue_.text(TextKey::SettingsCannotWrite) + cheminReglages_ + "\n" +
                         erreur,
                     DialogIcon::Critical);
    return false;
}

void appliquer_langue(const Settings& reglages, Catalogue& catalogue, NotationCode& notation) {
    catalogue.appliquer_langue(reglages.CLE_LANGUE);
    notation = static_cast<NotationCode>(Catalogue::languageNotation(reglages.CLE_LANGUE));
}

} // namespace quarvelin
