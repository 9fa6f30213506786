// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardView.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QtMath>

#include <algorithm>
#include <cmath>

using quarvelin::PieceCode;

// The resources live in a static library, so nothing pulls them in unless asked by name. Kept
// outside any namespace: the macro declares the loader in the enclosing one.
static void loadPieceResources() { Q_INIT_RESOURCE(pieces); }

namespace {

constexpr QRgb FrameColour = 0xFF4A5740;
constexpr QRgb CoordinateColour = 0xFFE4E8D6;
constexpr QRgb BoardEdgeColour = 0xFF343E2D;
constexpr QRgb LastMoveTint = 0x70F6E05A;

// Mark colours arrive as 0xBBGGRR.
QColor colourBgr(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent), position_(quarvelin::Position::initial()) {
    loadPieceResources();
    for (int c = quarvelin::code(PieceCode::BlackPawn); c <= quarvelin::code(PieceCode::WhiteKing);
         ++c)
        renderers_[c] = std::make_unique<QSvgRenderer>(pieceResource(static_cast<PieceCode>(c)));

    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BoardView::~BoardView() = default;

QString BoardView::pieceResource(PieceCode piece) {
    if (!quarvelin::isPiece(piece)) return {};
    return QStringLiteral(":/pieces/quarvelin/%1.svg").arg(quarvelin::code(piece));
}

QString BoardView::pieceFile(const QString& folder, PieceCode piece) {
    if (!quarvelin::isPiece(piece) || folder.isEmpty()) return {};
    for (const char* ext : {"svg", "png", "ico"}) {
        QString f = QDir(folder).filePath(
            QStringLiteral("%1.%2").arg(quarvelin::code(piece)).arg(QLatin1String(ext)));
        if (QFileInfo::exists(f)) return f;
    }
    return {};
}

void BoardView::setPieceSet(const QString& folder) {
    std::array<QString, 14> files;
    for (int c = 2; c <= 13; ++c) {
        files[c] = pieceFile(folder, static_cast<PieceCode>(c));
        if (files[c].isEmpty()) { // a set is whole or not used
            files.fill(QString());
            break;
        }
    }
    for (int c = 2; c <= 13; ++c) {
        const QString file =
            files[c].isEmpty() ? pieceResource(static_cast<PieceCode>(c)) : files[c];
        rasters_[c] = QImage();
        if (file.endsWith(QLatin1String(".svg"))) {
            renderers_[c] = std::make_unique<QSvgRenderer>(file);
        } else {
            renderers_[c].reset();
            rasters_[c] = QImage(file);
        }
    }
    pixmaps_.fill(QPixmap());
    update();
    emit piecesChanged();
}

QPixmap BoardView::pieceImage(PieceCode piece, int side) {
    if (!quarvelin::isPiece(piece)) return {};
    return piecePixmap(piece, side, devicePixelRatioF());
}

void BoardView::setLastMove(const std::vector<std::pair<int, int>>& squares) {
    if (squares == lastMove_) return;
    lastMove_ = squares;
    update();
}

void BoardView::setLiftedPiece(PieceCode piece) {
    lifted_ = piece;
    updateCursor();
}

void BoardView::updateCursor() {
    if (!quarvelin::isPiece(lifted_)) {
        unsetCursor();
        return;
    }
    const BoardGeometry g = boardGeometry();
    const int side = std::max(24, g.square);
    // A pixmap of its own: the cached one may be dropped when the board is resized.
    QPixmap pixmap = piecePixmap(lifted_, side, devicePixelRatioF()).copy();
    setCursor(QCursor(pixmap, side / 2, side / 2));
}

void BoardView::setUp(quarvelin::Colour orientation, const std::string& piecesFolder,
                      const std::string& boardImage) {
    QString folder = QString::fromStdString(piecesFolder);
    if (pieceFile(folder, PieceCode::WhiteKing).isEmpty()) {
        const QString name = QFileInfo(folder).fileName();
        for (const QString& other : pieceSetFolders_)
            if (!pieceFile(QDir(other).filePath(name), PieceCode::WhiteKing).isEmpty()) {
                folder = QDir(other).filePath(name);
                break;
            }
    }
    if (folder != pieceFolder_) {
        pieceFolder_ = folder;
        setPieceSet(folder);
    }
    // A board picture when the file is one; the drawn squares otherwise.
    boardPicture_ = QImage(QString::fromStdString(boardImage));
    position_ = quarvelin::Position::initial(orientation);
    marks_.clear();
    arrow_.reset();
    lastMove_.clear();
    update();
}

PieceCode BoardView::readSquare(int x, int y) const {
    if (x < 1 || x > 8 || y < 1 || y > 8) return PieceCode::Empty;
    return position_.at(x, y);
}

void BoardView::writeSquare(int x, int y, PieceCode piece) {
    if (x < 1 || x > 8 || y < 1 || y > 8 || position_.at(x, y) == piece) return;
    position_.at(x, y) = piece;
    update(squareRect(x, y));
    emit piecesChanged();
}

void BoardView::markSquare(int x, int y, float size, std::uint32_t colour) {
    if (x < 1 || x > 8 || y < 1 || y > 8) return;
    marks_.push_back({x, y, size, colourBgr(colour)});
    update();
}

void BoardView::showMove(int fromX, int fromY, int toX, int toY, float, std::uint32_t colour) {
    arrow_ = std::array<int, 4>{fromX, fromY, toX, toY};
    arrowColour_ = colourBgr(colour);
    update();
}

void BoardView::clearMarks() {
    if (marks_.empty() && !arrow_) return;
    marks_.clear();
    arrow_.reset();
    update();
}

void BoardView::editing(bool active) {
    editing_ = active;
    update();
}

quarvelin::Square BoardView::squareAt(QPoint p) const {
    const BoardGeometry g = boardGeometry();
    if (g.square == 0 || !g.board.contains(p)) return {};
    return {(p.x() - g.board.left()) / g.square + 1, (p.y() - g.board.top()) / g.square + 1};
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit rightClicked(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    pressed_ = squareAt(event->position().toPoint());
    pressPoint_ = event->position().toPoint();
    dragging_ = false;
    if (pressed_.x != 0) emit squarePressed(pressed_.x, pressed_.y);
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !quarvelin::isPiece(lifted_)) return;
    if ((event->position().toPoint() - pressPoint_).manhattanLength() >=
        QApplication::startDragDistance())
        dragging_ = true;
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const quarvelin::Square sq = squareAt(event->position().toPoint());
    // A drag that ends on another square is the second click of the move.
    if (dragging_ && quarvelin::isPiece(lifted_) && sq.x != 0 && !(sq == pressed_))
        emit squarePressed(sq.x, sq.y);
    dragging_ = false;
}

void BoardView::paintMarks(QPainter& painter, const BoardGeometry& g) {
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Mark& m : marks_) {
        const QRectF square = g.squareAt(m.x, m.y);
        const qreal inset = square.width() * (1.0 - std::clamp(m.size, 0.2f, 1.0f)) / 4.0 + 2.0;
        QColor c = m.colour;
        QPen pen(c, std::max(2.0, square.width() * 0.07));
        painter.setPen(pen);
        c.setAlpha(40);
        painter.setBrush(c);
        painter.drawRoundedRect(square.adjusted(inset, inset, -inset, -inset), 6, 6);
    }
    if (arrow_) {
        const auto [fx, fy, tx, ty] = *arrow_;
        const QPointF a = QRectF(g.squareAt(fx, fy)).center();
        const QPointF b = QRectF(g.squareAt(tx, ty)).center();
        const qreal w = g.square * 0.16;
        QColor c = arrowColour_;
        c.setAlpha(200);
        const qreal angle = std::atan2(b.y() - a.y(), b.x() - a.x());
        const QPointF dir(std::cos(angle), std::sin(angle));
        const QPointF normal(-dir.y(), dir.x());
        const QPointF tip = b - dir * (g.square * 0.15);
        const QPointF base = tip - dir * (w * 2.2);
        painter.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(a, base);
        painter.setPen(Qt::NoPen);
        painter.setBrush(c);
        QPolygonF head;
        head << tip << base + normal * w * 1.5 << base - normal * w * 1.5;
        painter.drawPolygon(head);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void BoardView::setPosition(const quarvelin::Position& position) {
    if (position == position_) return;
    position_ = position;
    update();
    emit piecesChanged();
}

void BoardView::setCoordinatesVisible(bool visible) {
    if (visible == coordinatesVisible_) return;
    coordinatesVisible_ = visible;
    update();
}

QSize BoardView::sizeHint() const { return {480, 480}; }

QSize BoardView::minimumSizeHint() const { return {240, 240}; }

BoardView::BoardGeometry BoardView::boardGeometry() const {
    BoardGeometry g;
    const int side = std::min(width(), height());
    // A little air between the frame and whatever holds the widget.
    const int gap = std::max(2, static_cast<int>(std::lround(side * 0.008)));
    // The coordinates need room to be read; without them a thin edge is enough.
    g.margin = coordinatesVisible_ ? std::clamp(static_cast<int>(std::lround(side * 0.04)), 12, 32)
                                   : std::clamp(static_cast<int>(std::lround(side * 0.012)), 3, 10);
    // Whole-pixel squares: every square and every cached piece has the same size.
    g.square = std::max(0, (side - 2 * (g.margin + gap)) / 8);
    if (g.square == 0) return {};
    const int boardSide = 8 * g.square;
    g.board = QRect((width() - boardSide) / 2, (height() - boardSide) / 2, boardSide, boardSide);
    g.frame = g.board.adjusted(-g.margin, -g.margin, g.margin, g.margin);
    return g;
}

QRect BoardView::boardRect() const { return boardGeometry().board; }

QRect BoardView::squareRect(int x, int y) const {
    if (x < 1 || x > 8 || y < 1 || y > 8) return {};
    const BoardGeometry g = boardGeometry();
    if (g.square == 0) return {};
    return g.squareAt(x, y);
}

const QPixmap& BoardView::piecePixmap(PieceCode piece, int side, qreal ratio) {
    if (side != pixmapSide_ || ratio != pixmapRatio_) {
        pixmaps_.fill(QPixmap());
        pixmapSide_ = side;
        pixmapRatio_ = ratio;
    }
    const int c = quarvelin::code(piece);
    QPixmap& pixmap = pixmaps_[c];
    if (pixmap.isNull() && !rasters_[c].isNull()) {
        const int device = std::max(1, static_cast<int>(std::lround(side * ratio)));
        pixmap = QPixmap::fromImage(
            rasters_[c].scaled(device, device, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(ratio);
    }
    if (pixmap.isNull() && renderers_[c] && renderers_[c]->isValid()) {
        const int device = std::max(1, static_cast<int>(std::lround(side * ratio)));
        pixmap = QPixmap(device, device);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderers_[c]->render(&painter, QRectF(0, 0, device / ratio, device / ratio));
    }
    return pixmap;
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());

    const BoardGeometry g = boardGeometry();
    if (g.square == 0) return;

    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    const qreal radius = std::min(6.0, g.margin * 0.35);
    frame.addRoundedRect(QRectF(g.frame), radius, radius);
    painter.fillPath(frame, QColor::fromRgb(FrameColour));
    painter.setRenderHint(QPainter::Antialiasing, false);

    // A dark hairline sets the squares off from the frame.
    painter.fillRect(g.board.adjusted(-1, -1, 1, 1), QColor::fromRgb(BoardEdgeColour));
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            // (x + y) even is light in both orientations: h1 is (8, 8) or (1, 1).
            const QRgb colour = (x + y) % 2 == 0 ? LightSquareColour : DarkSquareColour;
            painter.fillRect(g.squareAt(x, y), QColor::fromRgb(colour));
        }
    if (!boardPicture_.isNull()) painter.drawImage(g.board, boardPicture_);
    for (auto [x, y] : lastMove_)
        painter.fillRect(g.squareAt(x, y), QColor::fromRgba(LastMoveTint));

    if (coordinatesVisible_) {
        QFont font = this->font();
        font.setPixelSize(std::max(8, static_cast<int>(std::lround(g.margin * 0.62))));
        font.setWeight(QFont::DemiBold);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(CoordinateColour));
        const auto pc = position_.PlayerColour;
        for (int i = 1; i <= 8; ++i) {
            const QRect column = g.squareAt(i, 8);
            const QRect row = g.squareAt(1, i);
            const QString file = QString::fromStdString(quarvelin::squareName(i, 8, pc)).left(1);
            const QString rank = QString::fromStdString(quarvelin::squareName(1, i, pc)).mid(1);
            painter.drawText(QRect(column.left(), g.board.bottom() + 1, column.width(), g.margin),
                             Qt::AlignCenter, file);
            painter.drawText(QRect(g.frame.left(), row.top(), g.margin, row.height()),
                             Qt::AlignCenter, rank);
        }
    }

    const qreal ratio = devicePixelRatioF();
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            const PieceCode piece = position_.at(x, y);
            if (!quarvelin::isPiece(piece)) continue;
            const QRect square = g.squareAt(x, y);
            if (!event->rect().intersects(square)) continue;
            painter.drawPixmap(square.topLeft(), piecePixmap(piece, g.square, ratio));
        }
    paintMarks(painter, g);
    if (editing_) {
        // A dashed edge says the squares take pieces from the palette.
        QPen pen(QColor(0xF6, 0xE0, 0x5A), 2, Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(g.board.adjusted(-2, -2, 1, 1));
    }
}
