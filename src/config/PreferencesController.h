// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The preferences window without the window. Its fields hold the values in use as text, named by
// their keys (per-profile keys are profile 1's); each one is checked as the user leaves it, and
// OK copies the ones the user changed into the record and into the settings file.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "rules/Types.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

enum class FieldKind { Text, Square, Number, Duration };

struct PreferenceField {
    std::string_view key;
    FieldKind kind;
    double minimum = 0; // Number: the values the window accepts
    double maximum = 0;
    bool integer = true;            // Number: whole numbers only
    std::string_view replacement{}; // put in when the text is refused; empty keeps the last value
    bool inverse = false;           // Square: ticked when the setting is off
};

// Every field of the window.
std::span<const PreferenceField> preferenceFields();
// The field of a key; null for a key the window does not show.
const PreferenceField* preferenceField(std::string_view key);

struct SettingsLocations {
    std::string file;         // the settings file
    std::string data;         // where relative settings paths lead
    std::string installation; // images/pieces and images/echiquier
};

struct Verification {
    std::string text;    // what the field shows after the check
    std::string message; // why the text typed was refused; empty when it was taken
};

class PreferencesController {
public:
    // The title of the window's messages: the program's name.
    static constexpr const char* Title = "quarvelin";

    PreferencesController(Settings& record, SettingsLocations settingsLocations, Dialogs& dialogs,
                          const TextCatalogue& catalogue);

    // Fills the fields from the record: what the program uses now, menus included.
    void open();

    std::string text(std::string_view key) const;
    bool ticked(std::string_view key) const;
    // The check of a field being left. A refused text gives way to the field's replacement
    // value, or to its last value, and the message says why; the window shows the message.
    Verification type(std::string_view key, const std::string& text);
    void tick(std::string_view key, bool ticked);

    // The lists of the board tab: the pictures and sets there are, in the installation and in
    // the user's data folder.
    std::vector<std::string> boardImages() const;
    std::vector<std::string> pieceSets() const;

    // OK: the fields the user changed go into the record (profile 1) and into the settings file
    // as it is on disk (the record when there is none it can read); changed paths become
    // absolute in the record, `apply` runs (language, menus) and text 400 is shown. When the
    // file cannot be written, says why and changes nothing.
    bool validate(const std::function<void()>& apply = {});
    // Reset: the reset values into the fields, the player's name and place in the language in
    // use; the record gets FIRST_STARTUP 1 and SEUIL_PARTIE_NULLE -1000 at once.
    void reset();
    // Save as: the record, not the fields, to `path` (empty: cancelled); an existing file is
    // replaced only when the user says so.
    bool saveAs(const std::string& path);
    // The path the save-as chooser proposes: the engine's name with ".ini".
    std::string proposedName() const;

    const Settings& fields() const { return fields_; }
    const SettingsLocations& settingsLocations() const { return settingsLocations_; }
    // PlayerColour as DEB_BLANC asks for it.
    static Colour playerColour(const Settings& s);

private:
    void report(const std::string& text, DialogIcon icon);

    Settings& record_;
    SettingsLocations settingsLocations_;
    Dialogs& dialogs_;
    const TextCatalogue& catalogue_;
    Settings fields_;
    Settings opened_; // the fields as the window opened on them
    bool wasReset_ = false;
};

} // namespace quarvelin
