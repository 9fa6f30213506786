#pragma once
// Every game of a PGN text, read at the place its index gives, as the game list reads them.
#include "records/IndexPgn.h"
#include "records/LecteurPgn.h"

#include <sstream>
#include <string>
#include <vector>

namespace quarvelin::test {

inline std::vector<PartieLue> lire_parties(const std::string& text) {
    std::istringstream in(text);
    FiltreParties tout;
    tout.maximum = 1 << 30;
    IndexPgn index = IndexPgn::indexer(in, text.size(), tout);
    std::vector<PartieLue> parties;
    for (std::size_t i = 0; i < index.size(); ++i)
        parties.push_back(lire_partie_pgn(in, index.position(i)));
    return parties;
}

} // namespace quarvelin::test
