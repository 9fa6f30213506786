#pragma once
// Reading one game of a PGN file at the byte position its index gave: the game's text runs to
// the next game's first line, so nothing written in one game (an unclosed comment) spills into
// the next. UTF-8 or Windows-1252.
#include "records/PartieLue.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace quarvelin {

class TextCatalogue;

// Texts of the problems a game can have.
inline constexpr int TexteCoupIllisible = 877;        // "Move %1 cannot be read or played: "
inline constexpr int TexteFenDepartRefusee = 878;     // "Start position [FEN] refused: "
inline constexpr int TexteNonFerme = 879;             // "... not closed at the end of the game: "
inline constexpr int TexteAucunePartieIci = 880;      // "No game starts at this place: "
inline constexpr int TexteErreurLectureFichier = 881; // "The file could not be read: "

// The game at `position` of the stream; its erreur says what went wrong, if anything.
PartieLue lire_partie_pgn(std::istream& in, std::uint64_t position);
// The game's problem in the user's language, one line; empty when the game reads.
std::string message_lecture(const PartieLue& partie, const TextCatalogue& catalogue);

} // namespace quarvelin
