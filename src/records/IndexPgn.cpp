#include "records/IndexPgn.h"

#include "localisation/Encoding.h"
#include "records/DebutPartie.h"
#include "records/SelectionFiltre.h"
#include "session/Annulation.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>

namespace quarvelin {

namespace {

constexpr std::size_t TailleBloc = 1 << 20;
constexpr std::size_t Aucun = std::string::npos;

constexpr std::string_view NomsChamps[IndexPgn::NombreChamps] = {
    "event", "site", "date", "round", "white", "black", "result", "eco"};

bool meme_nom(std::string_view name, std::string_view minuscules);

// The field a tag name stands for, in any case; -1 for the others.
int champ(std::string_view name) {
    if (name.size() < 3 || name.size() > 6) return -1;
    int c = -1;
    switch (name[0] | 0x20) {
    case 'e':
        c = name.size() == 3 ? IndexPgn::Eco : IndexPgn::Event;
        break;
    case 's':
        c = IndexPgn::Site;
        break;
    case 'd':
        c = IndexPgn::Date;
        break;
    case 'r':
        c = name.size() == 5 ? IndexPgn::Round : IndexPgn::Result;
        break;
    case 'w':
        c = IndexPgn::White;
        break;
    case 'b':
        c = IndexPgn::Black;
        break;
    default:
        return -1;
    }
    return meme_nom(name, NomsChamps[c]) ? c : -1;
}

bool meme_nom(std::string_view name, std::string_view minuscules) {
    if (name.size() != minuscules.size()) return false;
    for (std::size_t k = 0; k < name.size(); ++k) {
        char c = name[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != minuscules[k]) return false;
    }
    return true;
}

bool ascii(std::string_view s) {
    unsigned char bits = 0;
    for (char c : s) bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}

// The tags of one game's header as found in the block: views into it, except values that held
// escapes, which are kept unescaped beside.
struct Entete {
    std::array<std::string_view, IndexPgn::NombreChamps> valeurs{};
    std::array<std::string, IndexPgn::NombreChamps> echappees;
    std::string texteTags; // only when a filter needs it
    std::size_t end = Aucun;

    void clear() {
        valeurs.fill({});
        texteTags.clear();
        end = Aucun;
    }

    // One line of the header: one tag or several written side by side.
    void lire_ligne(std::string_view line, bool avecTexte) {
        const char* d = line.data();
        const std::size_t n = line.size();
        std::size_t k = 0;
        while (k < n && d[k] == '[') {
            std::size_t t = k + 1;
            while (t < n && !blanc_de_ligne(d[t]) && d[t] != '"' && d[t] != ']') ++t;
            const int c = champ(line.substr(k + 1, t - k - 1));
            std::string_view value;
            bool echappe = false;
            while (t < n && blanc_de_ligne(d[t])) ++t;
            if (t < n && d[t] == '"') {
                const std::size_t debut = ++t;
                for (;;) {
                    const void* q = std::memchr(d + t, '"', n - t);
                    t = q ? static_cast<std::size_t>(static_cast<const char*>(q) - d) : n;
                    if (t == n || d[t - 1] != '\\') break;
                    // An escaped quote, unless the backslash is itself escaped.
                    std::size_t barres = 0;
                    while (t - barres > debut && d[t - 1 - barres] == '\\') ++barres;
                    if (barres % 2 == 0) break;
                    ++t;
                }
                value = line.substr(debut, t - debut);
                echappe = value.find('\\') != std::string_view::npos;
                if (t < n) ++t;
            }
            const void* crochet = std::memchr(d + t, ']', n - t);
            const std::size_t finTag =
                crochet ? static_cast<std::size_t>(static_cast<const char*>(crochet) - d) : n;
            if (avecTexte) {
                if (!texteTags.empty()) texteTags += '/';
                texteTags.append(line.substr(k + 1, finTag - k - 1));
            }
            if (c >= 0) {
                if (echappe) {
                    std::string& s = echappees[static_cast<std::size_t>(c)];
                    s.clear();
                    for (std::size_t i = 0; i < value.size(); ++i) {
                        if (value[i] == '\\' && i + 1 < value.size() &&
                            (value[i + 1] == '"' || value[i + 1] == '\\'))
                            ++i;
                        s += value[i];
                    }
                    value = s;
                }
                valeurs[static_cast<std::size_t>(c)] = value;
            }
            k = finTag < n ? finTag + 1 : n;
            while (k < n && blanc_de_ligne(d[k])) ++k;
        }
    }

    // Reads the tag lines from `debut` (a line start) while they begin with '['. complet: the
    // text ends there; otherwise a header running into the end stays unfinished (fin Aucun).
    void lire(std::string_view text, std::size_t debut, bool complet, bool avecTexte) {
        clear();
        std::size_t pos = debut;
        for (;;) {
            std::size_t s = pos;
            while (s < text.size() && blanc_de_ligne(text[s])) ++s;
            if (s == text.size()) {
                if (complet) end = s;
                return;
            }
            if (text[s] != '[') {
                end = pos;
                return;
            }
            const void* nl = std::memchr(text.data() + s, '\n', text.size() - s);
            if (!nl && !complet) return;
            std::size_t e =
                nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data())
                   : text.size();
            std::size_t f = e;
            while (f > s && (text[f - 1] == '\r' || blanc_de_ligne(text[f - 1]))) --f;
            lire_ligne(text.substr(s, f - s), avecTexte);
            pos = nl ? e + 1 : e;
        }
    }
};

} // namespace

std::string_view IndexPgn::value(std::size_t i, Champ champ) const {
    const Entree& e = entree(i);
    std::uint32_t debut = champ == 0 ? 0 : e.fins[static_cast<std::size_t>(champ) - 1];
    return {textes_[e.text].get() + e.debut + debut, e.fins[champ] - debut};
}

void IndexPgn::append(std::uint64_t position,
                       const std::array<std::string_view, NombreChamps>& valeurs) {
    bool utf8 = true;
    for (std::string_view v : valeurs) utf8 = utf8 && ascii(v);
    // Names in a Windows-1252 file are kept in UTF-8, like the rest of the program's texts.
    std::array<std::string, NombreChamps> converties;
    std::array<std::string_view, NombreChamps> vues = valeurs;
    if (!utf8) {
        for (std::size_t c = 0; c < NombreChamps; ++c) {
            converties[c] = utf8Text(valeurs[c]);
            vues[c] = converties[c];
        }
    }
    std::size_t taille = 0;
    for (std::string_view& v : vues) {
        if (v.size() > ValeurMaximale) {
            std::size_t n = ValeurMaximale;
            while (n > 0 && (static_cast<unsigned char>(v[n]) & 0xC0) == 0x80) --n;
            v = v.substr(0, n);
        }
        taille += v.size();
    }
    if (textes_.empty() || TailleTexte - rempli_ < taille) {
        textes_.push_back(std::make_unique_for_overwrite<char[]>(TailleTexte));
        rempli_ = 0;
    }
    if (nombre_ % EntreesParTranche == 0)
        tranches_.push_back(std::make_unique_for_overwrite<Entree[]>(EntreesParTranche));
    Entree& e = tranches_.back()[nombre_ % EntreesParTranche];
    e.position = position;
    e.text = static_cast<std::uint32_t>(textes_.size() - 1);
    e.debut = static_cast<std::uint32_t>(rempli_);
    char* text = textes_.back().get() + rempli_;
    std::size_t end = 0;
    for (std::size_t c = 0; c < NombreChamps; ++c) {
        if (!vues[c].empty()) std::memcpy(text + end, vues[c].data(), vues[c].size());
        end += vues[c].size();
        e.fins[c] = static_cast<std::uint16_t>(end);
    }
    rempli_ += end;
    ++nombre_;
}

std::optional<IndexPgn> IndexPgn::indexer_fichier(const std::string& path,
                                                  const FiltreParties& filtre,
                                                  const Progression& progression) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    auto end = in.tellg();
    std::uint64_t taille = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    in.seekg(0);
    return indexer(in, taille, filtre, progression);
}

IndexPgn IndexPgn::indexer(std::istream& in, std::uint64_t taille, const FiltreParties& filtre,
                           const Progression& progression) {
    IndexPgn index;
    effacer_annulation();
    const SelectionFiltre selection(filtre);
    const std::int64_t maximum = std::max<std::int64_t>(filtre.maximum, 0);
    // A small file needs no more than its size; the memory is not cleared, only written.
    const std::size_t capacite =
        taille == 0 ? TailleBloc
                    : static_cast<std::size_t>(std::min<std::uint64_t>(
                          TailleBloc, std::max<std::uint64_t>(taille + 1, 64 << 10)));
    std::unique_ptr<char[]> data = std::make_unique_for_overwrite<char[]>(capacite);
    char* const tampon = data.get();
    std::size_t longueur = 0; // bytes held
    std::uint64_t base = 0;   // file position of tampon[0]
    bool debutLigne = true;   // tampon[0] starts a line
    bool finFichier = false, premier = true;
    int pourcent = -1;
    Entete entete;

    auto report = [&](std::uint64_t lus) {
        int p = taille ? static_cast<int>(std::min<std::uint64_t>(lus * 100 / taille, 100)) : 0;
        if (finFichier) p = 100;
        if (p == pourcent || !progression) return;
        pourcent = p;
        progression(p, static_cast<std::int64_t>(index.size()), index.vues_);
    };

    bool arret = maximum == 0;
    while (!arret) {
        if (!finFichier) {
            in.read(tampon + longueur, static_cast<std::streamsize>(capacite - longueur));
            std::size_t lus = static_cast<std::size_t>(in.gcount());
            longueur += lus;
            if (!in) {
                finFichier = true;
                index.erreurLecture_ = in.bad();
            }
        }
        if (premier) {
            premier = false;
            if (longueur >= 3 && std::memcmp(tampon, "\xEF\xBB\xBF", 3) == 0) {
                std::memmove(tampon, tampon + 3, longueur - 3);
                longueur -= 3;
                base = 3;
            }
        }
        const std::string_view text(tampon, longueur);
        const bool plein = longueur == capacite;
        std::size_t p = 0, garde = longueur;
        while (p < longueur) {
            RechercheDebut r = chercher_debut_partie(text, p, debutLigne, finFichier);
            if (r.line == RechercheDebut::Aucun) {
                // A candidate cut by the block's end waits for the next block, unless the
                // block is all it: then it is no game start.
                if (r.reprise == 0 && plein) {
                    p = text.find('[', p) + 1;
                    continue;
                }
                garde = r.reprise;
                break;
            }
            entete.lire(text, r.line, finFichier || (r.line == 0 && plein), selection.actif());
            if (entete.end == Aucun) {
                garde = r.line;
                break;
            }
            ++index.vues_;
            bool accepte = true;
            if (selection.actif()) {
                if (!ascii(entete.texteTags)) entete.texteTags = utf8Text(entete.texteTags);
                accepte = selection.accepte(entete.texteTags);
            }
            if (accepte) {
                index.append(base + r.line, entete.valeurs);
                if (static_cast<std::int64_t>(index.nombre_) >= maximum) {
                    arret = true;
                    break;
                }
            }
            p = std::max(entete.end, r.crochet + 1);
        }
        if (arret) break;
        report(base + garde);
        if (finFichier) break;
        if (annulation_demandee()) {
            index.annule_ = true;
            break;
        }
        debutLigne = garde == longueur ? finit_en_debut_de_ligne(text, debutLigne)
                     : garde == 0      ? debutLigne
                                       : true;
        std::memmove(tampon, tampon + garde, longueur - garde);
        base += garde;
        longueur -= garde;
    }
    if (arret) report(taille);
    return index;
}

} // namespace quarvelin
