#pragma once
// How the standard-library core asks for a text of the user's language. The catalogue of the
// localisation subsystem implements it; tests implement it with fixed texts.
#include <string>

namespace quarvelin {

class TextCatalogue {
public:
    virtual ~TextCatalogue() = default;
    // The text at BaseTexte + offset of the active language.
    virtual std::string texte(int offset) const = 0;
};

} // namespace quarvelin
