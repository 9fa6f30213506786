// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatisticsWindow.h"
#include "support/TestDoubles.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TEST(StatisticsWindow, KingsSwapWithTheLastMoverAndRefreshReadsAgain) {
    quarvelin::test::OffsetCatalogue catalogue;
    QPixmap white(8, 8), black(16, 16);
    StatisticsWindow::Game game{{0, 120, -40}, 2, quarvelin::Colour::Black};
    StatisticsWindow w(
        catalogue, [&] { return game; }, white, black);
    auto king = [&](const char* name) {
        return w.findChild<QLabel*>(QString::fromLatin1(name))->pixmap().width();
    };
    EXPECT_EQ(w.windowTitle(), QStringLiteral("<1118>"));
    EXPECT_EQ(king("roi_haut"), 8);
    EXPECT_EQ(king("roi_bas"), 16);
    ASSERT_EQ(w.list()->topLevelItemCount(), 2);
    EXPECT_EQ(w.list()->topLevelItem(1)->text(2), QStringLiteral("400%"));
    EXPECT_EQ(w.chart()->points().size(), 2u);
    // The chart's top and bottom are +3000 and -3000.
    EXPECT_LT(w.chart()->place(1, 3000).y(), w.chart()->place(1, 0).y());
    EXPECT_GT(w.chart()->place(1, -3000).y(), w.chart()->place(1, 0).y());

    game = {{0, 120, -40, 60}, 3, quarvelin::Colour::White};
    w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    EXPECT_EQ(king("roi_haut"), 16);
    EXPECT_EQ(w.list()->topLevelItemCount(), 3);
    game = {};
    w.refresh();
    EXPECT_EQ(w.list()->topLevelItemCount(), 0); // no move: empty chart and list
    EXPECT_TRUE(w.chart()->points().empty());
}

} // namespace
