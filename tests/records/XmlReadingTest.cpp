#include "records/XmlReading.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct MalformedCase {
    const char* name;
    std::string document;
    long long line;
};

class MalformedDocument : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDocument, IsReportedWithItsLineAndYieldsNoGame) {
    const XmlReading parsed = readXmlDocument(GetParam().document);
    EXPECT_FALSE(parsed.wellFormed);
    EXPECT_FALSE(parsed.readable());
    EXPECT_EQ(parsed.line, GetParam().line);
    EXPECT_TRUE(parsed.game.GameText.empty());
    EXPECT_TRUE(parsed.game.GameMoveText.empty());
}

std::string nested(int levels) {
    std::string s;
    for (int i = 0; i < levels; ++i) s += "<a>";
    s += "<Move>1.e4</Move>";
    for (int i = 0; i < levels; ++i) s += "</a>";
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Case, MalformedDocument,
    testing::Values(MalformedCase{"empty", "", 1},
                    MalformedCase{"unclosed", "<LIST>\r\n<GAME>\r\n<Move>1.e4</Move>\r\n", 4},
                    MalformedCase{"crossed", "<LIST>\r\n<GAME><Move>1.e4</GAME></Move>\r\n</LIST>",
                                  2},
                    // What the old format wrote for a name with an ampersand.
                    MalformedCase{"bare_ampersand",
                                  "<LIST>\r\n<GAME>\r\n<White>Smith & Wesson</White>\r\n"
                                  "<Move>1.e4 *</Move>\r\n</GAME>\r\n</LIST>\r\n",
                                  3},
                    MalformedCase{"unknown_entity", "<Move>1.e4 &bogus;</Move>", 1},
                    MalformedCase{"two_roots", "<Move>1.e4</Move>\r\n<Move>1.d4</Move>", 2},
                    MalformedCase{"html", "<html><body><p>Not found<br></body></html>", 1},
                    MalformedCase{"too_deep", nested(100000), 1}),
    [](const testing::TestParamInfo<MalformedCase>& i) { return std::string(i.param.name); });

TEST(XmlReading, EveryTextBecomesATagLineAndMoveTheMoves) {
    const XmlReading parsed = readXmlDocument(
        "<?xml version=\"1.0\"?>\n<!-- a comment -->\n<games><game id=\"1\">\n"
        "  <Event>Club\n   championship</Event>\n  <Empty></Empty>\n  <Blank>   </Blank>\n"
        "  <Move>\n    1.e4 e5\n    2.Nf3 Nc6\n  </Move>\n"
        "  <Note>a &amp; b <![CDATA[<c>]]> d</Note>\n</game></games>");
    ASSERT_TRUE(parsed.readable());
    EXPECT_EQ(parsed.game.GameText, "[Event \"Club championship\"]\r\n[Note \"a & b <c> d\"]\r\n");
    EXPECT_EQ(parsed.game.GameMoveText, "1.e4 e5 2.Nf3 Nc6 ");
}

TEST(XmlReading, MixedContentGivesOneLinePerTextNode) {
    const XmlReading parsed = readXmlDocument("<p>avant<Move>1.d4</Move>apres</p>");
    ASSERT_TRUE(parsed.readable());
    EXPECT_EQ(parsed.game.GameText, "[p \"avant\"]\r\n[p \"apres\"]\r\n");
}

TEST(XmlReading, ADocumentWithoutMoveIsWellFormedButUnreadable) {
    const XmlReading parsed =
        readXmlDocument("<LIST><GAME><White>A</White><Move></Move></GAME></LIST>");
    EXPECT_TRUE(parsed.wellFormed);
    EXPECT_FALSE(parsed.readable());
    EXPECT_EQ(parsed.game.GameText, "[White \"A\"]\r\n");
}

TEST(XmlReading, TheDeclaredEncodingIsHonoured) {
    const XmlReading parsed = readXmlDocument(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST><GAME><White>Ren\xE9</White>"
        "<Move>1.e4 *</Move></GAME></LIST>");
    ASSERT_TRUE(parsed.readable());
    EXPECT_EQ(parsed.game.GameText, "[White \"René\"]\r\n");
}

TEST(XmlReading, NestingUpToTheLimitIsRead) {
    EXPECT_TRUE(readXmlDocument(nested(MaximumDepth / 2 - 1)).readable());
    EXPECT_FALSE(readXmlDocument(nested(MaximumDepth / 2)).wellFormed);
}

struct ResultCase {
    std::string moves;
    std::string header;
    std::string expected;
};

class GameOutcome : public testing::TestWithParam<ResultCase> {};

TEST_P(GameOutcome, ComesFromTheMovesThenTheResultTag) {
    const ParsedXmlGame p{GetParam().header, GetParam().moves, {}};
    EXPECT_EQ(gameResult(p), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Case, GameOutcome,
                         testing::Values(ResultCase{"1.e4 e5 1-0 ", "", "1-0"},
                                         ResultCase{"1.e4 e5 1/2-1/2 ", "[Result \"0-1\"]\r\n",
                                                    "1/2-1/2"},
                                         ResultCase{"1.e4 e5 ", "[Result \"0-1\"]\r\n", "0-1"},
                                         ResultCase{"1.e4 e5 ", "[Result \"gagné\"]\r\n", "*"},
                                         ResultCase{"1-0 ", "", "1-0"}, ResultCase{"", "", "*"}));

} // namespace
