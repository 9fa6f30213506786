#include "ui/JeuxDebian.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace {
// Piece codes of the strip's twelve pictures: White pawn, knight, bishop, rook, queen, king,
// then Black's.
constexpr int CodesBande[12] = {8, 10, 11, 9, 12, 13, 2, 4, 5, 3, 6, 7};
} // namespace

QStringList importer_jeux_scid(const QString& source, const QString& target) {
    QStringList faits;
    static const QRegularExpression size(QStringLiteral("_(\\d+)\\.png$"));
    for (const QFileInfo& jeu :
         QDir(source).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString name = jeu.fileName() + QStringLiteral(" (scid)");
        QDir folder(QDir(target).filePath(name));
        if (QFileInfo::exists(folder.filePath(QStringLiteral("13.png")))) {
            faits << name;
            continue;
        }
        // The largest strip cuts into the sharpest pictures.
        QString meilleure;
        int plusGrande = 0;
        for (const QFileInfo& f :
             QDir(jeu.filePath()).entryInfoList({QStringLiteral("*.png")}, QDir::Files)) {
            auto m = size.match(f.fileName());
            if (m.hasMatch() && m.captured(1).toInt() > plusGrande) {
                plusGrande = m.captured(1).toInt();
                meilleure = f.filePath();
            }
        }
        if (meilleure.isEmpty()) continue; // a set in another format
        QImage bande(meilleure);
        if (bande.isNull() || bande.width() != 12 * bande.height()) continue;
        if (!QDir().mkpath(folder.path())) continue;
        const int cote = bande.height();
        bool ok = true;
        for (int i = 0; i < 12 && ok; ++i)
            ok = bande.copy(i * cote, 0, cote, cote)
                     .save(folder.filePath(QStringLiteral("%1.png").arg(CodesBande[i])));
        if (ok) faits << name;
    }
    return faits;
}
