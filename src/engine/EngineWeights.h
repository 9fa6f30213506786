// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The weights of one engine profile, as the search and the evaluation read them.
#include <array>
#include <cstdint>

namespace quarvelin {

struct EngineWeights {
    // Indexed by PieceType code: 2 pawn, 3 rook, 4 knight, 5 bishop, 6 queen, 7 king.
    std::array<float, 8> NOTE_MATERIEL{0, 0, 100, 500, 300, 300, 900, 300};
    std::array<float, 8> NOTE_MOBILITE{0, 0, 1, 2, 3.5f, 3.5f, 1, 3};
    std::array<float, 8> MOBILITE_EVOLUTIVE{0, 0, 0.1f, 0.1f, 0, 0, 0, 0.2f};
    float INDICE_DEFENSE = 3;
    float INDICE_ATTAQUE = 1;
    float NOTE_CENTRE = 40;
    std::int16_t SEUIL_CENTRE = 15;
    float BONUS_ECHEC = 200;
    std::int16_t SEUIL_BONUS_ECHEC = 10;
    float NOTE_ROQUE = 800;
    float MALUS_ROI = 100;
    float MALUS_DOUBLE = 80;
    float NOTE_PROMOTION = 900;
    std::int16_t PROFONDEUR_MAX = 0; // 0..3
    std::uint8_t ALPHA_BETA = 0;

    bool operator==(const EngineWeights&) const = default;
};

} // namespace quarvelin
