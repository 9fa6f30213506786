// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlReading.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

std::string nested(int levels) {
    std::string s;
    for (int i = 0; i < levels; ++i) s += "<a>";
    s += "<Move>1.e4</Move>";
    for (int i = 0; i < levels; ++i) s += "</a>";
    return s;
}

TEST(XmlReading, AMalformedDocumentIsReportedWithItsLineAndYieldsNoGame) {
    const struct {
        std::string document;
        long long line;
    } cases[] = {
        {"", 1},
        {"<LIST>\r\n<GAME>\r\n<Move>1.e4</Move>\r\n", 4},
        {"<LIST>\r\n<GAME><Move>1.e4</GAME></Move>\r\n</LIST>", 2},
        // What the old format wrote for a name with an ampersand.
        {"<LIST>\r\n<GAME>\r\n<White>Smith & Wesson</White>\r\n<Move>1.e4 *</Move>\r\n</GAME>\r\n"
         "</LIST>\r\n",
         3},
        {"<Move>1.e4 &bogus;</Move>", 1},
        {"<Move>1.e4</Move>\r\n<Move>1.d4</Move>", 2},
        {"<html><body><p>Not found<br></body></html>", 1},
        {nested(MaximumDepth / 2), 1},
        {nested(100000), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document.substr(0, 60));
        const XmlReading parsed = readXmlDocument(c.document);
        EXPECT_FALSE(parsed.wellFormed);
        EXPECT_EQ(parsed.line, c.line);
        EXPECT_TRUE(parsed.game.GameText.empty());
        EXPECT_TRUE(parsed.game.GameMoveText.empty());
    }
}

// Every text becomes a tag line, the text of Move the moves.
TEST(XmlReading, ReadsTheTextsAsTagsAndMoves) {
    const struct {
        std::string document, tags, moves; // no moves: not readable
    } cases[] = {
        {"<?xml version=\"1.0\"?>\n<!-- a comment -->\n<games><game id=\"1\">\n"
         "  <Event>Club\n   championship</Event>\n  <Empty></Empty>\n  <Blank>   </Blank>\n"
         "  <Move>\n    1.e4 e5\n    2.Nf3 Nc6\n  </Move>\n"
         "  <Note>a &amp; b <![CDATA[<c>]]> d</Note>\n</game></games>",
         "[Event \"Club championship\"]\r\n[Note \"a & b <c> d\"]\r\n", "1.e4 e5 2.Nf3 Nc6 "},
        // Mixed content: one line per text node.
        {"<p>avant<Move>1.d4</Move>apres</p>", "[p \"avant\"]\r\n[p \"apres\"]\r\n", "1.d4 "},
        // Well-formed without a move.
        {"<LIST><GAME><White>A</White><Move></Move></GAME></LIST>", "[White \"A\"]\r\n", ""},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST><GAME><White>Ren\xE9</White>"
         "<Move>1.e4 *</Move></GAME></LIST>",
         "[White \"René\"]\r\n", "1.e4 * "},
        // Nested up to the limit.
        {nested(MaximumDepth / 2 - 1), "", "1.e4 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document.substr(0, 60));
        const XmlReading parsed = readXmlDocument(c.document);
        EXPECT_TRUE(parsed.wellFormed);
        EXPECT_EQ(parsed.readable(), !c.moves.empty());
        EXPECT_EQ(parsed.game.GameText, c.tags);
        EXPECT_EQ(parsed.game.GameMoveText, c.moves);
    }
}

TEST(XmlReading, TheOutcomeComesFromTheMovesThenTheResultTag) {
    const struct {
        std::string moves, header, expected;
    } cases[] = {{"1.e4 e5 1-0 ", "", "1-0"},
                 {"1.e4 e5 1/2-1/2 ", "[Result \"0-1\"]\r\n", "1/2-1/2"},
                 {"1.e4 e5 ", "[Result \"0-1\"]\r\n", "0-1"},
                 {"1.e4 e5 ", "[Result \"gagné\"]\r\n", "*"},
                 {"1-0 ", "", "1-0"},
                 {"", "", "*"}};
    for (const auto& c : cases)
        EXPECT_EQ(gameResult(ParsedXmlGame{c.header, c.moves, {}}), c.expected)
            << c.moves << c.header;
}

} // namespace
