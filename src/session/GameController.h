// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game in play and everything the board window asks of it: new games and play modes, the
// human's clicks, the machine's moves, clocks, navigation, replay of a game text, pasted
// positions and the position editor. It reaches the user only through the interfaces in
// Environment, so a whole game can be played in a test.
#include "config/Settings.h"
#include "engine/SearchCounters.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "rules/Move.h"
#include "rules/Position.h"
#include "session/BoardDisplay.h"
#include "session/Clocks.h"
#include "session/Commentary.h"
#include "session/GameSession.h"
#include "session/GameView.h"
#include "session/MoveTimeline.h"
#include "session/SearchRunner.h"
#include "session/SoundPlayer.h"

#include <functional>
#include <optional>
#include <string>

namespace quarvelin {

struct ParsedGame;

class OpeningBase;

struct Environment {
    Settings& settings;
    const TextCatalogue& catalogue;
    Dialogs& dialogs;
    SoundPlayer& sounds;
    Commentary& commentary;
    BoardDisplay& board;
    TimerSource& timers;
    GameView& view;
    SearchRunner& engine;
    const OpeningBase* base = nullptr; // null or closed: no book and no names
    std::string installation;          // the installation directory
    std::string title = "quarvelin";   // message boxes' title
    std::function<double()> random;    // uniform in [0, 1); a fixed generator when empty
    int threads = 2;
};

class GameController {
public:
    explicit GameController(Environment env);
    ~GameController();
    GameController(const GameController&) = delete;
    GameController& operator=(const GameController&) = delete;

    const Position& position() const { return pos_; }
    const GameSession& session() const { return s_; }
    const SearchCounters& counters() const { return counters_; }
    const Clocks& clocks() const { return clocks_; }
    BoardState state() const { return state_; }
    bool machineThinking() const { return thinking_; }
    // The evaluation the board's title shows; 0 before any.
    float shownScore() const { return shownScore_; }
    // The lifted piece and its origin while a piece is lifted.
    PieceCode pieceLifted() const { return lifted_; }
    Square origin() const { return origin_; }

    // The switches the settings record holds for the game (sounds, clocks, log, coordinates,
    // the side chosen), read again after the preferences or a menu changed them; the first
    // engine profile plays again.
    void applySettings();
    void setNotation(NotationCode notation) { s_.NotationCode = notation; }
    void toggleOpeningNames() { s_.nameOpenings = !s_.nameOpenings; }
    void setSound(bool on) { s_.SoundOn = on; }
    void setClocks(bool on) { s_.ClockOn = on; }

    // Play modes, colour and new game.
    void changer_mode(GameMode mode);
    void couleur_blanche(); // the colour menu's two items
    void couleur_noire();
    void newGame();
    // The board window closes: the game ends where it stands, a running search is dropped.
    void closeBoard();
    // The player resigns (in free play the side to move): the game ends with its result line.
    void resign();
    // A game on the board that has not ended.
    bool inProgress() const { return s_.boardOpen && !s_.gameOver(); }
    // Moves played since the game was saved, loaded or started.
    bool hasUnsavedMoves() const { return s_.unsavedMoves; }
    void markSaved() { s_.unsavedMoves = false; }
    void offerDraw();
    // The mode-4 header of the game record, with today's date.
    std::string automaticHeader() const;

    // The human's input: two clicks make a move; a drag is a press on the origin and a release
    // on the target. Editing places or removes pieces instead.
    void clickSquare(int x, int y);
    void clickPalette(PieceCode piece);
    // A move of the opening list ("2.Nf3", "e5") played as the user would play it on the
    // board; false when it cannot be played now.
    bool playListedMove(std::string token);

    // One machine move for the side to move, now or when the worker thread hands it back.
    void joue_coup_machine();
    void conseil_coup();
    // The lines of the opening base that continue the game, for the opening list.
    void viewOpenings();

    // A timer of the board window fired.
    void tick(Timer m);
    // A second of a clock while a question box is open: the time shown goes on, but the game is
    // not touched until the box is gone.
    void tickWhileAsking(Timer m);

    // Navigation, notes and the last move.
    void navigate(int button); // 0 first, 1 back, 2 forward, 3 last, 4 play/pause
    void selectLine(int line);
    void doubleClickLine(int line);
    void noteMove();
    void modifyLastMove();
    void toggleCoordinates();
    int shownEntry() const { return timeline_.shownEntry(); }

    // A game read from a file: its tags, moves and result, its comments as notes on the moves
    // and, in the comment window, its comments and variations. False when its start position
    // cannot be set up (said to the user; the game on the board stays).
    bool loadGame(const ParsedGame& parsed);

    // A correspondence game from its store, its moves in SAN: the user's side at the bottom,
    // the moves replayed; the board then takes one move of that side, on the user's turn.
    void openCorrespondence(const std::string& header, const std::string& moves, bool userWhite,
                            NotationCode notation);

    // Rebuilds the game from a game text (it becomes GameMoveText), from the initial position
    // or from `start` ([FEN] games).
    void rejouer_partie(const std::string& gameMoveText,
                        const std::optional<Position>& start = std::nullopt);

    // Clipboard: the position key (entry 1) or the FEN (entry 2); a pasted text.
    std::string copyPosition(int entry) const;
    void pastePosition(const std::string& text);

    // Position editor.
    void enterEditor(bool ask);
    bool startFromEditor();
    void clearEditorBoard();
    void editorInitialPosition();

    // Network play (GameControllerNetwork.cpp). The game starts once the peer is there: the
    // board opens with `side` at the bottom, its title, commentary, cue and clocks.
    void startNetworkGame(Colour side, bool server, const std::string& opponent);
    // A move the peer sent, already checked against livePosition().
    void playReceivedMove(const Move& c);
    // A game ended on the other side, or by an answer: result line and message.
    void endNetworkGame(const std::string& result, const std::string& line,
                        const std::string& message);
    // While a peer is connected only moves change the game; the rest is refused with a message.
    void setNetworkLocked(bool locked) { networkLocked_ = locked; }
    bool networkLocked() const { return networkLocked_; }
    // The last position of the game, whatever entry the board shows.
    const Position& livePosition() const;

    // The engine profile whose weights and book settings the machine uses now.
    int profile() const { return s_.EngineProfile; }

    void jouer_son(int index);
    void log(const std::string& line);
    std::string text(TextKey key) const { return env_.catalogue.text(key); }

private:
    struct MachineMove {
        Move move;
        float score = 0;
        bool found = false;
        std::string text; // "MAT", "PAT", or the move's text
    };

    void openBoard();
    // A game with no move yet from `start`: texts, list, result and history start again, the
    // position is entry 0. fromStartPosition: it is not the initial position (saved with its FEN).
    void restartFrom(const Position& start, bool fromStartPosition);
    void showPosition();
    void comment(const std::string& line);
    void thinkingDone();
    // After a move: the other side's clock runs (not in a paused automatic game), and the
    // game's duration runs from the first move of a loaded or set-up game.
    void switchClocks(Colour mover);
    // Nothing of the game before stays on screen: title, engine panel, marks.
    void clearTraces();
    void cancelSearch();

    // Human moves.
    void lift(int x, int y);
    void put(int x, int y);
    void putPieceBack();
    bool cutGame();

    // The game update shared by every move: board, texts, list, history; the move's long text.
    std::string playOnBoard(const Move& c, bool machine);
    void endByMate(Colour withoutMove, bool mate);
    // The move-list line of a mate or a stalemate of the side without a move.
    std::string mateLine(Colour withoutMove, bool mate) const;
    // Every end of game: clocks stopped, result line, log; a message when there is one.
    void finish(const std::string& result, const std::string& line, const std::string& message,
                const std::string& logEnd = {});
    void nommer_ouverture();
    void finishMachineMove(MachineMove cm);
    void afterMachineMove();
    void automaticRepetition();
    // "#" and the four coordinates of the board, then the long text: the move for the peer.
    void sendMove(const Move& c, const std::string& longText);
    // True, after telling the user, when a connected network game forbids the change.
    bool refusedWhileConnected();

    EngineWeights weights() const;
    // MoveCount as the engine reads it: White's moves and the machine's raise.
    int engineMoveCount() const { return pos_.MoveCount + s_.MoveCountRaise; }
    Position engineView() const;
    float evaluate(Colour mover);
    // The board title after a move: its short text and the mover's score, kept for learning.
    void showScore(const std::string& shortText, float e);
    // A search for side; extra: a further count for the time of this search (the hint's).
    SearchRequest request(Colour side, int extra = 0) const;
    // What a search with display on shows: thinking label and icon, commentary lines, log.
    EngineCallbacks displayCallbacks();
    double random();

    Environment env_;
    Position pos_;
    GameSession s_;
    MoveTimeline timeline_{s_, pos_, env_.board, env_.view};
    SearchCounters counters_;
    Clocks clocks_;
    BoardState state_ = BoardState::Waiting;
    PieceCode lifted_ = PieceCode::Empty;
    Square origin_;
    PieceCode palette_ = PieceCode::Empty;
    bool palettePending_ = false;
    bool thinking_ = false;
    bool networkLocked_ = false;
    float shownScore_ = 0;
    unsigned generation_ = 0;
    int correspondenceLimit_ = 0; // the half-moves a correspondence game may reach on the board
    unsigned seed_ = 12345;
};

} // namespace quarvelin
