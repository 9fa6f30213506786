// Opening classification files as found: any bytes read without crashing, and every line kept
// is a line that replays, written in the game text's form.
#include "openings/ImportEco.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    quarvelin::ImportEco r = quarvelin::lire_fichier_eco(in);
    for (const auto& l : r.lignes)
        if (l.coups.size() < 3 || !l.coups.ends_with(" *") ||
            quarvelin::rejouer_ligne(l.coups) != l.coups)
            __builtin_trap();
    return 0;
}
