#pragma once
// A board of the printed game: the move that led to it and the position after it.
#include "rules/Types.h"

#include <string>

namespace quarvelin {

struct CaseDiagramme {
    std::string move;
    std::string key; // 64 characters in display order, piece code + 32
    Colour bas = Colour::White;

    bool operator==(const CaseDiagramme&) const = default;
};

} // namespace quarvelin
