// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game in play: mode, notation, texts, history of positions, result and the switches the
// board window shows. One value, owned by the application and passed to whoever needs it.
#include "notation/Notation.h"
#include "rules/Position.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvelin {

enum class GameMode : std::uint8_t {
    Machine = 1,
    Free = 2,
    Network = 3,
    Auto = 4,
    Correspondence = 5
};

// The board's input state: waiting for a piece, a piece lifted, or the position editor.
enum class BoardState : std::uint8_t { Waiting = 0, PieceLifted = 1, Editing = 99 };

// Sound cues by their index in SoundFiles.
enum Cue : int {
    CueError = 0,
    CueMate = 1,
    CueLift = 2,
    CuePut = 3,
    CueConnection = 5,
    CueRing = 6,
    CueHumanCheck = 8,
    CueGoodMove = 9,
    CueWeak = 10,
    CueWeakMove = 11,
    CueStart = 12,
    CueMachineCheck = 13,
};
inline constexpr int SoundCount = 15;
// File names of the cues under the installation's son/ folder; empty where there is none.
extern const std::array<const char*, SoundCount> SoundFileNames;

inline constexpr const char* UnknownOpening = "inconnu";
inline constexpr const char* BlackPrefix = "    .....";

struct GameSession {
    GameMode PlayMode = GameMode::Machine;
    quarvelin::NotationCode NotationCode = quarvelin::NotationCode::French;
    std::string GameText;     // PGN tag lines of the game record
    std::string GameMoveText; // "1.e4 e5 2.Nf3": the short text of the moves so far
    std::string LongMoveText; // the long texts of the moves, one space apart
    std::string LastLongMove;
    std::string OpeningCode = UnknownOpening;
    std::string OpeningName = UnknownOpening;
    std::string GameResult = "*";
    // The FEN the game started from when it was not the initial position (pasted, edited,
    // loaded with a [FEN] tag); empty otherwise.
    std::string FenDepart;
    // One key per position reached, entry 0 the start; the whole state beside each key, so
    // going back restores castling rights, en-passant values and the half-move clock.
    std::vector<std::string> PositionHistory;
    std::vector<Position> PositionStates;
    std::int16_t PositionIndex = 0;
    // 1 once the machine has counted White's first move one ahead: the engine reads MoveCount as
    // White's moves plus this, while numbers and FEN keep White's moves. Kept for each recorded
    // position like its state, so going back restores it.
    std::int16_t MoveCountRaise = 0;
    std::vector<std::int16_t> MoveCountRaises;
    bool ClockOn = true;
    bool SoundOn = true;
    bool LogOn = false;
    std::array<std::string, SoundCount> SoundFiles{};
    int EngineProfile = 1;
    std::vector<float> ScoreHistory;

    // The move list: one line per half-move, a Black move behind BlackPrefix; result lines
    // follow as lines of their own. SAN of each move line (empty for result lines) beside it.
    std::vector<std::string> lines;
    std::vector<std::string> shortTexts;
    int selectedLine = -1; // -1: none
    // By half-move number; index 0 holds a note on the game before its first move (a loaded
    // game's opening comment).
    std::vector<std::string> notes;

    bool whiteChosen = true;  // the colour menu's check mark
    bool nameOpenings = true; // name the opening after each move
    bool boardOpen = false;
    // Moves played since the game was last saved, loaded or started: it is not to be dropped
    // without a question.
    bool unsavedMoves = false;
    bool coordinatesShown = false;

    bool gameOver() const { return GameResult != "*"; }
    int moveCount() const; // move lines, result lines left out
};

// Stores the key and state of p at PositionIndex and moves the index on.
void enregistrer_position(GameSession& s, const Position& p);
// How many earlier entries hold the key just stored.
int compter_repetitions(const GameSession& s);

bool isBlackLine(const std::string& line);
// The long text of a move line, without the Black prefix and trimmed.
std::string textOfLine(const std::string& line);
std::string trimmed(const std::string& s);
// Spaces, tabs and line breaks dropped at both ends.
std::string trimmedBlanks(const std::string& s);

} // namespace quarvelin
