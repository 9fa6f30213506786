// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LastFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

LastFolder::LastFolder(QWidget* mainWindow) : QObject(mainWindow) {}

LastFolder* LastFolder::of(const QWidget* from) {
    for (const QWidget* w = from; w; w = w->parentWidget())
        if (auto* kept = w->findChild<LastFolder*>(QString(), Qt::FindDirectChildrenOnly))
            return kept;
    return nullptr;
}

QString LastFolder::startIn(const QWidget* from, const QString& proposed) {
    const LastFolder* kept = of(from);
    for (const QString& folder : {kept ? kept->folder_ : QString(), proposed})
        if (!folder.isEmpty() && QDir(folder).exists()) return folder;
    return QDir::homePath();
}

void LastFolder::remember(const QWidget* from, const QString& chosenFile) {
    if (LastFolder* kept = of(from); kept && !chosenFile.isEmpty())
        kept->folder_ = QFileInfo(chosenFile).absolutePath();
}
