// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game files used last, newest first, kept in the per-user settings store (organisation
// and application "Quarvelin", group "Recent Files", RecentFile1 newest .. RecentFile10).
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSettings;

namespace quarvelin {

inline constexpr int RecentFileCount = 10;

class RecentFiles {
public:
    // The user's store.
    RecentFiles();
    // A store in an INI file of its own, for tests and portable set-ups.
    explicit RecentFiles(const QString& file);
    ~RecentFiles();
    RecentFiles(const RecentFiles&) = delete;
    RecentFiles& operator=(const RecentFiles&) = delete;

    // Puts a file at the head. Only the head is compared, so a file further down stays where
    // it is and then stands twice. False when the store could not be written.
    bool ajouter_fichier_recent(const std::string& path);

    // The entries, newest first.
    std::vector<std::string> list() const;
    // The menu captions, "&1 path" onward; none at all while RecentFile1 is empty.
    std::vector<std::string> afficher_fichiers_recents() const;

    static std::string caption(int number, const std::string& path);
    // What follows the caption's first blank.
    static std::string captionPath(const std::string& caption);
    // The click on a menu item: the path to open, or nothing when no file is there any more,
    // which the user is told (text 270); the list is left as it is either way.
    static std::optional<std::string> choose(const std::string& caption, Dialogs& dialogs,
                                             const TextCatalogue& catalogue);

private:
    std::string value(int number) const;

    std::unique_ptr<QSettings> store_;
};

} // namespace quarvelin
