// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opens a file in the desktop's text editor: a games file handed to the desktop as it is would
// open in a chess program, which is not what "view the file" means.
#include <QString>
#include <QStringList>

class TextEditorLauncher {
public:
    // False when no editor could be started.
    static bool open(const QString& path);
    // The command of a desktop entry's Exec line for one file; empty when it names no program.
    static QStringList command(const QString& execLine, const QString& path);
};
