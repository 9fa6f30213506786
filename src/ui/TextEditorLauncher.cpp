// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextEditorLauncher.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The Exec line of the application the desktop opens plain text with; empty when it says none,
// or names one that runs in a terminal and would show nothing from here.
QString plainTextExec() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (query.exitCode() != 0 || entry.isEmpty()) return {};
    const QString desktopFile = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    QFile file(desktopFile);
    if (desktopFile.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QString exec;
    bool terminal = false;
    bool mainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'['))
            mainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (mainGroup && line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5);
        else if (mainGroup && line.startsWith(QStringLiteral("Terminal=")))
            terminal = line.mid(9).trimmed() == QStringLiteral("true");
    }
    return terminal ? QString() : exec;
}

} // namespace

QStringList TextEditorLauncher::command(const QString& execLine, const QString& path) {
    QStringList command;
    bool placed = false;
    for (QString word : QProcess::splitCommand(execLine)) {
        static const QStringList fileCodes = {QStringLiteral("%f"), QStringLiteral("%F"),
                                              QStringLiteral("%u"), QStringLiteral("%U")};
        if (fileCodes.contains(word)) {
            if (!placed) command << path;
            placed = true;
            continue;
        }
        // The other codes name the icon, the entry and such: nothing an editor needs.
        if (word.size() == 2 && word[0] == u'%' && word[1] != u'%') continue;
        word.replace(QStringLiteral("%%"), QStringLiteral("%"));
        command << word;
    }
    if (command.isEmpty()) return {};
    if (!placed) command << path;
    return command;
}

bool TextEditorLauncher::open(const QString& path) {
    QStringList words = command(plainTextExec(), path);
    if (!words.isEmpty()) {
        const QString program = words.takeFirst();
        if (QProcess::startDetached(program, words)) return true;
    }
    // A PGN file handed to the desktop as it is would open in a chess program: the usual
    // desktop editors by name come first.
    for (const char* name : {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed",
                             "pluma", "featherpad", "leafpad", "geany"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {path})) return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
