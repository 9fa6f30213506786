// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the printed game holds, line by line, in its three layouts: the record as text, the move
// list, and the moves with a board after each.
#include "config/Settings.h"
#include "localisation/TextCatalogue.h"
#include "openings/EcoLine.h"
#include "records/PrintedLine.h"
#include "session/GameSession.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {
// Characters of a printed line of the record; longer lines go on in the next one.
inline constexpr std::size_t PrintWidth = 70;

enum class GameLayout { Pgn = 0, Moves = 1, Diagrams = 2 };

// Consecutive pieces of `width` characters (UTF-8 sequences kept whole), the last holding
// the rest; an empty text gives no piece.
std::vector<std::string> cut(std::string_view text, std::size_t width = PrintWidth);

// "QUARVELIN - Partie - 04/12/2026": the date as the head of the page writes it for the
// language (CLE_LANGUE), so a page shows one way of writing dates.
std::string printTitle(const TextCatalogue& catalogue, std::chrono::year_month_day d,
                       int languageKey);

// The game in play in one of the layouts; the diagram layout puts `perLine` boards in a row.
// `opening` gives the ECO and Opening tags of a game played here.
std::vector<PrintedLine> gamePrint(const GameSession& s, const Settings& settings, Colour player,
                                   std::chrono::year_month_day d, int languageKey,
                                   const TextCatalogue& catalogue, GameLayout layout,
                                   int perLine = 3, const std::optional<EcoLine>& opening = {});

// A record as the save window holds it, in the layout of the record as text.
std::vector<PrintedLine> textPrint(std::string_view text, std::chrono::year_month_day d,
                                   int languageKey, const TextCatalogue& catalogue);

} // namespace quarvelin
