// SPDX-License-Identifier: GPL-3.0-or-later
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

void appliquer_langue(Settings& settings, Catalogue& catalogue, NotationCode& notation) {
    catalogue.appliquer_langue(settings.CLE_LANGUE);
    notation = static_cast<NotationCode>(Catalogue::languageNotation(settings.CLE_LANGUE));
    applyLanguageDefaults(settings, catalogue);
}

void applyLanguageDefaults(Settings& settings, const Catalogue& catalogue) {
    const auto follow = [&](std::string& value, TextKey key) {
        bool isDefault = value.empty();
        for (int language = 1; language <= LanguageCount && !isDefault; ++language)
            isDefault =
                value == catalogue.texte_catalogue(Catalogue::textBase(language) + offsetOf(key));
        if (isDefault) value = catalogue.text(key);
    };
    follow(settings.NOM_JOUEUR[1], TextKey::DefaultPlayerName);
    follow(settings.LIEU_JEU, TextKey::DefaultPlace);
}

} // namespace quarvelin
