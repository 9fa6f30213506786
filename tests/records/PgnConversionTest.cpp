// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PgnConversion.h"

#include "localisation/Catalogue.h"
#include "records/AddressList.h"
#include "records/PgnIndex.h"
#include "records/PgnReader.h"
#include "session/CancelToken.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"

#include <QUrl>

#include "support/Peers.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

const std::string Varied = std::string(QUARVELIN_TEST_DATA) + "/varied.pgn";
const test::OffsetCatalogue Offsets;

std::set<std::string> content(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename());
    return names;
}

// The text of every element `name` of an XML document, in order.
std::vector<std::string> elements(const std::string& xml, const std::string& name) {
    std::vector<std::string> values;
    const std::string beginning = "<" + name + ">", end = "</" + name + ">";
    for (auto i = xml.find(beginning); i != std::string::npos; i = xml.find(beginning, i + 1))
        values.push_back(xml.substr(i + beginning.size(), xml.find(end, i) - i - beginning.size()));
    return values;
}

PgnIndex indexOf(const std::string& path) {
    GameFilter all;
    all.maximum = 1 << 20;
    return PgnIndex::indexFile(path, all).value_or(PgnIndex{});
}

std::vector<std::string> pgnEvents(const std::string& path) {
    const PgnIndex index = indexOf(path);
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < index.size(); ++i)
        seen.emplace_back(index.value(i, PgnIndex::Event));
    return seen;
}

TEST(PgnConversion, WritesTheGamesThatPassTheFilterWhateverItsMaximum) {
    struct Case {
        std::string GameFilter::*field;
        const char* criterion;
        bool either;
        std::vector<std::string> events;
    };
    using F = GameFilter;
    const Case cases[] = {
        {&F::white,
         "",
         false,
         {"Paris opera", "Club game", "Promotions", "Black side", "Black to move first",
          "No result, next game follows", "Windows lines"}},
        {&F::result, "1-0", false, {"Paris opera", "Windows lines"}},
        {&F::white, "allies", false, {}},
        {&F::white, "allies", true, {"Paris opera"}},
        {&F::black, "łukasz", false, {"Club game"}},
    };
    const fs::path folder = test::testFolder("conversion");
    for (const Case& c : cases) {
        for (ConversionFormat format : {ConversionFormat::Xml, ConversionFormat::Pgn}) {
            const bool xml = format == ConversionFormat::Xml;
            SCOPED_TRACE(std::string(c.criterion) + (xml ? " xml" : " pgn"));
            GameFilter filter;
            filter.*c.field = c.criterion;
            filter.either = c.either;
            filter.maximum = 1; // a listing's limit; a conversion writes every game
            const std::string target = (folder / (xml ? "out.xml" : "out.pgn")).string();
            std::vector<std::array<std::int64_t, 3>> steps;
            const ConversionResult r = convertir_fichier_pgn(
                Varied, target, filter, {format}, [&](int p, std::int64_t a, std::int64_t v) {
                    steps.push_back({p, a, v});
                });
            const auto n = static_cast<std::int64_t>(c.events.size());
            EXPECT_EQ(conversionMessage(r, Offsets), "<268>" + std::to_string(n) + "<269>7");
            EXPECT_EQ(xml ? elements(readText(target), "Event") : pgnEvents(target), c.events);
            // The progress only goes forward and ends with the whole file's counts.
            ASSERT_FALSE(steps.empty());
            for (std::size_t k = 1; k < steps.size(); ++k) EXPECT_GT(steps[k][0], steps[k - 1][0]);
            EXPECT_EQ(steps.back(), (std::array<std::int64_t, 3>{100, n, 7}));
        }
    }
}

TEST(PgnConversion, APgnCopyReadsBackAsTheSameGames) {
    const std::string target = (test::testFolder("conversion") / "copie.pgn").string();
    ASSERT_TRUE(convertir_fichier_pgn(Varied, target, {}, {ConversionFormat::Pgn}).success());
    const PgnIndex source = indexOf(Varied), copy = indexOf(target);
    ASSERT_EQ(copy.size(), 7u);
    std::ifstream in(Varied, std::ios::binary), reread(target, std::ios::binary);
    for (std::size_t i = 0; i < source.size(); ++i) {
        for (int c = 0; c < PgnIndex::FieldCountValue; ++c)
            EXPECT_EQ(copy.value(i, static_cast<PgnIndex::Field>(c)),
                      source.value(i, static_cast<PgnIndex::Field>(c)));
        const ParsedGame a = readPgnGame(in, source.position(i));
        const ParsedGame b = readPgnGame(reread, copy.position(i));
        EXPECT_EQ(b.GameText, a.GameText);
        EXPECT_EQ(b.GameMoveText, a.GameMoveText);
        EXPECT_EQ(b.GameResult, a.GameResult);
        EXPECT_EQ(b.comments, a.comments);
        ASSERT_EQ(b.variations.size(), a.variations.size());
        for (std::size_t v = 0; v < a.variations.size(); ++v)
            EXPECT_EQ(b.variations[v].text, a.variations[v].text);
    }
    // The remark before the first game is no game's.
    EXPECT_TRUE(readText(target).starts_with("[Event \"Paris opera\"]\r\n"));
}

TEST(PgnConversion, AGameCopyKeepsTheLinesAndSetsTheLayout) {
    const struct {
        std::string text, expected;
    } cases[] = {
        // No empty line after the tags.
        {"[Event \"a\"]\n1. e4 *", "[Event \"a\"]\r\n\r\n1. e4 *\r\n\r\n"},
        {"  [Event \"a\"]  \r\n\t[Result \"*\"]\r\n\r\n\r\n  1. e4 {a\r\n\r\n   b} e5 \r\n"
         "\t\r\n2. Nf3 *\r\n",
         "[Event \"a\"]\r\n[Result \"*\"]\r\n\r\n1. e4 {a\r\nb} e5\r\n2. Nf3 *\r\n\r\n"},
        // A tag after an empty line is in the moves.
        {"[Event \"a\"]\n\n[Site \"b\"]\n", "[Event \"a\"]\r\n\r\n[Site \"b\"]\r\n\r\n"},
        // An event tag without value still starts a game, so the copy stays one game that
        // starts at its first line.
        {"[Event \n[Event \"b\"]\n\n1. e4 *\n", "[Event \r\n[Event \"b\"]\r\n\r\n1. e4 *\r\n\r\n"},
        // A carriage return at a line's start is no blank a game start may follow.
        {"[Event \"a\"]\n\r[Event \"b\"]\n", "[Event \"a\"]\r\n\r\n\r[Event \"b\"]\r\n\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(copyPgnGame(c.text), c.expected) << c.text;
}

TEST(PgnConversion, PgnExtractReadsTheCopyAsItReadsTheSource) {
    constexpr const char* PgnExtract = "/usr/games/pgn-extract";
    if (!std::ifstream(PgnExtract)) GTEST_SKIP() << "pgn-extract is not installed";
    const fs::path folder = test::testFolder("conversion");
    const std::string source = (folder / "desordre.pgn").string();
    // Games the way files out there write them: indents, comments over lines, CR LF, no
    // empty line after the tags, no line end at the end.
    writeText(source,
              "% exported by hand\n   [Event \"Indented\"]\n[White \"Durand, Anne\"]\n"
              "[Result \"1/2-1/2\"]\n\n1. e4 {a comment\n   over two lines} c5\n"
              "     2. Nf3 (2. c3 d5 3. exd5 Qxd5 {the Alapin}) 2... d6\n"
              "\t3. d4 cxd4 $1 4. Nxd4 Nf6 1/2-1/2\n\n"
              "[Event \"From a position\"]\r\n[White \"Petit\"]\r\n[Black \"Durand, Anne\"]\r\n"
              "[Result \"0-1\"]\r\n[SetUp \"1\"]\r\n"
              "[FEN \"r3k3/8/8/8/1p6/8/P7/4K3 w q - 0 30\"]\r\n\r\n"
              "30. a4 bxa3 31. Kd2 O-O-O+ 32. Ke2 a2 33. Kf3 a1=Q 0-1\r\n\r\n"
              "[Event \"Last\"]\n[Black \"Durand, Anne\"]\n[Result \"1-0\"]\n"
              "1.d4 d5 2.c4 {\tQueen's gambit} dxc4 1-0");
    auto notice = [&](const std::string& f) {
        return exitOf(std::string(PgnExtract) + " -s -r '" + f + "' 2>&1");
    };
    ASSERT_EQ(notice(source), "");
    const std::string target = (folder / "copie.pgn").string();
    for (const char* black : {"", "durand"}) {
        GameFilter f;
        f.black = black;
        ASSERT_TRUE(convertir_fichier_pgn(source, target, f, {ConversionFormat::Pgn}).success());
        EXPECT_EQ(notice(target), "");
        EXPECT_EQ(pgnEvents(target).size(), *black ? 2u : 3u);
    }
}

TEST(PgnConversion, BrokenGamesAreWrittenAsReadAndTold) {
    Catalogue english;
    english.appliquer_langue(2);
    const fs::path folder = test::testFolder("conversion");
    const std::string broken = std::string(QUARVELIN_TEST_DATA) + "/broken.pgn";
    const std::string xml = (folder / "broken.xml").string();
    const ConversionResult r = convertir_fichier_pgn(broken, xml, {});
    EXPECT_EQ(conversionMessage(r, english),
              "Conversion finished. Games written: 5\nGames read: 5\n"
              "Games written with a reading error: 3\n"
              "Game 2: Move 2 cannot be read or played: Ke3\n"
              "Game 3: Move 2 cannot be read or played: Zz9\n"
              "Game 4: Start position [FEN] rejected: 8/8/8/8/8/8/8/8 w - - 0 1");
    // As far as it was read: the move that fails is in the record.
    EXPECT_EQ(elements(readText(xml), "Move").at(1), "1.e4 e5 2.Ke3 Nc6 *");
    // A PGN copy takes them as written.
    const std::string pgn = (folder / "broken.pgn").string();
    EXPECT_TRUE(convertir_fichier_pgn(broken, pgn, {}, {ConversionFormat::Pgn}).problems.empty());
    EXPECT_EQ(pgnEvents(pgn).size(), 5u);

    // An unclosed comment ends with its game; a value holding "]" is written whole.
    writeText(folder / "ouvert.pgn",
              "[Event \"Open [rapid]\"]\n\n1. e4 {never closed\n\n[Event \"b\"]\n\n1. d4 d5 *\n");
    const ConversionResult o = convertir_fichier_pgn((folder / "ouvert.pgn").string(), xml, {});
    ASSERT_EQ(o.problems.size(), 1u);
    EXPECT_EQ(o.problems[0].error, GameReadProblem::NotClosedAtEnd);
    const std::string document = readText(xml);
    EXPECT_EQ(elements(document, "Move"), (std::vector<std::string>{"1.e4 *", "1.d4 d5 *"}));
    EXPECT_EQ(elements(document, "Event"), (std::vector<std::string>{"Open [rapid]", "b"}));

    // Past ten, the problems are only counted.
    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += "[Event \"x\"]\n\n1. Ke5 *\n\n";
    writeText(folder / "douze.pgn", twelve);
    const std::string m =
        conversionMessage(convertir_fichier_pgn((folder / "douze.pgn").string(), xml, {}), english);
    EXPECT_NE(m.find("\nGame 10: Move 1 cannot be read or played: Ke5\n… and 2 more."),
              std::string::npos)
        << m;
}

TEST(PgnConversion, CancellingLeavesTheFilesAsTheyWere) {
    const fs::path top = test::testFolder("conversion");
    // More than one block of the scan, so it can be stopped before its end.
    const std::string large = (top / "grand.pgn").string();
    std::string text;
    while (text.size() < (3u << 20)) text += readText(Varied);
    writeText(large, text);
    const struct {
        const char* name;
        ConversionOptions options;
        const char* target;
        bool duringScan; // else once the first game is written
    } cases[] = {{"xml", {ConversionFormat::Xml, false, true}, "out.xml", false},
                 {"xml_each_game", {ConversionFormat::Xml, true, true}, "out.xml", false},
                 {"pgn", {ConversionFormat::Pgn}, "out.pgn", false},
                 {"pgn_scan", {ConversionFormat::Pgn}, "out.pgn", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = top / c.name;
        fs::create_directory(folder);
        const std::string target = (folder / c.target).string();
        const std::vector<std::string> old = {target, gameFileName(target, 1),
                                              addressFileName(target)};
        for (const std::string& f : old) writeText(f, "ancien " + f);
        const std::set<std::string> before = content(folder);

        int calls = 0;
        quarvelin::CancelToken cancel;
        const ConversionResult r = convertir_fichier_pgn(
            c.duringScan ? large : Varied, target, {}, c.options,
            [&](int, std::int64_t, std::int64_t) {
                if (c.duringScan || ++calls == 2) cancel.cancel();
            },
            &cancel);
        EXPECT_TRUE(r.cancelled);
        EXPECT_EQ(r.writtenCount, 0);
        EXPECT_EQ(conversionMessage(r, Offsets), "<887>");
        for (const std::string& f : old) EXPECT_EQ(readText(f), "ancien " + f);
        EXPECT_EQ(content(folder), before); // no temporary file left behind
        // The next conversion starts afresh.
        EXPECT_TRUE(convertir_fichier_pgn(Varied, target, {}, c.options).success());
    }
}

// What cannot be read or written leaves the folder as it was, the list of addresses too.
TEST(PgnConversion, AMissingSourceOrFolderWritesNothing) {
    const fs::path folder = test::testFolder("conversion");
    const std::string old = (folder / "out.xml").string();
    writeText(old, "ancien");
    fs::create_directory(folder / "out.txt");
    for (const std::string& source : {std::string("/nonexistent/games.pgn"), folder.string()}) {
        const ConversionResult r = convertir_fichier_pgn(source, old, {});
        EXPECT_EQ(conversionMessage(r, Offsets), "<270> (" + source + ")");
    }
    const std::string target = (folder / "absent" / "out.xml").string();
    const std::string pgn = (folder / "absent" / "out.pgn").string();
    const std::string list = (folder / "out.txt").string();
    const struct {
        ConversionOptions options;
        std::string target, failed;
    } cases[] = {{{ConversionFormat::Xml}, target, target},
                 {{ConversionFormat::Xml, true, true}, target, gameFileName(target, 1)},
                 {{ConversionFormat::Pgn}, pgn, pgn},
                 // The address file is a folder.
                 {{ConversionFormat::Xml, false, true}, old, list},
                 {{ConversionFormat::Xml, true, true}, old, list}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        const ConversionResult r = convertir_fichier_pgn(Varied, c.target, {}, c.options);
        EXPECT_EQ(r.error, ConversionResult::Error::Writing);
        const std::string m = conversionMessage(r, Offsets);
        EXPECT_TRUE(m.starts_with("<992>" + c.failed + " : ")) << m;
        EXPECT_EQ(readText(old), "ancien");
        EXPECT_EQ(content(folder), (std::set<std::string>{"out.xml", "out.txt"}));
    }
}

TEST(PgnConversion, EachGameInItsOwnFileWithTheirAddresses) {
    const fs::path folder = test::testFolder("conversion");
    GameFilter gains;
    gains.result = "1-0";
    const ConversionResult r = convertir_fichier_pgn(Varied, (folder / "une partie.xml").string(),
                                                     gains, {ConversionFormat::Xml, true, true});
    const std::string txt = (folder / "une partie.txt").string();
    EXPECT_TRUE(conversionMessage(r, Offsets).ends_with("<888>" + txt));
    EXPECT_EQ(content(folder), (std::set<std::string>{"une partie_0001.xml", "une partie_0002.xml",
                                                      "une partie.txt"}));
    std::vector<std::string> addresses;
    ASSERT_TRUE(readAddressList(txt, addresses));
    ASSERT_EQ(addresses.size(), 2u);
    const char* events[] = {"Paris opera", "Windows lines"};
    for (std::size_t i = 0; i < 2; ++i) {
        // Encoded: a name with a space is still one address.
        EXPECT_EQ(addresses[i], "file://" + folder.string() + "/une%20partie_000" +
                                    std::to_string(i + 1) + ".xml");
        const std::string file =
            QUrl(QString::fromStdString(addresses[i])).toLocalFile().toStdString();
        EXPECT_EQ(elements(readText(file), "Event"), std::vector<std::string>{events[i]});
    }
}

TEST(PgnConversion, NamesOfTheFilesWritten) {
    struct Case {
        std::string target;
        std::int64_t number;
        std::string game, addresses;
        std::optional<ConversionFormat> format;
    };
    const Case cases[] = {
        {"/d/parties.xml", 1, "/d/parties_0001.xml", "/d/parties.txt", ConversionFormat::Xml},
        {"/d/a.b.XML", 12345, "/d/a.b_12345.XML", "/d/a.b.txt", ConversionFormat::Xml},
        {"p.Pgn", 7, "p_0007.Pgn", "p.txt", ConversionFormat::Pgn},
        {"/d.xml/parties", 7, "/d.xml/parties_0007", "/d.xml/parties.txt", std::nullopt},
        {"/d/.xml", 2, "/d/.xml_0002", "/d/.xml.txt", std::nullopt},
        {"/d/liste.txt", 3, "/d/liste_0003.txt", "/d/liste.txt.txt", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gameFileName(c.target, c.number), c.game);
        EXPECT_EQ(addressFileName(c.target), c.addresses);
        EXPECT_EQ(targetFormat(c.target), c.format) << c.target;
    }
}

} // namespace
