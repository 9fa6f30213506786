// The human's clicks on the board: lifting, putting down, the move and what follows it.
#include "session/GameController.h"

#include "engine/Search.h"
#include "localisation/RulesTexts.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <cctype>

namespace quarvelin {

namespace {} // namespace

void GameController::clickSquare(int x, int y) {
    if (!s_.boardOpen || thinking_ || x < 1 || x > 8 || y < 1 || y > 8) return;
    if (state_ == BoardState::Editing) {
        PieceCode p = palettePending_ ? palette_ : PieceCode::Empty;
        pos_.at(x, y) = p;
        env_.board.writeSquare(x, y, p);
        if (palettePending_) {
            palettePending_ = false;
            env_.view.pieceLifted(PieceCode::Empty);
        }
        return;
    }
    if (s_.gameOver()) return;
    if (state_ == BoardState::Waiting)
        lift(x, y);
    else
        put(x, y);
}

void GameController::lift(int x, int y) {
    PieceCode p = pos_.at(x, y);
    if (p == PieceCode::Empty) return;
    bool oneSide = s_.PlayMode == GameMode::Machine || s_.PlayMode == GameMode::Network;
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

PieceCode GameController::askPromotion(Colour c) {
    NotationCode n =
        s_.NotationCode == NotationCode::French ? NotationCode::French : NotationCode::Pgn;
    std::string_view letters = pieceLetters(n);
    char king = pieceLetter(PieceType::King, n);
    // The question has no way out but an answer; a dialog that never answers gets a queen.
    for (int trial = 0; trial < 1000; ++trial) {
        std::string r = env_.dialogs.input(env_.title, text(TextKey::PromotionPrompt), "");
        for (char& ch : r) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        r = trimmed(r);
        if (r.size() != 1 || r[0] == king || letters.find(r[0]) == std::string_view::npos) continue;
        return pieceOf(promotionPiece(r[0]), c);
    }
    return pieceOf(PieceType::Queen, c);
}

void GameController::put(int x, int y) {
    int last = s_.PositionIndex - 1;
    if (timeline_.shownEntry() < last && !(x == origin_.x && y == origin_.y)) {
        pos_.at(origin_.x, origin_.y) = lifted_;
        bool cut = cutGame();
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
    lifted_ = PieceCode::Empty;
    env_.view.pieceLifted(PieceCode::Empty);
    if (pieceType(piece) == PieceType::Pawn && (y == 1 || y == 8))
        c.promotion = askPromotion(mover);

    Position before = pos_;
    std::string longText = playOnBoard(c, false);

    // Quality mark and cue, from the mover's score of the new position.
    SearchCounters counters;
    Search r(pos_, weights(), s_.NotationCode);
    float e = r.evalue_position(mover, counters);
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

    if (compter_repetitions(s_) >= 2 &&
        env_.dialogs.question(env_.title, text(TextKey::RepetitionDrawQuestion)))
        finish("1/2-1/2", {}, {});
    if (!s_.gameOver()) {
        GameEnd end = gameEnd(pos_);
        if (end != GameEnd::InProgress) endByMate(pos_.sideToMove(), end == GameEnd::Mate);
    }

    std::string note = scoreText(e);
    if (e >= 0) note = " " + note;
    env_.view.boardTitle(text(TextKey::Game) + " - [" + shortText + "] - " +
                         text(TextKey::Evaluation) + " : [" + note + "]");
    if (!s_.gameOver()) {
        clocks_.basculer_horloges(mover, pos_.PlayerColour, s_.ClockOn);
        env_.view.clocksChanged();
    }
    nommer_ouverture();

    if (s_.PlayMode == GameMode::Network) {
        std::string message{'#', static_cast<char>('0' + c.fromX), static_cast<char>('0' + c.fromY),
                            static_cast<char>('0' + c.toX), static_cast<char>('0' + c.toY)};
        env_.view.sendNetwork(message + trimmed(longText));
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
    if (played.enPassant) {
        comment("- " + text(TextKey::EnPassant) + text(TextKey::PieceTakenContinued) +
                pieceName(static_cast<int>(played.captured), env_.catalogue));
    } else if (machine && played.captured != PieceCode::Empty) {
        comment("- " + text(TextKey::CaptureExclaimed) + text(TextKey::PieceTaken) +
                pieceName(static_cast<int>(played.captured), env_.catalogue) + " !");
    }
    return longText;
}

} // namespace quarvelin
