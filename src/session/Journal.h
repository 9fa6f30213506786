#pragma once
// The trace file of GES_LOG: new games and the engine's choices, one line each.
#include <string>

namespace quarvelin {

// Appends a line to the file; a file that cannot be opened is skipped without a word.
void ajouter_au_journal(const std::string& path, const std::string& line);

// "dd/mm/yyyy" and "hh:mm:ss" of now, local time.
std::string date_du_jour();
std::string heure_actuelle();

} // namespace quarvelin
