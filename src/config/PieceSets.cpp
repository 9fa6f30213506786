#include "config/PieceSets.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace quarvelin {

namespace {

constexpr const char* ImageKinds[] = {"svg", "png", "ico"};

QString fromUtf8(const std::string& s) { return QString::fromStdString(s); }

} // namespace

std::vector<std::string> PieceSets::names(const std::string& installDir) {
    std::vector<std::string> found;
    const QDir root(fromUtf8(installDir + "/images/pieces"));
    for (const QString& entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const std::string name = entry.toStdString();
        if (name != OwnSet && !image(root.filePath(entry).toStdString(), 13).empty())
            found.push_back(name);
    }
    found.insert(found.begin(), OwnSet);
    return found;
}

std::string PieceSets::folder(const std::string& installDir, const std::string& name) {
    if (name == OwnSet) return OwnFolder;
    return installDir + "/images/pieces/" + name;
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
