#pragma once
// The games of a PGN file that pass a filter: for each, the byte position of its first line and
// its tag values, enough to list it and to read it later by seeking straight to it. The file is
// scanned in large blocks; only the listed games are kept, their texts in one shared buffer.
#include "records/FiltreParties.h"

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class IndexPgn {
public:
    enum Champ : int { Event, Site, Date, Round, White, Black, Result, Eco };
    static constexpr int NombreChamps = 8;
    // Told as the scan goes on: the share of the file read (0 to 100), games listed, games seen.
    using Progression = std::function<void(int pourcent, std::int64_t listees, std::int64_t vues)>;

    // Scans a file; nothing when it cannot be opened. Clears the cancel request first and stops
    // at the next block once it is set (see session/Annulation.h).
    static std::optional<IndexPgn> indexer_fichier(const std::string& path,
                                                   const FiltreParties& filtre,
                                                   const Progression& progression = {});
    // Scans a stream from its current position, which counts as position 0; taille (0 when
    // unknown) gives the percentages.
    static IndexPgn indexer(std::istream& in, std::uint64_t taille, const FiltreParties& filtre,
                            const Progression& progression = {});

    std::size_t size() const { return nombre_; }
    bool empty() const { return nombre_ == 0; }
    // Byte position of the game's first line.
    std::uint64_t position(std::size_t i) const { return entree(i).position; }
    // The tag value as written, in UTF-8; empty when the game has no such tag.
    std::string_view value(std::size_t i, Champ champ) const;

    std::int64_t vues() const { return vues_; } // games seen, listed or not
    bool annule() const { return annule_; }
    bool erreur_lecture() const { return erreurLecture_; }

private:
    struct Entree {
        std::uint64_t position;
        std::uint32_t text;                          // its values' chunk of textes_
        std::uint32_t debut;                          // first value's place in the chunk
        std::array<std::uint16_t, NombreChamps> fins; // end of each value, from debut
    };
    // Fixed chunks rather than one growing array: a million games are never copied to a
    // larger block, and no memory is touched twice.
    static constexpr std::size_t EntreesParTranche = 1 << 14;
    static constexpr std::size_t TailleTexte = 1 << 20;
    // A longer value is cut (at a character's start): the list shows no more of it anyway.
    static constexpr std::size_t ValeurMaximale = 4096;
    static_assert(NombreChamps * ValeurMaximale <= 65535 &&
                  NombreChamps * ValeurMaximale <= TailleTexte);

    const Entree& entree(std::size_t i) const {
        return tranches_[i / EntreesParTranche][i % EntreesParTranche];
    }
    void append(std::uint64_t position, const std::array<std::string_view, NombreChamps>& valeurs);

    std::vector<std::unique_ptr<Entree[]>> tranches_;
    std::size_t nombre_ = 0;
    std::vector<std::unique_ptr<char[]>> textes_; // chunks of TailleTexte bytes
    std::size_t rempli_ = TailleTexte;            // bytes used in the last chunk
    std::int64_t vues_ = 0;
    bool annule_ = false;
    bool erreurLecture_ = false;
};

} // namespace quarvelin
