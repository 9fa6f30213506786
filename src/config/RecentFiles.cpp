// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RecentFiles.h"

#include "config/Version.h"

#include <QSettings>

#include <filesystem>

namespace quarvelin {

namespace {

const QString Group = QStringLiteral("Recent Files");

QString key(int number) { return QStringLiteral("RecentFile%1").arg(number); }

} // namespace

RecentFiles::RecentFiles()
    : store_(
          std::make_unique<QSettings>(QStringLiteral("Quarvelin"), QStringLiteral("Quarvelin"))) {}

RecentFiles::RecentFiles(const QString& file)
    : store_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

RecentFiles::~RecentFiles() = default;

std::string RecentFiles::value(int number) const {
    return store_->value(Group + u'/' + key(number)).toString().toStdString();
}

bool RecentFiles::ajouter_fichier_recent(const std::string& path) {
    if (value(1) == path) return true;
    store_->beginGroup(Group);
    // An empty entry is skipped, not moved: the one below it keeps its value.
    for (int i = RecentFileCount - 1; i >= 1; --i) {
        const QString v = store_->value(key(i)).toString();
        if (!v.isEmpty()) store_->setValue(key(i + 1), v);
    }
    store_->setValue(key(1), QString::fromStdString(path));
    store_->endGroup();
    store_->sync();
    return store_->status() == QSettings::NoError;
}

std::vector<std::string> RecentFiles::list() const {
    std::vector<std::string> entries;
    // By number, not by the store's own key order, which puts RecentFile10 second.
    for (int i = 1; i <= RecentFileCount; ++i) {
        std::string v = value(i);
        if (!v.empty()) entries.push_back(std::move(v));
    }
    return entries;
}

std::vector<std::string> RecentFiles::afficher_fichiers_recents() const {
    std::vector<std::string> captions;
    if (value(1).empty()) return captions;
    const std::vector<std::string> entries = list();
    for (std::size_t i = 0; i < entries.size(); ++i)
        captions.push_back(caption(static_cast<int>(i) + 1, entries[i]));
    return captions;
}

std::string RecentFiles::caption(int number, const std::string& path) {
    std::string l = "&";
    l.append(std::to_string(number)).append(" ").append(path);
    return l;
}

std::string RecentFiles::captionPath(const std::string& caption) {
    const std::size_t white = caption.find(' ');
    return white == std::string::npos ? std::string() : caption.substr(white + 1);
}

std::optional<std::string> RecentFiles::choose(const std::string& caption, Dialogs& dialogs,
                                               const TextCatalogue& catalogue) {
    std::string path = captionPath(caption);
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        dialogs.message(ProgramName, catalogue.text(TextKey::FileNotFound) + "\n" + path,
                        DialogIcon::Exclamation);
        return std::nullopt;
    }
    return path;
}

} // namespace quarvelin
