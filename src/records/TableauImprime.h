#pragma once
// A list window's rows as they are printed, and the texts around them on each page.
#include "localisation/TextCatalogue.h"

#include <chrono>
#include <string>
#include <vector>

namespace quarvelin {

struct TableauImprime {
    std::vector<std::string> colonnes; // captions
    std::vector<int> largeurs;         // on screen; 0 for a hidden column
    std::vector<std::vector<std::string>> lines;
};

// "QUARVELIN v0.1.0"
std::string nom_et_version();
// The date at the head of each page: "dd/mm/yyyy", "mm/dd/yyyy" in English (CLE_LANGUE 2).
std::string date_entete(int languageKey, std::chrono::year_month_day d);
// The title of the board window's list of games: text 173, then " Le 04/12/2026 à 15:07", or
// in English " The 12/04/2026 at 03:07 PM".
std::string titre_liste_parties(const TextCatalogue& catalogue, int languageKey,
                                std::chrono::year_month_day d, int heure, int minute);

} // namespace quarvelin
