#include "ui/OpeningListWindow.h"
#include "support/TestDoubles.h"

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

} // namespace
