// Builds the opening base from opening classification files: every line replayed through the
// rules and stored in the game text's own form. The first file gives the lines; a line that a
// later file also has takes that file's name (the French names over the English ones), and
// lines only a later file has are added.
// Usage: eco_import <lines.eco> [<names.eco>...] <eco.db>
#include "openings/ImportEco.h"
#include "openings/OpeningBase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: eco_import <lines.eco> [<names.eco>...] <eco.db>\n";
        return 2;
    }
    std::vector<quarvelin::EcoLine> lines;
    for (int i = 1; i < argc - 1; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::cerr << "eco_import: cannot read " << argv[i] << '\n';
            return 1;
        }
        quarvelin::ImportEco parsed = quarvelin::readEcoFile(in);
        for (const auto& r : parsed.refused)
            std::cerr << "eco_import: " << argv[i] << ": " << r << '\n';
        lines = quarvelin::mergeLines(lines, parsed.lines);
    }
    // A game is named by the first line that contains it, in the order of the keys: shorter
    // lines first, so "1.e4 c5" is the Sicilian rather than a line that transposes into it.
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
        return std::count(a.moves.begin(), a.moves.end(), ' ') <
               std::count(b.moves.begin(), b.moves.end(), ' ');
    });

    // Built beside the target and renamed over it, so a failed build leaves no half base.
    const std::filesystem::path target(argv[argc - 1]), temp = target.string() + ".tmp";
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::remove(temp);
    {
        quarvelin::OpeningBase base;
        if (!base.open(temp.string(), true) || !base.append(lines)) {
            std::cerr << "eco_import: " << base.error() << '\n';
            return 1;
        }
    }
    std::filesystem::rename(temp, target);
    std::cout << "eco_import: " << lines.size() << " lines in " << target.string() << '\n';
    return 0;
}
