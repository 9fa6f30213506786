// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OpeningListWindow.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "openings/OpeningBase.h"
#include "ui/OpeningLinesModel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeView>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using quarvelin::EcoLine;

namespace {

class OpeningList : public ::testing::Test {
protected:
    fs::path dir = quarvelin::test::testFolder("quarvelin-list");
    quarvelin::OpeningBase base;
    quarvelin::test::OffsetCatalogue catalogue;
    void SetUp() override { ASSERT_TRUE(base.open((dir / "eco.db").string(), true)); }
    void TearDown() override {
        base.close();
        fs::remove_all(dir);
    }
    static void fetchAll(OpeningListWindow& w) {
        while (w.lines()->canFetchMore({})) w.lines()->fetchMore({});
    }
    QString next(OpeningListWindow& w, int row) {
        w.list()->setCurrentIndex(w.lines()->index(row, 0));
        return w.findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
    }
};

TEST_F(OpeningList, ListsEveryLineAndCountsThemInTheTitle) {
    ASSERT_TRUE(base.append({{0, "A00", "Autre", "1.d4 *", 0, false}}));
    int added = 0;
    for (int n : {0, 3, 600}) { // 600 takes three pages
        std::vector<EcoLine> lines;
        for (; added < n; ++added)
            lines.push_back({0, "C20", "Partie " + std::to_string(added), "1.e4 e5 *", 0, false});
        ASSERT_TRUE(base.append(lines));
        OpeningListWindow w(catalogue);
        w.fill(&base, "1.e4 e5");
        fetchAll(w);
        ASSERT_EQ(w.lines()->rowCount(), n);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("%1 <274> - 1.e4 e5").arg(n));
        if (n == 0) continue;
        EXPECT_EQ(w.lines()->line(n - 1).label, "Partie " + std::to_string(n - 1));
        EXPECT_EQ(w.lines()->index(0, 0).data(Qt::UserRole).toString(), QStringLiteral("ref2"));
    }
    OpeningListWindow none(catalogue);
    none.fill(nullptr, "1.e4");
    EXPECT_EQ(none.lines()->rowCount(), 0);
    EXPECT_EQ(none.windowTitle(), QStringLiteral("0 <274> - 1.e4"));
}

TEST_F(OpeningList, TheChosenRowGivesItsNextMoveToWhoMayPlayIt) {
    using quarvelin::Colour;
    using quarvelin::GameMode;
    const std::vector<EcoLine> lines = {{1, "C20", "Fin", "1.e4 e5 *", 0, false},
                                        {2, "C44", "Suite", "1.e4 e5 2.Nf3 Nc6 *", 0, false}};
    ASSERT_TRUE(base.replaceAll(lines));
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
        w.fill(&base, "1.e4 e5");
        EXPECT_EQ(next(w, c.row).toStdString(), c.next);
        auto* play = w.findChild<QPushButton*>(QStringLiteral("Command3"));
        EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("Text2"))->text().toStdString(),
                  lines[static_cast<std::size_t>(c.row)].moves);
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
    w.fill(&base, "");
    EXPECT_EQ(next(w, 0), QStringLiteral("1.e4"));
}

// A million rows: the list opens on one page and grows a page at a time as it is scrolled, in
// key order, both when nearly every line continues the game and when few do.
TEST_F(OpeningList, AMillionRowsAreReadAsTheListIsScrolled) {
    QSqlQuery make(QSqlDatabase::database(base.connectionName()));
    ASSERT_TRUE(make.exec(
        "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup) WITH RECURSIVE n(i) AS (SELECT 1 "
        "UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) SELECT 'A00', 'Ligne ' || i, CASE "
        "WHEN i % 50 = 0 THEN '1.d4 d5 ' ELSE '1.e4 e5 ' END || 'Nf3 ' || i || ' *' FROM n"));
    constexpr int Page = OpeningLinesModel::PageSize;
    for (auto [text, total, step, move] :
         {std::tuple{"", 1000000, 1, "1.e4"}, {"1.d4 d5", 20000, 50, "Nf3"}}) {
        OpeningListWindow w(catalogue);
        w.setGame(quarvelin::GameMode::Free, quarvelin::Colour::White);
        w.fill(&base, text);
        EXPECT_EQ(w.windowTitle().section(' ', 0, 0).toInt(), total);
        // The view asks for a page or two while it lays itself out and when scrolled to the
        // bottom: far from the million either way.
        w.show();
        QCoreApplication::processEvents();
        const int shown = w.lines()->rowCount();
        EXPECT_EQ(shown % Page, 0);
        EXPECT_LE(shown, 2 * Page);
        w.list()->scrollToBottom();
        QCoreApplication::processEvents();
        const int scrolled = w.lines()->rowCount();
        EXPECT_EQ(scrolled % Page, 0);
        EXPECT_GT(scrolled, shown);
        EXPECT_LE(scrolled, 4 * Page);
        ASSERT_TRUE(w.lines()->canFetchMore({}));
        w.lines()->fetchMore({});
        ASSERT_EQ(w.lines()->rowCount(), scrolled + Page);
        for (int row : {0, scrolled + 1}) {
            EXPECT_EQ(w.lines()->line(row).key, static_cast<long long>(step) * (row + 1));
            EXPECT_EQ(next(w, row), QString::fromLatin1(move));
        }
    }
}

} // namespace
