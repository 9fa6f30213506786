// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The move list as the game's timeline: a line per half-move (Black's behind BlackPrefix) and a
// line per result, the SAN beside each move line, a recorded position per entry; the game texts
// of the session follow it. Entry i is the position after line i - 1, entry 0 the start.
#include "rules/Position.h"
#include "session/BoardDisplay.h"
#include "session/GameSession.h"
#include "session/GameView.h"

#include <string>

namespace quarvelin {

class MoveTimeline {
public:
    // pos is the live position: the one the board shows and moves are made on.
    MoveTimeline(GameSession& s, Position& pos, BoardDisplay& board, GameView& view)
        : s_(s), pos_(pos), board_(board), view_(view) {}

    // Every move gone: pos is entry 0, shown.
    void restart();
    // A move just made on pos, numbered with its full-move number: its line, its SAN, the game
    // texts, and pos recorded as the next entry.
    void addMove(const std::string& longText, const std::string& san, Colour mover, int number);
    // A result line ("1-0", or the end-of-game line given); pos is recorded again so that line i
    // keeps showing entry i + 1.
    void addResult(const std::string& result, const std::string& line = {});
    // Puts an entry (clamped to those recorded) on the board.
    void showEntry(int entry);
    // Back to an entry: the later lines, positions and notes go, the game texts are rebuilt and
    // the entry is shown.
    void cutAt(int entry);

    int shownEntry() const { return shownEntry_; }
    int lastEntry() const { return s_.PositionIndex - 1; }

private:
    void rebuildTexts();

    GameSession& s_;
    Position& pos_;
    BoardDisplay& board_;
    GameView& view_;
    int shownEntry_ = 0;
};

} // namespace quarvelin
