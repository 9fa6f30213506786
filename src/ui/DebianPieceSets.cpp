// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DebianPieceSets.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

namespace {
// Piece codes of the strip's twelve pictures: White pawn, knight, bishop, rook, queen, king,
// then Black's.
constexpr int StripCodes[12] = {8, 10, 11, 9, 12, 13, 2, 4, 5, 3, 6, 7};
} // namespace

QStringList importScidSets(const QString& source, const QString& target) {
    QStringList facts;
    static const QRegularExpression size(QStringLiteral("_(\\d+)\\.png$"));
    for (const QFileInfo& pgnGame :
         QDir(source).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString name = pgnGame.fileName() + QStringLiteral(" (scid)");
        QDir folder(QDir(target).filePath(name));
        if (QFileInfo::exists(folder.filePath(QStringLiteral("13.png")))) {
            facts << name;
            continue;
        }
        // The largest strip cuts into the sharpest pictures.
        QString best;
        int largest = 0;
        for (const QFileInfo& f :
             QDir(pgnGame.filePath()).entryInfoList({QStringLiteral("*.png")}, QDir::Files)) {
            auto m = size.match(f.fileName());
            if (m.hasMatch() && m.captured(1).toInt() > largest) {
                largest = m.captured(1).toInt();
                best = f.filePath();
            }
        }
        if (best.isEmpty()) continue; // a set in another format
        QImage strip(best);
        if (strip.isNull() || strip.width() != 12 * strip.height()) continue;
        if (!QDir().mkpath(folder.path())) continue;
        const int side = strip.height();
        bool ok = true;
        for (int i = 0; i < 12 && ok; ++i)
            ok = strip.copy(i * side, 0, side, side)
                     .save(folder.filePath(QStringLiteral("%1.png").arg(StripCodes[i])));
        if (ok) facts << name;
    }
    return facts;
}
