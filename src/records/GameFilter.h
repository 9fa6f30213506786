// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The criteria a games file is listed with: empty ones accept every game.
#include <cstdint>
#include <string>

namespace quarvelin {

struct Settings;

struct GameFilter {
    std::string white, black, result, eco, site, event, date, round;
    bool either = false;         // the White and Black criteria match either player
    std::int64_t maximum = 1000; // MAX_SEUIL_PARTIE: the most games one scan lists
};

// The criteria of the [FILTRE] section and the games limit.
GameFilter filterFromSettings(const Settings& s);

} // namespace quarvelin
