// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFilesMenu.h"

#include "Capture.h"
#include "config/RecentFiles.h"
#include "support/TestDoubles.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::vector<bool> visible(const RecentFilesMenu& m) {
    std::vector<bool> v;
    for (int n = 0; n <= 10; ++n) v.push_back(m.element(n)->isVisible());
    return v;
}

} // namespace

TEST(RecentFilesMenu, ElementsFollowTheList) {
    QMenu menu;
    QAction* quit = menu.addAction(QStringLiteral("&Quitter"));
    RecentFilesMenu recent(&menu, quit);
    ASSERT_EQ(menu.actions().size(), 12);
    EXPECT_EQ(menu.actions().last(), quit);
    EXPECT_TRUE(recent.element(0)->isSeparator());
    EXPECT_EQ(recent.element(10)->objectName(), QStringLiteral("mnuRecentFile10"));

    const struct {
        std::vector<std::string> captions;
        std::vector<bool> visible;
    } cases[] = {
        {{}, std::vector<bool>(11, false)},
        {{"&1 /a.pgn", "&2 /b.pgn"},
         {true, true, true, false, false, false, false, false, false, false, false}},
        {{"&1 /a.pgn"},
         {true, true, false, false, false, false, false, false, false, false, false}},
        {{}, std::vector<bool>(11, false)},
    };
    for (const auto& c : cases) {
        recent.show(c.captions);
        EXPECT_EQ(visible(recent), c.visible);
        for (std::size_t i = 0; i < c.captions.size(); ++i)
            EXPECT_EQ(recent.element(static_cast<int>(i) + 1)->text().toStdString(), c.captions[i]);
    }
}

TEST(RecentFilesMenu, AnAmpersandInTheNameStaysTheName) {
    QMenu menu;
    RecentFilesMenu recent(&menu);
    recent.show({"&1 /jeux/Tom & Jerry.pgn"});
    // Shown as a plain "&", not as a shortcut mark...
    EXPECT_EQ(recent.element(1)->text(), QStringLiteral("&1 /jeux/Tom && Jerry.pgn"));
    // ...and handed back exactly as listed.
    QString chosen;
    QObject::connect(&recent, &RecentFilesMenu::chosenCaption,
                     [&](const QString& l) { chosen = l; });
    recent.element(1)->trigger();
    EXPECT_EQ(chosen, QStringLiteral("&1 /jeux/Tom & Jerry.pgn"));
}

TEST(RecentFilesMenu, FromTheStoreToTheOpenFile) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("recents.ini"));
    std::vector<std::string> files;
    for (int i = 1; i <= 10; ++i) {
        files.push_back(dir.filePath(QStringLiteral("partie %1.pgn").arg(i)).toStdString());
        std::ofstream(files.back()) << "1.e4 *\n";
    }
    quarvelin::RecentFiles recentStore(store);
    for (const std::string& f : files) recentStore.ajouter_fichier_recent(f);

    QMenu menu;
    RecentFilesMenu recent(&menu);
    recent.show(recentStore.afficher_fichiers_recents());
    std::optional<std::string> open;
    quarvelin::test::RecordingDialogs dialogs;
    QObject::connect(&recent, &RecentFilesMenu::chosenCaption, [&](const QString& l) {
        open = quarvelin::RecentFiles::choose(l.toStdString(), dialogs,
                                              quarvelin::test::OffsetCatalogue());
    });
    recent.element(10)->trigger();
    EXPECT_EQ(open, files.front());
    recent.element(1)->trigger();
    EXPECT_EQ(open, files.back());
    EXPECT_TRUE(dialogs.messages.empty());
    menu.addAction(QStringLiteral("&Quitter"));
    menu.popup(QPoint(0, 0));
    takeScreenshot(menu, QStringLiteral("recents"));
    menu.close();
}
