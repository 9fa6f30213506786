// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommentWindow.h"

#include "Capture.h"
#include "localisation/Catalogue.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Step = std::function<void(quarvelin::Commentary&)>;

Step append(std::string t) {
    return [t](quarvelin::Commentary& c) { c.append(t); };
}
Step prepend(std::string t) {
    return [t](quarvelin::Commentary& c) { c.prepend(t); };
}
Step clear() {
    return [](quarvelin::Commentary& c) { c.clear(); };
}

} // namespace

TEST(CommentWindow, AppendPrependClear) {
    const struct {
        const char* name;
        std::vector<Step> steps;
        QString expected;
    } cases[] = {
        {"appended in turn", {append("e4\n"), append("e5\n")}, "e4\ne5\n"},
        {"no line end", {append("Ouverture : "), append("Italienne\n")}, "Ouverture : Italienne\n"},
        {"in front of what is there",
         {append("1.e4\n"), prepend("d3 1.2\n"), prepend("d2 0.8\n")},
         "d2 0.8\nd3 1.2\n1.e4\n"},
        {"in front, then after", {prepend("a\n"), append("b\n")}, "a\nb\n"},
        {"clearing nothing", {clear()}, ""},
        {"cleared, then written", {append("x\n"), clear(), append("y\n")}, "y\n"},
        {"accents and Cyrillic",
         {append("Défense française — Французская\n")},
         QStringLiteral("Défense française — Французская\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CommentWindow window;
        for (const Step& e : c.steps) e(window);
        EXPECT_EQ(window.text(), c.expected);
    }
}

TEST(CommentWindow, AppendScrollsToTheEnd) {
    CommentWindow window;
    window.resize(300, 200);
    window.show();
    auto* text1 = window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text1, nullptr);
    EXPECT_TRUE(text1->isReadOnly());
    for (int i = 1; i <= 200; ++i) window.append(std::to_string(i) + ". ligne\n");
    QScrollBar* bar = text1->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(text1->viewport()->rect().contains(text1->cursorRect()));
    EXPECT_EQ(text1->textCursor().position(), text1->document()->characterCount() - 1);
    window.prepend("en tête\n");
    EXPECT_EQ(bar->value(), 0);
}

TEST(CommentWindow, ShowingFollowsTheTickAndTheClose) {
    CommentWindow window;
    EXPECT_FALSE(window.visible());
    window.setCommentaryShown(true);
    EXPECT_TRUE(window.visible());
    window.show();
    window.append("perdu à la fermeture\n");
    int closed = 0;
    QObject::connect(&window, &CommentWindow::closed, [&] { ++closed; });
    window.close();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(window.visible());
    EXPECT_EQ(window.text(), QString());
}

TEST(CommentWindow, ClosedInTheMdiArea) {
    QMdiArea zone;
    auto* window = new CommentWindow;
    QMdiSubWindow* under = zone.addSubWindow(window);
    zone.show();
    window->setCommentaryShown(true);
    under->show();
    int closed = 0;
    QObject::connect(window, &CommentWindow::closed, [&] { ++closed; });
    under->close();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(window->visible());
}

TEST(CommentWindow, ButtonsAndCaptions) {
    CommentWindow window;
    auto* view = window.findChild<QPushButton*>(QStringLiteral("voir_coup"));
    auto* erase = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(view, nullptr);
    ASSERT_NE(erase, nullptr);

    // Only inside the opening base.
    EXPECT_FALSE(view->isEnabled());
    window.setShowOpeningsEnabled(true);
    int openings = 0;
    QObject::connect(&window, &CommentWindow::viewOpenings, [&] { ++openings; });
    view->click();
    EXPECT_EQ(openings, 1);

    window.append("texte\n");
    erase->click();
    EXPECT_EQ(window.text(), QString());

    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(1);
    window.appliquer_textes(catalogue);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Commentaires"));
    EXPECT_EQ(view->text(), QStringLiteral("&Ouverture ?"));
    catalogue.appliquer_langue(2);
    window.appliquer_textes(catalogue);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Comments"));
    EXPECT_FALSE(erase->toolTip().isEmpty());

    // Nothing cut off at the size it opens with.
    catalogue.appliquer_langue(1);
    window.appliquer_textes(catalogue);
    window.setCalculation(QStringLiteral("Profondeur 3"));
    window.append("Ouverture : C50 Partie italienne\n");
    window.append("  d3  Cf3-g5    +1.20\n  d3  d2-d4     +0.85\n  d3  0-0       +0.40\n");
    window.resize(window.sizeHint());
    window.show();
    for (QPushButton* b : {view, erase}) {
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
        EXPECT_TRUE(window.rect().contains(b->geometry()));
    }
    takeScreenshot(window, QStringLiteral("comment"));
}
