// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two countdowns and the game's duration. The remaining times live as "hh:mm:ss" texts, as
// the labels show them; each tick reads, steps and writes one back.
#include "rules/Types.h"
#include "session/TimerSource.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>

namespace quarvelin {

class Clocks {
public:
    explicit Clocks(TimerSource& source) : source_(source) {}

    // Board opening: both countdowns at the time allowed, the duration at zero. The countdowns
    // start at the first switch; the duration runs unless told otherwise (network play).
    void setUp(const std::string& gameTime, bool clockOn, bool startDuration);
    // After a move of `moved`: stops its clock and starts the other's, when the clocks are on.
    void basculer_horloges(Colour moved, Colour playerColour, bool clockOn);
    // Every timer stops, automatic play included.
    void arreter_horloges();
    void set(Timer m, int intervalMs);

    // One second off the bottom or top countdown; true when it has reached 00:00:00.
    bool tickCountdown(Timer m);
    void tickDuration();

    const std::string& bottom() const { return bottom_; }
    const std::string& top() const { return top_; }
    const std::string& duration() const { return duration_; }
    int interval(Timer m) const { return intervals_[static_cast<std::size_t>(m)]; }
    bool running(Timer m) const { return interval(m) != 0; }

    // "hh:mm:ss" to seconds; nothing for a text that is not a time of day.
    static std::optional<int> readTime(const std::string& text);
    static std::string writeTime(int seconds);

private:
    TimerSource& source_;
    std::string bottom_ = "00:00:00", top_ = "00:00:00", duration_ = "00:00:00";
    std::array<int, TimerCount> intervals_{};
    std::chrono::system_clock::time_point toggle_{};
};

} // namespace quarvelin
