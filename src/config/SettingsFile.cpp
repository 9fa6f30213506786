#include "config/SettingsFile.h"

#include "localisation/Encoding.h"
#include "notation/NumberReader.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <type_traits>
#include <unistd.h>

namespace quarvelin {

namespace {

enum class Section { General, TcpIp, Calcul, Filtre, Mel, Lecture };
enum class Regle { Texte, Entier, Tete, Reel, ReelEntier };

const char* nom_section(Section s) {
    switch (s) {
    case Section::General:
        return "[GENERAL]";
    case Section::TcpIp:
        return "[TCP/IP]";
    case Section::Calcul:
        return "[CALCUL]";
    case Section::Filtre:
        return "[FILTRE]";
    case Section::Mel:
        return "[MEL]";
    default:
        return "";
    }
}

struct Piece {
    const char* suffixe;
    int type;
};
constexpr Piece Pieces[6] = {{"PION", 2}, {"FOU", 5},  {"CAVALIER", 4},
                             {"TOUR", 3}, {"DAME", 6}, {"ROI", 7}};

// Every key in the order of the file, with its section, reading rule, field and whether it
// belongs to an engine profile. S is Settings or const Settings.
template <typename S, typename F> void parcourir_cles(S& s, int p, F&& f) {
    using G = Section;
    using R = Regle;
    f("FIRST_STARTUP", G::General, R::Entier, s.FIRST_STARTUP, false);
    f("CLE_LANGUE", G::General, R::Entier, s.CLE_LANGUE, false);
    f("NOM_JOUEUR", G::General, R::Texte, s.NOM_JOUEUR[p], true);
    f("NOM_MOTEUR", G::General, R::Texte, s.NOM_MOTEUR[p], true);
    f("MODE_JEUX", G::General, R::Entier, s.MODE_JEUX, false);
    f("LIEU_JEU", G::General, R::Texte, s.LIEU_JEU, false);
    f("NIVEAU_ELO", G::General, R::Entier, s.NIVEAU_ELO[p], true);
    f("BASE_ECO", G::General, R::Texte, s.BASE_ECO, false);
    f("TRI_ECO", G::General, R::Tete, s.TRI_ECO, false);
    f("DEB_BLANC", G::General, R::Tete, s.DEB_BLANC, false);
    f("CURENT_ECHIQUIER", G::General, R::Texte, s.CURENT_ECHIQUIER, false);
    f("CURENT_PIECE", G::General, R::Texte, s.CURENT_PIECE, false);
    f("AFF_REPERE", G::General, R::Tete, s.AFF_REPERE, false);
    f("ZIP_PARTIE", G::General, R::Tete, s.ZIP_PARTIE, false);
    f("SAUVE_ABREGE", G::General, R::Tete, s.SAUVE_ABREGE, false);
    f("AFF_NOUVELLE", G::General, R::Tete, s.AFF_NOUVELLE, false);
    f("MACHINE_TRACE_COUP", G::General, R::Tete, s.MACHINE_TRACE_COUP, false);
    f("ACTIVE_SON", G::General, R::Tete, s.ACTIVE_SON, false);
    f("IMP", G::General, R::Tete, s.IMP, false);
    f("BULLE_AIDE", G::General, R::Tete, s.BULLE_AIDE, false);
    f("PARTIE_FILTRE", G::General, R::Texte, s.PARTIE_FILTRE, false);
    f("MAX_SEUIL_PARTIE", G::General, R::Entier, s.MAX_SEUIL_PARTIE, false);
    f("MAX_COUP_OUVERTURE", G::General, R::Entier, s.MAX_COUP_OUVERTURE, false);
    f("OUVERTURE_DEFAUT", G::General, R::Texte, s.OUVERTURE_DEFAUT[p], true);
    f("OUVERTURE_ALEATOIRE", G::General, R::Tete, s.OUVERTURE_ALEATOIRE[p], true);
    f("FILE_LOG", G::General, R::Texte, s.FILE_LOG, false);
    f("GES_LOG", G::General, R::Tete, s.GES_LOG, false);
    f("ACTIVE_HORLOGE", G::General, R::Tete, s.ACTIVE_HORLOGE, false);
    f("DELAI_PARTIE", G::General, R::Texte, s.DELAI_PARTIE, false);
    f("DELAI_ATTENTE", G::General, R::Entier, s.DELAI_ATTENTE, false);
    f("VERSION_XML", G::General, R::Texte, s.VERSION_XML, false);

    f("IP_MODE_SERVEUR", G::TcpIp, R::Tete, s.IP_MODE_SERVEUR, false);
    f("IP_ADRESSE_HOST", G::TcpIp, R::Texte, s.IP_ADRESSE_HOST, false);
    f("IP_NUM_PORT", G::TcpIp, R::Texte, s.IP_NUM_PORT, false);
    f("IP_NOM_UTILISATEUR", G::TcpIp, R::Texte, s.IP_NOM_UTILISATEUR, false);

    f("ACTIVE_BASE_CON", G::Calcul, R::Tete, s.ACTIVE_BASE_CON[p], true);
    f("PROFONDEUR_MAX", G::Calcul, R::Entier, s.PROFONDEUR_MAX[p], true);
    for (const Piece& pc : Pieces)
        f(std::string("NOTE_MOBILITE_") + pc.suffixe, G::Calcul, R::Reel,
          s.NOTE_MOBILITE[p][pc.type], true);
    for (const Piece& pc : Pieces)
        f(std::string("MOBILITE_EVOLUTIVE_") + pc.suffixe, G::Calcul, R::Reel,
          s.MOBILITE_EVOLUTIVE[p][pc.type], true);
    for (const Piece& pc : Pieces)
        f(std::string("NOTE_MATERIEL_") + pc.suffixe, G::Calcul, R::Reel,
          s.NOTE_MATERIEL[p][pc.type], true);
    f("BONUS_ECHEC", G::Calcul, R::Reel, s.BONUS_ECHEC[p], true);
    f("SEUIL_BONUS_ECHEC", G::Calcul, R::Entier, s.SEUIL_BONUS_ECHEC[p], true);
    f("NOTE_PROMOTION", G::Calcul, R::Reel, s.NOTE_PROMOTION[p], true);
    f("NOTE_ROQUE", G::Calcul, R::Reel, s.NOTE_ROQUE[p], true);
    f("MALUS_DOUBLE", G::Calcul, R::Reel, s.MALUS_DOUBLE[p], true);
    f("MALUS_ROI", G::Calcul, R::Reel, s.MALUS_ROI[p], true);
    f("NOTE_CENTRE", G::Calcul, R::Reel, s.NOTE_CENTRE[p], true);
    f("SEUIL_CENTRE", G::Calcul, R::ReelEntier, s.SEUIL_CENTRE[p], true);
    f("INDICE_DEFENSE", G::Calcul, R::Tete, s.INDICE_DEFENSE[p], true);
    f("INDICE_ATTAQUE", G::Calcul, R::Reel, s.INDICE_ATTAQUE[p], true);
    f("ALPHA_BETA", G::Calcul, R::Tete, s.ALPHA_BETA[p], true);
    f("SEUIL_PARTIE_NULLE", G::Calcul, R::Reel, s.SEUIL_PARTIE_NULLE, false);

    f("CRITERE_EVENT", G::Filtre, R::Texte, s.CRITERE_EVENT, false);
    f("CRITERE_SITE", G::Filtre, R::Texte, s.CRITERE_SITE, false);
    f("CRITERE_BLANC", G::Filtre, R::Texte, s.CRITERE_BLANC, false);
    f("CRITERE_NOIR", G::Filtre, R::Texte, s.CRITERE_NOIR, false);
    f("CRITERE_LESDEUX", G::Filtre, R::Tete, s.CRITERE_LESDEUX, false);
    f("CRITERE_ECO", G::Filtre, R::Texte, s.CRITERE_ECO, false);
    f("CRITERE_RONDE", G::Filtre, R::Texte, s.CRITERE_RONDE, false);
    f("CRITERE_RESULTAT", G::Filtre, R::Texte, s.CRITERE_RESULTAT, false);
    f("CRITERE_DATE", G::Filtre, R::Texte, s.CRITERE_DATE, false);

    f("BASE_CORRES", G::Mel, R::Texte, s.BASE_CORRES, false);
    f("ADRESSE_MEL", G::Mel, R::Texte, s.ADRESSE_MEL, false);
    f("NB_JOUR_MAX", G::Mel, R::Tete, s.NB_JOUR_MAX, false);

    f("ACTUALITE_XML", G::Lecture, R::Texte, s.ACTUALITE_XML, false);
}

std::string trim(std::string_view s) {
    auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t a = 0, b = s.size();
    while (a < b && blanc(s[a])) ++a;
    while (b > a && blanc(s[b - 1])) --b;
    return std::string(s.substr(a, b - a));
}

// Rounds to the field's type, halves to the even neighbour; nothing when it does not fit.
template <typename T> std::optional<T> arrondi(double v) {
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

bool est_chemin(std::string_view key) {
    return key == "BASE_ECO" || key == "BASE_CORRES" || key == "FILE_LOG";
}

// Stores one value by its key's rule; false when the value cannot be read.
template <typename T>
bool appliquer(std::string_view key, Regle regle, T& field, const std::string& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        field = est_chemin(key) ? chemin_reglage(value) : value;
        return true;
    } else {
        std::optional<double> v;
        switch (regle) {
        case Regle::Entier:
            v = nombre_strict(value);
            break;
        case Regle::Tete:
            v = leadingNumber(value);
            break;
        default:
            v = lire_nombre(value);
            break;
        }
        if (!v) return false;
        if (regle == Regle::ReelEntier) v = std::nearbyint(*v);
        auto r = arrondi<T>(*v);
        if (!r) return false;
        field = *r;
        return true;
    }
}

template <typename T> std::string valeur(const T& v) {
    if constexpr (std::is_same_v<T, std::string>) {
        std::string t = v;
        for (char& c : t)
            if (c == '\r' || c == '\n') c = ' '; // one line per key, as the reader splits them
        return t;
    } else if constexpr (std::is_same_v<T, float>) {
        char buffer[64];
        auto res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed);
        return std::string(buffer, res.ptr);
    } else {
        return std::to_string(static_cast<long long>(v));
    }
}

struct Ligne {
    std::string text, cle, valeur;
};

// Lines end at CR, LF or CR LF, so no value ever holds a line break.
std::vector<Ligne> lignes_entrees(const std::string& content) {
    std::vector<Ligne> out;
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

bool lire_fichier(const std::string& chemin, std::string& content) {
    std::ifstream in(chemin, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return !in.bad();
}

} // namespace

std::optional<double> nombre_strict(std::string_view text) {
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

std::optional<std::string> valeur_cle(const Settings& s, std::string_view cle, int profil) {
    std::optional<std::string> out;
    parcourir_cles(s, profil,
                   [&](const std::string& key, Section section, Regle, const auto& field, bool) {
                       if (!out && section != Section::Lecture && key == cle) out = valeur(field);
                   });
    return out;
}

bool affecter_cle(Settings& s, std::string_view cle, const std::string& text, int profil) {
    bool ok = false;
    parcourir_cles(s, profil,
                   [&](const std::string& key, Section section, Regle regle, auto& field, bool) {
                       if (!ok && section != Section::Lecture && key == cle)
                           ok = appliquer(key, regle, field, text);
                   });
    return ok;
}

std::string chemin_reglage(std::string valeur) {
    for (char& c : valeur)
        if (c == '\\') c = '/';
    for (const char* base : {"eco", "corres"}) {
        std::string old = std::string(base) + ".mdb";
        if (valeur.size() >= old.size() && valeur.ends_with(old) &&
            (valeur.size() == old.size() || valeur[valeur.size() - old.size() - 1] == '/'))
            valeur.replace(valeur.size() - 3, 3, "db");
    }
    return valeur;
}

std::string chemin_absolu(const std::string& chemin, const std::string& installDir) {
    if (chemin.empty() || std::filesystem::path(chemin).is_absolute()) return chemin;
    return installDir + "/" + chemin;
}

std::string texte_reglages(const Settings& s, int profil) {
    std::string out;
    Section current = Section::Lecture;
    parcourir_cles(s, profil,
                   [&](const std::string& key, Section section, Regle, const auto& field, bool) {
                       if (section == Section::Lecture) return;
                       if (section != current) {
                           out += nom_section(section);
                           out += "\r\n";
                           current = section;
                       }
                       out += key + "=" + valeur(field) + "\r\n";
                   });
    return out;
}

std::string ecrire_reglages(const Settings& s, const std::string& chemin, int profil) {
    const std::string content = texte_reglages(s, profil);
    const std::string temp = chemin + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return std::strerror(errno);
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return why;
        }
        done += static_cast<std::size_t>(n);
    }
    // On disk before it replaces the old file, so a crash leaves one whole file or the other.
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        return why;
    }
    if (::rename(temp.c_str(), chemin.c_str()) != 0) {
        std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        return why;
    }
    return {};
}

LectureReglages lire_reglages(const std::string& chemin, const std::string& installDir, Settings& s,
                              int profil) {
    LectureReglages r;
    s = reglages_integres(installDir);
    std::error_code ec;
    if (!std::filesystem::exists(chemin, ec)) {
        appliquer_nouveau_fichier(s);
        r.etat = LectureReglages::Etat::Cree;
        r.erreur = ecrire_reglages(s, chemin, profil);
        return r;
    }
    std::string content;
    if (!std::filesystem::is_regular_file(chemin, ec) || !lire_fichier(chemin, content)) {
        r.etat = LectureReglages::Etat::Illisible;
        r.erreur = ec ? ec.message() : std::strerror(errno);
        return r;
    }
    return lire_texte_reglages(content, s, profil);
}

LectureReglages lire_texte_reglages(const std::string& content, Settings& s, int profil) {
    LectureReglages r;
    for (const Ligne& l : lignes_entrees(content)) {
        bool known = false, ok = true;
        parcourir_cles(s, profil,
                       [&](const std::string& key, Section, Regle regle, auto& field, bool) {
                           if (known || key != l.cle) return;
                           known = true;
                           ok = appliquer(key, regle, field, l.valeur);
                       });
        if (!known) {
            r.etat = LectureReglages::Etat::CleInconnue;
            r.line = l.text;
            return r;
        }
        if (!ok) r.ignorees.push_back(l.text);
    }
    return r;
}

std::string message_cle_inconnue(const TextCatalogue& catalogue, const std::string& chemin,
                                 const std::string& line) {
    return catalogue.text(TextKey::SettingsSyntaxError) + chemin + "\n -> (" + line +
           ") incorrecte !";
}

bool lire_profil(const std::string& file, Settings& s, int profil) {
    std::string content;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) || !lire_fichier(file, content))
        return false;
    for (const Ligne& l : lignes_entrees(content))
        parcourir_cles(
            s, profil,
            [&](const std::string& key, Section, Regle regle, auto& field, bool parProfil) {
                if (parProfil && key == l.cle) appliquer(key, regle, field, l.valeur);
            });
    return true;
}

bool charger_profils(const std::string& fichier1, const std::string& fichier2, Settings& s,
                     Dialogs& dialogs, const TextCatalogue& catalogue) {
    Settings loaded = s;
    const std::string* fichiers[2] = {&fichier1, &fichier2};
    for (int i = 0; i < 2; ++i) {
        if (!lire_profil(*fichiers[i], loaded, i + 1)) {
            dialogs.message("quarvelin",
                            "[" + *fichiers[i] + "] " + catalogue.text(TextKey::FileNotFound),
                            DialogIcon::Exclamation);
            return false;
        }
    }
    s = loaded;
    s.TwoProfiles = true;
    s.ProfileFiles[1] = fichier1;
    s.ProfileFiles[2] = fichier2;
    dialogs.message("quarvelin", catalogue.text(TextKey::ProfilesLoaded), DialogIcon::Information);
    return true;
}

} // namespace quarvelin
