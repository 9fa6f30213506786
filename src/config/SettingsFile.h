#pragma once
// The settings file: "[SECTION]" lines and KEY=value lines, every key written in a fixed order,
// read back in any order and any section. Also the engine-profile files of automatic play.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

struct LectureReglages {
    enum class Etat { Lu, Cree, CleInconnue, Illisible };
    Etat etat = Etat::Lu;
    std::string line;                 // the unknown key's line
    std::vector<std::string> ignorees; // lines whose value could not be read; built-in kept
    std::string erreur;                // why the file could not be read or created
};

// Fills s with the built-in values, then reads the file at `chemin` into slot `profil`.
// A missing file is created with the new-file values. An unknown key stops the reading
// (the program then ends, see message_cle_inconnue).
LectureReglages lire_reglages(const std::string& chemin, const std::string& installDir, Settings& s,
                              int profil = 1);

// The same reading of a settings text already in memory, on top of what s holds.
LectureReglages lire_texte_reglages(const std::string& content, Settings& s, int profil = 1);

// The message for an unknown key: text 100, the file, and the line.
std::string message_cle_inconnue(const TextCatalogue& catalogue, const std::string& chemin,
                                 const std::string& line);

// Writes the whole record, per-profile values from slot `profil`, to a temporary file that
// then replaces `chemin`, so the file is always whole. Empty on success, else why not.
std::string ecrire_reglages(const Settings& s, const std::string& chemin, int profil = 1);

// The settings text as written (CR LF lines).
std::string texte_reglages(const Settings& s, int profil = 1);

// Loads the per-profile keys of two settings files into profiles 1 and 2 for automatic play.
// A missing file is reported with text 270 and nothing changes.
bool charger_profils(const std::string& fichier1, const std::string& fichier2, Settings& s,
                     Dialogs& dialogs, const TextCatalogue& catalogue);

// Reads the per-profile keys of one settings file into slot `profil`; other lines are ignored.
// False, changing nothing, when the file cannot be read.
bool lire_profil(const std::string& file, Settings& s, int profil);

// The value of one key as the file holds it, per-profile keys from slot `profil`; nothing for a
// key the file does not know.
std::optional<std::string> valeur_cle(const Settings& s, std::string_view cle, int profil = 1);
// Stores a value by the key's reading rule; false, changing nothing, for an unknown key or a
// value the rule cannot read.
bool affecter_cle(Settings& s, std::string_view cle, const std::string& valeur, int profil = 1);

// A whole value that is a number and nothing else: blanks around, a sign, digits, one decimal
// mark ("." or ",").
std::optional<double> nombre_strict(std::string_view text);

// A settings path as this program keeps it: "/" for "\", the SQLite bases for the old ones.
std::string chemin_reglage(std::string valeur);
// Relative paths are taken from the installation directory.
std::string chemin_absolu(const std::string& chemin, const std::string& installDir);

} // namespace quarvelin
