// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the sound cues. The desktop program plays them through Qt Multimedia; tests record
// what was asked for.
#include <string>

namespace quarvelin {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the cue at path and returns at once; a new cue cuts the one playing. False when the
    // file cannot be played (missing, unreadable, not a sound the player decodes).
    virtual bool play(const std::string& path) = 0;
};

} // namespace quarvelin
