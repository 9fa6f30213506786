#include "ui/BoardView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

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

} // namespace

BoardView::BoardView(QWidget* parent)
    : QWidget(parent), position_(quarvelin::Position::initiale()) {
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
    if (!quarvelin::est_piece(piece)) return {};
    return QStringLiteral(":/pieces/quarvelin/%1.svg").arg(quarvelin::code(piece));
}

void BoardView::setPosition(const quarvelin::Position& position) {
    if (position == position_) return;
    position_ = position;
    update();
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
            const QString file = QString::fromStdString(quarvelin::nom_case(i, 8, pc)).left(1);
            const QString rank = QString::fromStdString(quarvelin::nom_case(1, i, pc)).mid(1);
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
            if (!quarvelin::est_piece(piece)) continue;
            const QRect square = g.squareAt(x, y);
            if (!event->rect().intersects(square)) continue;
            painter.drawPixmap(square.topLeft(), piecePixmap(piece, g.square, ratio));
        }
}
