// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the settings file an installation ships with: the values of a new file, with the
// language window opening at the first start. An existing file is left alone, so the choices
// made in a build tree survive the next build.  Usage: installation_ini <quarvelin.ini>
#include "config/Settings.h"
#include "config/SettingsFile.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: installation_ini <quarvelin.ini>\n";
        return 2;
    }
    const std::filesystem::path file(argv[1]);
    if (std::filesystem::exists(file)) return 0;
    quarvelin::Settings s = quarvelin::builtInSettings(".");
    quarvelin::applyNewFile(s);
    s.FIRST_STARTUP = 1;
    // Names a new user sees in game records until changed in the preferences.
    const quarvelin::Settings names = quarvelin::resetValues(s, ".");
    s.NOM_JOUEUR = names.NOM_JOUEUR;
    s.NOM_MOTEUR = names.NOM_MOTEUR;
    s.LIEU_JEU = names.LIEU_JEU;
    s.NIVEAU_ELO = names.NIVEAU_ELO;
    // Paths relative to the installation, wherever it is put.
    s.BASE_ECO = "base/eco.db";
    s.BASE_CORRES = "base/corres.db";
    s.FILE_LOG = "quarvelin.log";
    std::filesystem::create_directories(file.parent_path());
    std::string error = quarvelin::ecrire_reglages(s, file.string());
    if (!error.empty()) {
        std::cerr << "installation_ini: " << file.string() << ": " << error << '\n';
        return 1;
    }
    return 0;
}
