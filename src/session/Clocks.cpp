// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Clocks.h"

#include <cstdio>

namespace quarvelin {

std::optional<int> Clocks::readTime(const std::string& text) {
    int h = 0, m = 0, s = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &m, &s, &end) != 3) return std::nullopt;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return std::nullopt;
    return h * 3600 + m * 60 + s;
}

std::string Clocks::writeTime(int seconds) {
    // A countdown never goes below zero; a time of day wraps at midnight.
    if (seconds < 0) seconds = 0;
    seconds %= 24 * 3600;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buf;
}

void Clocks::set(Timer m, int intervalMs) {
    intervals_[static_cast<std::size_t>(m)] = intervalMs;
    source_.set(m, intervalMs);
}

void Clocks::setUp(const std::string& gameTime, bool clockOn, bool startDuration) {
    set(Timer::Bottom, 0);
    set(Timer::Top, 0);
    if (clockOn) {
        // An unreadable game time shows as it is and counts from zero: the first tick ends it.
        auto t = readTime(gameTime);
        bottom_ = top_ = t ? writeTime(*t) : "00:00:00";
    }
    if (startDuration) {
        duration_ = "00:00:00";
        set(Timer::Duration, 1000);
    }
}

void Clocks::basculer_horloges(Colour moved, Colour playerColour, bool clockOn) {
    if (!clockOn) return;
    toggle_ = std::chrono::system_clock::now();
    bool bottom = moved != playerColour;
    set(Timer::Bottom, bottom ? 1000 : 0);
    set(Timer::Top, bottom ? 0 : 1000);
}

void Clocks::arreter_horloges() {
    for (Timer m : {Timer::Bottom, Timer::Top, Timer::Auto, Timer::Duration}) set(m, 0);
}

bool Clocks::tickCountdown(Timer m) {
    std::string& label = m == Timer::Bottom ? bottom_ : top_;
    int remaining = readTime(label).value_or(0) - 1;
    label = writeTime(remaining);
    return remaining <= 0;
}

void Clocks::tickDuration() { duration_ = writeTime(readTime(duration_).value_or(0) + 1); }

} // namespace quarvelin
