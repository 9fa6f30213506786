// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's words for values of the rules: piece names and why a position was refused.
#include "localisation/TextCatalogue.h"
#include "notation/Fen.h"

#include <string>

namespace quarvelin {

// Empty for a code that is no piece.
std::string pieceName(int pieceCode, const TextCatalogue& catalogue);

TextKey fenProblemText(FenProblem problem);

} // namespace quarvelin
