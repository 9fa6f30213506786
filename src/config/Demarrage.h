#pragma once
// Where the program finds its files and how its settings come in at start-up.
#include "config/Settings.h"
#include "localisation/Catalogue.h"

#include <string>
#include <vector>

namespace quarvelin {

struct Emplacements {
    std::string installation; // the program's folder: pictures, sounds, the shipped bases
    std::string donnees;      // settings, bases and log: the installation when it is writable
};

// The installation folder when the user may write there; otherwise the user's data folder,
// seeded at the first start with the installation's settings file and bases.
Emplacements emplacements(const std::string& dossierProgramme,
                          const std::string& dossierUtilisateur);

struct Demarrage {
    bool fin = false; // an unknown settings key: the program ends with `message`
    std::string message;
    bool fichierCree = false;          // no settings file was there
    std::string erreurFichier;         // the settings file could not be created
    std::vector<std::string> ignorees; // lines whose value could not be read
};

// Fills the record from the settings file (created when missing), applies its language to the
// catalogue and makes the paths of the bases and the log absolute.
Demarrage demarrer(const Emplacements& e, Settings& s, Catalogue& catalogue);

std::string fichier_reglages(const Emplacements& e);

} // namespace quarvelin
