// SPDX-License-Identifier: GPL-3.0-or-later
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

using G = FieldKind;
constexpr double Weights = 1e6; // weights beyond this are typing slips, not engine tuning

constexpr PreferenceField textField(std::string_view key) { return {key, G::Text}; }
constexpr PreferenceField squareField(std::string_view key, bool inverse = false) {
    return {key, G::Square, 0, 0, true, {}, inverse};
}
constexpr PreferenceField integerField(std::string_view key, double min, double max,
                                       std::string_view replacement = {}) {
    return {key, G::Number, min, max, true, replacement};
}
constexpr PreferenceField weightField(std::string_view key) {
    return {key, G::Number, -Weights, Weights, false};
}

constexpr std::array Fields = {
    textField("NOM_JOUEUR"),
    textField("NOM_MOTEUR"),
    textField("LIEU_JEU"),
    integerField("CLE_LANGUE", 1, 8),
    integerField("NIVEAU_ELO", 0, 3500, "1300"),
    squareField("DEB_BLANC"),
    squareField("AFF_NOUVELLE"),
    squareField("AFF_REPERE"),
    squareField("ACTIVE_SON"),
    squareField("BULLE_AIDE"),
    squareField("ACTIVE_HORLOGE"),
    PreferenceField{"DELAI_PARTIE", G::Duration, 0, 0, true, "00:03:00"},
    integerField("DELAI_ATTENTE", 1, 32767, "1000"),

    textField("CURENT_ECHIQUIER"),
    textField("CURENT_PIECE"),
    squareField("MACHINE_TRACE_COUP"),

    textField("BASE_ECO"),
    textField("BASE_CORRES"),
    textField("FILE_LOG"),
    squareField("GES_LOG"),
    squareField("TRI_ECO"),
    textField("PARTIE_FILTRE"),
    integerField("MAX_SEUIL_PARTIE", 1, 2147483647, "1000"),
    squareField("ZIP_PARTIE"),
    squareField("SAUVE_ABREGE"),
    squareField("IMP", true),
    textField("VERSION_XML"),

    squareField("IP_MODE_SERVEUR"),
    textField("IP_ADRESSE_HOST"),
    textField("IP_NUM_PORT"),
    textField("IP_NOM_UTILISATEUR"),

    textField("ADRESSE_MEL"),
    integerField("NB_JOUR_MAX", 0, 999, "30"),
    integerField("MEL_ENVOI", 0, 1, "0"),
    textField("SMTP_SERVEUR"),
    integerField("SMTP_PORT", 1, 65535, "587"),
    integerField("SMTP_SECURITE", 0, 2, "1"),
    textField("SMTP_UTILISATEUR"),

    integerField("PROFONDEUR_MAX", 0, 3),
    squareField("ALPHA_BETA"),
    squareField("ACTIVE_BASE_CON"),
    squareField("OUVERTURE_ALEATOIRE"),
    textField("OUVERTURE_DEFAUT"),
    integerField("MAX_COUP_OUVERTURE", 0, 999, "6"),
    weightField("SEUIL_PARTIE_NULLE"),

    weightField("NOTE_MATERIEL_PION"),
    weightField("NOTE_MATERIEL_CAVALIER"),
    weightField("NOTE_MATERIEL_FOU"),
    weightField("NOTE_MATERIEL_TOUR"),
    weightField("NOTE_MATERIEL_DAME"),
    weightField("NOTE_MATERIEL_ROI"),
    weightField("NOTE_MOBILITE_PION"),
    weightField("NOTE_MOBILITE_CAVALIER"),
    weightField("NOTE_MOBILITE_FOU"),
    weightField("NOTE_MOBILITE_TOUR"),
    weightField("NOTE_MOBILITE_DAME"),
    weightField("NOTE_MOBILITE_ROI"),
    weightField("MOBILITE_EVOLUTIVE_PION"),
    weightField("MOBILITE_EVOLUTIVE_CAVALIER"),
    weightField("MOBILITE_EVOLUTIVE_FOU"),
    weightField("MOBILITE_EVOLUTIVE_TOUR"),
    weightField("MOBILITE_EVOLUTIVE_DAME"),
    weightField("MOBILITE_EVOLUTIVE_ROI"),
    weightField("BONUS_ECHEC"),
    integerField("SEUIL_BONUS_ECHEC", 0, 999),
    weightField("NOTE_CENTRE"),
    integerField("SEUIL_CENTRE", 0, 999),
    weightField("INDICE_DEFENSE"),
    weightField("INDICE_ATTAQUE"),
    weightField("NOTE_ROQUE"),
    weightField("NOTE_PROMOTION"),
    weightField("MALUS_DOUBLE"),
    weightField("MALUS_ROI"),
};

// A number as the settings file writes it: "." as decimal mark, no exponent.
std::string numberText(double v) {
    char buffer[400];
    auto outcome = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
    return std::string(buffer, outcome.ptr);
}

bool digits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A time of day "h:mm:ss" or "hh:mm:ss", given back as "hh:mm:ss".
std::optional<std::string> duration(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    const std::size_t a = t.find(':');
    const std::size_t b = a == std::string_view::npos ? a : t.find(':', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    const std::string_view h = t.substr(0, a), m = t.substr(a + 1, b - a - 1), s = t.substr(b + 1);
    if (!digits(h) || h.size() > 2 || !digits(m) || m.size() != 2 || !digits(s) || s.size() != 2)
        return std::nullopt;
    const auto count = [](std::string_view d) { return std::stoi(std::string(d)); };
    if (count(h) > 23 || count(m) > 59 || count(s) > 59) return std::nullopt;
    return (h.size() == 1 ? "0" : "") + std::string(t);
}

} // namespace

std::span<const PreferenceField> preferenceFields() { return Fields; }

const PreferenceField* preferenceField(std::string_view key) {
    for (const PreferenceField& c : Fields)
        if (c.key == key) return &c;
    return nullptr;
}

PreferencesController::PreferencesController(Settings& record, SettingsLocations settingsLocations,
                                             Dialogs& dialogs, const TextCatalogue& catalogue)
    : record_(record), settingsLocations_(std::move(settingsLocations)), dialogs_(dialogs),
      catalogue_(catalogue), fields_(record) {}

void PreferencesController::report(const std::string& text, DialogIcon icon) {
    dialogs_.message(Title, text, icon);
}

void PreferencesController::open() {
    fields_ = record_;
    opened_ = record_;
    wasReset_ = false;
}

std::string PreferencesController::text(std::string_view key) const {
    return keyValue(fields_, key, 1).value_or(std::string());
}

bool PreferencesController::ticked(std::string_view key) const {
    const PreferenceField* c = preferenceField(key);
    return (text(key) == "1") != (c != nullptr && c->inverse);
}

void PreferencesController::tick(std::string_view key, bool ticked) {
    const PreferenceField* c = preferenceField(key);
    if (c == nullptr || c->kind != FieldKind::Square) return;
    assignKey(fields_, key, ticked != c->inverse ? "1" : "0", 1);
}

Verification PreferencesController::type(std::string_view key, const std::string& typed) {
    const PreferenceField* c = preferenceField(key);
    if (c == nullptr) return {typed, {}};
    std::string message;
    switch (c->kind) {
    case FieldKind::Text: {
        // Blanks at the end of a line never come back from the file.
        std::string t = typed;
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
        assignKey(fields_, key, t, 1);
        break;
    }
    case FieldKind::Square: {
        const std::optional<double> v = strictNumber(typed);
        if (v && (*v == 0 || *v == 1))
            assignKey(fields_, key, numberText(*v), 1);
        else
            message = catalogue_.text(TextKey::NumberExpected);
        break;
    }
    case FieldKind::Duration:
        if (const std::optional<std::string> d = duration(typed)) {
            assignKey(fields_, key, *d, 1);
        } else {
            assignKey(fields_, key, std::string(c->replacement), 1);
            message = catalogue_.text(TextKey::InvalidDuration);
        }
        break;
    case FieldKind::Number: {
        const std::optional<double> v = strictNumber(typed);
        if (!v) {
            if (!c->replacement.empty()) assignKey(fields_, key, std::string(c->replacement), 1);
            message = catalogue_.text(TextKey::NumberExpected);
        } else if (*v < c->minimum || *v > c->maximum) {
            assignKey(fields_, key, numberText(std::clamp(*v, c->minimum, c->maximum)), 1);
            message = catalogue_.text(TextKey::ValueOutOfRange) + numberText(c->minimum) + " – " +
                      numberText(c->maximum);
        } else {
            assignKey(fields_, key, numberText(*v), 1);
        }
        break;
    }
    }
    return {text(key), message};
}

std::vector<std::string> PreferencesController::boardImages() const {
    return PieceSets::boardPictures(settingsLocations_.installation);
}

std::vector<std::string> PreferencesController::pieceSets() const {
    return PieceSets::names(settingsLocations_.installation, settingsLocations_.data);
}

bool PreferencesController::validate(const std::function<void()>& apply) {
    // Only what the user changed here: the menus change the record without saving it, and the
    // file holds what they did not save.
    std::vector<std::string_view> changed;
    for (const PreferenceField& c : Fields)
        if (text(c.key) != keyValue(opened_, c.key, 1).value_or(std::string()))
            changed.push_back(c.key);
    Settings file = record_;
    std::error_code ec;
    if (std::filesystem::exists(settingsLocations_.file, ec)) {
        Settings parsed;
        if (lire_reglages(settingsLocations_.file, settingsLocations_.data, parsed, 1).state ==
            SettingsReading::State::Parsed)
            file = parsed;
    }
    if (wasReset_) file.FIRST_STARTUP = record_.FIRST_STARTUP;
    Settings fresh = record_;
    for (std::string_view key : changed) {
        assignKey(file, key, text(key), 1);
        assignKey(fresh, key, text(key), 1);
    }
    if (const std::string why = ecrire_reglages(file, settingsLocations_.file, 1); !why.empty()) {
        report(catalogue_.text(TextKey::SettingsCannotWrite) + why, DialogIcon::Critical);
        return false;
    }
    // The file keeps what the user typed; the program works with whole paths.
    for (std::string* path : {&fresh.BASE_ECO, &fresh.BASE_CORRES, &fresh.FILE_LOG})
        *path = absolutePath(*path, settingsLocations_.data);
    record_ = fresh;
    opened_ = fields_;
    wasReset_ = false;
    if (apply) apply();
    report(catalogue_.text(TextKey::SettingsSaved), DialogIcon::Information);
    return true;
}

void PreferencesController::reset() {
    fields_ = resetValues(fields_, settingsLocations_.data);
    fields_.NOM_JOUEUR[1] = catalogue_.text(TextKey::DefaultPlayerName);
    fields_.LIEU_JEU = catalogue_.text(TextKey::DefaultPlace);
    wasReset_ = true;
    record_.FIRST_STARTUP = 1;
    record_.SEUIL_PARTIE_NULLE = -1000;
}

bool PreferencesController::saveAs(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        !dialogs_.question(Title, catalogue_.text(TextKey::ReplaceFileQuestion)))
        return false;
    if (const std::string why = ecrire_reglages(record_, path, 1); !why.empty()) {
        report(catalogue_.text(TextKey::SettingsCannotWrite) + why, DialogIcon::Critical);
        return false;
    }
    report(catalogue_.text(TextKey::SettingsSaved), DialogIcon::Information);
    return true;
}

std::string PreferencesController::proposedName() const {
    std::string name = text("NOM_MOTEUR");
    for (char& c : name)
        if (c == '/') c = '-';
    if (name.empty() || name == "." || name == "..") name = "quarvelin";
    return settingsLocations_.data + "/" + name + ".ini";
}

Colour PreferencesController::playerColour(const Settings& s) {
    return s.DEB_BLANC == 1 ? Colour::White : Colour::Black;
}

} // namespace quarvelin
