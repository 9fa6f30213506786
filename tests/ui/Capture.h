// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saves what a window looks like when QUARVELIN_CAPTURES names a folder, for a person to look
// at; the tests themselves check the pixels they care about.
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

inline void takeScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("QUARVELIN_CAPTURES");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QCoreApplication::processEvents(); // let the layouts settle as they would on screen
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
