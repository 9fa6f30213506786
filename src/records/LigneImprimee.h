#pragma once
// One line of a printed game: a text line in the title or body font, or a row of boards each
// under the move that led to it.
#include "records/CaseDiagramme.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarvelin {

enum class Police : std::uint8_t { Title, Text };

struct LigneImprimee {
    Police police = Police::Text;
    std::string text;
    std::vector<CaseDiagramme> diagrammes; // not empty: a row of boards instead of the text

    bool operator==(const LigneImprimee&) const = default;
};

} // namespace quarvelin
