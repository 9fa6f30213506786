#pragma once
// One game as the XML game record takes it: PGN tag lines, the move text and the result.
#include <string>

namespace quarvelin {

struct PartieXml {
    std::string entete;   // "[Event "..."]" lines, CR LF or LF apart
    std::string coups;    // move text; several lines are joined with single spaces
    std::string resultat; // added after the moves unless they already end with it
};

} // namespace quarvelin
