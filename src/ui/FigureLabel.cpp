// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FigureLabel.h"

#include <QResizeEvent>

#include <algorithm>

FigureLabel::FigureLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void FigureLabel::setParts(const QString& caption, const QString& separator,
                           const QString& figure) {
    caption_ = caption;
    separator_ = separator;
    figure_ = figure;
    const QString whole = caption_ + separator_ + figure_;
    QLabel::setText(whole);
    updateGeometry();
    if (fitPending_ ||
        fontMetrics().horizontalAdvance(whole) <= contentsRect().width() - 2 * margin())
        return;
    fitPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            fitPending_ = false;
            fit();
        },
        Qt::QueuedConnection);
}

int FigureLabel::margins() const {
    const QMargins m = contentsMargins();
    return m.left() + m.right() + 2 * margin();
}

QSize FigureLabel::sizeHint() const {
    const QString whole = caption_ + separator_ + figure_;
    return {fontMetrics().horizontalAdvance(whole) + margins(), QLabel::sizeHint().height()};
}

QSize FigureLabel::minimumSizeHint() const {
    // Room for the figure and an ellipsis in place of the caption.
    const QString least =
        (caption_.isEmpty() ? QString() : QString(QChar(0x2026))) + separator_ + figure_;
    return {fontMetrics().horizontalAdvance(least) + margins(), QLabel::minimumSizeHint().height()};
}

void FigureLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void FigureLabel::fit() {
    const QString tail = separator_ + figure_;
    const int room = contentsRect().width() - 2 * margin() - fontMetrics().horizontalAdvance(tail);
    const QString caption =
        fontMetrics().horizontalAdvance(caption_) <= room
            ? caption_
            : fontMetrics().elidedText(caption_, Qt::ElideRight, std::max(room, 0));
    QLabel::setText(caption + tail);
}
