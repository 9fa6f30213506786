#include "rules/NomPiece.h"

namespace quarvelin {

std::string nom_piece(int pieceCode, const TextCatalogue& catalogue) {
    PieceType t = type_piece(pieceCode);
    if (t == PieceType::None) return {};
    return catalogue.texte(TexteNomPion + code(t) - code(PieceType::Pawn));
}

} // namespace quarvelin
