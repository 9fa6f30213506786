#include "records/TableauImprime.h"

#include "config/Version.h"
#include "records/TextePartie.h"

#include <cctype>
#include <cstdio>

namespace quarvelin {

namespace {
constexpr int Anglais = 2;
}

std::string nom_et_version() {
    std::string name = NomProgramme;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name + " v" + VersionProgramme;
}

std::string date_entete(int languageKey, std::chrono::year_month_day d) {
    return languageKey == Anglais ? date_mmjjaaaa(d) : date_jjmmaaaa(d);
}

std::string titre_liste_parties(const TextCatalogue& catalogue, int languageKey,
                                std::chrono::year_month_day d, int heure, int minute) {
    char h[16];
    if (languageKey == Anglais) {
        int h12 = heure % 12 == 0 ? 12 : heure % 12;
        std::snprintf(h, sizeof h, "%02d:%02d %s", h12, minute, heure < 12 ? "AM" : "PM");
        return catalogue.text(TextKey::GameListTitle) + " The " + date_mmjjaaaa(d) + " at " + h;
    }
    std::snprintf(h, sizeof h, "%02d:%02d", heure, minute);
    return catalogue.text(TextKey::GameListTitle) + " Le " + date_jjmmaaaa(d) + " à " + h;
}

} // namespace quarvelin
