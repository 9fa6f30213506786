#include "ui/CommentWindow.h"

#include "Capture.h"
#include "localisation/Catalogue.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Etape = std::function<void(quarvelin::Commentary&)>;

Etape append(std::string t) {
    return [t](quarvelin::Commentary& c) { c.append(t); };
}
Etape prepend(std::string t) {
    return [t](quarvelin::Commentary& c) { c.prepend(t); };
}
Etape clear() {
    return [](quarvelin::Commentary& c) { c.clear(); };
}

} // namespace

TEST(CommentWindow, AjouterDevantVider) {
    const struct {
        const char* name;
        std::vector<Etape> etapes;
        QString attendu;
    } cas[] = {
        {"ajouts à la suite", {append("e4\n"), append("e5\n")}, "e4\ne5\n"},
        {"sans fin de ligne",
         {append("Ouverture : "), append("Italienne\n")},
         "Ouverture : Italienne\n"},
        {"devant ce qui est là",
         {append("1.e4\n"), prepend("d3 1.2\n"), prepend("d2 0.8\n")},
         "d2 0.8\nd3 1.2\n1.e4\n"},
        {"devant puis à la suite", {prepend("a\n"), append("b\n")}, "a\nb\n"},
        {"vider un commentaire vide", {clear()}, ""},
        {"vider puis écrire", {append("x\n"), clear(), append("y\n")}, "y\n"},
        {"accents et cyrillique",
         {append("Défense française — Французская\n")},
         QStringLiteral("Défense française — Французская\n")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.name);
        CommentWindow fenetre;
        for (const Etape& e : c.etapes) e(fenetre);
        EXPECT_EQ(fenetre.text(), c.attendu);
    }
}

TEST(CommentWindow, AjoutDefileJusquALaFin) {
    CommentWindow fenetre;
    fenetre.resize(300, 200);
    fenetre.show();
    auto* text1 = fenetre.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text1, nullptr);
    EXPECT_TRUE(text1->isReadOnly());
    for (int i = 1; i <= 200; ++i) fenetre.append(std::to_string(i) + ". ligne\n");
    QScrollBar* barre = text1->verticalScrollBar();
    ASSERT_GT(barre->maximum(), 0);
    EXPECT_EQ(barre->value(), barre->maximum());
    EXPECT_TRUE(text1->viewport()->rect().contains(text1->cursorRect()));
    EXPECT_EQ(text1->textCursor().position(), text1->document()->characterCount() - 1);
    fenetre.prepend("en tête\n");
    EXPECT_EQ(barre->value(), 0);
}

TEST(CommentWindow, AfficheSuitLaCocheEtLaFermeture) {
    CommentWindow fenetre;
    EXPECT_FALSE(fenetre.visible());
    fenetre.setAfficheCommentaire(true);
    EXPECT_TRUE(fenetre.visible());
    fenetre.show();
    fenetre.append("perdu à la fermeture\n");
    int ferme = 0;
    QObject::connect(&fenetre, &CommentWindow::ferme, [&] { ++ferme; });
    fenetre.close();
    EXPECT_EQ(ferme, 1);
    EXPECT_FALSE(fenetre.visible());
    EXPECT_EQ(fenetre.text(), QString());
}

TEST(CommentWindow, FermeeDansLaZoneMdi) {
    QMdiArea zone;
    auto* fenetre = new CommentWindow;
    QMdiSubWindow* sous = zone.addSubWindow(fenetre);
    zone.show();
    fenetre->setAfficheCommentaire(true);
    sous->show();
    int ferme = 0;
    QObject::connect(fenetre, &CommentWindow::ferme, [&] { ++ferme; });
    sous->close();
    EXPECT_EQ(ferme, 1);
    EXPECT_FALSE(fenetre->visible());
}

TEST(CommentWindow, BoutonsEtLegendes) {
    CommentWindow fenetre;
    auto* voir = fenetre.findChild<QPushButton*>(QStringLiteral("voir_coup"));
    auto* effacer = fenetre.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(voir, nullptr);
    ASSERT_NE(effacer, nullptr);

    // Only inside the opening base.
    EXPECT_FALSE(voir->isEnabled());
    fenetre.setVoirCoupEnabled(true);
    int ouvertures = 0;
    QObject::connect(&fenetre, &CommentWindow::voirOuvertures, [&] { ++ouvertures; });
    voir->click();
    EXPECT_EQ(ouvertures, 1);

    fenetre.append("texte\n");
    effacer->click();
    EXPECT_EQ(fenetre.text(), QString());

    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(1);
    fenetre.appliquer_textes(catalogue);
    EXPECT_EQ(fenetre.windowTitle(), QStringLiteral("Commentaires"));
    EXPECT_EQ(voir->text(), QStringLiteral("&Ouverture ?"));
    catalogue.appliquer_langue(2);
    fenetre.appliquer_textes(catalogue);
    EXPECT_EQ(fenetre.windowTitle(), QStringLiteral("Comments"));
    EXPECT_FALSE(effacer->toolTip().isEmpty());

    // Nothing cut off at the size it opens with.
    catalogue.appliquer_langue(1);
    fenetre.appliquer_textes(catalogue);
    fenetre.setCalcul(QStringLiteral("Profondeur 3"));
    fenetre.append("Ouverture : C50 Partie italienne\n");
    fenetre.append("  d3  Cf3-g5    +1.20\n  d3  d2-d4     +0.85\n  d3  0-0       +0.40\n");
    fenetre.resize(fenetre.sizeHint());
    fenetre.show();
    for (QPushButton* b : {voir, effacer}) {
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
        EXPECT_TRUE(fenetre.rect().contains(b->geometry()));
    }
    capturer(fenetre, QStringLiteral("comment"));
}
