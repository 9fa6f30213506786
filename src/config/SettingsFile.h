// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file: "[SECTION]" lines and KEY=value lines, every key written in a fixed order,
// read back in any order and any section. Also the engine-profile files of automatic play.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

struct SettingsReading {
    enum class State { Parsed, Created, UnknownKey, Unreadable };
    State state = State::Parsed;
    std::string line;                 // the unknown key's line
    std::vector<std::string> ignored; // lines whose value could not be read; built-in kept
    std::string error;                // why the file could not be read or created
};

// Fills s with the built-in values, then reads the file at `path` into slot `profile`.
// A missing file is created with the new-file values. An unknown key stops the reading
// (the program then ends, see unknownKeyMessage).
SettingsReading lire_reglages(const std::string& path, const std::string& installDir, Settings& s,
                              int profile = 1);

// The same reading of a settings text already in memory, on top of what s holds.
SettingsReading readSettingsText(const std::string& content, Settings& s, int profile = 1);

// The message for an unknown key: text 100, the file, and the line.
std::string unknownKeyMessage(const TextCatalogue& catalogue, const std::string& path,
                              const std::string& line);

// Writes the whole record, per-profile values from slot `profile`, to a temporary file that
// then replaces `path`, so the file is always whole. Empty on success, else why not.
std::string ecrire_reglages(const Settings& s, const std::string& path, int profile = 1);

// The settings text as written (CR LF lines).
std::string settingsText(const Settings& s, int profile = 1);

// Loads the per-profile keys of two settings files into profiles 1 and 2 for automatic play.
// A missing file is reported with text 270 and nothing changes.
bool loadProfiles(const std::string& file1, const std::string& file2, Settings& s, Dialogs& dialogs,
                  const TextCatalogue& catalogue);

// Reads the per-profile keys of one settings file into slot `profile`; other lines are ignored.
// False, changing nothing, when the file cannot be read.
bool readProfile(const std::string& file, Settings& s, int profile);

// The value of one key as the file holds it, per-profile keys from slot `profile`; nothing for a
// key the file does not know.
std::optional<std::string> keyValue(const Settings& s, std::string_view key, int profile = 1);
// Stores a value by the key's reading rule; false, changing nothing, for an unknown key or a
// value the rule cannot read.
bool assignKey(Settings& s, std::string_view key, const std::string& value, int profile = 1);

// A whole value that is a number and nothing else: blanks around, a sign, digits, one decimal
// mark ("." or ",").
std::optional<double> strictNumber(std::string_view text);

// A settings path as this program keeps it: "/" for "\", the SQLite bases for the old ones.
std::string settingPath(std::string value);
// Relative paths are taken from the installation directory.
std::string absolutePath(const std::string& path, const std::string& installDir);

} // namespace quarvelin
