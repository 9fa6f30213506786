// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A caption and a figure on one line ("Moves examined : 321062"). When room runs short the
// caption is shortened with an ellipsis; the figure is never cut. New parts show whole until the
// layout has given the label its new width.
#include <QLabel>

class FigureLabel : public QLabel {
    Q_OBJECT

public:
    explicit FigureLabel(QWidget* parent = nullptr);

    void setParts(const QString& caption, const QString& separator, const QString& figure);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
    int margins() const;

    QString caption_;
    QString separator_;
    QString figure_;
    bool fitPending_ = false;
};
