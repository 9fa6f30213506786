// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScrollFrame.h"

#include <QCloseEvent>

ScrollFrame::ScrollFrame(QWidget* inside, QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setWidget(inside);
    setWindowTitle(inside->windowTitle());
    setFocusProxy(inside);
}

void ScrollFrame::closeEvent(QCloseEvent* event) {
    if (widget() && widget()->isVisible() && !widget()->close()) {
        event->ignore();
        return;
    }
    QScrollArea::closeEvent(event);
}

void ScrollFrame::showEvent(QShowEvent* event) {
    if (widget() && widget()->isHidden()) widget()->show();
    QScrollArea::showEvent(event);
}
