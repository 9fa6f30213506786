#include "ui/RecentFilesMenu.h"

#include "Capture.h"
#include "config/RecentFiles.h"
#include "support/TestDoubles.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::vector<bool> visibles(const RecentFilesMenu& m) {
    std::vector<bool> v;
    for (int n = 0; n <= 10; ++n) v.push_back(m.element(n)->isVisible());
    return v;
}

} // namespace

TEST(RecentFilesMenu, ElementsSelonLaListe) {
    QMenu menu;
    QAction* quitter = menu.addAction(QStringLiteral("&Quitter"));
    RecentFilesMenu recent(&menu, quitter);
    ASSERT_EQ(menu.actions().size(), 12);
    EXPECT_EQ(menu.actions().last(), quitter);
    EXPECT_TRUE(recent.element(0)->isSeparator());
    EXPECT_EQ(recent.element(10)->objectName(), QStringLiteral("mnuRecentFile10"));

    const struct {
        std::vector<std::string> legendes;
        std::vector<bool> visibles;
    } cas[] = {
        {{}, std::vector<bool>(11, false)},
        {{"&1 /a.pgn", "&2 /b.pgn"},
         {true, true, true, false, false, false, false, false, false, false, false}},
        {{"&1 /a.pgn"},
         {true, true, false, false, false, false, false, false, false, false, false}},
        {{}, std::vector<bool>(11, false)},
    };
    for (const auto& c : cas) {
        recent.afficher(c.legendes);
        EXPECT_EQ(visibles(recent), c.visibles);
        for (std::size_t i = 0; i < c.legendes.size(); ++i)
            EXPECT_EQ(recent.element(static_cast<int>(i) + 1)->text().toStdString(),
                      c.legendes[i]);
    }
}

TEST(RecentFilesMenu, UnEtCommercialDansLeNomResteLeNom) {
    QMenu menu;
    RecentFilesMenu recent(&menu);
    recent.afficher({"&1 /jeux/Tom & Jerry.pgn"});
    // Shown as a plain "&", not as a shortcut mark...
    EXPECT_EQ(recent.element(1)->text(), QStringLiteral("&1 /jeux/Tom && Jerry.pgn"));
    // ...and handed back exactly as listed.
    QString choisie;
    QObject::connect(&recent, &RecentFilesMenu::legendeChoisie,
                     [&](const QString& l) { choisie = l; });
    recent.element(1)->trigger();
    EXPECT_EQ(choisie, QStringLiteral("&1 /jeux/Tom & Jerry.pgn"));
}

TEST(RecentFilesMenu, DuMagasinAuFichierOuvert) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("recents.ini"));
    std::vector<std::string> files;
    for (int i = 1; i <= 10; ++i) {
        files.push_back(dir.filePath(QStringLiteral("partie %1.pgn").arg(i)).toStdString());
        std::ofstream(files.back()) << "1.e4 *\n";
    }
    quarvelin::RecentFiles magasin(store);
    for (const std::string& f : files) magasin.ajouter_fichier_recent(f);

    QMenu menu;
    RecentFilesMenu recent(&menu);
    recent.afficher(magasin.afficher_fichiers_recents());
    std::optional<std::string> ouvert;
    quarvelin::test::RecordingDialogs dialogs;
    QObject::connect(&recent, &RecentFilesMenu::legendeChoisie, [&](const QString& l) {
        ouvert = quarvelin::RecentFiles::choose(l.toStdString(), dialogs,
                                                     quarvelin::test::OffsetCatalogue());
    });
    recent.element(10)->trigger();
    EXPECT_EQ(ouvert, files.front());
    recent.element(1)->trigger();
    EXPECT_EQ(ouvert, files.back());
    EXPECT_TRUE(dialogs.messages.empty());
    menu.addAction(QStringLiteral("&Quitter"));
    menu.popup(QPoint(0, 0));
    capturer(menu, QStringLiteral("recents"));
    menu.close();
}
