#pragma once
// How the logic asks for a text of the user's language. The catalogue implements it; tests
// implement it with texts that name their key.
#include "localisation/TextKey.h"

#include <string>

namespace quarvelin {

class TextCatalogue {
public:
    virtual ~TextCatalogue() = default;
    // The text at BaseTexte + the key's offset in the active language.
    virtual std::string text(TextKey key) const = 0;
    std::string text(const TextRange& range, int index) const { return text(range.at(index)); }
};

} // namespace quarvelin
