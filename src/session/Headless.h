// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game without a window, for the command line and the fuzzers: questions are answered No,
// boxes and cues go nowhere, the board is a plain grid and only automatic play's timer is kept.
#include "localisation/Dialogs.h"
#include "rules/Position.h"
#include "session/BoardDisplay.h"
#include "session/Commentary.h"
#include "session/SoundPlayer.h"
#include "session/TimerSource.h"

#include <array>

namespace quarvelin {

class Headless : public Dialogs,
                 public SoundPlayer,
                 public Commentary,
                 public BoardDisplay,
                 public TimerSource {
public:
    void message(const std::string&, const std::string&, DialogIcon) override {}
    bool question(const std::string&, const std::string&) override { return false; }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool play(const std::string&) override { return true; }
    bool visible() const override { return false; }
    void append(const std::string&) override {}
    void prepend(const std::string&) override {}
    void clear() override {}
    void setUp(Colour o, const std::string&, const std::string&) override {
        cases_ = Position::initial(o).Board;
    }
    PieceCode readSquare(int x, int y) const override { return cases_[x + 9 * y]; }
    void writeSquare(int x, int y, PieceCode p) override { cases_[x + 9 * y] = p; }
    void markSquare(int, int, float, std::uint32_t) override {}
    void showMove(int, int, int, int, float, std::uint32_t) override {}
    void clearMarks() override {}
    void editing(bool) override {}
    void set(Timer m, int ms) override { auto_ = m == Timer::Auto ? ms : auto_; }
    bool autoRunning() const { return auto_ != 0; }

private:
    std::array<PieceCode, 81> cases_{};
    int auto_ = 0;
};

} // namespace quarvelin
