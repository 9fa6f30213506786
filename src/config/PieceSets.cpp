// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/PieceSets.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>

namespace quarvelin {

namespace {

constexpr const char* ImageKinds[] = {"svg", "png", "ico"};

QString fromUtf8(const std::string& s) { return QString::fromStdString(s); }

} // namespace

std::vector<std::string> PieceSets::names(const std::string& installDir,
                                          const std::string& dataDir) {
    std::vector<std::string> found;
    for (const std::string& base : {installDir, dataDir}) {
        if (base.empty()) continue;
        const QDir root(fromUtf8(base + "/images/pieces"));
        for (const QString& entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const std::string name = entry.toStdString();
            if (name != OwnSet && !image(root.filePath(entry).toStdString(), 13).empty())
                found.push_back(name);
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    found.insert(found.begin(), OwnSet);
    return found;
}

std::string PieceSets::folder(const std::string& installDir, const std::string& name,
                              const std::string& dataDir) {
    if (name == OwnSet) return OwnFolder;
    const std::string installed = installDir + "/images/pieces/" + name;
    if (dataDir.empty() || !image(installed, 13).empty()) return installed;
    const std::string cut = dataDir + "/images/pieces/" + name;
    return image(cut, 13).empty() ? installed : cut;
}

std::string PieceSets::image(const std::string& folder, int pieceCode) {
    for (const char* kind : ImageKinds) {
        const std::string path = folder + "/" + std::to_string(pieceCode) + "." + kind;
        const QFileInfo info(fromUtf8(path));
        if (info.isFile() && info.isReadable()) return path;
    }
    return {};
}

std::vector<std::string> PieceSets::boardPictures(const std::string& installDir) {
    std::vector<std::string> found;
    const QDir root(fromUtf8(installDir + "/images/echiquier"));
    for (const QFileInfo& entry : root.entryInfoList(QDir::Files, QDir::Name))
        if (entry.suffix().compare(QStringLiteral("bmp"), Qt::CaseInsensitive) == 0)
            found.push_back(entry.fileName().toStdString());
    return found;
}

} // namespace quarvelin
