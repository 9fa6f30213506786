// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value of one tag in PGN tag lines, as the XML game record takes it.
#include <string>
#include <string_view>

namespace quarvelin {

// name is the opening bracket and the tag name, "[Event". The first occurrence wins, so
// "[White" also finds a "[WhiteElo" line written before the White line. Empty when absent.
std::string valeur_etiquette(std::string_view name, std::string_view text);

} // namespace quarvelin
