#include "records/AddressList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct FileCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> addresses;
};

class AddressFile : public testing::TestWithParam<FileCase> {};

TEST_P(AddressFile, KeepsTrimmedLinesThatAreNotRemarks) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("adresses.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().bytes.data(), static_cast<qint64>(GetParam().bytes.size()));
    f.close();
    std::vector<std::string> addresses{"left over"};
    ASSERT_TRUE(readAddressList(path.toStdString(), addresses));
    EXPECT_EQ(addresses, GetParam().addresses);
}

INSTANTIATE_TEST_SUITE_P(
    Case, AddressFile,
    testing::Values(FileCase{"utf8_bom_crlf",
                             "\xEF\xBB\xBFhttp://a.example/1.xml\r\n# remarque\r\n\r\n   \r\n"
                             "  Finale http://b.example/2.xml  \r\n#http://c.example/\n"
                             "Ch\xC3\xA2teau https://d.example/",
                             {"http://a.example/1.xml", "Finale http://b.example/2.xml",
                              "Ch\xC3\xA2teau https://d.example/"}},
                    FileCase{"windows_1252",
                             "Ch\xE2teau http://e.example/\n",
                             {"Ch\xC3\xA2teau http://e.example/"}},
                    FileCase{"only_remarks", "# rien\n\n", {}}),
    [](const testing::TestParamInfo<FileCase>& i) { return std::string(i.param.name); });

TEST(AddressList, AMissingFileIsNotRead) {
    std::vector<std::string> addresses{"kept"};
    EXPECT_FALSE(readAddressList("/nonexistent/quarvelin/list.txt", addresses));
    EXPECT_EQ(addresses, std::vector<std::string>{"kept"});
}

struct Case {
    const char* line;
    const char* address;
};

class AddressOfLine : public testing::TestWithParam<Case> {};

TEST_P(AddressOfLine, StartsAtTheScheme) {
    EXPECT_EQ(addressOfLine(GetParam().line), GetParam().address);
}

INSTANTIATE_TEST_SUITE_P(
    Case, AddressOfLine,
    testing::Values(Case{"http://a.example/x.xml", "http://a.example/x.xml"},
                    Case{"Finale 1972 https://b.example/g.xml ", "https://b.example/g.xml"},
                    Case{"HTTP://C.EXAMPLE/", "HTTP://C.EXAMPLE/"},
                    Case{"voir https://d.example/?u=http://e", "https://d.example/?u=http://e"},
                    Case{"Partie 3 file:///home/a/parties_0003.xml",
                         "file:///home/a/parties_0003.xml"},
                    Case{"FILE:///tmp/x.xml", "FILE:///tmp/x.xml"},
                    Case{"file:///a/b.xml?http://c", "file:///a/b.xml?http://c"},
                    Case{"ftp://f.example/g.xml", ""}, Case{"/tmp/x.xml", ""}, Case{"", ""}));

} // namespace
