// SPDX-License-Identifier: GPL-3.0-or-later
#include "localisation/RulesTexts.h"

namespace quarvelin {

std::string pieceName(int pieceCode, const TextCatalogue& catalogue) {
    PieceType t = pieceType(pieceCode);
    if (t == PieceType::None) return {};
    return catalogue.text(PieceNameTexts, code(t) - code(PieceType::Pawn));
}

TextKey fenProblemText(FenProblem problem) {
    switch (problem) {
    case FenProblem::FieldCount:
        return TextKey::FenFieldCount;
    case FenProblem::Ranks:
        return TextKey::FenRanks;
    case FenProblem::UnknownCharacter:
        return TextKey::FenUnknownCharacter;
    case FenProblem::SideToMove:
        return TextKey::FenSideToMove;
    case FenProblem::Castling:
        return TextKey::FenCastling;
    case FenProblem::EnPassant:
        return TextKey::FenEnPassant;
    case FenProblem::Counters:
        return TextKey::FenCounters;
    case FenProblem::Kings:
        return TextKey::FenKings;
    case FenProblem::PawnOnEdge:
        return TextKey::FenPawnOnEdge;
    case FenProblem::SideNotToMoveInCheck:
    case FenProblem::None:
        break;
    }
    return TextKey::FenSideNotToMoveInCheck;
}

} // namespace quarvelin
