// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressWindow.h"
#include "localisation/Catalogue.h"
#include "session/CancelToken.h"
#include "ui/ProgressTaskRunner.h"

#include "Capture.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb White = 0xFFFFFFFF;

QImage drawing(int p, QSize size = {200, 24}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red); // whatever was there before must go
    afficher_progression(image, p);
    return image;
}

QRgb pixel(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; }

// The first column, from the left, that is not bar colour on the top row, which no text
// reaches.
int barEnd(const QImage& image) {
    int x = 0;
    while (x < image.width() && pixel(image, x, 0) == Blue) ++x;
    return x;
}

// Pixels of a colour other than c inside r: the figure drawn there.
int others(const QImage& image, const QRect& r, QRgb c) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += pixel(image, x, y) != c;
    return n;
}

} // namespace

TEST(Progression, Text) {
    const struct {
        int p;
        const char* text;
    } cases[] = {{0, "%"}, {1, "1%"}, {45, "45%"}, {100, "100%"}, {-3, "%"}, {140, "100%"}};
    for (const auto& c : cases) EXPECT_EQ(progressText(c.p), QString::fromUtf8(c.text)) << c.p;
}

TEST(Progression, CountsTakeTheFormsOfTheLanguage) {
    quarvelin::Catalogue catalogue;
    const struct {
        int language;
        std::int64_t kept, seen;
        const char* text;
    } cases[] = {{2, 1, 1, "1/1 game"},
                 {2, 1, 3, "1/3 games"},
                 {7, 1, 3, "1/3 партии"},
                 {7, 2, 5, "2/5 партий"}};
    for (const auto& c : cases) {
        catalogue.appliquer_langue(c.language);
        EXPECT_EQ(ProgressTaskRunner::countCaption(catalogue, c.kept, c.seen),
                  QString::fromUtf8(c.text));
    }
}

TEST(Progression, BarWidth) {
    const struct {
        int p, width, end;
    } cases[] = {{0, 200, 0},     {1, 200, 2},   {45, 200, 90},   {50, 201, 101}, {99, 200, 198},
                 {100, 200, 200}, {100, 37, 37}, {150, 200, 200}, {-20, 200, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p);
        const QImage image = drawing(c.p, {c.width, 24});
        EXPECT_EQ(barEnd(image), c.end);
        // Nothing left of the old content, and white beyond the bar, top and bottom rows.
        for (int x = c.end; x < image.width(); ++x) {
            EXPECT_EQ(pixel(image, x, 0), White) << x;
            EXPECT_EQ(pixel(image, x, image.height() - 1), White) << x;
        }
        if (c.end > 0) {
            EXPECT_EQ(pixel(image, c.end - 1, image.height() - 1), Blue);
        }
    }
}

TEST(Progression, DigitReadableOnBothSides) {
    // 0: the "%" alone, in the bar colour on white, centred.
    const QImage empty = drawing(0);
    EXPECT_GT(others(empty, QRect(80, 0, 40, 24), White), 0);
    EXPECT_EQ(others(empty, QRect(0, 0, 70, 24), White), 0);
    EXPECT_EQ(others(empty, QRect(130, 0, 70, 24), White), 0);

    // 100: white figures on the full bar.
    const QImage full = drawing(100);
    EXPECT_GT(others(full, QRect(70, 0, 60, 24), Blue), 0);
    EXPECT_EQ(others(full, QRect(0, 0, 50, 24), Blue), 0);

    // 50: "50%" straddles the edge, each half in the colour that stands out where it lies.
    const QImage half = drawing(50);
    EXPECT_GT(others(half, QRect(60, 0, 40, 24), Blue), 0);
    EXPECT_GT(others(half, QRect(100, 0, 40, 24), White), 0);
}

// The button and Escape ask the running pass to stop; the loop, not they, closes the window,
// and the program's own close goes through without cancelling.
TEST(ProgressWindow, StoppedByTheUserClosedByTheProgram) {
    enum How { Button, Escape, Program };
    for (How how : {Button, Escape, Program}) {
        SCOPED_TRACE(how);
        ProgressWindow window;
        window.show();
        EXPECT_FALSE(window.cancelToken().cancelled());
        if (how == Button) {
            auto* cancel = window.findChild<QPushButton*>(QStringLiteral("Command1"));
            ASSERT_NE(cancel, nullptr);
            cancel->click();
        } else if (how == Escape) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&window, &escape);
        } else {
            QCloseEvent byProgram;
            QApplication::sendEvent(&window, &byProgram); // not spontaneous: the program's own
            EXPECT_TRUE(byProgram.isAccepted());
        }
        EXPECT_EQ(window.cancelToken().cancelled(), how != Program);
        if (how != Program) {
            EXPECT_TRUE(window.isVisible());
        }
        window.close();
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(ProgressWindow, BarAndCaptions) {
    ProgressWindow window;
    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(1);
    window.appliquer_textes(catalogue);
    window.setTitle(QStringLiteral("Lecture de parties.pgn"));
    window.show();
    window.afficher_progression(45);
    EXPECT_EQ(window.surface()->percentage(), 45);
    auto* cancel = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Lecture de parties.pgn"));

    // The bar as shown: blue up to 45 % of the inside of the frame.
    ProgressSurface* surface = window.surface();
    const QRect inside = surface->contentsRect();
    const QImage image = surface->grab(inside).toImage().scaled(inside.size());
    const int end = barEnd(image);
    EXPECT_NEAR(end, inside.width() * 45 / 100, 1);
    // Nothing cut off: the label and the button get the room they ask for.
    EXPECT_GE(cancel->width(), cancel->sizeHint().width());
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    takeScreenshot(window, QStringLiteral("patience"));
}
