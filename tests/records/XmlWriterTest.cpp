// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlWriter.h"
#include "records/XmlReading.h"
#include "support/TestDoubles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

std::string read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

void writeRaw(const QString& path, const std::string& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

int count(const std::string& text, const std::string& pattern) {
    int n = 0;
    for (auto i = text.find(pattern); i != std::string::npos; i = text.find(pattern, i + 1)) ++n;
    return n;
}

const XmlGame Game1{
    "[Event \"Open & Co\"]\r\n[Site \"Saint-Étienne\"]\r\n[Date \"2024.05.01\"]\r\n"
    "[Round \"3\"]\r\n[White \"O'Brien <Sons>\"]\r\n[Black \"Zoë \"la\" Müller\"]\r\n"
    "[Result \"1-0\"]\r\n[ECO \"C20\"]\r\n",
    "1.e4 e5 2.Qh5 Nc6\r\n3.Bc4 Nf6 4.Qxf7#", "1-0"};

struct EscapeCase {
    std::string entry;
    std::string expected;
};

class Escaping : public testing::TestWithParam<EscapeCase> {};

TEST_P(Escaping, LeavesOnlyTextThatReadsBack) {
    EXPECT_EQ(XmlWriter::escape(GetParam().entry), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Case, Escaping,
                         testing::Values(EscapeCase{"Smith & Wesson", "Smith &amp; Wesson"},
                                         EscapeCase{"<b>1-0</b>", "&lt;b&gt;1-0&lt;/b&gt;"},
                                         EscapeCase{"l'\"As\"", "l&apos;&quot;As&quot;"},
                                         EscapeCase{"Müller, Zoë", "Müller, Zoë"},
                                         EscapeCase{"a\r\nb", "a  b"},
                                         EscapeCase{std::string("a\x01\x1f\tb"), "a\tb"},
                                         EscapeCase{"\xEF\xBF\xBEx", "x"},
                                         // Not UTF-8: read as Windows-1252, written as UTF-8.
                                         EscapeCase{"Caf\xE9", "Café"}));

struct MovesCase {
    XmlGame game;
    std::string expected;
};

class MoveLine : public testing::TestWithParam<MovesCase> {};

TEST_P(MoveLine, JoinsTheLinesAndEndsWithTheResult) {
    EXPECT_EQ(XmlWriter::moveLine(GetParam().game), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Case, MoveLine,
    testing::Values(MovesCase{{"", "1.e4 e5\r\n  2.Nf3 Nc6 \r\n3.Bb5\n", "*"},
                              "1.e4 e5 2.Nf3 Nc6 3.Bb5 *"},
                    MovesCase{{"", "1.e4 e5 2.Nf3 1/2-1/2", "1/2-1/2"}, "1.e4 e5 2.Nf3 1/2-1/2"},
                    MovesCase{{"", "1.d4 d5 ", "0-1"}, "1.d4 d5 0-1"},
                    MovesCase{{"", "1.d4 d5 11-0", "1-0"}, "1.d4 d5 11-0 1-0"},
                    MovesCase{{"", "", "*"}, "*"}, MovesCase{{"", "1.e4", ""}, "1.e4"}));

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

TEST(XmlWriter, WhatIsWrittenReadsBackWithNamesAccentsAndMarkup) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("parties.xml"));
    ASSERT_FALSE(XmlWriter::writeFile(path.toStdString(), {Game1}, XmlWriter::Mode::Replace));
    const std::string content = read(path);
    EXPECT_TRUE(
        content.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<!-- Quarvelin "));
    EXPECT_TRUE(content.ends_with("</GAME>\r\n</LIST>\r\n"));

    const XmlReading parsed = readXmlDocument(content);
    ASSERT_TRUE(parsed.readable());
    const std::string& tags = parsed.game.GameText;
    EXPECT_NE(tags.find("[Event \"Open & Co\"]\r\n"), std::string::npos);
    EXPECT_NE(tags.find("[Site \"Saint-Étienne\"]\r\n"), std::string::npos);
    EXPECT_NE(tags.find("[White \"O'Brien <Sons>\"]\r\n"), std::string::npos);
    EXPECT_NE(tags.find("[Black \"Zoë \"la\" Müller\"]\r\n"), std::string::npos);
    // Empty elements give no tag line.
    EXPECT_EQ(tags.find("[Opening"), std::string::npos);
    EXPECT_EQ(parsed.game.GameMoveText, "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0 ");
    EXPECT_EQ(gameResult(parsed.game), "1-0");
}

TEST(XmlWriter, TwoGamesGiveTheTagsOfBothAndTheMovesOfTheSecond) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deux.xml"));
    const XmlGame second{"[Event \"Blitz\"]\r\n[White \"C\"]\r\n", "1.d4 d5", "0-1"};
    ASSERT_FALSE(
        XmlWriter::writeFile(path.toStdString(), {Game1, second}, XmlWriter::Mode::Replace));
    const XmlReading parsed = readXmlDocument(read(path));
    ASSERT_TRUE(parsed.readable());
    EXPECT_EQ(count(parsed.game.GameText, "[Event "), 2);
    EXPECT_LT(parsed.game.GameText.find("[Event \"Open & Co\"]"),
              parsed.game.GameText.find("[Event \"Blitz\"]"));
    EXPECT_EQ(parsed.game.GameMoveText, "1.d4 d5 0-1 ");
}

TEST(XmlWriter, AppendingKeepsTheGamesThereAndTheFileStaysOneList) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("suite.xml")).toStdString();
    ASSERT_FALSE(XmlWriter::writeFile(path, {Game1}, XmlWriter::Mode::Append));
    const XmlGame second{"[Event \"Blitz\"]\r\n", "1.c4", "*"};
    ASSERT_FALSE(XmlWriter::writeFile(path, {second}, XmlWriter::Mode::Append));
    const std::string content = read(QString::fromStdString(path));
    EXPECT_EQ(count(content, "<GAME>"), 2);
    EXPECT_EQ(count(content, "<LIST>"), 1);
    EXPECT_EQ(count(content, "<?xml"), 1);
    const XmlReading parsed = readXmlDocument(content);
    ASSERT_TRUE(parsed.readable());
    EXPECT_EQ(parsed.game.GameMoveText, "1.c4 * ");
}

TEST(XmlWriter, AnOldLatin1ListIsAppendedToAsUtf8) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ancien.xml"));
    writeRaw(path, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<GAME>\r\n"
                   "<White>Ren\xE9</White>\r\n<Move>1.e4 *</Move>\r\n</GAME>\r\n</LIST>\r\n");
    ASSERT_FALSE(
        XmlWriter::writeFile(path.toStdString(), {{"", "1.d4", "*"}}, XmlWriter::Mode::Append));
    const XmlReading parsed = readXmlDocument(read(path));
    ASSERT_TRUE(parsed.readable());
    EXPECT_NE(parsed.game.GameText.find("[White \"René\"]"), std::string::npos);
    EXPECT_EQ(parsed.game.GameMoveText, "1.d4 * ");
}

TEST(XmlWriter, RefusesToAppendToAFileThatIsNotAListAndLeavesItAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notes.xml"));
    writeRaw(path, "[Event \"x\"]\r\n1.e4 *\r\n");
    test::OffsetCatalogue catalogue;
    const WriteFailure e =
        XmlWriter::writeFile(path.toStdString(), {Game1}, XmlWriter::Mode::Append);
    EXPECT_EQ(e.cause, WriteFailure::Cause::NotAList);
    EXPECT_EQ(e.message(catalogue), "<991>");
    EXPECT_EQ(read(path), "[Event \"x\"]\r\n1.e4 *\r\n");
}

TEST(XmlWriter, AnInterruptedWriteLeavesTheOldFileWhole) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("garde.xml"));
    writeRaw(path, "ancien");
    {
        XmlWriter e;
        ASSERT_FALSE(e.open(path.toStdString(), XmlWriter::Mode::Replace));
        e.write(Game1);
        // Dropped before finish(), as when the user cancels a conversion.
    }
    EXPECT_EQ(read(path), "ancien");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("garde.xml")});
}

TEST(XmlWriter, AFileThatCannotBeWrittenIsReported) {
    QTemporaryDir folder;
    test::OffsetCatalogue catalogue;
    const std::string path = folder.filePath(QStringLiteral("absent/x.xml")).toStdString();
    const WriteFailure e = XmlWriter::writeFile(path, {Game1}, XmlWriter::Mode::Replace);
    EXPECT_EQ(e.cause, WriteFailure::Cause::Writing);
    EXPECT_TRUE(e.message(catalogue).starts_with("<992>"));
    EXPECT_FALSE(e.detail.empty());
}

} // namespace
