// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of the game in play as the save window composes it: the tag section and the move
// line with the notes in braces. The printed score shares its pieces.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "openings/EcoLine.h"
#include "rules/Types.h"
#include "session/GameSession.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class OpeningBase;

enum class GameFormat { Xml, Pgn };

// Today in local time.
std::chrono::year_month_day today();
std::string datePgn(std::chrono::year_month_day d);      // "2026.12.04"
std::string dateDdMmYyyy(std::chrono::year_month_day d); // "04/12/2026"
std::string dateMmDdYyyy(std::chrono::year_month_day d); // "12/04/2026"
// "Quarv041226.pgn" on 4 December 2026.
std::string defaultFileName(std::chrono::year_month_day d, GameFormat format);

// The four-character label of a search depth ("1200" at depth 0).
std::string levelLabel(int depth);

// [Name "value"] and CR LF, the value's quotes and backslashes escaped.
std::string tagLine(std::string_view name, std::string_view value);

struct Players {
    std::string white, black, whiteElo, blackElo;
};
// The players of the saved record: two engines in automatic play, else the user and engine 1
// on the sides the colour at the bottom of the board gives.
Players savePlayers(const GameSession& s, const Settings& settings, Colour player);
// The printed score's: the same sides, with the current profile's engine and level throughout.
Players printPlayers(const GameSession& s, const Settings& settings, Colour player);

// The tag section, ending with its empty line: the loaded game's own tags when there are some,
// else tags built for the game, with ECO and Opening when `opening` names it. A game that did
// not start from the initial position gets [SetUp "1"] and [FEN] unless its tags already carry
// a FEN.
std::string saveHeader(const GameSession& s, const Settings& settings, Colour player,
                       std::chrono::year_month_day d, const TextCatalogue& catalogue,
                       const std::optional<EcoLine>& opening);
// The printed game's: `date` written as the page writes it.
std::string printHeader(const GameSession& s, const Settings& settings, Colour player,
                        const std::string& date, const std::optional<EcoLine>& opening);

// The opening a game played here reached, named from its own moves: the session's name may be
// an earlier game's. Nothing without a base, for a loaded game (its tags say it) or for a game
// from another position (the base's lines start from the initial one).
std::optional<EcoLine> gameOpening(const GameSession& s, const OpeningBase* base);

// The moves as the record keeps them: the short text when SAUVE_ABREGE is 1, else the long one;
// "12..." in front when the game starts with a Black move.
std::string movesText(const GameSession& s, const Settings& settings);

// Puts every non-empty note back in braces after its half-move: "12.Nf3 {note} Nc6" for White,
// "12.Nf3 Nc6  {note} 13.Bb5" for Black. A half-move the text does not hold is reported and its
// note left out.
std::string inserer_commentaires(std::string text, const std::vector<std::string>& notes,
                                 Dialogs& dialogs, const TextCatalogue& catalogue,
                                 const std::string& title);

// The whole text of the save window: tag section, then the move line with the notes and the
// result, CR LF.
std::string saveText(const GameSession& s, const Settings& settings, Colour player,
                     std::chrono::year_month_day d, const TextCatalogue& catalogue,
                     Dialogs& dialogs, const std::string& title,
                     const std::optional<EcoLine>& opening);

} // namespace quarvelin
