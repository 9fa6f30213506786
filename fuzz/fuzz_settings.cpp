// The settings reader on any bytes: it reads or stops at an unknown key, and whatever it reads
// is written and read back to the very same record.
#include "config/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int profil = 1 + static_cast<int>(size % 2);
    Settings s = reglages_integres("/opt/quarvelin");
    LectureReglages r = lire_texte_reglages(text, s, profil);
    if (r.etat != LectureReglages::Etat::Lu) return 0;

    Settings again = reglages_integres("/opt/quarvelin");
    LectureReglages back = lire_texte_reglages(texte_reglages(s, profil), again, profil);
    if (back.etat != LectureReglages::Etat::Lu || !back.ignorees.empty()) __builtin_trap();
    again.ACTUALITE_XML = s.ACTUALITE_XML; // read from old files, never written
    if (!(again == s)) __builtin_trap();
    return 0;
}
