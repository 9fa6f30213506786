// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A filter made ready for many games: each criterion is looked for, without regard to case, in
// the game's tags written "Name "value"" and joined with "/". A criterion must start the value
// of its tag; the White and Black criteria may match either player when the filter says so.
#include "records/GameFilter.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class FilterSelection {
public:
    explicit FilterSelection(const GameFilter& filter);

    // False when every criterion is empty: every game is accepted, no tag text is needed.
    bool enabled() const { return !patterns_.empty(); }
    // tagsText in UTF-8.
    bool accepted(std::string_view tagsText) const;

private:
    struct Pattern {
        std::string tagAndValue; // folded `name "criterion`
        std::string alone;       // folded criterion, for the player criteria
        bool player = false;
    };
    std::vector<Pattern> patterns_;
    bool either_ = false;
};

// Square folding for comparisons: ASCII by table, anything else through Unicode.
std::string foldCase(std::string_view text);

} // namespace quarvelin
