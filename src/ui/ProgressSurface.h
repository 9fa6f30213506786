// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The percentage bar of the long loops: a blue box growing from the left, the figure centred
// on it in blue over the white part and in white over the blue part.
#include <QFrame>
#include <QRgb>
#include <QString>

class QFont;
class QImage;
class QPainter;

class ProgressSurface : public QFrame {
    Q_OBJECT

public:
    static constexpr QRgb BarColour = 0xFF0000FF; // pure blue
    static constexpr QRgb BackColour = 0xFFFFFFFF;

    explicit ProgressSurface(QWidget* parent = nullptr);

    int percentage() const { return percentage_; }
    // Shown at once, even inside a loop that keeps the event loop waiting.
    void setPercentage(int p);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int percentage_ = 0;
};

// "45%", and "%" alone for 0; p is held to 0..100.
QString progressText(int p);
// Draws the bar for p percent over the whole of zone.
void drawProgress(QPainter& painter, const QRect& zone, int p);
void afficher_progression(QImage& surface, int p);
void afficher_progression(ProgressSurface& surface, int p);
