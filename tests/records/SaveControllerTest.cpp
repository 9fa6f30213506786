// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/SaveController.h"
#include "records/GameFile.h"
#include "session/SessionDoubles.h"
#include "support/TestFolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

class SaveControllerTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (fs::path(dir_) / name).string(); }
    // Only the file itself and the recent-files store: no temporary file left behind.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            if (e.path().filename() != "recents.ini") names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    QTemporaryDir temp_;
    std::string dir_ = temp_.path().toStdString();
    RecentFiles recent_{QString::fromStdString(path("recents.ini"))};
    ScriptedDialogs dialogs_;
    OffsetCatalogue catalogue_;
    SaveController controller_{dialogs_, catalogue_, &recent_};
};

const std::string Game1 = "[Event \"A\"]\n\n1.e4 e5 *\n";
const std::string Game2 = "[Event \"B\"]\r\n\r\n1.d4 {note} d5 1-0\r\n";

TEST_F(SaveControllerTest, AppendKeepsBothGamesWhole) {
    const std::string f = path("parties.pgn");
    ASSERT_TRUE(controller_.save(f, Game1, true));
    ASSERT_TRUE(controller_.save(f, Game2, true));
    EXPECT_EQ(readText(f), "[Event \"A\"]\r\n\r\n1.e4 e5 *\r\n\r\n"
                           "[Event \"B\"]\r\n\r\n1.d4 {note} d5 1-0\r\n\r\n");
    EXPECT_TRUE(dialogs_.questions.empty());
    ASSERT_EQ(dialogs_.messages.size(), 2u);
    EXPECT_EQ(dialogs_.messages[1].text, "<217>");
    EXPECT_EQ(dialogs_.messages[1].title, "quarvelin");
    EXPECT_EQ(recent_.list().front(), f);
    EXPECT_EQ(files(), std::vector<std::string>{"parties.pgn"});
}

TEST_F(SaveControllerTest, TheRecordNamesTheOpeningOfItsOwnMoves) {
    OpeningBase base;
    ASSERT_TRUE(base.open(path("eco.db"), true));
    ASSERT_TRUE(base.append({{0, "C20", "King's pawn", "1.e4 e5 *", 0, false},
                             {0, "C60", "Ruy Lopez", "1.e4 e5 2.Nf3 Nc6 3.Bb5 *", 0, false}}));
    const SaveController named(dialogs_, catalogue_, nullptr, &base);
    const struct {
        std::vector<std::pair<const char*, const char*>> moves;
        std::string tags; // between the result and the moves
    } cases[] = {
        {{{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}, {"f1", "b5"}, {"a7", "a6"}},
         "[ECO \"C60\"]\r\n[Opening \"Ruy Lopez\"]\r\n"},
        {{{"d2", "d4"}}, ""}, // nothing named: no tags, not the session's "unknown"
    };
    for (const auto& c : cases) {
        Bench b(freePlay());
        b->newGame();
        for (auto [from, to] : c.moves) b.move(from, to);
        const std::string text = named.composer(b->session(), b.settings, Colour::White, today());
        EXPECT_NE(text.find("[Result \"*\"]\r\n" + c.tags + "\r\n1."), std::string::npos) << text;
    }
}

TEST_F(SaveControllerTest, ReplacingAnExistingFileIsAsked) {
    struct Case {
        bool exists, append, answer;
        std::size_t questions;
        const char* content;
        const char* old = "old\r\n";
    };
    const Case cases[] = {
        {false, false, false, 0, "new\r\n\r\n"},
        {true, false, false, 1, "old\r\n"},
        {true, false, true, 1, "new\r\n\r\n"},
        {true, true, false, 0, "old\r\nnew\r\n\r\n"},
        {true, true, false, 0, "old\r\nnew\r\n\r\n", "old"},
    };
    for (const Case& c : cases) {
        const std::string f = path("cas.pgn");
        fs::remove(f);
        if (c.exists) writeText(f, c.old);
        dialogs_.questions.clear();
        dialogs_.messages.clear();
        dialogs_.answers = {c.answer};
        const bool written = controller_.save(f, "new\n", c.append);
        EXPECT_EQ(readText(f), c.content);
        ASSERT_EQ(dialogs_.questions.size(), c.questions);
        if (c.questions) {
            EXPECT_EQ(dialogs_.questions[0].text, "<216>");
        }
        EXPECT_EQ(written, dialogs_.messages.size() == 1);
        dialogs_.answers.clear();
    }
}

TEST_F(SaveControllerTest, RefusedWritesReportedAndChangeNothing) {
    fs::create_directory(path("dossier"));
    writeText(path("dossier/dedans.pgn"), "keep");
    const std::string targets[] = {path("absent/partie.pgn"), path("dossier")};
    for (const std::string& target : targets) {
        for (bool append : {false, true}) {
            dialogs_.messages.clear();
            EXPECT_FALSE(controller_.save(target, Game1, append)) << target;
            ASSERT_EQ(dialogs_.messages.size(), 1u) << target;
            EXPECT_EQ(dialogs_.messages[0].text.rfind("<610>\n" + target + " : ", 0), 0u)
                << dialogs_.messages[0].text;
            EXPECT_GT(dialogs_.messages[0].text.size(), target.size() + 10);
        }
    }
    EXPECT_TRUE(fs::is_directory(path("dossier")));
    EXPECT_EQ(readText(path("dossier/dedans.pgn")), "keep");
    EXPECT_TRUE(recent_.list().empty());
    EXPECT_EQ(files(), std::vector<std::string>{"dossier"});
}

TEST_F(SaveControllerTest, XmlSavesAskTheSameAndReportWhatStoppedThem) {
    struct Case {
        const char* name;
        const char* old; // nullptr: no file there
        bool append, answer;
        std::size_t questions;
        int games;           // in the file afterwards
        const char* message; // start of the message, then the file's path
    };
    const Case cases[] = {
        {"new file", nullptr, false, false, 0, 1, "<217>"},
        {"replacing refused", "", false, false, 1, 1, nullptr},
        {"replacing accepted", "", false, true, 1, 1, "<217>"},
        {"appending", "", true, false, 0, 2, "<217>"},
        {"not a list", "[Event \"A\"]\n", true, false, 0, 0, "<991>\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string f = path("cas.xml");
        fs::remove(f);
        // An empty old text stands for a list of one game.
        if (c.old && *c.old) writeText(f, c.old);
        if (c.old && !*c.old) {
            ASSERT_TRUE(controller_.save(f, Game1, false, GameFormat::Xml));
        }
        const std::string before = readText(f);
        dialogs_.questions.clear();
        dialogs_.messages.clear();
        dialogs_.answers = {c.answer};
        const bool written = controller_.save(f, Game2, c.append, GameFormat::Xml);
        dialogs_.answers.clear();
        EXPECT_EQ(dialogs_.questions.size(), c.questions);
        const std::string after = readText(f);
        EXPECT_EQ(occurrences(after, "<GAME>"), c.games);
        if (!c.message) {
            EXPECT_FALSE(written);
            EXPECT_TRUE(dialogs_.messages.empty());
            EXPECT_EQ(after, before);
            continue;
        }
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        const std::string& m = dialogs_.messages[0].text;
        EXPECT_EQ(written, m == "<217>");
        if (!written) {
            EXPECT_EQ(m, c.message + f);
            EXPECT_EQ(after, before);
        }
    }
    // The recent files open PGN files only.
    EXPECT_TRUE(recent_.list().empty());
    EXPECT_EQ(files(), std::vector<std::string>{"cas.xml"});

    dialogs_.messages.clear();
    const std::string absent = path("absent/partie.xml");
    EXPECT_FALSE(controller_.save(absent, Game1, false, GameFormat::Xml));
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].text.rfind("<992>", 0), 0u) << dialogs_.messages[0].text;
    EXPECT_TRUE(dialogs_.messages[0].text.ends_with("\n" + absent));
    EXPECT_FALSE(fs::exists(path("absent")));
}

// A write that fails half-way, as on a full disk: the file size limit stops it in a child
// process, so the test's own output is not limited.
TEST_F(SaveControllerTest, WriteFailingHalfWayLeavesTheOldFile) {
    const std::string f = path("parties.pgn");
    const std::string old(3000, 'a');
    writeText(f, old);
    const std::string game(5000, 'b');
    for (bool append : {false, true}) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(writeGameFile(f, game, append).empty() ? 0 : 3);
        }
        int state = 0;
        waitpid(pid, &state, 0);
        ASSERT_TRUE(WIFEXITED(state));
        EXPECT_EQ(WEXITSTATUS(state), 3) << append;
        EXPECT_EQ(readText(f), old) << append;
        EXPECT_EQ(files(), std::vector<std::string>{"parties.pgn"});
    }
}

TEST_F(SaveControllerTest, ProposedNameInTheFolderOfTheLastFile) {
    constexpr std::chrono::year_month_day day{std::chrono::year{2026}, std::chrono::month{12},
                                              std::chrono::day{4}};
    EXPECT_EQ(controller_.proposedName(GameFormat::Pgn, day), "Quarv041226.pgn");
    fs::create_directory(path("jeux"));
    recent_.ajouter_fichier_recent(path("jeux/a.pgn"));
    EXPECT_EQ(controller_.proposedName(GameFormat::Pgn, day), path("jeux/Quarv041226.pgn"));
    recent_.ajouter_fichier_recent(path("parti/b.pgn"));
    EXPECT_EQ(controller_.proposedName(GameFormat::Xml, day), "Quarv041226.xml");
    EXPECT_EQ(controller_.filter(GameFormat::Pgn), "<215> PGN (*.pgn)");
}

TEST(GameFile, LineEndsMadeCrLf) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\nb", "a\r\nb"}, {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb"}, {"a\n\r\nb", "a\r\n\r\nb"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(crlfLines(text), expected) << text;
}

} // namespace
