// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list window's rows as they are printed, and the texts around them on each page.
#include "localisation/TextCatalogue.h"

#include <chrono>
#include <string>
#include <vector>

namespace quarvelin {

struct PrintedTable {
    std::vector<std::string> columns; // captions
    std::vector<int> widths;          // on screen; 0 for a hidden column
    std::vector<std::vector<std::string>> lines;
};

// "QUARVELIN v0.1.0"
std::string nameAndVersion();
// The date at the head of each page: "dd/mm/yyyy", "mm/dd/yyyy" in English (CLE_LANGUE 2).
std::string headerDate(int languageKey, std::chrono::year_month_day d);
// The title of the board window's list of games: text 173, then " Le 04/12/2026 à 15:07", or
// in English " The 12/04/2026 at 03:07 PM".
std::string gameListTitle(const TextCatalogue& catalogue, int languageKey,
                          std::chrono::year_month_day d, int time, int minute);

} // namespace quarvelin
