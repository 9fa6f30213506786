// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PieceSetPreview.h"

#include "config/PieceSets.h"
#include "ui/BoardView.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <algorithm>

// See BoardView.cpp for why this sits outside any namespace.
static void loadPieceResources() { Q_INIT_RESOURCE(pieces); }

namespace {

// King, queen, rook, bishop, knight, pawn: White on the lower row, Black above.
constexpr int Order[6] = {13, 12, 9, 11, 10, 8};
constexpr int Columns = 6;
constexpr int Rows = 2;

} // namespace

PieceSetPreview::PieceSetPreview(QWidget* parent) : QWidget(parent) {
    loadPieceResources();
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

void PieceSetPreview::setFolder(const QString& folder) {
    folder_ = folder;
    for (int code = 2; code <= 13; ++code)
        images_[code] =
            QString::fromStdString(quarvelin::PieceSets::image(folder.toStdString(), code));
    rendered_.fill(QImage());
    update();
}

int PieceSetPreview::piecesFound() const {
    return static_cast<int>(std::count_if(images_.begin() + 2, images_.end(),
                                          [](const QString& s) { return !s.isEmpty(); }));
}

QSize PieceSetPreview::sizeHint() const { return {Columns * 52 + 12, Rows * 52 + 12}; }

QSize PieceSetPreview::minimumSizeHint() const { return sizeHint(); }

QImage PieceSetPreview::render(int pieceCode, int side) const {
    const QString& path = images_[pieceCode];
    if (path.isEmpty() || side <= 0) return {};
    const qreal ratio = devicePixelRatioF();
    const int device = std::max(1, qRound(side * ratio));
    QImage image(device, device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) return {};
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, device, device));
    } else {
        QImageReader reader(path);
        const QImage source = reader.read();
        if (source.isNull()) return {};
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QImage scaled =
            source.scaled(device, device, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawImage((device - scaled.width()) / 2, (device - scaled.height()) / 2, scaled);
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

const QImage& PieceSetPreview::piece(int pieceCode, int side) {
    if (side != renderedSide_) {
        rendered_.fill(QImage());
        renderedSide_ = side;
    }
    QImage& image = rendered_[pieceCode];
    if (image.isNull()) image = render(pieceCode, side);
    return image;
}

void PieceSetPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int square = std::max(8, std::min((width() - 12) / Columns, (height() - 12) / Rows));
    const QRect board((width() - Columns * square) / 2, (height() - Rows * square) / 2,
                      Columns * square, Rows * square);

    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(board.adjusted(-4, -4, 4, 4)), 4, 4);
    painter.fillPath(frame, QColor(0x4A, 0x57, 0x40));
    painter.setRenderHint(QPainter::Antialiasing, false);

    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            const QRect cell(board.left() + column * square, board.top() + row * square, square,
                             square);
            const bool light = (row + column) % 2 == 0;
            painter.fillRect(cell, QColor::fromRgb(light ? BoardView::LightSquareColour
                                                         : BoardView::DarkSquareColour));
            // Black's pieces above, White's below, each the same piece over the other.
            const int code = Order[column] - (row == 0 ? 6 : 0);
            const QImage& image = piece(code, square);
            if (!image.isNull()) painter.drawImage(cell.topLeft(), image);
        }
}
