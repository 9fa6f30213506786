// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The head of the first-start window: the program's name over a deep green field, a king and a
// knight from the program's own piece set, and a strip of board squares along the bottom.
#include <QString>
#include <QWidget>

#include <memory>

class QSvgRenderer;

class WelcomeBanner : public QWidget {
    Q_OBJECT

public:
    explicit WelcomeBanner(QWidget* parent = nullptr);
    ~WelcomeBanner() override;

    void setSubtitle(const QString& text);
    QString subtitle() const { return subtitle_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString subtitle_;
    std::unique_ptr<QSvgRenderer> king_;
    std::unique_ptr<QSvgRenderer> knight_;
};
