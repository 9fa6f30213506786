#include "config/Demarrage.h"

#include "config/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <filesystem>
#include <fstream>

namespace quarvelin {

namespace fs = std::filesystem;

std::string fichier_reglages(const Emplacements& e) {
    return (fs::path(e.donnees) / "quarvelin.ini").string();
}

namespace {

bool inscriptible(const fs::path& folder) {
    // Trying is the only sure test: permissions, read-only mounts and ACLs all have a say.
    fs::path essai = folder / ".quarvelin-ecriture";
    {
        std::ofstream f(essai);
        if (!f) return false;
    }
    std::error_code ec;
    fs::remove(essai, ec);
    return true;
}

void copier_si_absent(const fs::path& de, const fs::path& vers) {
    std::error_code ec;
    if (fs::exists(vers, ec) || !fs::exists(de, ec)) return;
    fs::create_directories(vers.parent_path(), ec);
    fs::copy_file(de, vers, ec);
    // Copied from a read-only tree: the copy must be the user's to change.
    fs::permissions(vers, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ec);
}

} // namespace

Emplacements emplacements(const std::string& dossierProgramme,
                          const std::string& dossierUtilisateur) {
    Emplacements e{dossierProgramme, dossierProgramme};
    if (inscriptible(dossierProgramme) || dossierUtilisateur.empty()) return e;
    e.donnees = dossierUtilisateur;
    std::error_code ec;
    fs::create_directories(fs::path(dossierUtilisateur) / "base", ec);
    const fs::path de(dossierProgramme), vers(dossierUtilisateur);
    for (const char* f : {"quarvelin.ini", "base/eco.db", "base/corres.db"})
        copier_si_absent(de / f, vers / f);
    return e;
}

Demarrage demarrer(const Emplacements& e, Settings& s, Catalogue& catalogue) {
    Demarrage d;
    const std::string file = fichier_reglages(e);
    LectureReglages l = lire_reglages(file, e.donnees, s);
    switch (l.etat) {
    case LectureReglages::Etat::CleInconnue:
        // The language is not known yet: the message comes by its bare number.
        d.fin = true;
        d.message = message_cle_inconnue(catalogue, file, l.line);
        return d;
    case LectureReglages::Etat::Cree:
        d.fichierCree = true;
        d.erreurFichier = l.erreur;
        break;
    case LectureReglages::Etat::Illisible:
        d.erreurFichier = l.erreur;
        break;
    case LectureReglages::Etat::Lu:
        break;
    }
    d.ignorees = l.ignorees;
    catalogue.appliquer_langue(s.CLE_LANGUE);
    s.BASE_ECO = chemin_absolu(s.BASE_ECO, e.donnees);
    s.FILE_LOG = chemin_absolu(s.FILE_LOG, e.donnees);
    s.BASE_CORRES = chemin_absolu(s.BASE_CORRES, e.donnees);
    return d;
}

} // namespace quarvelin
