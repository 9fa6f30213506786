// SPDX-License-Identifier: GPL-3.0-or-later
// The quick entry grid on a copy of the opening base the build makes, filtered and sorted by a
// heading, saved as a picture when QUARVELIN_CAPTURES names a folder.
#include "ui/Capture.h"

#include "session/SessionDoubles.h"
#include "ui/DataGridWindow.h"

#include <QFile>
#include <QHeaderView>
#include <QSqlTableModel>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

TEST(Captures, TheQuickEntryGridOnTheOpeningBase) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("eco.db"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUARVELIN_BIN_DIR "/base/eco.db"), base));
    Catalogue catalogue;
    catalogue.appliquer_langue(1);
    test::ScriptedDialogs dialogs;
    DataGridWindow grid(QStringLiteral("ECO"), base, TextKey::MenuOpeningsGrid, catalogue, dialogs);
    ASSERT_EQ(grid.error(), "");
    grid.resize(1240, 620);
    grid.show();
    ASSERT_TRUE(grid.applyFilter(QStringLiteral("Eco_code LIKE 'C6%'")));
    grid.sortByColumn(grid.model()->fieldIndex(QStringLiteral("Eco_coup")));
    EXPECT_GT(grid.rowTotal(), 20);
    grid.grid()->selectRow(4);
    takeScreenshot(grid, QStringLiteral("grille-ouvertures"));
}

} // namespace
