// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/GameController.h"

#include "notation/Fen.h"
#include "openings/OpeningBase.h"
#include "session/Log.h"

namespace quarvelin {

namespace {} // namespace

GameController::GameController(Environment env) : env_(std::move(env)), clocks_(env_.timers) {
    const Settings& st = env_.settings;
    s_.PlayMode = static_cast<GameMode>(st.MODE_JEUX >= 1 && st.MODE_JEUX <= 5 ? st.MODE_JEUX : 1);
    applySettings();
    for (int i = 0; i < SoundCount; ++i)
        if (*SoundFileNames[static_cast<std::size_t>(i)])
            s_.SoundFiles[static_cast<std::size_t>(i)] =
                env_.installation + "/son/" + SoundFileNames[static_cast<std::size_t>(i)];
    pos_ = Position::initial(s_.whiteChosen ? Colour::White : Colour::Black);
}

GameController::~GameController() { cancelSearch(); }

void GameController::applySettings() {
    const Settings& st = env_.settings;
    s_.EngineProfile = 1;
    s_.ClockOn = st.ACTIVE_HORLOGE == 1;
    s_.SoundOn = st.ACTIVE_SON == 1;
    s_.LogOn = st.GES_LOG == 1;
    s_.whiteChosen = st.DEB_BLANC == 1;
    s_.coordinatesShown = st.AFF_REPERE == 1;
}

double GameController::random() {
    if (env_.random) return env_.random();
    // A small fixed generator keeps runs without a source repeatable.
    seed_ = seed_ * 1103515245u + 12345u;
    return static_cast<double>((seed_ >> 8) & 0xFFFFFF) / 16777216.0;
}

EngineWeights GameController::weights() const {
    return profileWeights(env_.settings, s_.EngineProfile);
}

void GameController::jouer_son(int index) {
    if (!s_.SoundOn || index < 0 || index >= SoundCount) return;
    const std::string& path = s_.SoundFiles[static_cast<std::size_t>(index)];
    if (path.empty()) return;
    if (!env_.sounds.play(path))
        env_.dialogs.message(text(TextKey::SoundTitle), text(TextKey::SoundFailed),
                             DialogIcon::Exclamation);
}

void GameController::log(const std::string& line) {
    if (s_.LogOn) appendToLog(env_.settings.FILE_LOG, line);
}

void GameController::comment(const std::string& line) {
    if (env_.commentary.visible()) env_.commentary.append(line + "\n");
}

void GameController::changer_mode(GameMode mode) {
    s_.PlayMode = mode;
    env_.settings.MODE_JEUX = static_cast<std::uint8_t>(mode);
    env_.view.titre_principal();
    env_.view.menuStates();
}

// Either item flips the choice: a click on the ticked one picks the other colour, a click on the
// other one picks its own, which is the other colour too.
void GameController::couleur_blanche() {
    s_.whiteChosen = !s_.whiteChosen;
    env_.settings.DEB_BLANC = s_.whiteChosen ? 1 : 0;
}
void GameController::couleur_noire() { couleur_blanche(); }

std::string GameController::automaticHeader() const {
    const Settings& st = env_.settings;
    int black = st.TwoProfiles ? 2 : 1;
    // A profile's rating when it has one, else the label of its level (its depth).
    auto elo = [&](int profile) {
        auto k = static_cast<std::size_t>(profile);
        if (st.NIVEAU_ELO[k] > 0) return std::to_string(st.NIVEAU_ELO[k]);
        int level = st.PROFONDEUR_MAX[k];
        if (level >= 0 && level < static_cast<int>(EloLevels.size()))
            return std::string(EloLevels[static_cast<std::size_t>(level)]);
        return std::string(EloLevels.back());
    };
    // Quotes and backslashes in a value are escaped, or the tag would end early.
    auto tag = [](const std::string& name, const std::string& value) {
        std::string v;
        for (char c : value) {
            if (c == '"' || c == '\\') v += '\\';
            v += c;
        }
        return "[" + name + " \"" + v + "\"]\r\n";
    };
    std::string date = today();
    return tag("Event", "Partie du " + date) + tag("Site", st.LIEU_JEU) + tag("Date", date) +
           tag("White", st.NOM_MOTEUR[1]) +
           tag("Black", st.NOM_MOTEUR[static_cast<std::size_t>(black)]) + tag("WhiteElo", elo(1)) +
           tag("BlackElo", elo(black)) + "\r\n";
}

void GameController::newGame() {
    if (s_.PlayMode == GameMode::Correspondence) return; // those games start from their store
    log("->" + text(TextKey::ChessGame) + " - " + today() + " - " + currentTime());
    pos_.CastlingDone = {};
    s_.GameText.clear();
    if (s_.PlayMode == GameMode::Network) {
        env_.view.networkConnection();
        return;
    }
    openBoard();
    if (s_.PlayMode == GameMode::Auto) s_.GameText = automaticHeader();
    bool machineWhite =
        s_.PlayMode == GameMode::Auto || (s_.PlayMode == GameMode::Machine && !s_.whiteChosen);
    if (machineWhite)
        comment("- " + text(TextKey::GameBeginsWait));
    else {
        comment("- " + text(TextKey::GameBegins));
        comment("- " + text(TextKey::YourMove));
    }
    jouer_son(CueStart);
}

void GameController::openBoard() {
    cancelSearch();
    s_.OpeningCode = s_.OpeningName = UnknownOpening;
    s_.EngineProfile = 1;
    log("-> " + text(TextKey::ChessGame) + " - " + today() + " - " + currentTime());

    Colour pc = s_.whiteChosen ? Colour::White : Colour::Black;
    lifted_ = PieceCode::Empty;
    palettePending_ = false;
    counters_.reset();

    bool network = s_.PlayMode == GameMode::Network;
    clocks_.arreter_horloges();
    clocks_.setUp(env_.settings.DELAI_PARTIE, s_.ClockOn, !network);
    if (!network) clocks_.basculer_horloges(Colour::Black, pc, s_.ClockOn);
    env_.view.clocksChanged();

    env_.board.clearMarks();
    env_.board.editing(false);
    env_.board.setUp(pc, env_.installation + "/images/pieces/" + env_.settings.CURENT_PIECE,
                     env_.installation + "/images/echiquier/" + env_.settings.CURENT_ECHIQUIER);
    restartFrom(Position::initial(pc), false);
    s_.boardOpen = true;
    env_.view.listChanged();
    env_.view.menuStates();

    if (s_.PlayMode == GameMode::Machine && pc == Colour::Black) joue_coup_machine();
    if (s_.PlayMode == GameMode::Auto) {
        env_.view.playButton(true, text(TextKey::StopAutomaticPlay));
        clocks_.set(Timer::Auto, 100);
    }
}

void GameController::closeBoard() {
    cancelSearch();
    clocks_.arreter_horloges();
    clocks_.set(Timer::Scroll, 0);
    env_.view.clocksChanged();
    if (state_ == BoardState::PieceLifted) putPieceBack();
    state_ = BoardState::Waiting;
    s_.boardOpen = false;
    env_.view.menuStates();
}

void GameController::resign() {
    if (!inProgress() || state_ == BoardState::Editing) return;
    if (!env_.dialogs.question(env_.title, text(TextKey::AbandonGameQuestion))) return;
    // The peer is told before the link goes, on either side.
    if (s_.PlayMode == GameMode::Network) {
        env_.view.sendNetwork("%");
        env_.view.closeConnection();
    }
    cancelSearch();
    if (state_ == BoardState::PieceLifted) putPieceBack();
    clocks_.set(Timer::Auto, 0);
    // Against the machine the player resigns; at one board, the side whose turn it is.
    const bool againstMachine =
        s_.PlayMode == GameMode::Machine || s_.PlayMode == GameMode::Network;
    const Colour loser = againstMachine ? pos_.PlayerColour : pos_.sideToMove();
    finish(loser == Colour::White ? "0-1" : "1-0",
           text(loser == Colour::White ? TextKey::WhiteResigns : TextKey::BlackResigns), {});
}

void GameController::offerDraw() {
    if (s_.PlayMode == GameMode::Network) {
        if (inProgress() && env_.dialogs.question(env_.title, text(TextKey::OfferDrawQuestion)))
            env_.view.sendNetwork("/");
        return;
    }
    if (s_.gameOver()) return;
    float whites = evaluate(Colour::White);
    float blacks = evaluate(Colour::Black);
    Colour machine = opposite(pos_.PlayerColour);
    float scoreMachine = machine == Colour::White ? whites : blacks;
    std::string scores = text(TextKey::WhiteEvaluation) + scoreText(whites) +
                         text(TextKey::BlackEvaluation) + scoreText(blacks);
    if (scoreMachine < 0.0f && pos_.MoveCount > 10) {
        finish("1/2-1/2", {},
               text(TextKey::ComputerAcceptsDraw) + scores + text(TextKey::GameDrawn));
    } else {
        env_.dialogs.message(env_.title, text(TextKey::ComputerDeclinesDraw) + scores,
                             DialogIcon::Information);
    }
}

void GameController::tick(Timer m) {
    switch (m) {
    case Timer::Bottom:
    case Timer::Top: {
        if (!clocks_.running(m)) return;
        bool finished = clocks_.tickCountdown(m);
        env_.view.clocksChanged();
        if (!finished) return;
        cancelSearch();
        if (state_ == BoardState::PieceLifted) putPieceBack();
        // The search stopped half-way leaves no marks or half a panel behind.
        env_.board.clearMarks();
        env_.view.thinking({}, PieceCode::Empty);
        Colour loser = m == Timer::Bottom ? pos_.PlayerColour : opposite(pos_.PlayerColour);
        std::string message =
            text(TextKey::TimeIsUp) + " " +
            text(loser == Colour::White ? TextKey::WhiteLoses : TextKey::BlackLoses);
        finish(loser == Colour::White ? "0-1" : "1-0", message, {});
        if (s_.PlayMode == GameMode::Network)
            env_.view.sendNetwork(loser == Colour::White ? "&W" : "&B");
        env_.dialogs.message(text(TextKey::GameOver), message, DialogIcon::Exclamation);
        comment(message);
        return;
    }
    case Timer::Duration:
        clocks_.tickDuration();
        env_.view.clocksChanged();
        return;
    case Timer::Scroll: {
        const int n = static_cast<int>(s_.lines.size());
        if (s_.selectedLine + 1 < n) navigate(2);
        if (s_.selectedLine + 1 < n) return;
        clocks_.set(Timer::Scroll, 0);
        env_.view.playButton(false, text(TextKey::StartScrolling));
        return;
    }
    case Timer::Auto:
        if (thinking_ || s_.PlayMode != GameMode::Auto) return;
        if (s_.gameOver() || !s_.boardOpen) {
            clocks_.set(Timer::Auto, 0);
            env_.view.playButton(false, text(TextKey::StartAutomaticPlay));
            return;
        }
        joue_coup_machine();
        return;
    }
}

void GameController::restartFrom(const Position& start, bool fromStartPosition) {
    pos_ = start;
    s_.FenDepart = fromStartPosition ? writeFen(pos_) : std::string();
    s_.unsavedMoves = false;
    state_ = BoardState::Waiting;
    clearTraces();
    timeline_.restart();
}

void GameController::switchClocks(Colour mover) {
    if (s_.gameOver()) return;
    if (s_.PlayMode == GameMode::Auto && !clocks_.running(Timer::Auto)) return;
    clocks_.basculer_horloges(mover, pos_.PlayerColour, s_.ClockOn);
    if (!clocks_.running(Timer::Duration)) clocks_.set(Timer::Duration, 1000);
    env_.view.clocksChanged();
}

void GameController::clearTraces() {
    env_.board.clearMarks();
    env_.view.boardTitle(text(TextKey::Game));
    shownScore_ = 0;
    env_.view.thinking({}, PieceCode::Empty);
    counters_.reset();
    env_.view.counters(counters_, -Infinity);
}

void GameController::tickWhileAsking(Timer m) {
    if (!clocks_.running(m)) return;
    if (m == Timer::Duration)
        clocks_.tickDuration();
    else if (m == Timer::Bottom || m == Timer::Top)
        // At zero it stays there; the next tick, once the box is gone, ends the game.
        clocks_.tickCountdown(m);
    else
        return;
    env_.view.clocksChanged();
}

std::string GameController::copyPosition(int entry) const {
    return entry == 1 ? positionKey(pos_) : writeFen(pos_);
}

} // namespace quarvelin
