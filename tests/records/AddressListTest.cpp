// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/AddressList.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace quarvelin;

TEST(AddressList, KeepsTrimmedLinesThatAreNotRemarks) {
    const struct {
        std::string bytes;
        std::vector<std::string> addresses;
    } cases[] = {
        {"\xEF\xBB\xBFhttp://a.example/1.xml\r\n# remarque\r\n\r\n   \r\n"
         "  Finale http://b.example/2.xml  \r\n#http://c.example/\nCh\xC3\xA2teau "
         "https://d.example/",
         {"http://a.example/1.xml", "Finale http://b.example/2.xml",
          "Ch\xC3\xA2teau https://d.example/"}},
        // Windows-1252.
        {"Ch\xE2teau http://e.example/\n", {"Ch\xC3\xA2teau http://e.example/"}},
        {"# rien\n\n", {}},
    };
    const auto folder = test::testFolder("addresses");
    const std::string path = (folder / "adresses.txt").string();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        test::writeText(path, c.bytes);
        std::vector<std::string> addresses{"left over"};
        ASSERT_TRUE(readAddressList(path, addresses));
        EXPECT_EQ(addresses, c.addresses);
    }
    std::vector<std::string> kept{"kept"};
    EXPECT_FALSE(readAddressList((folder / "absent.txt").string(), kept));
    EXPECT_EQ(kept, std::vector<std::string>{"kept"});
}

TEST(AddressList, TheAddressOfALineStartsAtTheScheme) {
    const struct {
        const char* line;
        const char* address;
    } cases[] = {
        {"http://a.example/x.xml", "http://a.example/x.xml"},
        {"Finale 1972 https://b.example/g.xml ", "https://b.example/g.xml"},
        {"HTTP://C.EXAMPLE/", "HTTP://C.EXAMPLE/"},
        {"voir https://d.example/?u=http://e", "https://d.example/?u=http://e"},
        {"Partie 3 file:///home/a/parties_0003.xml", "file:///home/a/parties_0003.xml"},
        {"FILE:///tmp/x.xml", "FILE:///tmp/x.xml"},
        {"file:///a/b.xml?http://c", "file:///a/b.xml?http://c"},
        {"ftp://f.example/g.xml", ""},
        {"/tmp/x.xml", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(addressOfLine(c.line), c.address) << c.line;
}
