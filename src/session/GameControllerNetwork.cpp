// SPDX-License-Identifier: GPL-3.0-or-later
// A game against a peer over the network: its start, the moves that arrive and the ends decided
// on the other side. The checks on what arrives are made before any of this is called.
#include "session/GameController.h"

#include "engine/Engine.h"
#include "engine/Search.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

namespace quarvelin {

void GameController::startNetworkGame(Colour side, bool server, const std::string& opponent) {
    s_.whiteChosen = side == Colour::White;
    openBoard();
    env_.view.boardTitle(text(TextKey::NetworkGameTitle));
    const TextKey start = server ? TextKey::GameBegins : TextKey::GameBeginsWait;
    comment(text(TextKey::OpponentPrefix) + opponent);
    comment(text(start));
    jouer_son(CueConnection);
    // White's clock and the game's duration run from the start, not from the first move.
    clocks_.basculer_horloges(Colour::Black, pos_.PlayerColour, s_.ClockOn);
    clocks_.set(Timer::Duration, 1000);
    env_.view.clocksChanged();
}

const Position& GameController::livePosition() const {
    if (s_.PositionIndex <= 0) return pos_;
    return s_.PositionStates[static_cast<std::size_t>(s_.PositionIndex - 1)];
}

void GameController::playReceivedMove(const Move& c) {
    if (state_ == BoardState::PieceLifted) putPieceBack();
    timeline_.showEntry(timeline_.lastEntry());
    const Colour mover = colourOf(c.piece);
    Position before = pos_;
    std::string longText = playOnBoard(c, false);
    const std::string shortText = san(before, c);
    timeline_.addMove(longText, shortText, mover, before.MoveCount + 1);
    env_.view.listChanged();
    jouer_son(CuePut);

    // The title reads as after a local move, from the receiver's own evaluation.
    showScore(shortText, evaluate(mover));
    switchClocks(mover);
    nommer_ouverture();
    const GameEnd end = gameEnd(pos_);
    if (end != GameEnd::InProgress) endByMate(pos_.sideToMove(), end == GameEnd::Mate);
}

void GameController::endNetworkGame(const std::string& result, const std::string& line,
                                    const std::string& message) {
    if (s_.gameOver()) return;
    if (state_ == BoardState::PieceLifted) putPieceBack();
    timeline_.showEntry(timeline_.lastEntry());
    finish(result, line, message);
}

void GameController::sendMove(const Move& c, const std::string& longText) {
    const std::string message{'#', static_cast<char>('0' + c.fromX),
                              static_cast<char>('0' + c.fromY), static_cast<char>('0' + c.toX),
                              static_cast<char>('0' + c.toY)};
    env_.view.sendNetwork(message + trimmed(longText));
}

bool GameController::refusedWhileConnected() {
    if (!networkLocked_) return false;
    env_.dialogs.message(env_.title, text(TextKey::RefusedWhileConnected), DialogIcon::Information);
    return true;
}

} // namespace quarvelin
