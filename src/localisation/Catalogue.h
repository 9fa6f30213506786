// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the user reads, by number, in eight languages. Numbering is global: language k
// (CLE_LANGUE 1..8) owns numbers base..base+999 with base 10 + 1000 * (k - 1), so a text asked
// for before any language is applied (BaseTexte 0) is found by its bare number.
#include "localisation/TextCatalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

inline constexpr int LanguageCount = 8;
inline constexpr int MaxOffset = 999;
// Texts the program adds past the numbered ones: reached by their key only, never by number.
inline constexpr int MaxProgramOffset = 1269;
// A key past it would read as a missing text in every language.
static_assert([] {
    for (const TextKeyEntry& e : AllTextKeys)
        if (offsetOf(e.key) > MaxProgramOffset) return false;
    return true;
}());

class Catalogue : public TextCatalogue {
public:
    // The eight files compiled into the program's resources.
    Catalogue();
    // fr.txt, en.txt, ... read from a directory on disk.
    explicit Catalogue(const std::string& folder);

    static int textBase(int languageKey);         // 10, 1010, ... 7010; English for unknown keys
    static int languageNotation(int languageKey); // 1 French notation, 2 PGN
    static const char* fileName(int languageKey); // "fr.txt" ...; English for unknown keys

    void appliquer_langue(int languageKey);
    int BaseTexte() const { return textBase_; }

    // Empty for a number no language holds.
    std::string texte_catalogue(int number) const;
    std::string text(TextKey key) const override;
    PluralForm pluralForm(std::int64_t n) const override;
    using TextCatalogue::text;

    // The offsets a language's file defines, ascending.
    std::vector<int> offsets(int languageKey) const;
    // "fr.txt:12: why" for each line that could not be read, and for each missing file.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    struct Language {
        std::vector<std::string> texts; // indexed by offset
        std::vector<bool> presents;
    };

    void load(const std::string& folder);
    void parse(int index, const std::string& file, std::string_view content);

    Language languages_[LanguageCount];
    std::vector<std::string> problems_;
    int textBase_ = 0;
};

// CLE_LANGUE for a locale name such as "fr_FR.UTF-8"; English when not one of the eight.
int languageOfLocale(std::string_view name);
// CLE_LANGUE from LC_ALL, LC_MESSAGES or LANG, the first one set.
int systemLanguage();

} // namespace quarvelin
