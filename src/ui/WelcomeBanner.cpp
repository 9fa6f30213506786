// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WelcomeBanner.h"

#include "rules/Types.h"
#include "ui/BoardView.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

// See BoardView.cpp for why this sits outside any namespace.
static void loadBannerPieces() { Q_INIT_RESOURCE(pieces); }

namespace {

constexpr int StripSquare = 14;

QFont titleFont(const QFont& base) {
    QFont f = base;
    f.setPointSizeF(base.pointSizeF() * 2.4);
    f.setWeight(QFont::DemiBold);
    f.setLetterSpacing(QFont::PercentageSpacing, 103);
    return f;
}

QFont subtitleFont(const QFont& base) {
    QFont f = base;
    f.setPointSizeF(base.pointSizeF() * 1.25);
    return f;
}

} // namespace

WelcomeBanner::WelcomeBanner(QWidget* parent) : QWidget(parent) {
    loadBannerPieces();
    setObjectName(QStringLiteral("banniere"));
    king_ =
        std::make_unique<QSvgRenderer>(BoardView::pieceResource(quarvelin::PieceCode::WhiteKing));
    knight_ =
        std::make_unique<QSvgRenderer>(BoardView::pieceResource(quarvelin::PieceCode::BlackKnight));
    subtitle_ = QStringLiteral("Welcome!");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

WelcomeBanner::~WelcomeBanner() = default;

void WelcomeBanner::setSubtitle(const QString& text) {
    subtitle_ = text;
    updateGeometry();
    update();
}

QSize WelcomeBanner::sizeHint() const {
    const QFontMetrics title(titleFont(font()));
    const QFontMetrics sub(subtitleFont(font()));
    const int text = title.height() + sub.height() + 8;
    return {520, std::max(text + 44, 112) + StripSquare};
}

QSize WelcomeBanner::minimumSizeHint() const {
    const QFontMetrics title(titleFont(font()));
    const QFontMetrics sub(subtitleFont(font()));
    const int width = std::max(title.horizontalAdvance(QStringLiteral("Quarvelin")),
                               sub.horizontalAdvance(subtitle_));
    return {width + 24 + 140, sizeHint().height()};
}

void WelcomeBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect field(0, 0, width(), height() - StripSquare);

    QLinearGradient background(field.topLeft(), field.bottomRight());
    background.setColorAt(0, QColor(0x2E, 0x4A, 0x2A));
    background.setColorAt(1, QColor(0x4F, 0x74, 0x3C));
    painter.fillRect(field, background);

    // The strip: board squares in the colours of the game window.
    for (int x = 0, i = 0; x < width(); x += StripSquare, ++i) {
        const QRgb c = i % 2 ? BoardView::DarkSquareColour : BoardView::LightSquareColour;
        painter.fillRect(QRect(x, field.bottom() + 1, StripSquare, StripSquare), QColor(c));
    }

    // The pieces stand on the strip at the right, the knight a step behind the king.
    const qreal side = field.height() - 12;
    const QRectF king(width() - side - 18, field.bottom() + 7 - side, side, side);
    const qreal small = side * 0.82;
    const QRectF knight(king.left() - small * 0.62, king.bottom() - small, small, small);
    knight_->render(&painter, knight);
    king_->render(&painter, king);

    const QFont title = titleFont(font());
    const QFont sub = subtitleFont(font());
    const QFontMetrics tm(title), sm(sub);
    const int block = tm.height() + 4 + sm.height();
    const int top = field.top() + (field.height() - block) / 2;
    painter.setFont(title);
    painter.setPen(QColor(0xFA, 0xFA, 0xF2));
    painter.drawText(QRect(24, top, width() - 48, tm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Quarvelin"));
    painter.setFont(sub);
    painter.setPen(QColor(0xDD, 0xE8, 0xC8));
    painter.drawText(QRect(26, top + tm.height() + 4, width() - 48, sm.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, subtitle_);
}
