// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recent files at the foot of a menu: mnuRecentFile0 is the separator above them, 1..10
// the files, all hidden while the list is empty.
#include <QObject>

#include <array>
#include <string>
#include <vector>

class QAction;
class QMenu;

class RecentFilesMenu : public QObject {
    Q_OBJECT

public:
    // The items go in before `before`, or at the end of the menu when it is null.
    RecentFilesMenu(QMenu* menu, QAction* before = nullptr);

    // The captions of RecentFiles::afficher_fichiers_recents; items beyond them hide.
    void show(const std::vector<std::string>& captions);

    QAction* element(int n) const { return elements_.at(static_cast<std::size_t>(n)); }

signals:
    // The clicked item's caption, for RecentFiles::choose.
    void chosenCaption(const QString& caption);

private:
    std::array<QAction*, 11> elements_{};
};
