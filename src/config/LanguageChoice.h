// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the language window does with a choice: the language becomes the setting, the first
// start-up is over, the catalogue and the move notation follow, and the settings file is
// written at once so the window does not come back at the next start.
#include "config/Settings.h"
#include "localisation/Catalogue.h"
#include "localisation/Dialogs.h"
#include "notation/Notation.h"

#include <array>
#include <string>

namespace quarvelin {

class LanguageChoice {
public:
    // The language buttons' captions, for CLE_LANGUE 1..8; fixed, not from the catalogue.
    static constexpr std::array<const char*, LanguageCount> Captions = {
        "Français", "English", "Italiano", "Español", "Deutsch", "Portuguese", "Russian", "Pole"};

    LanguageChoice(Settings& settings, Catalogue& catalogue, NotationCode& notation,
                   std::string settingsPath, Dialogs& dialogs);

    // "quarvelin v0.1.0 -  Welcome!"
    static std::string windowTitle();

    // Language button n (1..8). False when n is no language, changing nothing, or when the
    // file could not be written: then the user is told, and the choice still holds for this
    // run, so the window comes back at the next start.
    bool choose(int languageKey);

private:
    Settings& settings_;
    Catalogue& catalogue_;
    NotationCode& notation_;
    std::string settingsPath_;
    Dialogs& dialogs_;
};

// Sets the catalogue's base and the notation from CLE_LANGUE, and the language's defaults.
void appliquer_langue(Settings& settings, Catalogue& catalogue, NotationCode& notation);

// The player's name and place take the language's defaults when they hold none or a default of
// any language: the first start's values must not stay French for everyone.
void applyLanguageDefaults(Settings& settings, const Catalogue& catalogue);

} // namespace quarvelin
