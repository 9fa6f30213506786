#pragma once
// A filter made ready for many games: each criterion is looked for, without regard to case, in
// the game's tags written "Name "value"" and joined with "/". A criterion must start the value
// of its tag; the White and Black criteria may match either player when the filter says so.
#include "records/FiltreParties.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class SelectionFiltre {
public:
    explicit SelectionFiltre(const FiltreParties& filtre);

    // False when every criterion is empty: every game is accepted, no tag text is needed.
    bool actif() const { return !motifs_.empty(); }
    // texteTags in UTF-8.
    bool accepte(std::string_view texteTags) const;

private:
    struct Motif {
        std::string tagEtValeur; // folded `name "criterion`
        std::string seul;        // folded criterion, for the player criteria
        bool joueur = false;
    };
    std::vector<Motif> motifs_;
    bool lesDeux_ = false;
};

// Square folding for comparisons: ASCII by table, anything else through Unicode.
std::string plier_casse(std::string_view text);

} // namespace quarvelin
