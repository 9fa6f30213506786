#include "config/FichiersRecents.h"
#include "support/TestDoubles.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using quarvelin::FichiersRecents;
using quarvelin::test::OffsetCatalogue;
using quarvelin::test::RecordingDialogs;

namespace {

using Liste = std::vector<std::string>;

class FichiersRecentsTest : public ::testing::Test {
protected:
    QString store() const { return dir_.filePath(QStringLiteral("recents.ini")); }
    std::string chemin(const std::string& name) const {
        return QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
    }
    std::string creer(const std::string& name) const {
        const std::string c = chemin(name);
        std::ofstream(c) << "[Event \"?\"]\n\n1.e4 *\n";
        return c;
    }

    QTemporaryDir dir_;
};

Liste numerotes(int de, int a) {
    Liste l;
    for (int i = de; de <= a ? i <= a : i >= a; i += de <= a ? 1 : -1)
        l.push_back("/jeux/" + std::to_string(i) + ".pgn");
    return l;
}

} // namespace

TEST_F(FichiersRecentsTest, AjoutsSuccessifs) {
    const struct {
        const char* name;
        Liste ajouts;
        Liste attendu;
    } cas[] = {
        {"rien", {}, {}},
        {"un", {"/a.pgn"}, {"/a.pgn"}},
        {"deux fois de suite", {"/a.pgn", "/a.pgn"}, {"/a.pgn"}},
        {"le plus récent en tête", {"/a.pgn", "/b.pgn", "/c.pgn"}, {"/c.pgn", "/b.pgn", "/a.pgn"}},
        {"le troisième rouvert figure deux fois",
         {"/a.pgn", "/b.pgn", "/c.pgn", "/a.pgn"},
         {"/a.pgn", "/c.pgn", "/b.pgn", "/a.pgn"}},
        {"dix tiennent", numerotes(1, 10), numerotes(10, 1)},
        {"le onzième fait tomber le plus ancien", numerotes(1, 11), numerotes(11, 2)},
        {"le plus ancien rouvert passe en tête et ne reste qu'une fois",
         [] {
             Liste l = numerotes(1, 10);
             l.push_back("/jeux/1.pgn");
             return l;
         }(),
         [] {
             Liste l = numerotes(10, 2);
             l.insert(l.begin(), "/jeux/1.pgn");
             return l;
         }()},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.name);
        QFile::remove(store());
        FichiersRecents recents(store());
        for (const std::string& a : c.ajouts) EXPECT_TRUE(recents.ajouter_fichier_recent(a));
        EXPECT_EQ(recents.liste(), c.attendu);
        // The store outlives the run: a later start reads the same list.
        EXPECT_EQ(FichiersRecents(store()).liste(), c.attendu);
    }
}

TEST_F(FichiersRecentsTest, LegendesNumeroteesDeUnADix) {
    FichiersRecents recents(store());
    EXPECT_TRUE(recents.afficher_fichiers_recents().empty());
    for (const std::string& f : numerotes(1, 10)) recents.ajouter_fichier_recent(f);
    const Liste legendes = recents.afficher_fichiers_recents();
    ASSERT_EQ(legendes.size(), 10u);
    EXPECT_EQ(legendes.front(), "&1 /jeux/10.pgn");
    EXPECT_EQ(legendes[1], "&2 /jeux/9.pgn");
    EXPECT_EQ(legendes.back(), "&10 /jeux/1.pgn");
}

TEST_F(FichiersRecentsTest, RienSansPremiereEntree) {
    {
        QSettings s(store(), QSettings::IniFormat);
        s.setValue(QStringLiteral("Recent Files/RecentFile2"), QStringLiteral("/b.pgn"));
        s.setValue(QStringLiteral("Recent Files/RecentFile3"), QStringLiteral("/c.pgn"));
    }
    EXPECT_TRUE(FichiersRecents(store()).afficher_fichiers_recents().empty());
}

TEST_F(FichiersRecentsTest, CheminApresLePremierBlanc) {
    const struct {
        std::string legende, chemin;
    } cas[] = {
        {"&1 /jeux/a.pgn", "/jeux/a.pgn"},
        {"&10 /jeux/a.pgn", "/jeux/a.pgn"},
        {"&3 /mes parties/gambit dame.pgn", "/mes parties/gambit dame.pgn"},
        {"&4 /jeux/Tom & Jerry.pgn", "/jeux/Tom & Jerry.pgn"},
        {"sans-blanc", ""},
    };
    for (const auto& c : cas)
        EXPECT_EQ(FichiersRecents::chemin_de_legende(c.legende), c.chemin) << c.legende;
}

TEST_F(FichiersRecentsTest, LeDixiemeOuvreSonFichier) {
    FichiersRecents recents(store());
    const std::string dixieme = creer("partie dix.pgn");
    recents.ajouter_fichier_recent(dixieme);
    for (int i = 1; i <= 9; ++i) recents.ajouter_fichier_recent(chemin(std::to_string(i) + ".pgn"));
    const Liste legendes = recents.afficher_fichiers_recents();
    ASSERT_EQ(legendes.size(), 10u);
    RecordingDialogs dialogs;
    EXPECT_EQ(FichiersRecents::choisir(legendes.back(), dialogs, OffsetCatalogue()), dixieme);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FichiersRecentsTest, FichierDisparuSignaleListeIntacte) {
    FichiersRecents recents(store());
    const std::string present = creer("present.pgn");
    const std::string disparu = creer("disparu.pgn");
    recents.ajouter_fichier_recent(present);
    recents.ajouter_fichier_recent(disparu);
    std::filesystem::remove(disparu);
    const Liste avant = recents.liste();

    for (const std::string& legende : {recents.afficher_fichiers_recents().front(),
                                       "&2 " + dir_.path().toStdString(), std::string("&3")}) {
        SCOPED_TRACE(legende);
        RecordingDialogs dialogs;
        EXPECT_EQ(FichiersRecents::choisir(legende, dialogs, OffsetCatalogue()), std::nullopt);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.starts_with("<270>"));
        EXPECT_EQ(dialogs.messages[0].icon, quarvelin::DialogIcon::Exclamation);
    }
    EXPECT_EQ(recents.liste(), avant);
}

TEST_F(FichiersRecentsTest, MagasinDeLUtilisateur) {
    // Where the program's own store lands: organisation and application "Quarvelin".
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    FichiersRecents().ajouter_fichier_recent("/jeux/a.pgn");
    QSettings lu(QStringLiteral("Quarvelin"), QStringLiteral("Quarvelin"));
    EXPECT_TRUE(lu.fileName().startsWith(dir_.path())) << lu.fileName().toStdString();
    EXPECT_EQ(lu.value(QStringLiteral("Recent Files/RecentFile1")).toString(),
              QStringLiteral("/jeux/a.pgn"));
}
