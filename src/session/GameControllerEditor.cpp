// SPDX-License-Identifier: GPL-3.0-or-later
// The position editor: pieces from the palette onto the board, then play from there.
#include "session/GameController.h"

#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "rules/FastPosition.h"

namespace quarvelin {

void GameController::enterEditor(bool ask) {
    if (!s_.boardOpen || thinking_ || state_ == BoardState::Editing) return;
    if (refusedWhileConnected()) return;
    if (ask && !env_.dialogs.question(env_.title, text(TextKey::AbandonGameQuestion))) return;
    if (state_ == BoardState::PieceLifted) putPieceBack();
    // Nobody's time runs while the pieces are set up.
    clocks_.arreter_horloges();
    clocks_.set(Timer::Scroll, 0);
    env_.view.clocksChanged();
    clearTraces();
    env_.board.editing(true);
    s_.lines.clear();
    s_.shortTexts.clear();
    s_.PositionIndex = 0;
    s_.selectedLine = -1;
    state_ = BoardState::Editing;
    pos_.LastMoverColour = Colour::Black;
    palettePending_ = false;
    env_.view.palette(true);
    env_.view.paletteChoice(PieceCode::Empty);
    env_.view.listChanged();
}

void GameController::clearEditorBoard() {
    if (state_ != BoardState::Editing) return;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) pos_.at(x, y) = PieceCode::Empty;
    env_.board.show(pos_);
}

void GameController::editorInitialPosition() {
    if (state_ != BoardState::Editing) return;
    pos_.Board = Position::initial(pos_.PlayerColour).Board;
    env_.board.show(pos_);
}

void GameController::clickPalette(PieceCode piece) {
    if (state_ != BoardState::Editing || piece == PieceCode::Empty) return;
    // The piece chosen stays chosen until another is, or it is chosen again to put it down.
    palettePending_ = !(palettePending_ && palette_ == piece);
    palette_ = piece;
    env_.view.paletteChoice(palettePending_ ? piece : PieceCode::Empty);
}

bool GameController::startFromEditor() {
    if (state_ != BoardState::Editing) return false;
    Position p = pos_;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) p.at(x, y) = env_.board.readSquare(x, y);
    p.LastMoverColour = Colour::Black;
    p.MoveCount = 0;
    p.QuietMoveCount = 0;
    p.EnPassantForWhite = p.EnPassantForBlack = 0;
    p.CastlingDone = {};
    FenProblem reason = FenProblem::None;
    if (!isPositionValid(p, &reason)) {
        // Both kings are what the editor asks for first; the rest is said with its reason.
        std::string message = reason == FenProblem::Kings ? text(TextKey::TwoKingsNeeded)
                                                          : text(TextKey::PositionRefused) + " (" +
                                                                text(fenProblemText(reason)) + ")";
        env_.dialogs.message(env_.title, message, DialogIcon::Exclamation);
        return false;
    }
    // Castling stays open only where king and rook stand on their squares.
    p.CastlingRights = FastPosition::from(p).castling;

    bool machineWhite = s_.PlayMode == GameMode::Machine && p.PlayerColour == Colour::Black;
    if (env_.commentary.visible()) {
        comment(text(TextKey::GameFromEditedPosition));
        if (machineWhite)
            comment("- " + text(TextKey::GameBeginsWait));
        else {
            comment("- " + text(TextKey::GameBegins));
            comment("- " + text(TextKey::YourMove));
        }
    }
    state_ = BoardState::Waiting;
    palettePending_ = false;
    env_.view.palette(false);
    env_.view.paletteChoice(PieceCode::Empty);
    env_.board.editing(false);
    restartFrom(p, true);
    // The game from the set-up position starts with full clocks, White's running.
    clocks_.setUp(env_.settings.DELAI_PARTIE, s_.ClockOn, s_.PlayMode != GameMode::Network);
    clocks_.basculer_horloges(Colour::Black, p.PlayerColour, s_.ClockOn);
    env_.view.clocksChanged();
    env_.view.listChanged();
    env_.view.menuStates();
    if (machineWhite) joue_coup_machine();
    return true;
}

} // namespace quarvelin
