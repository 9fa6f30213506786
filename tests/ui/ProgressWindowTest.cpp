#include "ui/ProgressWindow.h"
#include "localisation/Catalogue.h"
#include "session/CancelToken.h"

#include "Capture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

constexpr QRgb Bleu = 0xFF0000FF;
constexpr QRgb Blanc = 0xFFFFFFFF;

QImage dessin(int p, QSize size = {200, 24}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red); // whatever was there before must go
    afficher_progression(image, p);
    return image;
}

QRgb pixel(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; }

// The first column, from the left, that is not bar colour on the top row, which no text
// reaches.
int finBarre(const QImage& image) {
    int x = 0;
    while (x < image.width() && pixel(image, x, 0) == Bleu) ++x;
    return x;
}

// Pixels of a colour other than c inside r: the figure drawn there.
int autres(const QImage& image, const QRect& r, QRgb c) {
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
    } cas[] = {{0, "%"}, {1, "1%"}, {45, "45%"}, {100, "100%"}, {-3, "%"}, {140, "100%"}};
    for (const auto& c : cas) EXPECT_EQ(texte_progression(c.p), QString::fromUtf8(c.text)) << c.p;
}

TEST(Progression, LargeurDeLaBarre) {
    const struct {
        int p, width, end;
    } cas[] = {{0, 200, 0},     {1, 200, 2},   {45, 200, 90},   {50, 201, 101}, {99, 200, 198},
               {100, 200, 200}, {100, 37, 37}, {150, 200, 200}, {-20, 200, 0}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.p);
        const QImage image = dessin(c.p, {c.width, 24});
        EXPECT_EQ(finBarre(image), c.end);
        // Nothing left of the old content, and white beyond the bar, top and bottom rows.
        for (int x = c.end; x < image.width(); ++x) {
            EXPECT_EQ(pixel(image, x, 0), Blanc) << x;
            EXPECT_EQ(pixel(image, x, image.height() - 1), Blanc) << x;
        }
        if (c.end > 0) {
            EXPECT_EQ(pixel(image, c.end - 1, image.height() - 1), Bleu);
        }
    }
}

TEST(Progression, ChiffreLisibleDesDeuxCotes) {
    // 0: the "%" alone, in the bar colour on white, centred.
    const QImage vide = dessin(0);
    EXPECT_GT(autres(vide, QRect(80, 0, 40, 24), Blanc), 0);
    EXPECT_EQ(autres(vide, QRect(0, 0, 70, 24), Blanc), 0);
    EXPECT_EQ(autres(vide, QRect(130, 0, 70, 24), Blanc), 0);

    // 100: white figures on the full bar.
    const QImage plein = dessin(100);
    EXPECT_GT(autres(plein, QRect(70, 0, 60, 24), Bleu), 0);
    EXPECT_EQ(autres(plein, QRect(0, 0, 50, 24), Bleu), 0);

    // 50: "50%" straddles the edge, each half in the colour that stands out where it lies.
    const QImage moitie = dessin(50);
    EXPECT_GT(autres(moitie, QRect(60, 0, 40, 24), Bleu), 0);
    EXPECT_GT(autres(moitie, QRect(100, 0, 40, 24), Blanc), 0);
}

TEST(ProgressWindow, AnnulerLeveLeDrapeau) {
    quarvelin::clearCancel();
    ProgressWindow fenetre;
    fenetre.show();
    auto* cancel = fenetre.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_FALSE(quarvelin::cancelRequested());
    cancel->click();
    EXPECT_TRUE(quarvelin::cancelRequested());
    // Still set with no loop running, until the next loop clears it.
    fenetre.close();
    EXPECT_FALSE(fenetre.isVisible());
    EXPECT_TRUE(quarvelin::cancelRequested());
    quarvelin::clearCancel();
    EXPECT_FALSE(quarvelin::cancelRequested());
}

TEST(ProgressWindow, EchapOuFermetureDemandentLArret) {
    quarvelin::clearCancel();
    ProgressWindow fenetre;
    fenetre.show();
    QKeyEvent echap(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&fenetre, &echap);
    EXPECT_TRUE(quarvelin::cancelRequested());
    // The loop decides when the window goes, not the key.
    EXPECT_TRUE(fenetre.isVisible());

    quarvelin::clearCancel();
    QCloseEvent parLeGestionnaire;
    QApplication::sendEvent(&fenetre, &parLeGestionnaire); // not spontaneous: the program's own
    EXPECT_FALSE(quarvelin::cancelRequested());
    EXPECT_TRUE(parLeGestionnaire.isAccepted());
    quarvelin::clearCancel();
}

TEST(ProgressWindow, BarreEtLegendes) {
    ProgressWindow fenetre;
    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(1);
    fenetre.appliquer_textes(catalogue);
    fenetre.setTitre(QStringLiteral("Lecture de parties.pgn"));
    fenetre.show();
    fenetre.afficher_progression(45);
    EXPECT_EQ(fenetre.surface()->pourcentage(), 45);
    auto* cancel = fenetre.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* label = fenetre.findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(fenetre.windowTitle(), QStringLiteral("Lecture de parties.pgn"));

    // The bar as shown: blue up to 45 % of the inside of the frame.
    ProgressSurface* surface = fenetre.surface();
    const QRect dedans = surface->contentsRect();
    const QImage image = surface->grab(dedans).toImage().scaled(dedans.size());
    const int end = finBarre(image);
    EXPECT_NEAR(end, dedans.width() * 45 / 100, 1);
    // Nothing cut off: the label and the button get the room they ask for.
    EXPECT_GE(cancel->width(), cancel->sizeHint().width());
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
    capturer(fenetre, QStringLiteral("patience"));
}
