// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board window's timers, as the game logic starts and stops them. The desktop program runs
// them as QTimers that call GameController::tick; tests step them by hand.
namespace quarvelin {

enum class Timer {
    Bottom,   // the bottom countdown, PlayerColour's
    Top,      // the top countdown
    Duration, // the game's duration
    Scroll,   // scrolling replay, every DELAI_ATTENTE ms
    Auto,     // automatic play, every 100 ms
};
inline constexpr int TimerCount = 5;

class TimerSource {
public:
    virtual ~TimerSource() = default;
    // Runs the timer every intervalMs milliseconds; 0 stops it.
    virtual void set(Timer m, int intervalMs) = 0;
};

} // namespace quarvelin
