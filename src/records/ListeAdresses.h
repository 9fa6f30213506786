#pragma once
// Address lists: text files of web addresses of games, one a line, "#" lines being remarks.
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

// The trimmed lines that are neither empty nor remarks; false when the file cannot be read.
bool lire_liste_adresses(const std::string& chemin, std::vector<std::string>& adresses);

// The entry from its "http://" or "https://" on, so a line may carry a label before the
// address; empty when there is no address in it.
std::string adresse_de_ligne(std::string_view ligne);

} // namespace quarvelin
