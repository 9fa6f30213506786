// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the games-file window does with what is typed, without the window: the two number
// fields checked, the games file checked, the criteria put into the settings record for the
// session, and written to the settings file only on "save the filter".
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <optional>
#include <string>

namespace quarvelin {

class LoadGamesController {
public:
    // The criteria as the window's fields hold them.
    struct Criteria {
        std::string white, black, event, site, date, round, eco, result;
        bool eitherColour = false;
        std::string limit; // the most games loaded; empty leaves the setting as it is
    };
    enum class NumberField { Round, Limit };

    LoadGamesController(Settings& settings, const TextCatalogue& catalogue, Dialogs& dialogs,
                        std::string settingsFile);

    // The criteria of the settings record, as the window shows them at first.
    Criteria criteria() const;
    // Why a typed number is refused, in the user's language; nothing when it is taken (blanks
    // around it are dropped by the caller; an empty field is taken).
    std::optional<std::string> numberRefusal(NumberField field, const std::string& typed) const;
    // Whether the games file is there; the user is told why not.
    bool sourceExists(const std::string& path);
    // Into the settings record; the limit only when asked (a load goes by the stored one).
    void apply(const Criteria& c, bool withLimit);
    // Into the settings file (its other values kept as the file has them) and the record.
    bool saveFilter(const Criteria& c);

    void say(TextKey key, const std::string& detail = {});

private:
    static void copy(const Criteria& c, Settings& s, bool withLimit);

    Settings& settings_;
    const TextCatalogue& catalogue_;
    Dialogs& dialogs_;
    std::string settingsFile_;
};

} // namespace quarvelin
