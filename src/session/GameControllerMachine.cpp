// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's move: default opening, book or search, then the game update and the end of
// the game; and the hint, which asks the same search for the side to move.
#include "session/GameController.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"
#include "rules/MoveRules.h"
#include "rules/SquareControl.h"

#include <algorithm>

namespace quarvelin {

namespace {
constexpr float MarkSize = 0.5f;

// The piece on the first square a move text names (" 12.Cg1-f3", "O-O" names none: the king).
PieceCode pieceOfText(const Position& p, const std::string& text) {
    if (text.find("O-O") != std::string::npos) return pieceOf(PieceType::King, p.sideToMove());
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        Square c = namedSquare(text[i], text[i + 1], p.PlayerColour);
        if (c.x != 0) return p.at(c.x, c.y);
    }
    return PieceCode::Empty;
}

std::optional<Move> legalOnSquares(const Position& p, int fx, int fy, int tx, int ty) {
    for (const Move& c : legalMoves(p))
        if (c.fromX == fx && c.fromY == fy && c.toX == tx && c.toY == ty &&
            (c.promotion == PieceCode::Empty || pieceType(c.promotion) == PieceType::Queen))
            return c;
    return std::nullopt;
}
} // namespace

Position GameController::engineView() const {
    Position p = pos_;
    p.MoveCount = static_cast<std::int16_t>(engineMoveCount());
    return p;
}

float GameController::evaluate(Colour mover) {
    return env_.engine.evaluate(engineView(), mover, weights());
}

SearchRequest GameController::request(Colour side, int extra) const {
    SearchRequest d;
    d.position = engineView();
    d.position.MoveCount = static_cast<std::int16_t>(d.position.MoveCount + extra);
    // The texts are numbered as the move list numbers them.
    d.moveNumber = pos_.MoveCount + 1;
    d.colour = side;
    d.weights = weights();
    d.notation = s_.NotationCode;
    d.threads = env_.threads;
    if (s_.LogOn)
        d.logHeader = text(TextKey::LogMoveNumber) + std::to_string(d.position.MoveCount) +
                      text(side == Colour::White ? TextKey::LogWhite : TextKey::LogBlack);
    return d;
}

void GameController::cancelSearch() {
    ++generation_;
    if (thinking_) {
        env_.engine.cancel();
        thinkingDone();
    }
}

void GameController::thinkingDone() {
    thinking_ = false;
    env_.view.waitCursor(false);
}

void GameController::joue_coup_machine() {
    if (!s_.boardOpen || s_.gameOver() || thinking_ || state_ == BoardState::Editing) return;
    if (timeline_.shownEntry() != timeline_.lastEntry()) timeline_.showEntry(timeline_.lastEntry());
    env_.board.clearMarks();
    if (env_.commentary.visible()) env_.commentary.clear();
    counters_.reset();

    const Colour side = pos_.sideToMove();
    // The rules, not the search's text, say whether the machine has a move at all.
    if (GameEnd end = gameEnd(pos_); end != GameEnd::InProgress) {
        endByMate(side, end == GameEnd::Mate);
        afterMachineMove();
        return;
    }

    const auto profile = static_cast<std::size_t>(s_.EngineProfile);
    const Settings& st = env_.settings;
    const bool opening =
        side == Colour::White && !st.OUVERTURE_DEFAUT[profile].empty() && pos_.MoveCount == 0;
    // White's first move is counted one ahead: against a player on Black whatever its source,
    // with Black at the bottom when it is not the default opening.
    if (side == Colour::White && pos_.PlayerColour == Colour::Black && s_.MoveCountRaise == 0 &&
        engineMoveCount() <= 1 && (!opening || s_.PlayMode == GameMode::Machine))
        s_.MoveCountRaise = 1;
    bool searchBook = true;
    if (opening) {
        std::string token = st.OUVERTURE_DEFAUT[profile];
        ReadMove parsed = lire_coup(pos_, Colour::White, NotationCode::Pgn, token);
        if (parsed.fromX != 0 && parsed.fromY != 0) {
            if (auto c = legalOnSquares(pos_, parsed.fromX, parsed.fromY, parsed.toX, parsed.toY)) {
                finishMachineMove({*c, 0.0f, true, {}});
                return;
            }
        }
        searchBook = false; // an unreadable default opening goes straight to the search
    }
    if (searchBook && env_.base && env_.base->isOpen() && st.ACTIVE_BASE_CON[profile] == 1) {
        std::function<double()> chance = [this] { return random(); };
        auto book = env_.base->choisir_coup_livre(
            pos_, side, s_.GameMoveText, st.OUVERTURE_ALEATOIRE[profile] == 1 ? &chance : nullptr);
        if (book) {
            Move c = book->move.move();
            if (isLegal(pos_, c)) {
                finishMachineMove({c, book->note, true, {}});
                return;
            }
        }
    }

    // With White at the bottom, the first White move the search chooses is the one counted
    // ahead; a default opening that cannot be read goes to the search as it is.
    if (side == Colour::White && searchBook && pos_.PlayerColour == Colour::White &&
        s_.MoveCountRaise == 0)
        s_.MoveCountRaise = 1;

    thinking_ = true;
    env_.view.waitCursor(true);
    unsigned gen = generation_;
    env_.engine.launch(request(side), counters_, displayCallbacks(),
                       [this, gen](const SearchResult& r, const SearchCounters& c) {
                           if (gen != generation_) return;
                           counters_ = c;
                           thinkingDone();
                           env_.view.counters(c, r.score);
                           MachineMove cm;
                           cm.score = r.score;
                           cm.text = r.text;
                           // The search may name a move the rules refuse when every move
                           // loses; any legal move then does as well.
                           auto c2 = legalOnSquares(pos_, r.fromX, r.fromY, r.toX, r.toY);
                           if (!c2) c2 = legalMoves(pos_).front();
                           cm.move = *c2;
                           cm.found = true;
                           finishMachineMove(cm);
                       });
}

EngineCallbacks GameController::displayCallbacks() {
    EngineCallbacks callbacks;
    callbacks.best = [this](const std::string& t, float score) {
        // White's moves carry their number ("2.Nb1-c3"); Black's follow "...".
        const std::string move = trimmed(t);
        const bool white = !move.empty() && move[0] >= '0' && move[0] <= '9';
        env_.view.thinking(white ? move : "... " + move, pieceOfText(pos_, t));
        if (env_.commentary.visible())
            env_.commentary.prepend("..." + t + "(" + scoreText(score) + ")\n");
    };
    callbacks.progression = [this](const SearchCounters& c) {
        env_.view.counters(c, c.BestAtDepth[0]);
    };
    if (s_.LogOn) callbacks.log = [this](const std::string& line) { log(line); };
    return callbacks;
}

void GameController::finishMachineMove(MachineMove cm) {
    const Colour mover = pos_.sideToMove();
    if (env_.settings.MACHINE_TRACE_COUP == 1) {
        env_.board.markSquare(cm.move.fromX, cm.move.fromY, MarkSize, YellowMark);
        env_.board.markSquare(cm.move.toX, cm.move.toY, MarkSize, YellowMark);
    }
    Position before = pos_;
    std::string longText = playOnBoard(cm.move, true);
    int number = before.MoveCount + 1;
    timeline_.addMove(longText, san(before, cm.move), mover, number);
    env_.view.listChanged();

    if (compter_repetitions(s_) >= 2) {
        if (s_.PlayMode == GameMode::Auto)
            automaticRepetition();
        else if (env_.dialogs.question(env_.title, text(TextKey::RepetitionDrawQuestion)))
            finish("1/2-1/2", {}, {});
    }
    // With White at the bottom the score goes at MoveCount, else one lower: the array ends there.
    const int counted = engineMoveCount();
    const auto at = static_cast<std::size_t>(
        std::max(0, pos_.PlayerColour == Colour::White ? counted : counted - 1));
    s_.ScoreHistory.resize(at + 1, 0.0f);
    s_.ScoreHistory[at] = cm.score;

    bool failure = longText.ends_with('+');
    jouer_son(failure && static_cast<int>(2 * random() + 1) == 1 ? CueMachineCheck : CuePut);
    switchClocks(mover);
    nommer_ouverture();
    if (s_.PlayMode == GameMode::Network) sendMove(cm.move, longText);

    if (!s_.gameOver()) {
        GameEnd end = gameEnd(pos_);
        if (end != GameEnd::InProgress) endByMate(pos_.sideToMove(), end == GameEnd::Mate);
    }
    afterMachineMove();
}

void GameController::afterMachineMove() {
    if (s_.PlayMode != GameMode::Auto) return;
    if (env_.settings.TwoProfiles) {
        s_.EngineProfile = s_.EngineProfile == 1 ? 2 : 1;
        env_.view.titre_principal(); // the title and the level menu show the profile to play
    } else {
        s_.EngineProfile = 1;
    }
    if (s_.gameOver()) {
        clocks_.set(Timer::Auto, 0);
        env_.view.playButton(false, text(TextKey::StartAutomaticPlay));
    }
}

void GameController::automaticRepetition() {
    float whites = evaluate(Colour::White);
    float blacks = evaluate(Colour::Black);
    float threshold = env_.settings.SEUIL_PARTIE_NULLE;
    const std::string result = whites < threshold ? "0-1" : blacks < threshold ? "1-0" : "1/2-1/2";
    // The list and the comment window say why the game ended so.
    std::string why = text(TextKey::RepetitionStood);
    if (result != "1/2-1/2") {
        why += "; " + env_.catalogue.text(
                          whites < threshold ? TextKey::RepetitionWhiteBelow
                                             : TextKey::RepetitionBlackBelow,
                          {scoreText(whites < threshold ? whites : blacks), scoreText(threshold)});
    }
    finish(result, result + " - " + why, {});
    comment(result + " - " + why);
}

void GameController::finish(const std::string& result, const std::string& line,
                            const std::string& message, const std::string& logEnd) {
    clocks_.arreter_horloges();
    env_.view.clocksChanged();
    timeline_.addResult(result, line);
    env_.view.menuStates();
    log(text(TextKey::Game) + " - " + result + logEnd);
    if (!message.empty()) env_.dialogs.message(env_.title, message, DialogIcon::Information);
}

std::string GameController::mateLine(Colour withoutMove, bool mate) const {
    if (!mate) return text(TextKey::Draw) + " - PAT !! ";
    const bool whiteWins = withoutMove == Colour::Black;
    return text(TextKey::Checkmate) + " - " +
           text(whiteWins ? TextKey::WhiteWins : TextKey::BlackWins) + " !!! ";
}

void GameController::endByMate(Colour withoutMove, bool mate) {
    if (!mate) {
        finish("1/2-1/2", mateLine(withoutMove, false), text(TextKey::Draw) + " PAT !! ", " - PAT");
        return;
    }
    bool whiteWins = withoutMove == Colour::Black;
    std::string winner = text(whiteWins ? TextKey::WhiteWins : TextKey::BlackWins);
    finish(whiteWins ? "1-0" : "0-1", mateLine(withoutMove, true),
           text(TextKey::Checkmate) + " " + winner + " !!! ");
}

void GameController::nommer_ouverture() {
    if (!s_.nameOpenings || !env_.base || !env_.base->isOpen()) return;
    auto line = env_.base->nommer_ouverture(s_.GameMoveText);
    bool visible = env_.commentary.visible();
    if (!line) {
        if (visible) {
            env_.view.setOpeningsAvailable(false);
            if (engineMoveCount() < env_.settings.MAX_COUP_OUVERTURE)
                comment(text(TextKey::OutOfBook));
        }
        return;
    }
    if (visible) env_.view.setOpeningsAvailable(true);
    if (const OpeningNames* names = env_.base->names()) line = names->named(line);
    s_.OpeningCode = line->code;
    s_.OpeningName = line->label;
    comment("[" + line->code + " - " + line->label + "]");
}

void GameController::viewOpenings() {
    env_.view.showOpeningList(env_.base && env_.base->isOpen() ? env_.base : nullptr);
}

void GameController::conseil_coup() {
    if (!s_.boardOpen || thinking_ || state_ == BoardState::Editing) return;
    env_.board.clearMarks();
    counters_.reset();
    env_.view.counters(counters_, -Infinity);
    const Colour side = pos_.sideToMove();
    thinking_ = true;
    env_.view.waitCursor(true);
    unsigned gen = generation_;
    // White's hint counts the move it proposes, for the time of the hint.
    env_.engine.launch(
        request(side, side == Colour::White ? 1 : 0), counters_, displayCallbacks(),
        [this, gen, side](const SearchResult& r, const SearchCounters& c) {
            if (gen != generation_) return;
            counters_ = c;
            thinkingDone();
            env_.view.counters(c, r.score);
            if (r.fromX != 0) {
                env_.board.showMove(r.fromX, r.fromY, r.toX, r.toY, MarkSize, YellowMark);
                env_.board.markSquare(r.toX, r.toY, MarkSize, YellowMark);
            }
            marque_pieces_non_defendues(pos_, side, [this](int x, int y, int colour) {
                env_.board.markSquare(x, y, MarkSize, static_cast<std::uint32_t>(colour));
            });
            env_.dialogs.message(env_.title,
                                 text(TextKey::HintMove) + r.text + text(TextKey::HintEvaluation) +
                                     scoreText(r.score) + ")",
                                 DialogIcon::Information);
        });
}

} // namespace quarvelin
