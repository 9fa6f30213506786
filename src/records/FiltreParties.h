#pragma once
// The criteria a games file is listed with: empty ones accept every game.
#include <cstdint>
#include <string>

namespace quarvelin {

struct Settings;

struct FiltreParties {
    std::string blanc, noir, result, eco, site, evenement, date, ronde;
    bool lesDeux = false;        // the White and Black criteria match either player
    std::int64_t maximum = 1000; // MAX_SEUIL_PARTIE: the most games one scan lists
};

// The criteria of the [FILTRE] section and the games limit.
FiltreParties filtre_des_reglages(const Settings& s);

} // namespace quarvelin
