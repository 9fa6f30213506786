// SPDX-License-Identifier: GPL-3.0-or-later
// The human's clicks on the board: lifting, putting down, the move and what follows it.
#include "session/GameController.h"

#include "localisation/RulesTexts.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <cctype>

namespace quarvelin {

namespace {} // namespace

void GameController::clickSquare(int x, int y) {
    if (!s_.boardOpen || thinking_ || x < 1 || x > 8 || y < 1 || y > 8) return;
    if (state_ == BoardState::Editing) {
        // The chosen piece goes where it is clicked; a click on a piece already there, or with
        // nothing chosen, empties the square.
        const bool place = palettePending_ && pos_.at(x, y) != palette_;
        const PieceCode p = place ? palette_ : PieceCode::Empty;
        pos_.at(x, y) = p;
        env_.board.writeSquare(x, y, p);
        return;
    }
    if (s_.gameOver()) return;
    if (state_ == BoardState::Waiting)
        lift(x, y);
    else
        put(x, y);
}

bool GameController::playListedMove(std::string token) {
    if (auto dot = token.find_last_of('.'); dot != std::string::npos) token.erase(0, dot + 1);
    if (!s_.boardOpen || thinking_ || state_ != BoardState::Waiting || s_.gameOver()) return false;
    ReadMove r = lire_coup(pos_, pos_.sideToMove(), NotationCode::Pgn, token);
    if (!r.readable || r.isResult() || r.fromX == 0 || r.toX == 0 || !isLegal(pos_, r.move()))
        return false;
    clickSquare(r.fromX, r.fromY);
    clickSquare(r.toX, r.toY);
    return true;
}

void GameController::lift(int x, int y) {
    PieceCode p = pos_.at(x, y);
    if (p == PieceCode::Empty) return;
    const bool correspondence = s_.PlayMode == GameMode::Correspondence;
    if (correspondence && (s_.PositionIndex - 1 >= correspondenceLimit_ ||
                           timeline_.shownEntry() < s_.PositionIndex - 1)) {
        env_.dialogs.message(env_.title, text(TextKey::NotThisSidesTurn), DialogIcon::Information);
        return;
    }
    bool oneSide =
        s_.PlayMode == GameMode::Machine || s_.PlayMode == GameMode::Network || correspondence;
    if (oneSide && colourOf(p) != pos_.PlayerColour) {
        env_.dialogs.message(env_.title, text(TextKey::OnlyYourPieces), DialogIcon::Information);
        return;
    }
    if (colourOf(p) == pos_.LastMoverColour) {
        env_.dialogs.message(env_.title, text(TextKey::NotThisSidesTurn), DialogIcon::Information);
        return;
    }
    lifted_ = p;
    origin_ = {x, y};
    pos_.at(x, y) = PieceCode::Empty;
    env_.board.writeSquare(x, y, PieceCode::Empty);
    env_.view.pieceLifted(p);
    state_ = BoardState::PieceLifted;
    jouer_son(CueLift);
}

void GameController::putPieceBack() {
    pos_.at(origin_.x, origin_.y) = lifted_;
    env_.board.writeSquare(origin_.x, origin_.y, lifted_);
    lifted_ = PieceCode::Empty;
    env_.view.pieceLifted(PieceCode::Empty);
    state_ = BoardState::Waiting;
}

// Playing from an earlier position shown: the later moves go, once the user agrees.
bool GameController::cutGame() {
    int k = timeline_.shownEntry();
    bool oneSide = s_.PlayMode == GameMode::Machine || s_.PlayMode == GameMode::Network;
    if (oneSide && pos_.sideToMove() != pos_.PlayerColour) {
        env_.dialogs.message(env_.title, text(TextKey::NotThisSidesTurn), DialogIcon::Information);
        return false;
    }
    if (!env_.dialogs.question(env_.title, text(TextKey::CutGameQuestion))) return false;
    timeline_.cutAt(k);
    pos_.at(origin_.x, origin_.y) = PieceCode::Empty;
    return true;
}

void GameController::put(int x, int y) {
    int last = s_.PositionIndex - 1;
    if (timeline_.shownEntry() < last && !(x == origin_.x && y == origin_.y)) {
        pos_.at(origin_.x, origin_.y) = lifted_;
        bool cut = !refusedWhileConnected() && cutGame();
        if (!cut) {
            putPieceBack();
            return;
        }
    }
    if (x == origin_.x && y == origin_.y) {
        putPieceBack();
        return;
    }

    PieceCode piece = lifted_;
    Colour mover = colourOf(piece);
    pos_.at(origin_.x, origin_.y) = piece;
    Move c{origin_.x, origin_.y, x, y, piece, PieceCode::Empty};
    if (!isLegal(pos_, c)) {
        bool valid = coup_valide(pos_, piece, c.fromX, c.fromY, pos_.at(x, y), x, y);
        pos_.at(origin_.x, origin_.y) = PieceCode::Empty; // putPieceBack puts it back
        putPieceBack();
        if (valid) comment("- " + text(TextKey::KingWouldBeInCheck));
        comment("- " + text(TextKey::IllegalMove));
        jouer_son(CueError);
        return;
    }
    if (pieceType(piece) == PieceType::Pawn && (y == 1 || y == 8)) {
        // The pawn stays in sight on its square while the piece is chosen.
        env_.board.writeSquare(origin_.x, origin_.y, piece);
        const std::optional<PieceType> chosen = env_.view.choosePromotion(mover);
        if (!chosen) {
            putPieceBack();
            return;
        }
        c.promotion = pieceOf(*chosen, mover);
    }
    lifted_ = PieceCode::Empty;
    env_.view.pieceLifted(PieceCode::Empty);

    Position before = pos_;
    std::string longText = playOnBoard(c, false);

    // Quality mark and cue, from the mover's score of the new position.
    float e = evaluate(mover);
    bool failure = longText.ends_with('+');
    int cue = CuePut;
    if (e < env_.settings.BadMoveThreshold) {
        longText += '?';
        if (static_cast<int>(3 * random() + 1) == 1) cue = CueWeakMove;
    } else if (e > env_.settings.GoodMoveThreshold) {
        longText += '!';
        if (static_cast<int>(3 * random() + 1) == 1) cue = CueGoodMove;
    } else if (failure && static_cast<int>(2 * random() + 1) == 1) {
        cue = CueHumanCheck;
    }
    jouer_son(cue);

    std::string shortText = san(before, c);
    timeline_.addMove(longText, shortText, mover, before.MoveCount + 1);
    env_.view.listChanged();

    bool repetitionDraw = compter_repetitions(s_) >= 2 &&
                          env_.dialogs.question(env_.title, text(TextKey::RepetitionDrawQuestion));
    if (repetitionDraw) finish("1/2-1/2", {}, {});
    if (!s_.gameOver()) {
        GameEnd end = gameEnd(pos_);
        if (end != GameEnd::InProgress) endByMate(pos_.sideToMove(), end == GameEnd::Mate);
    }

    showScore(shortText, e);
    switchClocks(mover);
    nommer_ouverture();

    if (s_.PlayMode == GameMode::Network) {
        sendMove(c, longText);
        if (repetitionDraw) env_.view.sendNetwork("~");
    }
    state_ = BoardState::Waiting;
    if (s_.PlayMode == GameMode::Machine && !s_.gameOver()) joue_coup_machine();
}

std::string GameController::playOnBoard(const Move& c, bool machine) {
    Position before = pos_;
    std::string longText = longMoveText(before, c, s_.NotationCode);
    PlayedMove played = playMove(pos_, c);
    env_.board.show(pos_);
    if (played.castling) comment("- " + text(TextKey::Castling));
    const std::string taken = pieceName(static_cast<int>(played.captured), env_.catalogue);
    if (played.enPassant && machine) {
        comment("- " + text(TextKey::PieceTaken) + taken + text(TextKey::TakenEnPassant));
    } else if (played.enPassant) {
        comment("- " + text(TextKey::CaptureExclaimed) + text(TextKey::EnPassant) +
                text(TextKey::PieceTakenContinued) + taken);
    } else if (machine && played.captured != PieceCode::Empty) {
        comment("- " + text(TextKey::CaptureExclaimed) + text(TextKey::PieceTaken) + taken + " !");
    }
    return longText;
}

void GameController::showScore(const std::string& shortText, float e) {
    shownScore_ = e;
    std::string note = scoreText(e);
    if (e >= 0) note = " " + note;
    env_.view.boardTitle(text(TextKey::Game) + " - [" + shortText + "] - " +
                         text(TextKey::Evaluation) + " : [" + note + "]");
}

} // namespace quarvelin
