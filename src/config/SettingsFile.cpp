// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/SettingsFile.h"

#include "config/AtomicFileWriter.h"
#include "localisation/Encoding.h"
#include "notation/NumberReader.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <type_traits>

namespace quarvelin {

namespace {

enum class Section { General, TcpIp, Calculation, Filter, Mel, Reading };
enum class Rule { Text, Integer, Head, Real, RealInteger };

const char* sectionName(Section s) {
    switch (s) {
    case Section::General:
        return "[GENERAL]";
    case Section::TcpIp:
        return "[TCP/IP]";
    case Section::Calculation:
        return "[CALCUL]";
    case Section::Filter:
        return "[FILTRE]";
    case Section::Mel:
        return "[MEL]";
    default:
        return "";
    }
}

struct Piece {
    const char* suffix;
    int type;
};
constexpr Piece Pieces[6] = {{"PION", 2}, {"FOU", 5},  {"CAVALIER", 4},
                             {"TOUR", 3}, {"DAME", 6}, {"ROI", 7}};

// Every key in the order of the file, with its section, reading rule, field and whether it
// belongs to an engine profile. S is Settings or const Settings.
template <typename S, typename F> void walkKeys(S& s, int p, F&& f) {
    using G = Section;
    using R = Rule;
    f("FIRST_STARTUP", G::General, R::Integer, s.FIRST_STARTUP, false);
    f("CLE_LANGUE", G::General, R::Integer, s.CLE_LANGUE, false);
    f("NOM_JOUEUR", G::General, R::Text, s.NOM_JOUEUR[p], true);
    f("NOM_MOTEUR", G::General, R::Text, s.NOM_MOTEUR[p], true);
    f("MODE_JEUX", G::General, R::Integer, s.MODE_JEUX, false);
    f("LIEU_JEU", G::General, R::Text, s.LIEU_JEU, false);
    f("NIVEAU_ELO", G::General, R::Integer, s.NIVEAU_ELO[p], true);
    f("BASE_ECO", G::General, R::Text, s.BASE_ECO, false);
    f("TRI_ECO", G::General, R::Head, s.TRI_ECO, false);
    f("DEB_BLANC", G::General, R::Head, s.DEB_BLANC, false);
    f("CURENT_ECHIQUIER", G::General, R::Text, s.CURENT_ECHIQUIER, false);
    f("CURENT_PIECE", G::General, R::Text, s.CURENT_PIECE, false);
    f("AFF_REPERE", G::General, R::Head, s.AFF_REPERE, false);
    f("ZIP_PARTIE", G::General, R::Head, s.ZIP_PARTIE, false);
    f("SAUVE_ABREGE", G::General, R::Head, s.SAUVE_ABREGE, false);
    f("AFF_NOUVELLE", G::General, R::Head, s.AFF_NOUVELLE, false);
    f("MACHINE_TRACE_COUP", G::General, R::Head, s.MACHINE_TRACE_COUP, false);
    f("ACTIVE_SON", G::General, R::Head, s.ACTIVE_SON, false);
    f("IMP", G::General, R::Head, s.IMP, false);
    f("BULLE_AIDE", G::General, R::Head, s.BULLE_AIDE, false);
    f("PARTIE_FILTRE", G::General, R::Text, s.PARTIE_FILTRE, false);
    f("MAX_SEUIL_PARTIE", G::General, R::Integer, s.MAX_SEUIL_PARTIE, false);
    f("MAX_COUP_OUVERTURE", G::General, R::Integer, s.MAX_COUP_OUVERTURE, false);
    f("OUVERTURE_DEFAUT", G::General, R::Text, s.OUVERTURE_DEFAUT[p], true);
    f("OUVERTURE_ALEATOIRE", G::General, R::Head, s.OUVERTURE_ALEATOIRE[p], true);
    f("FILE_LOG", G::General, R::Text, s.FILE_LOG, false);
    f("GES_LOG", G::General, R::Head, s.GES_LOG, false);
    f("ACTIVE_HORLOGE", G::General, R::Head, s.ACTIVE_HORLOGE, false);
    f("DELAI_PARTIE", G::General, R::Text, s.DELAI_PARTIE, false);
    f("DELAI_ATTENTE", G::General, R::Integer, s.DELAI_ATTENTE, false);
    f("VERSION_XML", G::General, R::Text, s.VERSION_XML, false);

    f("IP_MODE_SERVEUR", G::TcpIp, R::Head, s.IP_MODE_SERVEUR, false);
    f("IP_ADRESSE_HOST", G::TcpIp, R::Text, s.IP_ADRESSE_HOST, false);
    f("IP_NUM_PORT", G::TcpIp, R::Text, s.IP_NUM_PORT, false);
    f("IP_NOM_UTILISATEUR", G::TcpIp, R::Text, s.IP_NOM_UTILISATEUR, false);

    f("ACTIVE_BASE_CON", G::Calculation, R::Head, s.ACTIVE_BASE_CON[p], true);
    f("PROFONDEUR_MAX", G::Calculation, R::Integer, s.PROFONDEUR_MAX[p], true);
    for (const Piece& pc : Pieces)
        f(std::string("NOTE_MOBILITE_") + pc.suffix, G::Calculation, R::Real,
          s.NOTE_MOBILITE[p][pc.type], true);
    for (const Piece& pc : Pieces)
        f(std::string("MOBILITE_EVOLUTIVE_") + pc.suffix, G::Calculation, R::Real,
          s.MOBILITE_EVOLUTIVE[p][pc.type], true);
    for (const Piece& pc : Pieces)
        f(std::string("NOTE_MATERIEL_") + pc.suffix, G::Calculation, R::Real,
          s.NOTE_MATERIEL[p][pc.type], true);
    f("BONUS_ECHEC", G::Calculation, R::Real, s.BONUS_ECHEC[p], true);
    f("SEUIL_BONUS_ECHEC", G::Calculation, R::Integer, s.SEUIL_BONUS_ECHEC[p], true);
    f("NOTE_PROMOTION", G::Calculation, R::Real, s.NOTE_PROMOTION[p], true);
    f("NOTE_ROQUE", G::Calculation, R::Real, s.NOTE_ROQUE[p], true);
    f("MALUS_DOUBLE", G::Calculation, R::Real, s.MALUS_DOUBLE[p], true);
    f("MALUS_ROI", G::Calculation, R::Real, s.MALUS_ROI[p], true);
    f("NOTE_CENTRE", G::Calculation, R::Real, s.NOTE_CENTRE[p], true);
    f("SEUIL_CENTRE", G::Calculation, R::RealInteger, s.SEUIL_CENTRE[p], true);
    f("INDICE_DEFENSE", G::Calculation, R::Head, s.INDICE_DEFENSE[p], true);
    f("INDICE_ATTAQUE", G::Calculation, R::Real, s.INDICE_ATTAQUE[p], true);
    f("ALPHA_BETA", G::Calculation, R::Head, s.ALPHA_BETA[p], true);
    f("SEUIL_PARTIE_NULLE", G::Calculation, R::Real, s.SEUIL_PARTIE_NULLE, false);

    f("CRITERE_EVENT", G::Filter, R::Text, s.CRITERE_EVENT, false);
    f("CRITERE_SITE", G::Filter, R::Text, s.CRITERE_SITE, false);
    f("CRITERE_BLANC", G::Filter, R::Text, s.CRITERE_BLANC, false);
    f("CRITERE_NOIR", G::Filter, R::Text, s.CRITERE_NOIR, false);
    f("CRITERE_LESDEUX", G::Filter, R::Head, s.CRITERE_LESDEUX, false);
    f("CRITERE_ECO", G::Filter, R::Text, s.CRITERE_ECO, false);
    f("CRITERE_RONDE", G::Filter, R::Text, s.CRITERE_RONDE, false);
    f("CRITERE_RESULTAT", G::Filter, R::Text, s.CRITERE_RESULTAT, false);
    f("CRITERE_DATE", G::Filter, R::Text, s.CRITERE_DATE, false);

    f("BASE_CORRES", G::Mel, R::Text, s.BASE_CORRES, false);
    f("ADRESSE_MEL", G::Mel, R::Text, s.ADRESSE_MEL, false);
    f("NB_JOUR_MAX", G::Mel, R::Head, s.NB_JOUR_MAX, false);
    f("MEL_ENVOI", G::Mel, R::Head, s.MEL_ENVOI, false);
    f("SMTP_SERVEUR", G::Mel, R::Text, s.SMTP_SERVEUR, false);
    f("SMTP_PORT", G::Mel, R::Integer, s.SMTP_PORT, false);
    f("SMTP_SECURITE", G::Mel, R::Integer, s.SMTP_SECURITE, false);
    f("SMTP_UTILISATEUR", G::Mel, R::Text, s.SMTP_UTILISATEUR, false);

    f("ACTUALITE_XML", G::Reading, R::Text, s.ACTUALITE_XML, false);
}

std::string trim(std::string_view s) {
    auto white = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t a = 0, b = s.size();
    while (a < b && white(s[a])) ++a;
    while (b > a && white(s[b - 1])) --b;
    return std::string(s.substr(a, b - a));
}

// Rounds to the field's type, halves to the even neighbour; nothing when it does not fit.
template <typename T> std::optional<T> rounded(double v) {
    if constexpr (std::is_same_v<T, float>) {
        if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
            return std::nullopt;
        return static_cast<float>(v);
    } else {
        double r = std::nearbyint(v);
        if (!std::isfinite(r) || r < std::numeric_limits<T>::min() ||
            r > std::numeric_limits<T>::max())
            return std::nullopt;
        return static_cast<T>(r);
    }
}

bool isPath(std::string_view key) {
    return key == "BASE_ECO" || key == "BASE_CORRES" || key == "FILE_LOG";
}

// Stores one value by its key's rule; false when the value cannot be read.
template <typename T>
bool apply(std::string_view key, Rule rule, T& field, const std::string& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        field = isPath(key) ? settingPath(value) : value;
        return true;
    } else {
        std::optional<double> v;
        switch (rule) {
        case Rule::Integer:
            v = strictNumber(value);
            break;
        case Rule::Head:
            v = leadingNumber(value);
            break;
        default:
            v = lire_nombre(value);
            break;
        }
        if (!v) return false;
        if (rule == Rule::RealInteger) v = std::nearbyint(*v);
        auto r = rounded<T>(*v);
        if (!r) return false;
        field = *r;
        return true;
    }
}

template <typename T> std::string value(const T& v) {
    if constexpr (std::is_same_v<T, std::string>) {
        std::string t = v;
        for (char& c : t)
            if (c == '\r' || c == '\n') c = ' '; // one line per key, as the reader splits them
        return t;
    } else if constexpr (std::is_same_v<T, float>) {
        char buffer[64];
        auto outcome = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
        return std::string(buffer, outcome.ptr);
    } else {
        return std::to_string(static_cast<long long>(v));
    }
}

struct Line {
    std::string text, wanted, value;
};

// Lines end at CR, LF or CR LF, so no value ever holds a line break.
std::vector<Line> entryLines(const std::string& content) {
    std::vector<Line> out;
    const std::string text = utf8Text(content);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string t = trim(std::string_view(text).substr(start, end - start));
        start = end + 1;
        auto eq = t.find('=');
        if (eq == std::string::npos || t[0] == '[') continue;
        out.push_back({t, t.substr(0, eq), t.substr(eq + 1)});
    }
    return out;
}

bool readFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return !in.bad();
}

} // namespace

std::optional<double> strictNumber(std::string_view text) {
    std::string t = trim(text);
    std::size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
    bool digits = false, mark = false;
    for (std::size_t k = i; k < t.size(); ++k) {
        if (t[k] >= '0' && t[k] <= '9')
            digits = true;
        else if ((t[k] == '.' || t[k] == ',') && !mark)
            mark = true;
        else
            return std::nullopt;
    }
    if (!digits) return std::nullopt;
    return lire_nombre(t);
}

std::optional<std::string> keyValue(const Settings& s, std::string_view wanted, int profile) {
    std::optional<std::string> out;
    walkKeys(s, profile,
             [&](const std::string& key, Section section, Rule, const auto& field, bool) {
                 if (!out && section != Section::Reading && key == wanted) out = value(field);
             });
    return out;
}

bool assignKey(Settings& s, std::string_view wanted, const std::string& text, int profile) {
    bool ok = false;
    walkKeys(s, profile,
             [&](const std::string& key, Section section, Rule rule, auto& field, bool) {
                 if (!ok && section != Section::Reading && key == wanted)
                     ok = apply(key, rule, field, text);
             });
    return ok;
}

std::string settingPath(std::string value) {
    for (char& c : value)
        if (c == '\\') c = '/';
    for (const char* base : {"eco", "corres"}) {
        std::string old = std::string(base) + ".mdb";
        if (value.size() >= old.size() && value.ends_with(old) &&
            (value.size() == old.size() || value[value.size() - old.size() - 1] == '/'))
            value.replace(value.size() - 3, 3, "db");
    }
    return value;
}

std::string absolutePath(const std::string& path, const std::string& installDir) {
    if (path.empty() || std::filesystem::path(path).is_absolute()) return path;
    return installDir + "/" + path;
}

std::string settingsText(const Settings& s, int profile) {
    std::string out;
    Section current = Section::Reading;
    walkKeys(s, profile,
             [&](const std::string& key, Section section, Rule, const auto& field, bool) {
                 if (section == Section::Reading) return;
                 if (section != current) {
                     out += sectionName(section);
                     out += "\r\n";
                     current = section;
                 }
                 out += key + "=" + value(field) + "\r\n";
             });
    return out;
}

std::string ecrire_reglages(const Settings& s, const std::string& path, int profile) {
    return AtomicFileWriter::writeFile(path, settingsText(s, profile));
}

SettingsReading lire_reglages(const std::string& path, const std::string& installDir, Settings& s,
                              int profile) {
    SettingsReading r;
    s = builtInSettings(installDir);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        applyNewFile(s);
        r.state = SettingsReading::State::Created;
        r.error = ecrire_reglages(s, path, profile);
        return r;
    }
    std::string content;
    if (!std::filesystem::is_regular_file(path, ec) || !readFile(path, content)) {
        r.state = SettingsReading::State::Unreadable;
        r.error = ec ? ec.message() : std::strerror(errno);
        return r;
    }
    return readSettingsText(content, s, profile);
}

SettingsReading readSettingsText(const std::string& content, Settings& s, int profile) {
    SettingsReading r;
    for (const Line& l : entryLines(content)) {
        bool known = false, ok = true;
        walkKeys(s, profile, [&](const std::string& key, Section, Rule rule, auto& field, bool) {
            if (known || key != l.wanted) return;
            known = true;
            ok = apply(key, rule, field, l.value);
        });
        if (!known) {
            r.state = SettingsReading::State::UnknownKey;
            r.line = l.text;
            return r;
        }
        if (!ok) r.ignored.push_back(l.text);
    }
    // Earlier files carry an address the project never owned: no check may call it.
    if (s.VERSION_XML == "https://quarvelin.org/xml/version.xml") s.VERSION_XML.clear();
    return r;
}

std::string unknownKeyMessage(const TextCatalogue& catalogue, const std::string& path,
                              const std::string& line) {
    return catalogue.text(TextKey::SettingsSyntaxError) + path + "\n -> (" + line +
           ") incorrecte !";
}

bool readProfile(const std::string& file, Settings& s, int profile) {
    std::string content;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) || !readFile(file, content)) return false;
    for (const Line& l : entryLines(content))
        walkKeys(s, profile,
                 [&](const std::string& key, Section, Rule rule, auto& field, bool perProfile) {
                     if (perProfile && key == l.wanted) apply(key, rule, field, l.value);
                 });
    return true;
}

bool loadProfiles(const std::string& file1, const std::string& file2, Settings& s, Dialogs& dialogs,
                  const TextCatalogue& catalogue) {
    Settings loaded = s;
    const std::string* files[2] = {&file1, &file2};
    for (int i = 0; i < 2; ++i) {
        if (!readProfile(*files[i], loaded, i + 1)) {
            dialogs.message("quarvelin",
                            "[" + *files[i] + "] " + catalogue.text(TextKey::FileNotFound),
                            DialogIcon::Exclamation);
            return false;
        }
    }
    s = loaded;
    s.TwoProfiles = true;
    s.ProfileFiles[1] = file1;
    s.ProfileFiles[2] = file2;
    dialogs.message("quarvelin", catalogue.text(TextKey::ProfilesLoaded), DialogIcon::Information);
    return true;
}

} // namespace quarvelin
