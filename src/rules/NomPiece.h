#pragma once
// The name of a piece in the user's language.
#include "rules/TextCatalogue.h"
#include "rules/Types.h"

#include <string>

namespace quarvelin {

// Pawn, rook, knight, bishop, queen and king follow from here in type order.
inline constexpr int TexteNomPion = 156;

// Empty for a code that is no piece.
std::string nom_piece(int pieceCode, const TextCatalogue& catalogue);

} // namespace quarvelin
