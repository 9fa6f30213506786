// Builds the opening base from an opening classification file: every line replayed through
// the rules and stored in the game text's own form.  Usage: eco_import <file.eco> <eco.db>
#include "openings/BaseOuvertures.h"
#include "openings/ImportEco.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: eco_import <file.eco> <eco.db>\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "eco_import: cannot read " << argv[1] << '\n';
        return 1;
    }
    quarvelin::ImportEco lu = quarvelin::lire_fichier_eco(in);
    for (const auto& r : lu.refusees) std::cerr << "eco_import: " << argv[1] << ": " << r << '\n';
    // A game is named by the first line that contains it, in the order of the keys: shorter
    // lines first, so "1.e4 c5" is the Sicilian rather than a line that transposes into it.
    std::stable_sort(lu.lignes.begin(), lu.lignes.end(), [](const auto& a, const auto& b) {
        return std::count(a.coups.begin(), a.coups.end(), ' ') < std::count(b.coups.begin(), b.coups.end(), ' ');
    });

    // Built beside the target and renamed over it, so a failed build leaves no half base.
    const std::filesystem::path cible(argv[2]), temp = cible.string() + ".tmp";
    std::filesystem::create_directories(cible.parent_path());
    std::filesystem::remove(temp);
    {
        quarvelin::BaseOuvertures base;
        if (!base.ouvrir(temp.string(), true) || !base.ajouter(lu.lignes)) {
            std::cerr << "eco_import: " << base.erreur() << '\n';
            return 1;
        }
    }
    std::filesystem::rename(temp, cible);
    std::cout << "eco_import: " << lu.lignes.size() << " lines in " << argv[2] << '\n';
    return 0;
}
