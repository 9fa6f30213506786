// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every printed page carries around its body.
#include <QString>

struct PageFrame {
    QString program; // "QUARVELIN v0.1.0", top left
    QString date;    // top right
    QString page;    // the word before "3/7" at the foot
};
