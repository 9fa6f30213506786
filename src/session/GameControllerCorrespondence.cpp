// SPDX-License-Identifier: GPL-3.0-or-later
// A correspondence game opened on the board from its store.
#include "notation/ParsedGame.h"
#include "session/GameController.h"

namespace quarvelin {

void GameController::openCorrespondence(const std::string& header, const std::string& moves,
                                        bool userWhite, NotationCode notation) {
    s_.PlayMode = GameMode::Correspondence;
    s_.whiteChosen = userWhite;
    ParsedGame parsed;
    parsed.GameText = header + "\r\n";
    parsed.GameMoveText = moves;
    parsed.GameResult.assign(1, '*'); // assign: GCC 12 warns wrongly on = "*"
    correspondenceLimit_ = 0;
    if (!loadGame(parsed)) return;
    s_.NotationCode = notation;
    const int played = s_.PositionIndex - 1;
    const bool userTurn = (played % 2 == 0) == userWhite;
    correspondenceLimit_ = played + (userTurn ? 1 : 0);
    s_.unsavedMoves = false;
}

} // namespace quarvelin
