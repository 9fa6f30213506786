// The position editor: pieces from the palette onto the board, then play from there.
#include "session/GameController.h"

#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "rules/FastPosition.h"

namespace quarvelin {

namespace {} // namespace

void GameController::enterEditor(bool ask) {
    if (!s_.boardOpen || thinking_ || state_ == BoardState::Editing) return;
    if (ask && !env_.dialogs.question(env_.title, text(TextKey::AbandonGameQuestion))) return;
    if (state_ == BoardState::PieceLifted) putPieceBack();
    clocks_.set(Timer::Auto, 0);
    clocks_.set(Timer::Scroll, 0);
    env_.board.clearMarks();
    env_.board.editing(true);
    s_.lines.clear();
    s_.shortTexts.clear();
    s_.PositionIndex = 0;
    s_.selectedLine = -1;
    state_ = BoardState::Editing;
    pos_.LastMoverColour = Colour::Black;
    palettePending_ = false;
    env_.view.palette(true);
    env_.view.listChanged();
}

void GameController::clickPalette(PieceCode piece) {
    if (state_ != BoardState::Editing || piece == PieceCode::Empty) return;
    if (palettePending_ && palette_ == piece) {
        palettePending_ = false;
        env_.view.pieceLifted(PieceCode::Empty);
        return;
    }
    palette_ = piece;
    palettePending_ = true;
    env_.view.pieceLifted(piece);
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
    env_.view.pieceLifted(PieceCode::Empty);
    env_.board.editing(false);
    restartFrom(p, true);
    env_.view.listChanged();
    if (machineWhite) joue_coup_machine();
    return true;
}

} // namespace quarvelin
