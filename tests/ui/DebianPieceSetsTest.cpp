// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DebianPieceSets.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

// A strip whose twelve squares are told apart by their colour, as index * 20.
QImage strip(int side) {
    QImage img(12 * side, side, QImage::Format_ARGB32);
    for (int i = 0; i < 12; ++i)
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) img.setPixelColor(i * side + x, y, QColor(i * 20, 0, 0));
    return img;
}

TEST(DebianPieceSets, StripsAreCutIntoOnePicturePerPieceCode) {
    QTemporaryDir source, target;
    QDir(source.path()).mkpath(QStringLiteral("Merida"));
    QDir(source.path()).mkpath(QStringLiteral("Vide"));
    QDir(source.path()).mkpath(QStringLiteral("Tordu"));
    const QString merida = QDir(source.path()).filePath(QStringLiteral("Merida"));
    ASSERT_TRUE(strip(20).save(merida + QStringLiteral("/merida_20.png")));
    ASSERT_TRUE(strip(40).save(merida + QStringLiteral("/merida_40.png")));
    ASSERT_TRUE(QImage(100, 40, QImage::Format_ARGB32)
                    .save(QDir(source.path()).filePath(QStringLiteral("Tordu/tordu_40.png"))));

    QStringList facts = importScidSets(source.path(), target.path());
    EXPECT_EQ(facts, QStringList{QStringLiteral("Merida (scid)")});
    const QDir pgnGame(QDir(target.path()).filePath(QStringLiteral("Merida (scid)")));
    // Strip order: White P N B R Q K, then Black; codes 2..7 Black, 8..13 White.
    const int indexByCode[14] = {-1, -1, 6, 9, 7, 8, 10, 11, 0, 3, 1, 2, 4, 5};
    for (int code = 2; code <= 13; ++code) {
        QImage p(pgnGame.filePath(QStringLiteral("%1.png").arg(code)));
        ASSERT_FALSE(p.isNull()) << code;
        EXPECT_EQ(p.size(), QSize(40, 40)) << "the largest strip is used";
        EXPECT_EQ(p.pixelColor(5, 5).red(), indexByCode[code] * 20) << code;
    }
    // A second run finds the set done.
    EXPECT_EQ(importScidSets(source.path(), target.path()), facts);
}

} // namespace
