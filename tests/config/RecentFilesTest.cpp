// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/RecentFiles.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using quarvelin::RecentFiles;
using quarvelin::test::OffsetCatalogue;
using quarvelin::test::RecordingDialogs;

namespace {

using List = std::vector<std::string>;

class RecentFilesTest : public ::testing::Test {
protected:
    QString store() const { return dir_.filePath(QStringLiteral("recents.ini")); }
    std::string path(const std::string& name) const {
        return QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    std::string create(const std::string& name) const {
        const std::string c = path(name);
        quarvelin::test::writeText(c, "[Event \"?\"]\n\n1.e4 *\n");
        return c;
    }

    QTemporaryDir dir_;
};

List numbered(int of, int a) {
    List l;
    for (int i = of; of <= a ? i <= a : i >= a; i += of <= a ? 1 : -1)
        l.push_back("/jeux/" + std::to_string(i) + ".pgn");
    return l;
}

List plus(List a, const List& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(RecentFilesTest, SuccessiveAppends) {
    const struct {
        const char* name;
        List additions;
        List expected;
    } cases[] = {
        {"none", {}, {}},
        {"one", {"/a.pgn"}, {"/a.pgn"}},
        {"the same twice running", {"/a.pgn", "/a.pgn"}, {"/a.pgn"}},
        {"the latest first", {"/a.pgn", "/b.pgn", "/c.pgn"}, {"/c.pgn", "/b.pgn", "/a.pgn"}},
        {"the third one reopened is listed twice",
         {"/a.pgn", "/b.pgn", "/c.pgn", "/a.pgn"},
         {"/a.pgn", "/c.pgn", "/b.pgn", "/a.pgn"}},
        {"ten fit", numbered(1, 10), numbered(10, 1)},
        {"the eleventh drops the oldest", numbered(1, 11), numbered(11, 2)},
        {"the oldest reopened goes first, listed once", plus(numbered(1, 10), {"/jeux/1.pgn"}),
         plus({"/jeux/1.pgn"}, numbered(10, 2))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(store());
        RecentFiles recent(store());
        for (const std::string& a : c.additions) EXPECT_TRUE(recent.ajouter_fichier_recent(a));
        EXPECT_EQ(recent.list(), c.expected);
        // The store outlives the run: a later start reads the same list.
        EXPECT_EQ(RecentFiles(store()).list(), c.expected);
    }
}

TEST_F(RecentFilesTest, NothingWithoutAFirstEntry) {
    {
        QSettings s(store(), QSettings::IniFormat);
        s.setValue(QStringLiteral("Recent Files/RecentFile2"), QStringLiteral("/b.pgn"));
        s.setValue(QStringLiteral("Recent Files/RecentFile3"), QStringLiteral("/c.pgn"));
    }
    EXPECT_TRUE(RecentFiles(store()).afficher_fichiers_recents().empty());
}

TEST_F(RecentFilesTest, PathAfterTheFirstBlank) {
    const struct {
        std::string caption, path;
    } cases[] = {
        {"&1 /jeux/a.pgn", "/jeux/a.pgn"},
        {"&10 /jeux/a.pgn", "/jeux/a.pgn"},
        {"&3 /mes parties/gambit dame.pgn", "/mes parties/gambit dame.pgn"},
        {"&4 /jeux/Tom & Jerry.pgn", "/jeux/Tom & Jerry.pgn"},
        {"sans-blanc", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RecentFiles::captionPath(c.caption), c.path) << c.caption;
}

TEST_F(RecentFilesTest, CaptionsNumberedFromOneToTenAndTheTenthOpensItsFile) {
    RecentFiles recent(store());
    EXPECT_TRUE(recent.afficher_fichiers_recents().empty());
    const std::string tenth = create("partie dix.pgn");
    recent.ajouter_fichier_recent(tenth);
    for (int i = 1; i <= 9; ++i) recent.ajouter_fichier_recent(path(std::to_string(i) + ".pgn"));
    const List captions = recent.afficher_fichiers_recents();
    ASSERT_EQ(captions.size(), 10u);
    EXPECT_EQ(captions[0], "&1 " + path("9.pgn"));
    EXPECT_EQ(captions[1], "&2 " + path("8.pgn"));
    EXPECT_EQ(captions[9], "&10 " + tenth);
    RecordingDialogs dialogs;
    EXPECT_EQ(RecentFiles::choose(captions.back(), dialogs, OffsetCatalogue()), tenth);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(RecentFilesTest, AVanishedFileIsToldAndTheListKept) {
    RecentFiles recent(store());
    const std::string present = create("present.pgn");
    const std::string gone = create("disparu.pgn");
    recent.ajouter_fichier_recent(present);
    recent.ajouter_fichier_recent(gone);
    std::filesystem::remove(gone);
    const List before = recent.list();

    for (const std::string& caption : {recent.afficher_fichiers_recents().front(),
                                       "&2 " + dir_.path().toStdString(), std::string("&3")}) {
        SCOPED_TRACE(caption);
        RecordingDialogs dialogs;
        EXPECT_EQ(RecentFiles::choose(caption, dialogs, OffsetCatalogue()), std::nullopt);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.starts_with("<270>"));
        EXPECT_EQ(dialogs.messages[0].icon, quarvelin::DialogIcon::Exclamation);
    }
    EXPECT_EQ(recent.list(), before);
}

TEST_F(RecentFilesTest, UserStore) {
    // Where the program's own store lands: organisation and application "Quarvelin".
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    RecentFiles().ajouter_fichier_recent("/jeux/a.pgn");
    QSettings parsed(QStringLiteral("Quarvelin"), QStringLiteral("Quarvelin"));
    EXPECT_TRUE(parsed.fileName().startsWith(dir_.path())) << parsed.fileName().toStdString();
    EXPECT_EQ(parsed.value(QStringLiteral("Recent Files/RecentFile1")).toString(),
              QStringLiteral("/jeux/a.pgn"));
}
