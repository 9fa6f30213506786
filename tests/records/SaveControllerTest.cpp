#include "records/SaveController.h"
#include "records/FichierPartie.h"
#include "session/SessionDoubles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

std::string lire(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void ecrire(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class SaveControllerTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (fs::path(dir_) / name).string(); }
    // Only the file itself and the recent-files store: no temporary file left behind.
    std::vector<std::string> fichiers() const {
        std::vector<std::string> noms;
        for (const auto& e : fs::directory_iterator(dir_))
            if (e.path().filename() != "recents.ini") noms.push_back(e.path().filename().string());
        std::sort(noms.begin(), noms.end());
        return noms;
    }

    QTemporaryDir temp_;
    std::string dir_ = temp_.path().toStdString();
    RecentFiles recents_{QString::fromStdString(path("recents.ini"))};
    ScriptedDialogs dialogs_;
    OffsetCatalogue catalogue_;
    SaveController controleur_{dialogs_, catalogue_, &recents_};
};

const std::string Partie1 = "[Event \"A\"]\n\n1.e4 e5 *\n";
const std::string Partie2 = "[Event \"B\"]\r\n\r\n1.d4 {note} d5 1-0\r\n";

TEST_F(SaveControllerTest, AppendKeepsBothGamesWhole) {
    const std::string f = path("parties.pgn");
    ASSERT_TRUE(controleur_.sauver(f, Partie1, true));
    ASSERT_TRUE(controleur_.sauver(f, Partie2, true));
    EXPECT_EQ(lire(f), "[Event \"A\"]\r\n\r\n1.e4 e5 *\r\n\r\n"
                       "[Event \"B\"]\r\n\r\n1.d4 {note} d5 1-0\r\n\r\n");
    EXPECT_TRUE(dialogs_.questions.empty());
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages[1].text, "<217>");
    EXPECT_EQ(dialogs_.messages[1].title, "quarvelin");
    EXPECT_EQ(recents_.list().front(), f);
    EXPECT_EQ(fichiers(), std::vector<std::string>{"parties.pgn"});
}

TEST_F(SaveControllerTest, ReplacingAnExistingFileIsAsked) {
    struct Cas {
        bool existe, append, reponse;
        std::size_t questions;
        const char* content;
        const char* ancien = "old\r\n";
    };
    const Cas cas[] = {
        {false, false, false, 0, "new\r\n\r\n"},
        {true, false, false, 1, "old\r\n"},
        {true, false, true, 1, "new\r\n\r\n"},
        {true, true, false, 0, "old\r\nnew\r\n\r\n"},
        {true, true, false, 0, "old\r\nnew\r\n\r\n", "old"},
    };
    for (const Cas& c : cas) {
        const std::string f = path("cas.pgn");
        fs::remove(f);
        if (c.existe) ecrire(f, c.ancien);
        dialogs_.questions.clear();
        dialogs_.messages.clear();
        dialogs_.reponses = {c.reponse};
        const bool ecrit = controleur_.sauver(f, "new\n", c.append);
        EXPECT_EQ(lire(f), c.content);
        ASSERT_EQ(dialogs_.questions.size(), c.questions);
        if (c.questions) {
            EXPECT_EQ(dialogs_.questions[0].text, "<216>");
        }
        EXPECT_EQ(ecrit, dialogs_.messages.size() == 1);
        dialogs_.reponses.clear();
    }
}

TEST_F(SaveControllerTest, RefusedWritesReportedAndChangeNothing) {
    fs::create_directory(path("dossier"));
    ecrire(path("dossier/dedans.pgn"), "keep");
    const std::string cibles[] = {path("absent/partie.pgn"), path("dossier")};
    for (const std::string& cible : cibles) {
        for (bool append : {false, true}) {
            dialogs_.messages.clear();
            EXPECT_FALSE(controleur_.sauver(cible, Partie1, append)) << cible;
            ASSERT_EQ(dialogs_.messages.size(), 1u) << cible;
            EXPECT_EQ(dialogs_.messages[0].text.rfind("<610>\n" + cible + " : ", 0), 0u)
                << dialogs_.messages[0].text;
            EXPECT_GT(dialogs_.messages[0].text.size(), cible.size() + 10);
        }
    }
    EXPECT_TRUE(fs::is_directory(path("dossier")));
    EXPECT_EQ(lire(path("dossier/dedans.pgn")), "keep");
    EXPECT_TRUE(recents_.list().empty());
    EXPECT_EQ(fichiers(), std::vector<std::string>{"dossier"});
}

TEST_F(SaveControllerTest, XmlSavesAskTheSameAndReportWhatStoppedThem) {
    struct Cas {
        const char* name;
        const char* ancien; // nullptr: no file there
        bool append, reponse;
        std::size_t questions, parties; // games in the file afterwards
        const char* message;            // start of the message, then the file's path
    };
    const Cas cas[] = {
        {"new file", nullptr, false, false, 0, 1, "<217>"},
        {"replacing refused", "", false, false, 1, 1, nullptr},
        {"replacing accepted", "", false, true, 1, 1, "<217>"},
        {"appending", "", true, false, 0, 2, "<217>"},
        {"not a list", "[Event \"A\"]\n", true, false, 0, 0, "<991>\n"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.name);
        const std::string f = path("cas.xml");
        fs::remove(f);
        // An empty old text stands for a list of one game.
        if (c.ancien && *c.ancien) ecrire(f, c.ancien);
        if (c.ancien && !*c.ancien) {
            ASSERT_TRUE(controleur_.sauver(f, Partie1, false, FormatPartie::Xml));
        }
        const std::string avant = lire(f);
        dialogs_.questions.clear();
        dialogs_.messages.clear();
        dialogs_.reponses = {c.reponse};
        const bool ecrit = controleur_.sauver(f, Partie2, c.append, FormatPartie::Xml);
        dialogs_.reponses.clear();
        EXPECT_EQ(dialogs_.questions.size(), c.questions);
        const std::string apres = lire(f);
        std::size_t parties = 0;
        for (auto i = apres.find("<GAME>"); i != std::string::npos; i = apres.find("<GAME>", i + 1))
            ++parties;
        EXPECT_EQ(parties, c.parties);
        if (!c.message) {
            EXPECT_FALSE(ecrit);
            EXPECT_TRUE(dialogs_.messages.empty());
            EXPECT_EQ(apres, avant);
            continue;
        }
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        const std::string& m = dialogs_.messages[0].text;
        EXPECT_EQ(ecrit, m == "<217>");
        if (!ecrit) {
            EXPECT_EQ(m, c.message + f);
            EXPECT_EQ(apres, avant);
        }
    }
    // The recent files open PGN files only.
    EXPECT_TRUE(recents_.list().empty());
    EXPECT_EQ(fichiers(), std::vector<std::string>{"cas.xml"});

    dialogs_.messages.clear();
    const std::string absent = path("absent/partie.xml");
    EXPECT_FALSE(controleur_.sauver(absent, Partie1, false, FormatPartie::Xml));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text.rfind("<992>", 0), 0u) << dialogs_.messages[0].text;
    EXPECT_TRUE(dialogs_.messages[0].text.ends_with("\n" + absent));
    EXPECT_FALSE(fs::exists(path("absent")));
}

// A write that fails half-way, as on a full disk: the file size limit stops it in a child
// process, so the test's own output is not limited.
TEST_F(SaveControllerTest, WriteFailingHalfWayLeavesTheOldFile) {
    const std::string f = path("parties.pgn");
    const std::string ancien(3000, 'a');
    ecrire(f, ancien);
    const std::string partie(5000, 'b');
    for (bool append : {false, true}) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(ecrire_fichier_partie(f, partie, append).empty() ? 0 : 3);
        }
        int state = 0;
        waitpid(pid, &state, 0);
        ASSERT_TRUE(WIFEXITED(state));
        EXPECT_EQ(WEXITSTATUS(state), 3) << append;
        EXPECT_EQ(lire(f), ancien) << append;
        EXPECT_EQ(fichiers(), std::vector<std::string>{"parties.pgn"});
    }
}

TEST_F(SaveControllerTest, ProposedNameInTheFolderOfTheLastFile) {
    constexpr std::chrono::year_month_day jour{std::chrono::year{2026}, std::chrono::month{12},
                                               std::chrono::day{4}};
    EXPECT_EQ(controleur_.proposedName(FormatPartie::Pgn, jour), "Quarv041226.pgn");
    fs::create_directory(path("jeux"));
    recents_.ajouter_fichier_recent(path("jeux/a.pgn"));
    EXPECT_EQ(controleur_.proposedName(FormatPartie::Pgn, jour), path("jeux/Quarv041226.pgn"));
    recents_.ajouter_fichier_recent(path("parti/b.pgn"));
    EXPECT_EQ(controleur_.proposedName(FormatPartie::Xml, jour), "Quarv041226.xml");
    EXPECT_EQ(controleur_.filtre(FormatPartie::Pgn), "<215> PGN (*.pgn)");
}

TEST(FichierPartie, LineEndsMadeCrLf) {
    const std::pair<const char*, const char*> cas[] = {
        {"a\nb", "a\r\nb"}, {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb"}, {"a\n\r\nb", "a\r\n\r\nb"},
        {"", ""},
    };
    for (const auto& [text, attendu] : cas) EXPECT_EQ(lignes_crlf(text), attendu) << text;
}

} // namespace
