// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressSurface.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

ProgressSurface::ProgressSurface(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("picture1"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressSurface::setPercentage(int p) {
    percentage_ = std::clamp(p, 0, 100);
    repaint();
}

QSize ProgressSurface::sizeHint() const {
    return {320, fontMetrics().height() + 10 + 2 * frameWidth()};
}

QSize ProgressSurface::minimumSizeHint() const {
    return {80, fontMetrics().height() + 4 + 2 * frameWidth()};
}

void ProgressSurface::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setFont(font());
        drawProgress(painter, contentsRect(), percentage_);
    }
    QFrame::paintEvent(event);
}

QString progressText(int p) {
    p = std::clamp(p, 0, 100);
    return p == 0 ? QStringLiteral("%") : QString::number(p) + u'%';
}

void drawProgress(QPainter& painter, const QRect& zone, int p) {
    p = std::clamp(p, 0, 100);
    painter.save();
    painter.fillRect(zone, QColor::fromRgb(ProgressSurface::BackColour));
    const int width = static_cast<int>(std::lround(zone.width() * p / 100.0));
    const QRect bar(zone.left(), zone.top(), width, zone.height());
    const QRect rest(zone.left() + width, zone.top(), zone.width() - width, zone.height());
    if (width > 0) painter.fillRect(bar, QColor::fromRgb(ProgressSurface::BarColour));

    // The figure in the inverse colour of what lies under it, as an inverted exclusive or
    // would draw it, but with smooth edges, which raster operations lose.
    const QString text = progressText(p);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (width > 0) {
        painter.setClipRect(bar);
        painter.setPen(QColor::fromRgb(ProgressSurface::BackColour));
        painter.drawText(zone, Qt::AlignCenter, text);
    }
    if (!rest.isEmpty()) {
        painter.setClipRect(rest);
        painter.setPen(QColor::fromRgb(ProgressSurface::BarColour));
        painter.drawText(zone, Qt::AlignCenter, text);
    }
    painter.restore();
}

void afficher_progression(QImage& surface, int p) {
    QPainter painter(&surface);
    drawProgress(painter, surface.rect(), p);
}

void afficher_progression(ProgressSurface& surface, int p) { surface.setPercentage(p); }
