// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OpeningListWindow.h"
#include "support/TestDoubles.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(OpeningListWindow, ListsEveryLineAndCountsThemInTheTitle) {
    quarvelin::test::OffsetCatalogue catalogue;
    for (int n : {0, 3, 150}) { // 150 goes through the progress window
        std::vector<quarvelin::EcoLine> lines;
        for (int i = 0; i < n; ++i)
            lines.push_back({i + 1, "C20", "Partie " + std::to_string(i), "1.e4 e5 *", 0, false});
        OpeningListWindow w(catalogue);
        w.fill("1.e4 e5", lines);
        EXPECT_EQ(w.list()->topLevelItemCount(), n);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("%1 <274> - 1.e4 e5").arg(n));
        if (n > 0) {
            EXPECT_EQ(w.list()->topLevelItem(n - 1)->text(1).toStdString(),
                      "Partie " + std::to_string(n - 1));
            EXPECT_EQ(w.list()->topLevelItem(0)->data(0, Qt::UserRole).toString(),
                      QStringLiteral("ref1"));
        }
    }
}

TEST(OpeningListWindow, TheChosenRowGivesItsNextMoveToWhoMayPlayIt) {
    using quarvelin::Colour;
    using quarvelin::GameMode;
    quarvelin::test::OffsetCatalogue catalogue;
    const std::vector<quarvelin::EcoLine> lines = {
        {1, "C20", "Fin", "1.e4 e5 *", 0, false},
        {2, "C44", "Suite", "1.e4 e5 2.Nf3 Nc6 *", 0, false}};
    struct Case {
        GameMode mode;
        Colour player;
        int row;
        const char* next;
        bool playable;
    } cases[] = {
        {GameMode::Free, Colour::Black, 1, "2.Nf3", true},
        {GameMode::Machine, Colour::White, 1, "2.Nf3", true},
        {GameMode::Machine, Colour::Black, 1, "2.Nf3", false}, // White's move, user is Black
        {GameMode::Auto, Colour::White, 1, "2.Nf3", false},
        {GameMode::Free, Colour::White, 0, "", false}, // the line ends at the game text
    };
    for (const Case& c : cases) {
        OpeningListWindow w(catalogue);
        w.setGame(c.mode, c.player);
        w.fill("1.e4 e5", lines);
        w.list()->setCurrentItem(w.list()->topLevelItem(c.row));
        auto* next = w.findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* play = w.findChild<QPushButton*>(QStringLiteral("Command3"));
        EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("Text2"))->text().toStdString(),
                  lines[static_cast<std::size_t>(c.row)].moves);
        EXPECT_EQ(next->text().toStdString(), c.next);
        EXPECT_EQ(play->isEnabled(), c.playable) << static_cast<int>(c.mode);
        if (!c.playable) continue;
        QSignalSpy played(&w, &OpeningListWindow::playMove);
        play->click();
        ASSERT_EQ(played.size(), 1);
        EXPECT_EQ(played.front().front().toString(), QStringLiteral("2.Nf3"));
    }
    // With no game text the first move of the line is offered, without a move number cut.
    OpeningListWindow w(catalogue);
    w.setGame(GameMode::Free, Colour::White);
    w.fill("", lines);
    w.list()->setCurrentItem(w.list()->topLevelItem(0));
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("1.e4"));
}

} // namespace
