// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The engine-parameter window without the window: two settings files whose engine keys become
// profiles 1 and 2 of automatic play.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <array>
#include <string>

namespace quarvelin {

class EngineProfilesController {
public:
    // The file chooser's filter.
    static constexpr const char* Filter = " INI (*.ini)";

    // Starts from the two files loaded last.
    EngineProfilesController(Settings& record, Dialogs& dialogs, const TextCatalogue& catalogue);

    // Profile 1 or 2.
    const std::string& file(int profile) const;
    void choose(int profile, const std::string& path);
    // Whether the file of a profile can be shown; says so when it does not exist.
    bool visible(int profile);
    // OK: both files are read into profiles 1 and 2, or nothing changes when one is missing.
    bool validate();

private:
    Settings& record_;
    Dialogs& dialogs_;
    const TextCatalogue& catalogue_;
    std::array<std::string, 3> files_;
};

} // namespace quarvelin
