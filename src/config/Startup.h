// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program finds its files and how its settings come in at start-up.
#include "config/Settings.h"
#include "localisation/Catalogue.h"

#include <string>
#include <vector>

namespace quarvelin {

struct Locations {
    std::string installation; // the program's folder: pictures, sounds, the shipped bases
    std::string data;         // settings, bases and log: the installation when it is writable
};

// The installation folder when the user may write there; otherwise the user's data folder,
// seeded at the first start with the installation's settings file and bases.
Locations settingsLocations(const std::string& programFolder, const std::string& userFolder);

struct Startup {
    bool end = false; // an unknown settings key: the program ends with `message`
    std::string message;
    bool fileCreated = false;         // no settings file was there
    std::string fileError;            // the settings file could not be created
    std::vector<std::string> ignored; // lines whose value could not be read
};

// Fills the record from the settings file (created when missing), applies its language to the
// catalogue and makes the paths of the bases and the log absolute.
Startup start(const Locations& e, Settings& s, Catalogue& catalogue);

std::string settingsFile(const Locations& e);

} // namespace quarvelin
