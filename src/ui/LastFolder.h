// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where file choosers open: the folder of the last file the user chose to load or save during
// the session, else a folder the window proposes, else the home folder. The main window keeps
// one; the choosers of the windows opened over it find it by their parents.
#include <QObject>
#include <QString>

class QWidget;

class LastFolder : public QObject {
    Q_OBJECT

public:
    explicit LastFolder(QWidget* mainWindow);

    // The folder a chooser opened from `from` starts in; `proposed` when none was chosen yet or
    // it is gone.
    static QString startIn(const QWidget* from, const QString& proposed = {});
    // A file the user chose from `from`; nothing for an empty path.
    static void remember(const QWidget* from, const QString& chosenFile);

private:
    static LastFolder* of(const QWidget* from);

    QString folder_;
};
