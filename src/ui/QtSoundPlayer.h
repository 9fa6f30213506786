// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound cues through Qt Multimedia. A cue starts and the call returns; the next cue stops
// the one still sounding. Files are checked before they reach Qt, whose decoder reports a file
// it cannot read only later and only on the console.
#include "session/SoundPlayer.h"

#include <QString>

#include <map>
#include <memory>
#include <string>

class QSoundEffect;

class QtSoundPlayer : public quarvelin::SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    bool play(const std::string& path) override;

private:
    // One loaded effect per file, kept for the run: the same cues come back all game long.
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* playing_ = nullptr;
};
