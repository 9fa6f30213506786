// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlWriter.h"
#include "records/XmlReading.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

const XmlGame Game1{
    "[Event \"Open & Co\"]\r\n[Site \"Saint-Étienne\"]\r\n[Date \"2024.05.01\"]\r\n"
    "[Round \"3\"]\r\n[White \"O'Brien <Sons>\"]\r\n[Black \"Zoë \"la\" Müller\"]\r\n"
    "[Result \"1-0\"]\r\n[ECO \"C20\"]\r\n",
    "1.e4 e5 2.Qh5 Nc6\r\n3.Bc4 Nf6 4.Qxf7#", "1-0"};

TEST(XmlWriter, EscapingLeavesOnlyTextThatReadsBack) {
    const std::pair<std::string, std::string> cases[] = {
        {"Smith & Wesson", "Smith &amp; Wesson"},
        {"<b>1-0</b>", "&lt;b&gt;1-0&lt;/b&gt;"},
        {"l'\"As\"", "l&apos;&quot;As&quot;"},
        {"Müller, Zoë", "Müller, Zoë"},
        {"a\r\nb", "a  b"},
        {std::string("a\x01\x1f\tb"), "a\tb"},
        {"\xEF\xBF\xBEx", "x"},
        {"Caf\xE9", "Café"}, // not UTF-8: read as Windows-1252, written as UTF-8
    };
    for (const auto& [entry, expected] : cases) EXPECT_EQ(XmlWriter::escape(entry), expected);
}

TEST(XmlWriter, MoveLineJoinsTheLinesAndEndsWithTheResult) {
    const std::pair<XmlGame, std::string> cases[] = {
        {{"", "1.e4 e5\r\n  2.Nf3 Nc6 \r\n3.Bb5\n", "*"}, "1.e4 e5 2.Nf3 Nc6 3.Bb5 *"},
        {{"", "1.e4 e5 2.Nf3 1/2-1/2", "1/2-1/2"}, "1.e4 e5 2.Nf3 1/2-1/2"},
        {{"", "1.d4 d5 ", "0-1"}, "1.d4 d5 0-1"},
        {{"", "1.d4 d5 11-0", "1-0"}, "1.d4 d5 11-0 1-0"},
        {{"", "", "*"}, "*"},
        {{"", "1.e4", ""}, "1.e4"},
    };
    for (const auto& [game, expected] : cases) EXPECT_EQ(XmlWriter::moveLine(game), expected);
}

TEST(XmlWriter, WritesOneElementALineInTheFixedOrder) {
    const XmlGame p{"[White \"A\"]\r\n[Black \"B\"]\r\n[Comment \"vu\"]\r\n", "1.e4", "*"};
    EXPECT_EQ(XmlWriter::gameBlock(p),
              "<GAME>\r\n<Event></Event>\r\n<Site></Site>\r\n<Date></Date>\r\n<Round></Round>\r\n"
              "<White>A</White>\r\n<Black>B</Black>\r\n<WhiteElo></WhiteElo>\r\n"
              "<BlackElo></BlackElo>\r\n<ECO></ECO>\r\n<Opening></Opening>\r\n"
              "<Variation></Variation>\r\n<Move>1.e4 *</Move>\r\n<Comment>vu</Comment>\r\n"
              "</GAME>\r\n");
    EXPECT_EQ(XmlWriter::documentStart("01/05/2024 10:30"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
              "<!-- Quarvelin 0.1.0 - 01/05/2024 10:30-->\r\n<LIST>\r\n");
}

TEST(XmlWriter, TagValuesAlreadyReadAreTakenWhole) {
    XmlGame p{"[WhiteElo \"2400\"]\r\n[White \"Anna\"]\r\n", "1.e4", "*"};
    // From the tag lines, the first "[White" is the Elo's and "]" ends a value.
    p.tags = {{"Event", "Open [rapid]"},
              {"WhiteElo", "2400"},
              {"White", "Anna"},
              {"White", "not the first"},
              {"Comment", "a & b"}};
    const std::string block = XmlWriter::gameBlock(p);
    EXPECT_NE(block.find("<Event>Open [rapid]</Event>\r\n"), std::string::npos) << block;
    EXPECT_NE(block.find("<White>Anna</White>\r\n<Black></Black>\r\n<WhiteElo>2400</WhiteElo>"),
              std::string::npos)
        << block;
    EXPECT_NE(block.find("<Comment>a &amp; b</Comment>"), std::string::npos);
    // Given values stand alone: the tag lines are not looked at for the rest.
    p.tags = {{"Site", "Lyon"}};
    EXPECT_NE(XmlWriter::gameBlock(p).find("<White></White>"), std::string::npos);
}

TEST(XmlWriter, ASavedGameTextSplitsIntoTagsAndMoves) {
    const XmlGame p = XmlWriter::gameFromText(
        "[Event \"Partie\"]\r\n[White \"A\"]\r\n\r\n1.e4 {bien} e5\r\n2.Nf3 1-0\r\n");
    EXPECT_EQ(p.header, "[Event \"Partie\"]\r\n[White \"A\"]\r\n");
    EXPECT_EQ(XmlWriter::moveLine(p), "1.e4 {bien} e5 2.Nf3 1-0");
    EXPECT_EQ(XmlWriter::gameBlock(p).find("<Event>Partie</Event>\r\n"), 8u);
    // A game from a position keeps it, as the PGN tags say it.
    const XmlGame fromPosition = XmlWriter::gameFromText(
        "[SetUp \"1\"]\r\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 30\"]\r\n\r\n30.e4 *\r\n");
    EXPECT_NE(
        XmlWriter::gameBlock(fromPosition)
            .find("<SetUp>1</SetUp>\r\n<FEN>4k3/8/8/8/8/8/4P3/4K3 w - - 0 30</FEN>\r\n<Move>"),
        std::string::npos);
}

class XmlFile : public ::testing::Test {
protected:
    std::filesystem::path folder = test::testFolder("xml-writer");
    test::OffsetCatalogue catalogue;
    std::string path(const char* name) const { return (folder / name).string(); }
    // The one game a document read back gives: the tags of all, the moves of the last.
    static XmlReading reread(const std::string& file) {
        XmlReading parsed = readXmlDocument(test::readText(file));
        EXPECT_TRUE(parsed.readable());
        return parsed;
    }
};

TEST_F(XmlFile, WhatIsWrittenReadsBackWithNamesAccentsAndMarkup) {
    const std::string f = path("parties.xml");
    ASSERT_FALSE(XmlWriter::writeFile(f, {Game1}, XmlWriter::Mode::Replace));
    const std::string content = test::readText(f);
    EXPECT_TRUE(
        content.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<!-- Quarvelin "));
    EXPECT_TRUE(content.ends_with("</GAME>\r\n</LIST>\r\n"));
    const XmlReading parsed = reread(f);
    const std::string& tags = parsed.game.GameText;
    for (const char* tag : {"[Event \"Open & Co\"]\r\n", "[Site \"Saint-Étienne\"]\r\n",
                            "[White \"O'Brien <Sons>\"]\r\n", "[Black \"Zoë \"la\" Müller\"]\r\n"})
        EXPECT_NE(tags.find(tag), std::string::npos) << tag;
    EXPECT_EQ(tags.find("[Opening"), std::string::npos); // empty elements give no tag line
    EXPECT_EQ(parsed.game.GameMoveText, "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0 ");
    EXPECT_EQ(gameResult(parsed.game), "1-0");
}

TEST_F(XmlFile, TwoGamesGiveTheTagsOfBothAndTheMovesOfTheSecond) {
    const std::string f = path("deux.xml");
    const XmlGame second{"[Event \"Blitz\"]\r\n[White \"C\"]\r\n", "1.d4 d5", "0-1"};
    ASSERT_FALSE(XmlWriter::writeFile(f, {Game1, second}, XmlWriter::Mode::Replace));
    const XmlReading parsed = reread(f);
    EXPECT_EQ(test::occurrences(parsed.game.GameText, "[Event "), 2);
    EXPECT_LT(parsed.game.GameText.find("[Event \"Open & Co\"]"),
              parsed.game.GameText.find("[Event \"Blitz\"]"));
    EXPECT_EQ(parsed.game.GameMoveText, "1.d4 d5 0-1 ");
}

// Appended to: nothing there yet, a list of ours, an old Latin-1 list (written on as UTF-8).
TEST_F(XmlFile, AppendingKeepsTheGamesThereAndTheFileStaysOneList) {
    const std::string f = path("suite.xml");
    ASSERT_FALSE(XmlWriter::writeFile(f, {Game1}, XmlWriter::Mode::Append));
    ASSERT_FALSE(
        XmlWriter::writeFile(f, {{"[Event \"Blitz\"]\r\n", "1.c4", "*"}}, XmlWriter::Mode::Append));
    const std::string content = test::readText(f);
    for (const auto& [element, times] : {std::pair{"<GAME>", 2}, {"<LIST>", 1}, {"<?xml", 1}})
        EXPECT_EQ(test::occurrences(content, element), times) << element;
    EXPECT_EQ(reread(f).game.GameMoveText, "1.c4 * ");

    const std::string old = path("ancien.xml");
    test::writeText(old, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<GAME>\r\n"
                         "<White>Ren\xE9</White>\r\n<Move>1.e4 *</Move>\r\n</GAME>\r\n</LIST>\r\n");
    ASSERT_FALSE(XmlWriter::writeFile(old, {{"", "1.d4", "*"}}, XmlWriter::Mode::Append));
    const XmlReading parsed = reread(old);
    EXPECT_NE(parsed.game.GameText.find("[White \"René\"]"), std::string::npos);
    EXPECT_EQ(parsed.game.GameMoveText, "1.d4 * ");
}

// Not a list to append to, a folder that is not there, a write dropped half-way: the old file
// stays as it was and no other is left behind.
TEST_F(XmlFile, AWriteThatCannotEndLeavesTheOldFileWhole) {
    const std::string notes = path("notes.xml"), kept = path("garde.xml");
    test::writeText(notes, "[Event \"x\"]\r\n1.e4 *\r\n");
    const WriteFailure e = XmlWriter::writeFile(notes, {Game1}, XmlWriter::Mode::Append);
    EXPECT_EQ(e.cause, WriteFailure::Cause::NotAList);
    EXPECT_EQ(e.message(catalogue), "<991>");
    EXPECT_EQ(test::readText(notes), "[Event \"x\"]\r\n1.e4 *\r\n");

    const WriteFailure absent =
        XmlWriter::writeFile(path("absent/x.xml"), {Game1}, XmlWriter::Mode::Replace);
    EXPECT_EQ(absent.cause, WriteFailure::Cause::Writing);
    EXPECT_TRUE(absent.message(catalogue).starts_with("<992>"));
    EXPECT_FALSE(absent.detail.empty());

    test::writeText(kept, "ancien");
    {
        XmlWriter w;
        ASSERT_FALSE(w.open(kept, XmlWriter::Mode::Replace));
        w.write(Game1); // dropped before finish(), as when the user cancels a conversion
    }
    EXPECT_EQ(test::readText(kept), "ancien");
    EXPECT_EQ(QDir(QString::fromStdString(folder.string())).entryList(QDir::Files),
              (QStringList{QStringLiteral("garde.xml"), QStringLiteral("notes.xml")}));
}

} // namespace
