// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scroll area an MDI window puts around a window that has a minimum size: squeezed below it,
// the window scrolls instead of being cut. Closing the frame closes the window inside (which may
// refuse), and showing it again shows the window too.
#include <QScrollArea>

class ScrollFrame : public QScrollArea {
    Q_OBJECT

public:
    explicit ScrollFrame(QWidget* inside, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
