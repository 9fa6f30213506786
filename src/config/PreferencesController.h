#pragma once
// The preferences window without the window. Its fields hold the values of the settings file as
// text, named by their keys (per-profile keys are profile 1's); each one is checked as the user
// leaves it, and OK copies them into the record and writes the file.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "rules/Types.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

enum class GenreChamp { Texte, Square, Nombre, Duree };

struct ChampPreference {
    std::string_view cle;
    GenreChamp genre;
    double minimum = 0; // Nombre: the values the window accepts
    double maximum = 0;
    bool entier = true;              // Nombre: whole numbers only
    std::string_view remplacement{}; // put in when the text is refused; empty keeps the last value
    bool inverse = false;            // Square: ticked when the setting is off
};

// Every field of the window.
std::span<const ChampPreference> champs_preferences();
// The field of a key; null for a key the window does not show.
const ChampPreference* champ_preference(std::string_view cle);

struct EmplacementsReglages {
    std::string file;      // the settings file
    std::string donnees;      // where relative settings paths lead
    std::string installation; // images/pieces and images/echiquier
};

struct Verification {
    std::string text;   // what the field shows after the check
    std::string message; // why the text typed was refused; empty when it was taken
};

class PreferencesController {
public:
    // The title of the window's messages: the program's name.
    static constexpr const char* Titre = "quarvelin";

    PreferencesController(Settings& record, EmplacementsReglages emplacements, Dialogs& dialogs,
                          const TextCatalogue& catalogue);

    // Fills the fields from the settings file as it is on disk, from the record when there is
    // no file or it cannot be read (said so).
    void ouvrir();

    std::string text(std::string_view cle) const;
    bool coche(std::string_view cle) const;
    // The check of a field being left. A refused text gives way to the field's replacement
    // value, or to its last value, and the message says why; the window shows the message.
    Verification saisir(std::string_view cle, const std::string& text);
    void cocher(std::string_view cle, bool coche);

    // The lists of the board tab; the current choice is always among them.
    std::vector<std::string> images_echiquier() const;
    std::vector<std::string> jeux_pieces() const;

    // OK: the fields go into the record (profile 1), the settings file is written, the three
    // paths become absolute in the record, `appliquer` runs (language, menus) and text 400 is
    // shown. When the file cannot be written, says why and changes nothing.
    bool valider(const std::function<void()>& appliquer = {});
    // Reset: the reset values into the fields; the record gets FIRST_STARTUP 1 and
    // SEUIL_PARTIE_NULLE -1000 at once.
    void reinitialiser();
    // Save as: the record, not the fields, to `chemin` (empty: cancelled); an existing file is
    // replaced only when the user says so.
    bool enregistrer_sous(const std::string& chemin);
    // The path the save-as chooser proposes: the engine's name with ".ini".
    std::string nom_propose() const;

    const Settings& champs() const { return champs_; }
    const EmplacementsReglages& emplacements() const { return emplacements_; }
    // PlayerColour as DEB_BLANC asks for it.
    static Colour couleur_joueur(const Settings& s);

private:
    void signaler(const std::string& text, DialogIcon icone);

    Settings& record_;
    EmplacementsReglages emplacements_;
    Dialogs& dialogs_;
    const TextCatalogue& catalogue_;
    Settings champs_;
};

} // namespace quarvelin
