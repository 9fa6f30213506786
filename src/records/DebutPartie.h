#pragma once
// Where games start in PGN text: a line whose first non-blank characters are "[Event " (the tag
// name in exactly that case). Searched for with memchr on '[', so a scan runs at the speed of
// memory rather than byte by byte.
#include <cstddef>
#include <string>
#include <string_view>

namespace quarvelin {

struct RechercheDebut {
    static constexpr std::size_t Aucun = std::string::npos;
    std::size_t line = Aucun; // start of the game's first line, Aucun when none was found
    std::size_t crochet = 0;   // its '['
    // With nothing found: where to search again once more text is appended (a candidate too
    // near the end to tell), or the text's size.
    std::size_t reprise = 0;
};

// Searches texte from `depuis`. debutLigne: whether texte[0] starts a line (only blanks
// before it on its line). complet: nothing follows the text, so a candidate cut short by its
// end is not a game start.
RechercheDebut chercher_debut_partie(std::string_view text, std::size_t depuis, bool debutLigne,
                                     bool complet);

// Whether the end of texte lies at a line start, given the same for its beginning.
bool finit_en_debut_de_ligne(std::string_view text, bool debutLigne);

inline bool blanc_de_ligne(char c) { return c == ' ' || c == '\t'; }

} // namespace quarvelin
