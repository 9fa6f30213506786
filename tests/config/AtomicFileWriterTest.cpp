#include "config/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

std::string read(const fs::path& path) {
    std::ifstream f(path, std::ios::binary | std::ios::ate);
    std::string text(f ? static_cast<std::size_t>(f.tellg()) : 0, '\0');
    f.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> found;
    for (const auto& e : fs::directory_iterator(folder)) found.insert(e.path().filename());
    return found;
}

struct WriterCase {
    const char* name;
    const char* through; // beside "file": "link" to it, "chain" to that link, folder "dir"
    const char* old;     // what "file" holds first; nullptr: no file
    AtomicFileWriter::Start start;
    bool commit;
    int error;             // the errno reported, 0 for none
    const char* after;     // what "file" holds afterwards
    bool readOnly = false; // the folder cannot be written in
};

void PrintTo(const WriterCase& c, std::ostream* out) { *out << c.name; }

class Writer : public testing::TestWithParam<WriterCase> {};

TEST_P(Writer, ReplacesTheFileWholeOrLeavesItAsItWas) {
    const WriterCase& c = GetParam();
    if (c.readOnly && ::geteuid() == 0) GTEST_SKIP() << "root may write in a read-only folder";
    const fs::path folder =
        fs::temp_directory_path() / ("writer-" + std::to_string(::getpid()) + "-" + c.name);
    fs::remove_all(folder);
    fs::create_directory(folder);
    const fs::path file = folder / "file";
    constexpr auto oldMode = fs::perms(0640);
    if (c.old) {
        write(file, c.old);
        fs::permissions(file, oldMode);
    }
    fs::create_symlink("file", folder / "link");
    fs::create_symlink(folder / "link", folder / "chain");
    fs::create_directory(folder / "dir");
    if (c.readOnly) fs::permissions(folder, fs::perms(0555));
    std::string error;
    {
        AtomicFileWriter writer;
        if (writer.open((folder / c.through).string(), c.start) && writer.write("new") && c.commit)
            writer.commit();
        error = writer.error();
    }
    fs::permissions(folder, fs::perms(0755));

    EXPECT_EQ(error, c.error ? std::strerror(c.error) : "");
    ASSERT_EQ(read(file), c.after);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(fs::status(file).permissions(), c.old ? oldMode : fs::perms(0666 & ~mask));
    EXPECT_TRUE(fs::is_symlink(folder / "link") && fs::is_symlink(folder / "chain"));
    // No temporary file left behind.
    EXPECT_EQ(names(folder), (std::set<std::string>{"chain", "dir", "file", "link"}));
    fs::remove_all(folder);
}

using Start = AtomicFileWriter::Start;
INSTANTIATE_TEST_SUITE_P(
    Case, Writer,
    testing::Values(
        WriterCase{"NewFile", "file", nullptr, Start::Empty, true, 0, "new"},
        WriterCase{"ReplacedKeepingItsMode", "file", "old", Start::Empty, true, 0, "new"},
        WriterCase{"OldContentFirst", "file", "old", Start::OldContent, true, 0, "oldnew"},
        WriterCase{"OldContentOfNoFile", "file", nullptr, Start::OldContent, true, 0, "new"},
        WriterCase{"ThroughALink", "link", "old", Start::OldContent, true, 0, "oldnew"},
        WriterCase{"ThroughTwoLinks", "chain", "old", Start::Empty, true, 0, "new"},
        WriterCase{"LinkToNoFileYet", "chain", nullptr, Start::Empty, true, 0, "new"},
        WriterCase{"DroppedWithoutCommit", "file", "old", Start::Empty, false, 0, "old"},
        WriterCase{"FolderMissing", "absent/file", "old", Start::Empty, true, ENOENT, "old"},
        WriterCase{"TargetIsAFolder", "dir", "old", Start::OldContent, true, EISDIR, "old"},
        WriterCase{"FolderReadOnly", "file", "old", Start::Empty, true, EACCES, "old", true}),
    [](const testing::TestParamInfo<WriterCase>& i) { return std::string(i.param.name); });

} // namespace
