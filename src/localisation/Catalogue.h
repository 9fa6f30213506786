#pragma once
// Every text the user reads, by number, in eight languages. Numbering is global: language k
// (CLE_LANGUE 1..8) owns numbers base..base+999 with base 10 + 1000 * (k - 1), so a text asked
// for before any language is applied (BaseTexte 0) is found by its bare number.
#include "localisation/TextCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

inline constexpr int NombreLangues = 8;
inline constexpr int DecalageMaximal = 999;

class Catalogue : public TextCatalogue {
public:
    // The eight files compiled into the program's resources.
    Catalogue();
    // fr.txt, en.txt, ... read from a directory on disk.
    explicit Catalogue(const std::string& dossier);

    static int base_texte(int cleLangue);          // 10, 1010, ... 7010; English for unknown keys
    static int notation_langue(int cleLangue);     // 1 French notation, 2 PGN
    static const char* nom_fichier(int cleLangue); // "fr.txt" ...; English for unknown keys

    void appliquer_langue(int cleLangue);
    int BaseTexte() const { return baseTexte_; }

    // Empty for a number no language holds.
    std::string texte_catalogue(int number) const;
    std::string text(TextKey key) const override;
    using TextCatalogue::text;

    // The offsets a language's file defines, ascending.
    std::vector<int> decalages(int cleLangue) const;
    // "fr.txt:12: why" for each line that could not be read, and for each missing file.
    const std::vector<std::string>& problemes() const { return problemes_; }

private:
    struct Langue {
        std::vector<std::string> textes; // indexed by offset
        std::vector<bool> presents;
    };

    void charger(const std::string& dossier);
    void analyser(int indice, const std::string& fichier, std::string_view contenu);

    Langue langues_[NombreLangues];
    std::vector<std::string> problemes_;
    int baseTexte_ = 0;
};

// CLE_LANGUE for a locale name such as "fr_FR.UTF-8"; English when not one of the eight.
int langue_de_locale(std::string_view nom);
// CLE_LANGUE from LC_ALL, LC_MESSAGES or LANG, the first one set.
int langue_systeme();

} // namespace quarvelin
