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
    // The items go in before `avant`, or at the end of the menu when it is null.
    RecentFilesMenu(QMenu* menu, QAction* avant = nullptr);

    // The captions of RecentFiles::afficher_fichiers_recents; items beyond them hide.
    void afficher(const std::vector<std::string>& legendes);

    QAction* element(int n) const { return elements_.at(static_cast<std::size_t>(n)); }

signals:
    // The clicked item's caption, for RecentFiles::choisir.
    void legendeChoisie(const QString& caption);

private:
    std::array<QAction*, 11> elements_{};
};
