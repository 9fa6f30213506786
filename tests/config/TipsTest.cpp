// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include "config/Tips.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

class TipsTest : public ::testing::Test {
protected:
    fs::path dir = test::testFolder("quarvelin-tips");
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& text) {
        const std::string path = (dir / "tips.txt").string();
        test::writeText(path, text);
        return path;
    }
};

TEST_F(TipsTest, OneTipPerLineBlankLinesSkipped) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> tips;
    } cases[] = {
        {"plain", "Un.\nDeux.\n", {"Un.", "Deux."}},
        {"blank lines and CR LF", "\r\nUn.\r\n  \r\n\t\r\nDeux.\r\n\r\n", {"Un.", "Deux."}},
        {"byte-order mark", "\xEF\xBB\xBFUn.\nDeux.", {"Un.", "Deux."}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tips t;
        ASSERT_TRUE(t.load(file(c.text)));
        EXPECT_EQ(t.tips(), c.tips);
    }
    Tips missing;
    EXPECT_FALSE(missing.load((dir / "absent.txt").string()));
    EXPECT_EQ(missing.pick(0.5), nullptr);
    EXPECT_EQ(missing.current(), 0);
}

TEST_F(TipsTest, PickTakesTheIntegerPartOfCountTimesR) {
    Tips t;
    ASSERT_TRUE(t.load(file("A\nB\nC\nD\n")));
    const std::pair<double, int> cases[] = {
        {0.0, 1}, {0.2499, 1}, {0.25, 2}, {0.7, 3}, {0.9999, 4}};
    for (auto [r, n] : cases) {
        SCOPED_TRACE(r);
        ASSERT_NE(t.pick(r), nullptr);
        EXPECT_EQ(t.current(), n);
        EXPECT_EQ(*t.pick(r), t.tips()[static_cast<std::size_t>(n - 1)]);
    }
}

TEST_F(TipsTest, FilePerLanguageAndTheMissingFileMessage) {
    EXPECT_EQ(Tips::fileFor("/opt/q", 1), "/opt/q/tips/fr.txt");
    EXPECT_EQ(Tips::fileFor("/opt/q", 7), "/opt/q/tips/ru.txt");
    EXPECT_EQ(Tips::fileFor("/opt/q", 0), "/opt/q/tips/en.txt");
    test::OffsetCatalogue catalogue;
    EXPECT_EQ(Tips::missingFileText(catalogue, "/opt/q/tips/fr.txt"),
              "<292>\n<293>\n<294>/opt/q/tips/fr.txt");
}

TEST_F(TipsTest, TheStartUpChoiceIsKeptAndMissingMeansYes) {
    const std::string store = (dir / "user.ini").string();
    EXPECT_TRUE(TipsOption(store).showAtStartup());
    TipsOption(store).setShowAtStartup(false);
    EXPECT_FALSE(TipsOption(store).showAtStartup());
    TipsOption(store).setShowAtStartup(true);
    EXPECT_TRUE(TipsOption(store).showAtStartup());
}

// Every language ships the same tips, line for line.
TEST(ShippedTips, EveryLanguageHasItsTips) {
    Tips french;
    ASSERT_TRUE(french.load(Tips::fileFor(QUARVELIN_SOURCE_DIR "/data", 1)));
    EXPECT_GE(french.tips().size(), 40u);
    for (int language = 2; language <= 8; ++language) {
        SCOPED_TRACE(language);
        Tips t;
        ASSERT_TRUE(t.load(Tips::fileFor(QUARVELIN_SOURCE_DIR "/data", language)));
        EXPECT_EQ(t.tips().size(), french.tips().size());
    }
}

} // namespace
