// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader on any bytes: it reads or stops at an unknown key, and whatever it reads
// is written and read back to the very same record.
#include "config/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int profile = 1 + static_cast<int>(size % 2);
    Settings s = builtInSettings("/opt/quarvelin");
    SettingsReading r = readSettingsText(text, s, profile);
    if (r.state != SettingsReading::State::Parsed) return 0;

    Settings again = builtInSettings("/opt/quarvelin");
    SettingsReading back = readSettingsText(settingsText(s, profile), again, profile);
    if (back.state != SettingsReading::State::Parsed || !back.ignored.empty()) __builtin_trap();
    again.ACTUALITE_XML = s.ACTUALITE_XML; // read from old files, never written
    if (!(again == s)) __builtin_trap();
    return 0;
}
