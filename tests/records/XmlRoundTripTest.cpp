// SPDX-License-Identifier: GPL-3.0-or-later
// Games converted to XML and fetched back as the remote-game window fetches them keep their
// moves and the tags an XML record holds.
#include "notation/Fen.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "records/AddressList.h"
#include "records/PgnConversion.h"
#include "records/TagValue.h"
#include "records/XmlLoader.h"
#include "rules/Move.h"
#include "rules/MoveRules.h"
#include "support/LocalHttpServer.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"
#include "support/XmlLoaderFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

constexpr const char* TagElements[] = {"Event", "Site",    "Date",     "Round",
                                       "White", "Black",   "WhiteElo", "BlackElo",
                                       "ECO",   "Opening", "Variation"};

// The main line in SAN as the rules write it, whatever the file's way of writing the moves.
std::vector<std::string> sanMoves(const PgnGame& pgnGame) {
    std::vector<std::string> uci;
    const Replay r = replay(pgnGame, NotationCode::Pgn, Colour::White, &uci);
    EXPECT_TRUE(r.ok) << r.errorNumber << " " << r.errorToken;
    const std::string* fen = pgnGame.tag("FEN");
    Position p = fen ? readFen(*fen, Colour::White).value() : Position::initial(Colour::White);
    std::vector<std::string> written;
    for (const std::string& u : uci) {
        std::optional<Move> played;
        for (const Move& c : legalMoves(p))
            if (uciMove(p, c) == u) played = c;
        if (!played) {
            ADD_FAILURE() << "no legal move " << u;
            break;
        }
        written.push_back(san(p, *played));
        playMove(p, *played);
    }
    return written;
}

std::string value(const std::string& lines, const std::string& name) {
    return valeur_etiquette("[" + name, lines);
}

// Runs of blanks as one space, as the XML reader gives every value.
std::string simplified(const std::string& text) {
    return QString::fromStdString(text).simplified().toStdString();
}

class RoundTripXml : public test::XmlLoaderFixture {
protected:
    // The games of varied.pgn, each converted to an XML file of its own.
    ConversionResult convert(bool addresses = false) {
        folder = test::testFolder("allerretour");
        return convertir_fichier_pgn((fs::path(QUARVELIN_TEST_DATA) / "varied.pgn").string(),
                                     (folder / "parties.xml").string(), {},
                                     {ConversionFormat::Xml, true, addresses});
    }

    fs::path folder;
};

TEST_F(RoundTripXml, ServedGamesComeBackWithTheirMovesAndTags) {
    const ConversionResult conversion = convert();
    ASSERT_TRUE(conversion.success());
    std::ifstream in(std::string(QUARVELIN_TEST_DATA) + "/varied.pgn", std::ios::binary);
    PgnStream flux(in);
    PgnGame pgnGame;
    std::vector<PgnGame> gameList;
    while (flux.next(pgnGame)) gameList.push_back(pgnGame);
    ASSERT_EQ(gameList.size(), conversion.files.size());

    ASSERT_EQ(gameList.size(), 7u); // three of them from a position
    test::LocalHttpServer server;
    for (std::size_t i = 0; i < gameList.size(); ++i) {
        const PgnGame& source = gameList[i];
        const std::string path = "/partie" + std::to_string(i + 1) + ".xml";
        server.serve(path, {200, "OK", test::readText(conversion.files[i])});
        const LoadResult r = wait(server.address(path));
        ASSERT_TRUE(r.succeeded()) << r.address;
        const std::string* event = source.tag("Event");
        SCOPED_TRACE(event ? *event : "");

        // Replayed from the start position the record gives.
        const std::string* fen = source.tag("FEN");
        EXPECT_EQ(r.game.FenDepart, fen ? *fen : "");
        const std::string start =
            r.game.FenDepart.empty() ? "" : "[FEN \"" + r.game.FenDepart + "\"]\n";
        std::istringstream moves(start + "[Event \"x\"]\n\n" + r.game.GameMoveText + "\n");
        PgnStream reread(moves);
        PgnGame back;
        ASSERT_TRUE(reread.next(back));
        const std::vector<std::string> expectedList = sanMoves(source);
        EXPECT_FALSE(expectedList.empty());
        EXPECT_EQ(sanMoves(back), expectedList);

        for (const char* name : TagElements) {
            const std::string* v = source.tag(name);
            EXPECT_EQ(value(r.game.GameText, name), v ? simplified(*v) : "") << name;
        }
        const std::string* result = source.tag("Result");
        EXPECT_EQ(r.result, !source.result.empty() ? source.result : result ? *result : "*");
    }
}

TEST_F(RoundTripXml, AConvertedGameLoadsThroughItsFileAddress) {
    const ConversionResult conversion = convert(true);
    ASSERT_TRUE(conversion.success());
    std::vector<std::string> addresses;
    ASSERT_TRUE(readAddressList(conversion.addressFile, addresses));
    ASSERT_EQ(addresses.size(), 7u);
    const LoadResult r = wait(addresses[0]);
    ASSERT_TRUE(r.succeeded()) << r.message(test::OffsetCatalogue{});
    EXPECT_EQ(r.address, addresses[0]);
    EXPECT_EQ(value(r.game.GameText, "Event"), "Paris opera");
    EXPECT_EQ(value(r.game.GameText, "White"), "Morphy, Paul");
    EXPECT_TRUE(r.game.GameMoveText.starts_with("1.e4 e5 2.Nf3 d6 3.d4 Bg4 4.dxe5"))
        << r.game.GameMoveText;
    EXPECT_EQ(r.result, "1-0");
}

} // namespace
