#include "localisation/Catalogue.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <charconv>
#include <cstdlib>
#include <mutex>

// The resources live in a static library; without this call the linker drops them.
static void initialiser_ressources() { Q_INIT_RESOURCE(data); }

namespace quarvelin {

namespace {

constexpr const char* Fichiers[NombreLangues] = {"fr.txt", "en.txt", "it.txt", "es.txt",
                                                 "de.txt", "pt.txt", "ru.txt", "pl.txt"};
constexpr const char* Codes[NombreLangues] = {"fr", "en", "it", "es", "de", "pt", "ru", "pl"};

bool cle_valide(int cleLangue) { return cleLangue >= 1 && cleLangue <= NombreLangues; }

// A literal backslash-n in a file stands for a line break.
std::string deproteger(std::string_view brut) {
    std::string text;
    text.reserve(brut.size());
    for (std::size_t i = 0; i < brut.size(); ++i) {
        if (brut[i] == '\\' && i + 1 < brut.size() && brut[i + 1] == 'n') {
            text.push_back('\n');
            ++i;
        } else {
            text.push_back(brut[i]);
        }
    }
    return text;
}

} // namespace

Catalogue::Catalogue() {
    static std::once_flag fait;
    std::call_once(fait, initialiser_ressources);
    charger(":/catalogue");
}

Catalogue::Catalogue(const std::string& dossier) { charger(dossier); }

int Catalogue::base_texte(int cleLangue) {
    return cle_valide(cleLangue) ? 10 + 1000 * (cleLangue - 1) : 1010;
}

int Catalogue::notation_langue(int cleLangue) { return cleLangue == 1 ? 1 : 2; }

const char* Catalogue::nom_fichier(int cleLangue) {
    return Fichiers[cle_valide(cleLangue) ? cleLangue - 1 : 1];
}

void Catalogue::appliquer_langue(int cleLangue) { baseTexte_ = base_texte(cleLangue); }

std::string Catalogue::texte_catalogue(int number) const {
    if (number < 10) return {};
    const int indice = (number - 10) / 1000;
    if (indice >= NombreLangues) return {};
    const int decalage = (number - 10) % 1000;
    const Langue& langue = langues_[indice];
    if (decalage < 1 || !langue.presents[decalage]) return {};
    return langue.textes[decalage];
}

std::string Catalogue::text(TextKey key) const {
    return texte_catalogue(baseTexte_ + offsetOf(key));
}

std::vector<int> Catalogue::decalages(int cleLangue) const {
    std::vector<int> liste;
    if (!cle_valide(cleLangue)) return liste;
    const Langue& langue = langues_[cleLangue - 1];
    for (int d = 1; d <= DecalageMaximal; ++d)
        if (langue.presents[d]) liste.push_back(d);
    return liste;
}

void Catalogue::charger(const std::string& dossier) {
    for (int i = 0; i < NombreLangues; ++i) {
        langues_[i].textes.assign(DecalageMaximal + 1, std::string());
        langues_[i].presents.assign(DecalageMaximal + 1, false);
        QFile fichier(QString::fromStdString(dossier + "/" + Fichiers[i]));
        if (!fichier.open(QIODevice::ReadOnly)) {
            problemes_.push_back(std::string(Fichiers[i]) + ": cannot be opened");
            continue;
        }
        const QByteArray contenu = fichier.readAll();
        analyser(i, Fichiers[i], std::string_view(contenu.constData(), contenu.size()));
    }
}

void Catalogue::analyser(int indice, const std::string& fichier, std::string_view contenu) {
    if (contenu.substr(0, 3) == "\xEF\xBB\xBF") contenu.remove_prefix(3);
    Langue& langue = langues_[indice];
    int numeroLigne = 0;
    while (!contenu.empty()) {
        const std::size_t fin = contenu.find('\n');
        std::string_view line = contenu.substr(0, fin);
        contenu.remove_prefix(fin == std::string_view::npos ? contenu.size() : fin + 1);
        ++numeroLigne;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        const auto probleme = [&](const char* reason) {
            problemes_.push_back(fichier + ":" + std::to_string(numeroLigne) + ": " + reason);
        };
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            probleme("no tab after the offset");
            continue;
        }
        const std::string_view nombre = line.substr(0, tab);
        int decalage = 0;
        const auto lu = std::from_chars(nombre.data(), nombre.data() + nombre.size(), decalage);
        if (nombre.empty() || lu.ec != std::errc() || lu.ptr != nombre.data() + nombre.size() ||
            decalage < 1 || decalage > DecalageMaximal) {
            probleme("offset is not a number from 1 to 999");
            continue;
        }
        if (langue.presents[decalage]) {
            probleme("duplicate offset");
            continue;
        }
        langue.presents[decalage] = true;
        langue.textes[decalage] = deproteger(line.substr(tab + 1));
    }
}

int langue_de_locale(std::string_view nom) {
    const std::size_t fin = nom.find_first_of("_.@-");
    const std::string_view code = nom.substr(0, fin);
    if (code.size() != 2) return 2;
    std::string minuscules;
    for (char c : code) minuscules.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    for (int i = 0; i < NombreLangues; ++i)
        if (minuscules == Codes[i]) return i + 1;
    return 2;
}

int langue_systeme() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* valeur = std::getenv(variable);
        if (valeur != nullptr && *valeur != '\0') return langue_de_locale(valeur);
    }
    return 2;
}

} // namespace quarvelin
