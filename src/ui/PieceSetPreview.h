// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces of one set on a strip of board squares, as the preferences show them before the
// set is chosen.
#include <QPixmap>
#include <QWidget>

#include <array>

class PieceSetPreview : public QWidget {
    Q_OBJECT

public:
    explicit PieceSetPreview(QWidget* parent = nullptr);

    // A folder of images named by piece code (a resource folder for the program's own set).
    void setFolder(const QString& folder);
    const QString& folder() const { return folder_; }
    // How many of the twelve pieces the folder provides.
    int piecesFound() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage render(int pieceCode, int side) const;
    const QImage& piece(int pieceCode, int side);

    QString folder_;
    std::array<QString, 14> images_; // by piece code; empty where the set has no image
    std::array<QImage, 14> rendered_;
    int renderedSide_ = 0;
};
