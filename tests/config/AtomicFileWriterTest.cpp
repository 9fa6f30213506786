// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "config/AtomicFileWriter.h"
#include "config/SettingsFile.h"
#include "records/GameFile.h"
#include "records/PgnConversion.h"
#include "records/XmlWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

using test::readText;
using test::writeText;

std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> found;
    for (const auto& e : fs::directory_iterator(folder)) found.insert(e.path().filename());
    return found;
}

TEST(AtomicFileWriter, ReplacesTheFileWholeOrLeavesItAsItWas) {
    using Start = AtomicFileWriter::Start;
    const struct {
        const char* name;
        const char* through; // beside "file": "link" to it, "chain" to that link, folder "dir"
        const char* old;     // what "file" holds first; nullptr: no file
        Start start;
        bool commit;
        int error;             // the errno reported, 0 for none
        const char* after;     // what "file" holds afterwards
        bool readOnly = false; // the folder cannot be written in
    } cases[] = {
        {"new file", "file", nullptr, Start::Empty, true, 0, "new"},
        {"replaced keeping its mode", "file", "old", Start::Empty, true, 0, "new"},
        {"old content first", "file", "old", Start::OldContent, true, 0, "oldnew"},
        {"old content of no file", "file", nullptr, Start::OldContent, true, 0, "new"},
        {"through a link", "link", "old", Start::OldContent, true, 0, "oldnew"},
        {"through two links", "chain", "old", Start::Empty, true, 0, "new"},
        {"link to no file yet", "chain", nullptr, Start::Empty, true, 0, "new"},
        {"dropped without commit", "file", "old", Start::Empty, false, 0, "old"},
        {"folder missing", "absent/file", "old", Start::Empty, true, ENOENT, "old"},
        {"target is a folder", "dir", "old", Start::OldContent, true, EISDIR, "old"},
        {"folder read-only", "file", "old", Start::Empty, true, EACCES, "old", true},
    };
    const fs::path root = test::testFolder("writer");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    constexpr auto oldMode = fs::perms(0640);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnly && ::geteuid() == 0) continue; // root writes in a read-only folder
        const fs::path folder = root / c.name, file = folder / "file";
        fs::create_directory(folder);
        if (c.old) {
            writeText(file, c.old);
            fs::permissions(file, oldMode);
        }
        fs::create_symlink("file", folder / "link");
        fs::create_symlink(folder / "link", folder / "chain");
        fs::create_directory(folder / "dir");
        if (c.readOnly) fs::permissions(folder, fs::perms(0555));
        std::string error;
        {
            AtomicFileWriter writer;
            if (writer.open((folder / c.through).string(), c.start) && writer.write("new") &&
                c.commit)
                writer.commit();
            error = writer.error();
        }
        fs::permissions(folder, fs::perms(0755));

        EXPECT_EQ(error, c.error ? std::strerror(c.error) : "");
        EXPECT_EQ(readText(file), c.after);
        EXPECT_EQ(fs::status(file).permissions(), c.old ? oldMode : fs::perms(0666 & ~mask));
        EXPECT_TRUE(fs::is_symlink(folder / "link") && fs::is_symlink(folder / "chain"));
        // No temporary file left behind.
        EXPECT_EQ(names(folder), (std::set<std::string>{"chain", "dir", "file", "link"}));
    }
    fs::remove_all(root);
}

// Games enough that a write takes many system calls.
std::string pgnGames(int count, const std::string& event) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "[Event \"" + event + " " + std::to_string(i) +
                "\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"1-0\"]\n\n"
                "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 1-0\n\n";
    return text;
}

// The date and time line 2 of an XML file holds changes from one write to the next.
std::string withoutTimestamp(std::string text) {
    const std::size_t from = text.find("<!--"), to = text.find("-->");
    if (from != std::string::npos && to != std::string::npos) text.erase(from, to + 3 - from);
    return text;
}

// Every writer that replaces a file, killed at random moments while it writes version 1 over
// version 0 (the game file's version 1 appends to it): the file is always one version or the
// other, whole.
TEST(AtomicFileWriter, KilledWritersLeaveTheOldFileOrTheNewOne) {
    // Kills, not power cuts, so the disk need not be reached: a memory-backed folder where there
    // is one keeps the rounds quick.
    const fs::path shm = "/dev/shm";
    const fs::path folder = (fs::is_directory(shm) ? shm : fs::temp_directory_path()) /
                            ("killed-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directory(folder);
    Settings settings[2] = {builtInSettings("/opt/q"), builtInSettings("/opt/q")};
    for (int v : {0, 1}) {
        settings[v].LIEU_JEU = std::string(100000, 'x');
        settings[v].NOM_JOUEUR[1] = "version " + std::to_string(v);
    }
    const std::string games[2] = {pgnGames(1200, "old"), pgnGames(1200, "new")};
    const std::string sources[2] = {(folder / "old.pgn").string(), (folder / "new.pgn").string()};
    for (int v : {0, 1}) writeText(sources[v], games[v].substr(0, games[v].size() / 10));
    std::vector<XmlGame> list(500, {"[Event \"Open\"]\n[White \"A\"]\n", "1.d4 d5", "*"});
    const XmlGame added{"[Event \"Blitz\"]\n", "1.c4", "1-0"};

    struct KilledWriter {
        const char* name;
        const char* file;
        std::function<bool(const std::string& path, int version)> write;
    };
    const KilledWriter writers[] = {
        {"settings", "quarvelin.ini",
         [&](const std::string& p, int v) { return ecrire_reglages(settings[v], p).empty(); }},
        {"pgn save, appending", "games.pgn",
         [&](const std::string& p, int v) { return writeGameFile(p, games[v], v == 1).empty(); }},
        {"conversion", "converted.xml",
         [&](const std::string& p, int v) {
             return convertir_fichier_pgn(sources[v], p, {}, {ConversionFormat::Xml, false, true})
                 .success();
         }},
        {"xml list", "list.xml",
         [&](const std::string& p, int v) {
             using Mode = XmlWriter::Mode;
             return !XmlWriter::writeFile(p, v ? std::vector{added} : list,
                                          v ? Mode::Append : Mode::Replace);
         }},
    };
    std::mt19937 random(20240611);
    for (const KilledWriter& w : writers) {
        SCOPED_TRACE(w.name);
        const std::string path = (folder / w.file).string();
        ASSERT_TRUE(w.write(path, 0));
        // Each round starts again from this copy, linked in place: nothing to write back.
        const std::string kept = path + ".kept", link = path + ".link";
        fs::copy_file(path, kept);
        const std::set<std::string> files = names(folder);
        // A child left to finish gives the new version and how long a whole write takes.
        const auto start = std::chrono::steady_clock::now();
        const pid_t whole = ::fork();
        ASSERT_GE(whole, 0);
        if (whole == 0) ::_exit(w.write(path, 1) ? 0 : 1);
        int status = -1;
        ::waitpid(whole, &status, 0);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        ASSERT_EQ(status, 0);
        const std::string oldText = withoutTimestamp(readText(kept)),
                          newText = withoutTimestamp(readText(path));
        ASSERT_NE(oldText, newText);
        // Log-uniform, from before the child has started to after it is done.
        std::uniform_real_distribution<double> exponent(std::log(2.0),
                                                        std::log(1.5 * took.count()));
        int olds = 0, news = 0;
        for (int round = 0; round < 200; ++round) {
            // What killed writers could not remove goes, and the old version is put back.
            for (const std::string& name : names(folder))
                if (!files.contains(name)) fs::remove(folder / name);
            if (!fs::equivalent(kept, path)) {
                fs::create_hard_link(kept, link);
                fs::rename(link, path);
            }
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) ::_exit(w.write(path, 1) ? 0 : 1);
            ::usleep(static_cast<useconds_t>(std::exp(exponent(random))));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            const std::string now = withoutTimestamp(readText(path));
            olds += now == oldText;
            news += now == newText;
            ASSERT_TRUE(now == oldText || now == newText)
                << "round " << round << ": " << now.size() << " bytes";
        }
        // Both seen: kills landed before the rename and after it.
        EXPECT_GT(olds, 0);
        EXPECT_GT(news, 0);
    }
    fs::remove_all(folder);
}

} // namespace
