#pragma once
// One line of a printed game: a text line in the title or body font, or a row of boards each
// under the move that led to it.
#include "rules/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarvelin {

enum class Police : std::uint8_t { Titre, Texte };

struct CaseDiagramme {
    std::string coup;
    std::string cle; // 64 characters in display order, piece code + 32
    Colour bas = Colour::White;
};

struct LigneImprimee {
    Police police = Police::Texte;
    std::string texte;
    std::vector<CaseDiagramme> diagrammes; // not empty: a row of boards instead of the text

    bool operator==(const LigneImprimee&) const = default;
};

inline bool operator==(const CaseDiagramme& a, const CaseDiagramme& b) {
    return a.coup == b.coup && a.cle == b.cle && a.bas == b.bas;
}

} // namespace quarvelin
