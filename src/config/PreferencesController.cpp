#include "config/PreferencesController.h"

#include "config/PieceSets.h"
#include "config/SettingsFile.h"
#include "localisation/TextKey.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <optional>

namespace quarvelin {

namespace {

using G = GenreChamp;
constexpr double Poids = 1e6; // weights beyond this are typing slips, not engine tuning

constexpr ChampPreference champ_texte(std::string_view cle) { return {cle, G::Texte}; }
constexpr ChampPreference champ_case(std::string_view cle, bool inverse = false) {
    return {cle, G::Square, 0, 0, true, {}, inverse};
}
constexpr ChampPreference champ_entier(std::string_view cle, double min, double max,
                                       std::string_view remplacement = {}) {
    return {cle, G::Nombre, min, max, true, remplacement};
}
constexpr ChampPreference champ_poids(std::string_view cle) {
    return {cle, G::Nombre, -Poids, Poids, false};
}

constexpr std::array Champs = {
    champ_texte("NOM_JOUEUR"),
    champ_texte("NOM_MOTEUR"),
    champ_texte("LIEU_JEU"),
    champ_entier("CLE_LANGUE", 1, 8),
    champ_entier("NIVEAU_ELO", 0, 3500, "1300"),
    champ_case("DEB_BLANC"),
    champ_case("AFF_NOUVELLE"),
    champ_case("AFF_REPERE"),
    champ_case("ACTIVE_SON"),
    champ_case("BULLE_AIDE"),
    champ_case("ACTIVE_HORLOGE"),
    ChampPreference{"DELAI_PARTIE", G::Duree, 0, 0, true, "00:03:00"},
    champ_entier("DELAI_ATTENTE", 1, 32767, "1000"),

    champ_texte("CURENT_ECHIQUIER"),
    champ_texte("CURENT_PIECE"),
    champ_case("MACHINE_TRACE_COUP"),

    champ_texte("BASE_ECO"),
    champ_texte("BASE_CORRES"),
    champ_texte("FILE_LOG"),
    champ_case("GES_LOG"),
    champ_case("TRI_ECO"),
    champ_texte("PARTIE_FILTRE"),
    champ_entier("MAX_SEUIL_PARTIE", 1, 2147483647, "1000"),
    champ_case("ZIP_PARTIE"),
    champ_case("SAUVE_ABREGE"),
    champ_case("IMP", true),
    champ_texte("VERSION_XML"),

    champ_case("IP_MODE_SERVEUR"),
    champ_texte("IP_ADRESSE_HOST"),
    champ_texte("IP_NUM_PORT"),
    champ_texte("IP_NOM_UTILISATEUR"),

    champ_texte("ADRESSE_MEL"),
    champ_entier("NB_JOUR_MAX", 0, 999, "30"),

    champ_entier("PROFONDEUR_MAX", 0, 3),
    champ_case("ALPHA_BETA"),
    champ_case("ACTIVE_BASE_CON"),
    champ_case("OUVERTURE_ALEATOIRE"),
    champ_texte("OUVERTURE_DEFAUT"),
    champ_entier("MAX_COUP_OUVERTURE", 0, 999, "6"),
    champ_poids("SEUIL_PARTIE_NULLE"),

    champ_poids("NOTE_MATERIEL_PION"),
    champ_poids("NOTE_MATERIEL_CAVALIER"),
    champ_poids("NOTE_MATERIEL_FOU"),
    champ_poids("NOTE_MATERIEL_TOUR"),
    champ_poids("NOTE_MATERIEL_DAME"),
    champ_poids("NOTE_MATERIEL_ROI"),
    champ_poids("NOTE_MOBILITE_PION"),
    champ_poids("NOTE_MOBILITE_CAVALIER"),
    champ_poids("NOTE_MOBILITE_FOU"),
    champ_poids("NOTE_MOBILITE_TOUR"),
    champ_poids("NOTE_MOBILITE_DAME"),
    champ_poids("NOTE_MOBILITE_ROI"),
    champ_poids("MOBILITE_EVOLUTIVE_PION"),
    champ_poids("MOBILITE_EVOLUTIVE_CAVALIER"),
    champ_poids("MOBILITE_EVOLUTIVE_FOU"),
    champ_poids("MOBILITE_EVOLUTIVE_TOUR"),
    champ_poids("MOBILITE_EVOLUTIVE_DAME"),
    champ_poids("MOBILITE_EVOLUTIVE_ROI"),
    champ_poids("BONUS_ECHEC"),
    champ_entier("SEUIL_BONUS_ECHEC", 0, 999),
    champ_poids("NOTE_CENTRE"),
    champ_entier("SEUIL_CENTRE", 0, 999),
    champ_poids("INDICE_DEFENSE"),
    champ_poids("INDICE_ATTAQUE"),
    champ_poids("NOTE_ROQUE"),
    champ_poids("NOTE_PROMOTION"),
    champ_poids("MALUS_DOUBLE"),
    champ_poids("MALUS_ROI"),
};

// A number as the settings file writes it: "." as decimal mark, no exponent.
std::string nombre_texte(double v) {
    char buffer[400];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
    return std::string(buffer, res.ptr);
}

bool chiffres(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A time of day "h:mm:ss" or "hh:mm:ss", given back as "hh:mm:ss".
std::optional<std::string> duree(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    const std::size_t a = t.find(':');
    const std::size_t b = a == std::string_view::npos ? a : t.find(':', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    const std::string_view h = t.substr(0, a), m = t.substr(a + 1, b - a - 1), s = t.substr(b + 1);
    if (!chiffres(h) || h.size() > 2 || !chiffres(m) || m.size() != 2 || !chiffres(s) ||
        s.size() != 2)
        return std::nullopt;
    const auto nombre = [](std::string_view d) { return std::stoi(std::string(d)); };
    if (nombre(h) > 23 || nombre(m) > 59 || nombre(s) > 59) return std::nullopt;
    return (h.size() == 1 ? "0" : "") + std::string(t);
}

} // namespace

std::span<const ChampPreference> champs_preferences() { return Champs; }

const ChampPreference* champ_preference(std::string_view cle) {
    for (const ChampPreference& c : Champs)
        if (c.cle == cle) return &c;
    return nullptr;
}

PreferencesController::PreferencesController(Settings& record, EmplacementsReglages emplacements,
                                             Dialogs& dialogs, const TextCatalogue& catalogue)
    : record_(record), emplacements_(std::move(emplacements)), dialogs_(dialogs),
      catalogue_(catalogue), champs_(record) {}

void PreferencesController::signaler(const std::string& text, DialogIcon icone) {
    dialogs_.message(Titre, text, icone);
}

void PreferencesController::ouvrir() {
    champs_ = record_;
    std::error_code ec;
    if (!std::filesystem::exists(emplacements_.file, ec)) return;
    Settings lu;
    const LectureReglages r = lire_reglages(emplacements_.file, emplacements_.donnees, lu, 1);
    switch (r.etat) {
    case LectureReglages::Etat::Lu:
    case LectureReglages::Etat::Cree:
        champs_ = lu;
        break;
    case LectureReglages::Etat::CleInconnue:
        signaler(message_cle_inconnue(catalogue_, emplacements_.file, r.line),
                 DialogIcon::Exclamation);
        break;
    case LectureReglages::Etat::Illisible:
        signaler(catalogue_.text(TextKey::SettingsCannotRead) + r.erreur, DialogIcon::Exclamation);
        break;
    }
}

std::string PreferencesController::text(std::string_view cle) const {
    return valeur_cle(champs_, cle, 1).value_or(std::string());
}

bool PreferencesController::coche(std::string_view cle) const {
    const ChampPreference* c = champ_preference(cle);
    return (text(cle) == "1") != (c != nullptr && c->inverse);
}

void PreferencesController::cocher(std::string_view cle, bool coche) {
    const ChampPreference* c = champ_preference(cle);
    if (c == nullptr || c->genre != GenreChamp::Square) return;
    affecter_cle(champs_, cle, coche != c->inverse ? "1" : "0", 1);
}

Verification PreferencesController::saisir(std::string_view cle, const std::string& saisi) {
    const ChampPreference* c = champ_preference(cle);
    if (c == nullptr) return {saisi, {}};
    std::string message;
    switch (c->genre) {
    case GenreChamp::Texte: {
        // Blanks at the end of a line never come back from the file.
        std::string t = saisi;
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
        affecter_cle(champs_, cle, t, 1);
        break;
    }
    case GenreChamp::Square: {
        const std::optional<double> v = nombre_strict(saisi);
        if (v && (*v == 0 || *v == 1))
            affecter_cle(champs_, cle, nombre_texte(*v), 1);
        else
            message = catalogue_.text(TextKey::NumberExpected);
        break;
    }
    case GenreChamp::Duree:
        if (const std::optional<std::string> d = duree(saisi)) {
            affecter_cle(champs_, cle, *d, 1);
        } else {
            affecter_cle(champs_, cle, std::string(c->remplacement), 1);
            message = catalogue_.text(TextKey::InvalidDuration);
        }
        break;
    case GenreChamp::Nombre: {
        const std::optional<double> v = nombre_strict(saisi);
        if (!v) {
            if (!c->remplacement.empty())
                affecter_cle(champs_, cle, std::string(c->remplacement), 1);
            message = catalogue_.text(TextKey::NumberExpected);
        } else if (*v < c->minimum || *v > c->maximum) {
            affecter_cle(champs_, cle, nombre_texte(std::clamp(*v, c->minimum, c->maximum)), 1);
            message = catalogue_.text(TextKey::ValueOutOfRange) + nombre_texte(c->minimum) + " – " +
                      nombre_texte(c->maximum);
        } else {
            affecter_cle(champs_, cle, nombre_texte(*v), 1);
        }
        break;
    }
    }
    return {text(cle), message};
}

std::vector<std::string> PreferencesController::images_echiquier() const {
    std::vector<std::string> liste = PieceSets::boardPictures(emplacements_.installation);
    const std::string& courante = champs_.CURENT_ECHIQUIER;
    if (!courante.empty() && std::find(liste.begin(), liste.end(), courante) == liste.end())
        liste.insert(liste.begin(), courante);
    return liste;
}

std::vector<std::string> PreferencesController::jeux_pieces() const {
    std::vector<std::string> liste = PieceSets::names(emplacements_.installation);
    const std::string& courant = champs_.CURENT_PIECE;
    if (!courant.empty() && std::find(liste.begin(), liste.end(), courant) == liste.end())
        liste.push_back(courant);
    return liste;
}

bool PreferencesController::valider(const std::function<void()>& appliquer) {
    Settings nouveau = record_;
    for (const ChampPreference& c : Champs) affecter_cle(nouveau, c.cle, text(c.cle), 1);
    if (const std::string pourquoi = ecrire_reglages(nouveau, emplacements_.file, 1);
        !pourquoi.empty()) {
        signaler(catalogue_.text(TextKey::SettingsCannotWrite) + pourquoi, DialogIcon::Critical);
        return false;
    }
    // The file keeps what the user typed; the program works with whole paths.
    for (std::string* chemin : {&nouveau.BASE_ECO, &nouveau.BASE_CORRES, &nouveau.FILE_LOG})
        *chemin = chemin_absolu(*chemin, emplacements_.donnees);
    record_ = nouveau;
    if (appliquer) appliquer();
    signaler(catalogue_.text(TextKey::SettingsSaved), DialogIcon::Information);
    return true;
}

void PreferencesController::reinitialiser() {
    champs_ = valeurs_reinitialisation(champs_, emplacements_.donnees);
    record_.FIRST_STARTUP = 1;
    record_.SEUIL_PARTIE_NULLE = -1000;
}

bool PreferencesController::enregistrer_sous(const std::string& chemin) {
    if (chemin.empty()) return false;
    std::error_code ec;
    if (std::filesystem::exists(chemin, ec) &&
        !dialogs_.question(Titre, catalogue_.text(TextKey::ReplaceFileQuestion)))
        return false;
    if (const std::string pourquoi = ecrire_reglages(record_, chemin, 1); !pourquoi.empty()) {
        signaler(catalogue_.text(TextKey::SettingsCannotWrite) + pourquoi, DialogIcon::Critical);
        return false;
    }
    signaler(catalogue_.text(TextKey::SettingsSaved), DialogIcon::Information);
    return true;
}

std::string PreferencesController::nom_propose() const {
    std::string name = text("NOM_MOTEUR");
    for (char& c : name)
        if (c == '/') c = '-';
    if (name.empty() || name == "." || name == "..") name = "quarvelin";
    return emplacements_.donnees + "/" + name + ".ini";
}

Colour PreferencesController::couleur_joueur(const Settings& s) {
    return s.DEB_BLANC == 1 ? Colour::White : Colour::Black;
}

} // namespace quarvelin
