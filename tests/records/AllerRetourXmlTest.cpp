// Games converted to XML and fetched back as the remote-game window fetches them keep their
// moves and the tags an XML record holds.
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "notation/Replay.h"
#include "records/ChargementXml.h"
#include "records/ConversionPgn.h"
#include "records/ListeAdresses.h"
#include "records/ValeurEtiquette.h"
#include "rules/Move.h"
#include "rules/MoveRules.h"
#include "support/AttenteChargement.h"
#include "support/DossierDeTest.h"
#include "support/ServeurHttpLocal.h"
#include "support/TestDoubles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

constexpr const char* ElementsEtiquettes[] = {"Event", "Site",    "Date",     "Round",
                                              "White", "Black",   "WhiteElo", "BlackElo",
                                              "ECO",   "Opening", "Variation"};

std::string lire(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The main line in SAN as the rules write it, whatever the file's way of writing the moves.
std::vector<std::string> coups_san(const PgnGame& jeu) {
    std::vector<std::string> uci;
    const Replay r = replay(jeu, NotationCode::Pgn, Colour::White, &uci);
    EXPECT_TRUE(r.ok) << r.errorNumber << " " << r.errorToken;
    Position p = Position::initial(Colour::White);
    std::vector<std::string> ecrits;
    for (const std::string& u : uci) {
        std::optional<Move> played;
        for (const Move& c : legalMoves(p))
            if (uciMove(p, c) == u) played = c;
        if (!played) {
            ADD_FAILURE() << "no legal move " << u;
            break;
        }
        ecrits.push_back(san(p, *played));
        playMove(p, *played);
    }
    return ecrits;
}

std::string value(const std::string& lines, const std::string& name) {
    return valeur_etiquette("[" + name, lines);
}

// Runs of blanks as one space, as the XML reader gives every value.
std::string simplifie(const std::string& text) {
    return QString::fromStdString(text).simplified().toStdString();
}

class AllerRetourXml : public test::TestChargementXml {
protected:
    // The games of varied.pgn, each converted to an XML file of its own.
    ResultatConversion convertir(bool adresses = false) {
        folder = test::dossier_de_test("allerretour");
        return convertir_fichier_pgn(std::string(QUARVELIN_TEST_DATA) + "/varied.pgn",
                                     (folder / "parties.xml").string(), {},
                                     {FormatConversion::Xml, true, adresses});
    }

    fs::path folder;
};

TEST_F(AllerRetourXml, ServedGamesComeBackWithTheirMovesAndTags) {
    const ResultatConversion conversion = convertir();
    ASSERT_TRUE(conversion.reussie());
    std::ifstream in(std::string(QUARVELIN_TEST_DATA) + "/varied.pgn", std::ios::binary);
    PgnStream flux(in);
    PgnGame jeu;
    std::vector<PgnGame> jeux;
    while (flux.next(jeu)) jeux.push_back(jeu);
    ASSERT_EQ(jeux.size(), conversion.fichiers.size());

    test::ServeurHttpLocal serveur;
    int essayees = 0;
    for (std::size_t i = 0; i < jeux.size(); ++i) {
        const PgnGame& source = jeux[i];
        if (source.tag("FEN")) continue; // the XML record has no start position
        ++essayees;
        const std::string path = "/partie" + std::to_string(i + 1) + ".xml";
        serveur.servir(path, {200, "OK", lire(conversion.fichiers[i])});
        const ResultatChargement r = attendre(serveur.adresse(path));
        ASSERT_TRUE(r.reussi()) << r.adresse;
        const std::string* evenement = source.tag("Event");
        SCOPED_TRACE(evenement ? *evenement : "");

        std::istringstream moves("[Event \"x\"]\n\n" + r.partie.GameMoveText + "\n");
        PgnStream relu(moves);
        PgnGame retour;
        ASSERT_TRUE(relu.next(retour));
        const std::vector<std::string> attendus = coups_san(source);
        EXPECT_FALSE(attendus.empty());
        EXPECT_EQ(coups_san(retour), attendus);

        for (const char* name : ElementsEtiquettes) {
            const std::string* v = source.tag(name);
            EXPECT_EQ(value(r.partie.GameText, name), v ? simplifie(*v) : "") << name;
        }
        const std::string* result = source.tag("Result");
        EXPECT_EQ(r.result, !source.result.empty() ? source.result : result ? *result : "*");
    }
    EXPECT_EQ(essayees, 4);
}

TEST_F(AllerRetourXml, AConvertedGameLoadsThroughItsFileAddress) {
    const ResultatConversion conversion = convertir(true);
    ASSERT_TRUE(conversion.reussie());
    std::vector<std::string> adresses;
    ASSERT_TRUE(lire_liste_adresses(conversion.fichierAdresses, adresses));
    ASSERT_EQ(adresses.size(), 7u);
    const ResultatChargement r = attendre(adresses[0]);
    ASSERT_TRUE(r.reussi()) << r.message(test::OffsetCatalogue{});
    EXPECT_EQ(r.adresse, adresses[0]);
    EXPECT_EQ(value(r.partie.GameText, "Event"), "Paris opera");
    EXPECT_EQ(value(r.partie.GameText, "White"), "Morphy, Paul");
    EXPECT_TRUE(r.partie.GameMoveText.starts_with("1.e4 e5 2.Nf3 d6 3.d4 Bg4 4.dxe5"))
        << r.partie.GameMoveText;
    EXPECT_EQ(r.result, "1-0");
}

} // namespace
