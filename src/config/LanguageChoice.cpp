#include "config/LanguageChoice.h"

#include "config/SettingsFile.h"
#include "config/Version.h"

#include <utility>

namespace quarvelin {

LanguageChoice::LanguageChoice(Settings& settings, Catalogue& catalogue, NotationCode& notation,
                               std::string settingsPath, Dialogs& dialogs)
    : settings_(settings), catalogue_(catalogue), notation_(notation),
      settingsPath_(std::move(settingsPath)), dialogs_(dialogs) {}

std::string LanguageChoice::windowTitle() {
    return std::string(ProgramName) + " v" + ProgramVersion + " - " + " Welcome!";
}

bool LanguageChoice::choose(int languageKey) {
    if (languageKey < 1 || languageKey > LanguageCount) return false;
    settings_.CLE_LANGUE = static_cast<std::uint8_t>(languageKey);
    settings_.FIRST_STARTUP = 0;
    appliquer_langue(settings_, catalogue_, notation_);
    const std::string error = ecrire_reglages(settings_, settingsPath_);
    if (error.empty()) return true;
    // Said in the language just chosen, which is applied already.
    dialogs_.message(ProgramName,
                     catalogue_.text(TextKey::SettingsCannotWrite) + settingsPath_ + "\n" + error,
                     DialogIcon::Critical);
    return false;
}

void appliquer_langue(const Settings& settings, Catalogue& catalogue, NotationCode& notation) {
    catalogue.appliquer_langue(settings.CLE_LANGUE);
    notation = static_cast<NotationCode>(Catalogue::languageNotation(settings.CLE_LANGUE));
}

} // namespace quarvelin
