// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the logic asks for a text of the user's language. The catalogue implements it; tests
// implement it with texts that name their key.
#include "localisation/TextKey.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quarvelin {

// The form a noun takes after a number.
enum class PluralForm { One, Few, Other };

class TextCatalogue {
public:
    virtual ~TextCatalogue() = default;
    // The text at BaseTexte + the key's offset in the active language.
    virtual std::string text(TextKey key) const = 0;
    std::string text(const TextRange& range, int index) const { return text(range.at(index)); }

    // The text with %1, %2... replaced by the values, where the language's text has them.
    std::string text(TextKey key, std::initializer_list<std::string_view> values) const;

    // English counts one and other; the catalogue knows its language's rule.
    virtual PluralForm pluralForm(std::int64_t n) const {
        return n == 1 ? PluralForm::One : PluralForm::Other;
    }
    // The text of the form n takes: "1 game", "3 games"; "2 партии", "5 партий".
    std::string countText(std::int64_t n, TextKey one, TextKey few, TextKey other) const {
        const PluralForm f = pluralForm(n);
        return text(f == PluralForm::One ? one : f == PluralForm::Few ? few : other);
    }
};

} // namespace quarvelin
