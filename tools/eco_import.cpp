// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the opening base from opening classification files: every line replayed through the
// rules and stored in the game text's own form. The first file gives the lines; a line that a
// later file also has takes that file's name (the French names over the English ones), and
// lines only a later file has are added. Each "--names LANGUAGE FILE" keeps that file's names
// beside the base, for a program that speaks that language.
// Usage: eco_import <lines.eco> [<names.eco>...] [--names <language> <file.eco>]... <eco.db>
#include "openings/ImportEco.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string_view>
#include <utility>

namespace {

std::optional<quarvelin::ImportEco> readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "eco_import: cannot read " << path << '\n';
        return std::nullopt;
    }
    quarvelin::ImportEco parsed = quarvelin::readEcoFile(in);
    for (const auto& r : parsed.refused) std::cerr << "eco_import: " << path << ": " << r << '\n';
    return parsed;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<const char*> files;
    std::vector<std::pair<std::string, const char*>> names;
    for (int i = 1; i < argc - 1; ++i) {
        if (std::string_view(argv[i]) == "--names" && i + 2 < argc - 1) {
            names.emplace_back(argv[i + 1], argv[i + 2]);
            i += 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::cerr << "usage: eco_import <lines.eco> [<names.eco>...] "
                     "[--names <language> <file.eco>]... <eco.db>\n";
        return 2;
    }
    std::vector<quarvelin::EcoLine> lines;
    for (const char* file : files) {
        auto parsed = readFile(file);
        if (!parsed) return 1;
        lines = quarvelin::mergeLines(lines, parsed->lines);
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
    if (!names.empty()) {
        quarvelin::OpeningNames table;
        if (!table.open(temp.string(), true)) {
            std::cerr << "eco_import: " << table.error() << '\n';
            return 1;
        }
        for (const auto& [language, file] : names) {
            auto parsed = readFile(file);
            if (!parsed) return 1;
            if (!table.store(language, parsed->lines)) {
                std::cerr << "eco_import: " << table.error() << '\n';
                return 1;
            }
        }
    }
    std::filesystem::rename(temp, target);
    std::cout << "eco_import: " << lines.size() << " lines in " << target.string() << '\n';
    return 0;
}
