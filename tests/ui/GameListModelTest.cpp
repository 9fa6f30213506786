// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GameListModel.h"

#include <QItemSelectionModel>

#include <gtest/gtest.h>

#include <sstream>

using quarvelin::PgnIndex;

namespace {

std::shared_ptr<const PgnIndex>
list(const std::vector<std::pair<const char*, const char*>>& gameList) {
    std::string text;
    for (auto [round, white] : gameList)
        text += std::string("[Event \"e\"]\n[Round \"") + round + "\"]\n[White \"" + white +
                "\"]\n\n1.e4 *\n\n";
    std::istringstream in(text);
    return std::make_shared<const PgnIndex>(PgnIndex::buildIndex(in, text.size(), {}));
}

QStringList column(const GameListModel& m, int c) {
    QStringList v;
    for (int r = 0; r < m.rowCount(); ++r) v << m.index(r, c).data().toString();
    return v;
}

// By number, a round without one last; equal names keep the file's order.
TEST(GameListModel, SortingOrdersAndKeepsTheSelectedGame) {
    const struct {
        int column;
        Qt::SortOrder order;
        QStringList whites;
    } cases[] = {
        {3, Qt::AscendingOrder, {"Alice", "carl", "Dan", "bob", "alice"}},
        {3, Qt::DescendingOrder, {"alice", "bob", "Dan", "carl", "Alice"}},
        {4, Qt::AscendingOrder, {"Alice", "alice", "bob", "carl", "Dan"}},
        {4, Qt::DescendingOrder, {"Dan", "carl", "bob", "Alice", "alice"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column * 10 + c.order);
        GameListModel m;
        m.setIndex(
            list({{"10", "bob"}, {"2", "Alice"}, {"2.1", "carl"}, {"", "alice"}, {"3", "Dan"}}));
        QItemSelectionModel selection(&m);
        selection.setCurrentIndex(m.index(4, 0), QItemSelectionModel::Select); // Dan
        const std::uint64_t dan = m.position(4);
        m.sort(c.column, c.order);
        EXPECT_EQ(column(m, 4), c.whites);
        ASSERT_TRUE(selection.currentIndex().isValid());
        EXPECT_EQ(m.position(selection.currentIndex().row()), dan);
        EXPECT_EQ(m.data(selection.currentIndex(), GameListModel::PositionRole).toULongLong(), dan);
    }
}

TEST(GameListModel, EmptyAndClearedListsHaveNoRows) {
    GameListModel m;
    EXPECT_EQ(m.rowCount(), 0);
    m.sort(0); // nothing to sort, nothing to break
    m.setIndex(list({{"1", "a"}}));
    EXPECT_EQ(m.rowCount(), 1);
    m.clear();
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_FALSE(m.data(m.index(0, 0)).isValid());
}

} // namespace
