// SPDX-License-Identifier: GPL-3.0-or-later
// The move list as the game's timeline: stepping through the recorded positions, scrolling,
// notes on moves, replacing the last move, and cutting the game back.
#include "session/GameController.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <algorithm>

namespace quarvelin {

void GameController::navigate(int button) {
    if (!s_.boardOpen || thinking_ || state_ != BoardState::Waiting) return;
    const int n = static_cast<int>(s_.lines.size());
    int& i = s_.selectedLine;
    switch (button) {
    case 0:
        timeline_.showEntry(0);
        i = -1;
        break;
    case 1:
        if (i < 0) return;
        timeline_.showEntry(i);
        --i;
        break;
    case 2:
        if (i + 1 >= n) return;
        timeline_.showEntry(i + 2);
        ++i;
        break;
    case 3:
        timeline_.showEntry(n);
        i = n - 1;
        break;
    case 4: {
        bool autoMode = s_.PlayMode == GameMode::Auto;
        Timer m = autoMode ? Timer::Auto : Timer::Scroll;
        if (!clocks_.running(m)) {
            if (autoMode && s_.gameOver()) return;
            clocks_.set(m, autoMode ? 100 : std::max<int>(1, env_.settings.DELAI_ATTENTE));
            // Play goes on: the side to move's clock with it.
            if (autoMode)
                clocks_.basculer_horloges(opposite(pos_.sideToMove()), pos_.PlayerColour,
                                          s_.ClockOn);
            env_.view.playButton(
                true, text(autoMode ? TextKey::StopAutomaticPlay : TextKey::StopScrolling));
        } else {
            clocks_.set(m, 0);
            if (autoMode) {
                // A paused game costs neither side time.
                clocks_.set(Timer::Bottom, 0);
                clocks_.set(Timer::Top, 0);
                env_.view.waitCursor(false);
            }
            env_.view.playButton(
                false, text(autoMode ? TextKey::StartAutomaticPlay : TextKey::StartScrolling));
        }
        env_.view.clocksChanged();
        return;
    }
    default:
        return;
    }
    env_.view.listChanged();
}

void GameController::selectLine(int line) {
    if (!s_.boardOpen || thinking_ || state_ != BoardState::Waiting) return;
    if (line < 0 || line >= static_cast<int>(s_.lines.size())) return;
    timeline_.showEntry(line + 1);
    s_.selectedLine = line;
    env_.view.listChanged();
}

void GameController::doubleClickLine(int line) {
    selectLine(line);
    if (s_.selectedLine != line) return;
    auto k = static_cast<std::size_t>(line + 1);
    if (k < s_.notes.size() && !s_.notes[k].empty()) comment("{" + s_.notes[k] + "}");
}

void GameController::noteMove() {
    int i = s_.selectedLine;
    if (i < 0 || i >= static_cast<int>(s_.lines.size()) ||
        s_.shortTexts[static_cast<std::size_t>(i)].empty())
        return;
    const Position& before = s_.PositionStates[static_cast<std::size_t>(i)];
    bool black = before.sideToMove() == Colour::Black;
    int number = before.MoveCount + (black ? 0 : 1);
    std::string answer =
        env_.dialogs.input(env_.title + " N°" + std::to_string(number),
                           text(black ? TextKey::NoteOnBlackMove : TextKey::NoteOnWhiteMove) + " " +
                               s_.lines[static_cast<std::size_t>(i)],
                           "");
    if (answer.empty()) return;
    auto k = static_cast<std::size_t>(i + 1);
    if (s_.notes.size() <= k) s_.notes.resize(k + 1);
    s_.notes[k] = answer;
    comment("{" + answer + "}");
}

void GameController::modifyLastMove() {
    if (!s_.boardOpen || thinking_ || state_ != BoardState::Waiting || s_.lines.empty()) return;
    if (refusedWhileConnected()) return;
    const int n = static_cast<int>(s_.lines.size());
    if (s_.shortTexts.back().empty()) return; // the game has ended on a result line
    std::string answer =
        env_.dialogs.input(env_.title,
                           text(TextKey::ChangeLastMoveTitle) +
                               text(TextKey::ChangeLastMovePrompt) + "[" + s_.lines.back() + "]",
                           "");
    if (trimmed(answer).empty()) return;

    timeline_.showEntry(n - 1);
    Colour side = isBlackLine(s_.lines.back()) ? Colour::Black : Colour::White;
    ReadMove parsed = lire_coup(pos_, side, s_.NotationCode, answer);
    if (!parsed.readable || parsed.fromX == 0 || parsed.piece == PieceCode::Empty) {
        env_.dialogs.message(env_.title, text(TextKey::MoveUnreadableInNotation),
                             DialogIcon::Exclamation);
        timeline_.showEntry(n);
        return;
    }
    Move c = parsed.move();
    if (!isLegal(pos_, c)) {
        timeline_.showEntry(n);
        return;
    }
    std::string fresh = longMoveText(pos_, c, s_.NotationCode);
    if (!env_.dialogs.question(env_.title, text(TextKey::ReplaceLastMoveQuestion) +
                                               text(TextKey::NewMovePrefix) + fresh)) {
        timeline_.showEntry(n);
        return;
    }
    timeline_.cutAt(n - 1);
    Position before = pos_;
    std::string longText = playOnBoard(c, false);
    timeline_.addMove(longText, san(before, c), side, before.MoveCount + 1);
    env_.view.listChanged();
}

void GameController::toggleCoordinates() {
    s_.coordinatesShown = !s_.coordinatesShown;
    env_.view.coordinates(s_.coordinatesShown);
}

} // namespace quarvelin
