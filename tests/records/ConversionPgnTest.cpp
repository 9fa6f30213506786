#include "records/ConversionPgn.h"

#include "localisation/Catalogue.h"
#include "records/IndexPgn.h"
#include "records/LecteurPgn.h"
#include "records/ListeAdresses.h"
#include "session/Annulation.h"
#include "support/DossierDeTest.h"
#include "support/TestDoubles.h"

#include <QUrl>

#include "support/Peers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

using namespace quarvelin;
using namespace quarvelin::test;
namespace fs = std::filesystem;

namespace {

const std::string Varied = std::string(QUARVELIN_TEST_DATA) + "/varied.pgn";
const test::OffsetCatalogue Offsets;

std::string lire(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void ecrire(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::set<std::string> content(const fs::path& folder) {
    std::set<std::string> noms;
    for (const auto& e : fs::directory_iterator(folder)) noms.insert(e.path().filename());
    return noms;
}

// The text of every element `nom` of an XML document, in order.
std::vector<std::string> elements(const std::string& xml, const std::string& name) {
    std::vector<std::string> valeurs;
    const std::string debut = "<" + name + ">", end = "</" + name + ">";
    for (auto i = xml.find(debut); i != std::string::npos; i = xml.find(debut, i + 1))
        valeurs.push_back(xml.substr(i + debut.size(), xml.find(end, i) - i - debut.size()));
    return valeurs;
}

IndexPgn index_de(const std::string& path) {
    FiltreParties tout;
    tout.maximum = 1 << 20;
    return IndexPgn::indexer_fichier(path, tout).value_or(IndexPgn{});
}

std::vector<std::string> evenements_pgn(const std::string& path) {
    const IndexPgn index = index_de(path);
    std::vector<std::string> vus;
    for (std::size_t i = 0; i < index.size(); ++i)
        vus.emplace_back(index.value(i, IndexPgn::Event));
    return vus;
}

TEST(ConversionPgn, WritesTheGamesThatPassTheFilterWhateverItsMaximum) {
    struct Cas {
        std::string FiltreParties::*champ;
        const char* critere;
        bool lesDeux;
        std::vector<std::string> evenements;
    };
    using F = FiltreParties;
    const Cas cas[] = {
        {&F::blanc,
         "",
         false,
         {"Paris opera", "Club game", "Promotions", "Black side", "Black to move first",
          "No result, next game follows", "Windows lines"}},
        {&F::result, "1-0", false, {"Paris opera", "Windows lines"}},
        {&F::blanc, "allies", false, {}},
        {&F::blanc, "allies", true, {"Paris opera"}},
        {&F::noir, "łukasz", false, {"Club game"}},
    };
    const fs::path folder = test::dossier_de_test("conversion");
    for (const Cas& c : cas) {
        for (FormatConversion format : {FormatConversion::Xml, FormatConversion::Pgn}) {
            const bool xml = format == FormatConversion::Xml;
            SCOPED_TRACE(std::string(c.critere) + (xml ? " xml" : " pgn"));
            FiltreParties filtre;
            filtre.*c.champ = c.critere;
            filtre.lesDeux = c.lesDeux;
            filtre.maximum = 1; // a listing's limit; a conversion writes every game
            const std::string cible = (folder / (xml ? "out.xml" : "out.pgn")).string();
            std::vector<std::array<std::int64_t, 3>> etapes;
            const ResultatConversion r = convertir_fichier_pgn(
                Varied, cible, filtre, {format}, [&](int p, std::int64_t a, std::int64_t v) {
                    etapes.push_back({p, a, v});
                });
            const auto n = static_cast<std::int64_t>(c.evenements.size());
            EXPECT_EQ(message_conversion(r, Offsets), "<268>" + std::to_string(n) + "<269>7");
            EXPECT_EQ(xml ? elements(lire(cible), "Event") : evenements_pgn(cible), c.evenements);
            // The progress only goes forward and ends with the whole file's counts.
            ASSERT_FALSE(etapes.empty());
            for (std::size_t k = 1; k < etapes.size(); ++k)
                EXPECT_GT(etapes[k][0], etapes[k - 1][0]);
            EXPECT_EQ(etapes.back(), (std::array<std::int64_t, 3>{100, n, 7}));
        }
    }
}

TEST(ConversionPgn, APgnCopyReadsBackAsTheSameGames) {
    const std::string cible = (test::dossier_de_test("conversion") / "copie.pgn").string();
    ASSERT_TRUE(convertir_fichier_pgn(Varied, cible, {}, {FormatConversion::Pgn}).reussie());
    const IndexPgn source = index_de(Varied), copie = index_de(cible);
    ASSERT_EQ(copie.size(), 7u);
    std::ifstream in(Varied, std::ios::binary), relu(cible, std::ios::binary);
    for (std::size_t i = 0; i < source.size(); ++i) {
        for (int c = 0; c < IndexPgn::NombreChamps; ++c)
            EXPECT_EQ(copie.value(i, static_cast<IndexPgn::Champ>(c)),
                      source.value(i, static_cast<IndexPgn::Champ>(c)));
        const PartieLue a = lire_partie_pgn(in, source.position(i));
        const PartieLue b = lire_partie_pgn(relu, copie.position(i));
        EXPECT_EQ(b.GameText, a.GameText);
        EXPECT_EQ(b.GameMoveText, a.GameMoveText);
        EXPECT_EQ(b.GameResult, a.GameResult);
        EXPECT_EQ(b.commentaires, a.commentaires);
        ASSERT_EQ(b.variantes.size(), a.variantes.size());
        for (std::size_t v = 0; v < a.variantes.size(); ++v)
            EXPECT_EQ(b.variantes[v].text, a.variantes[v].text);
    }
    // The remark before the first game is no game's.
    EXPECT_TRUE(lire(cible).starts_with("[Event \"Paris opera\"]\r\n"));
}

struct CasRecopie {
    const char* name;
    std::string text, attendu;
};

class RecopiePartie : public testing::TestWithParam<CasRecopie> {};

TEST_P(RecopiePartie, KeepsTheLinesAndSetsTheLayout) {
    EXPECT_EQ(recopier_partie_pgn(GetParam().text), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, RecopiePartie,
    testing::Values(
        CasRecopie{"no_empty_line_after_the_tags", "[Event \"a\"]\n1. e4 *",
                   "[Event \"a\"]\r\n\r\n1. e4 *\r\n\r\n"},
        CasRecopie{
            "indents_and_empty_lines",
            "  [Event \"a\"]  \r\n\t[Result \"*\"]\r\n\r\n\r\n  1. e4 {a\r\n\r\n   b} e5 \r\n"
            "\t\r\n2. Nf3 *\r\n",
            "[Event \"a\"]\r\n[Result \"*\"]\r\n\r\n1. e4 {a\r\nb} e5\r\n2. Nf3 *\r\n\r\n"},
        CasRecopie{"a_tag_after_an_empty_line_is_in_the_moves", "[Event \"a\"]\n\n[Site \"b\"]\n",
                   "[Event \"a\"]\r\n\r\n[Site \"b\"]\r\n\r\n"},
        // Still a game start, so the copy stays one game that starts at its first line.
        CasRecopie{"an_event_tag_without_value", "[Event \n[Event \"b\"]\n\n1. e4 *\n",
                   "[Event \r\n[Event \"b\"]\r\n\r\n1. e4 *\r\n\r\n"},
        // A carriage return at a line's start is no blank a game start may follow.
        CasRecopie{"carriage_return_kept_in_front", "[Event \"a\"]\n\r[Event \"b\"]\n",
                   "[Event \"a\"]\r\n\r\n\r[Event \"b\"]\r\n\r\n"}),
    [](const testing::TestParamInfo<CasRecopie>& i) { return std::string(i.param.name); });

TEST(ConversionPgn, PgnExtractReadsTheCopyAsItReadsTheSource) {
    constexpr const char* PgnExtract = "/usr/games/pgn-extract";
    if (!std::ifstream(PgnExtract)) GTEST_SKIP() << "pgn-extract is not installed";
    const fs::path folder = test::dossier_de_test("conversion");
    const std::string source = (folder / "desordre.pgn").string();
    // Games the way files out there write them: indents, comments over lines, CR LF, no
    // empty line after the tags, no line end at the end.
    ecrire(source,
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
    auto avis = [&](const std::string& f) {
        return sortie_de(std::string(PgnExtract) + " -s -r '" + f + "' 2>&1");
    };
    ASSERT_EQ(avis(source), "");
    const std::string cible = (folder / "copie.pgn").string();
    for (const char* noir : {"", "durand"}) {
        FiltreParties f;
        f.noir = noir;
        ASSERT_TRUE(convertir_fichier_pgn(source, cible, f, {FormatConversion::Pgn}).reussie());
        EXPECT_EQ(avis(cible), "");
        EXPECT_EQ(evenements_pgn(cible).size(), *noir ? 2u : 3u);
    }
}

TEST(ConversionPgn, BrokenGamesAreWrittenAsReadAndTold) {
    Catalogue anglais;
    anglais.appliquer_langue(2);
    const fs::path folder = test::dossier_de_test("conversion");
    const std::string broken = std::string(QUARVELIN_TEST_DATA) + "/broken.pgn";
    const std::string xml = (folder / "broken.xml").string();
    const ResultatConversion r = convertir_fichier_pgn(broken, xml, {});
    EXPECT_EQ(message_conversion(r, anglais),
              "Conversion finished. Games written: 5\nGames read: 5\n"
              "Games written with a reading error: 3\n"
              "Game 2: Move 2 cannot be read or played: Ke3\n"
              "Game 3: Move 2 cannot be read or played: Zz9\n"
              "Game 4: Start position [FEN] rejected: 8/8/8/8/8/8/8/8 w - - 0 1");
    // As far as it was read: the move that fails is in the record.
    EXPECT_EQ(elements(lire(xml), "Move").at(1), "1.e4 e5 2.Ke3 Nc6 *");
    // A PGN copy takes them as written.
    const std::string pgn = (folder / "broken.pgn").string();
    EXPECT_TRUE(convertir_fichier_pgn(broken, pgn, {}, {FormatConversion::Pgn}).problems.empty());
    EXPECT_EQ(evenements_pgn(pgn).size(), 5u);

    // An unclosed comment ends with its game; a value holding "]" is written whole.
    ecrire(folder / "ouvert.pgn",
           "[Event \"Open [rapid]\"]\n\n1. e4 {never closed\n\n[Event \"b\"]\n\n1. d4 d5 *\n");
    const ResultatConversion o = convertir_fichier_pgn((folder / "ouvert.pgn").string(), xml, {});
    ASSERT_EQ(o.problems.size(), 1u);
    EXPECT_EQ(o.problems[0].error, TextKey::NotClosedAtEnd);
    const std::string document = lire(xml);
    EXPECT_EQ(elements(document, "Move"), (std::vector<std::string>{"1.e4 *", "1.d4 d5 *"}));
    EXPECT_EQ(elements(document, "Event"), (std::vector<std::string>{"Open [rapid]", "b"}));

    // Past ten, the problems are only counted.
    std::string douze;
    for (int i = 0; i < 12; ++i) douze += "[Event \"x\"]\n\n1. Ke5 *\n\n";
    ecrire(folder / "douze.pgn", douze);
    const std::string m = message_conversion(
        convertir_fichier_pgn((folder / "douze.pgn").string(), xml, {}), anglais);
    EXPECT_NE(m.find("\nGame 10: Move 1 cannot be read or played: Ke5\n… and 2 more."),
              std::string::npos)
        << m;
}

struct CasAnnulation {
    const char* name;
    OptionsConversion options;
    const char* cible;
    bool pendantScan; // else once the first game is written
};

class Annulation : public testing::TestWithParam<CasAnnulation> {};

TEST_P(Annulation, LeavesTheFilesAsTheyWere) {
    const CasAnnulation& c = GetParam();
    const fs::path folder = test::dossier_de_test("conversion");
    std::string source = Varied;
    if (c.pendantScan) {
        // More than one block of the scan, so it is stopped before its end.
        const std::string une = lire(Varied);
        std::string text;
        while (text.size() < (3u << 20)) text += une;
        source = (folder / "grand.pgn").string();
        ecrire(source, text);
    }
    const std::string cible = (folder / c.cible).string();
    const std::vector<std::string> anciens = {cible, nom_fichier_partie(cible, 1),
                                              nom_fichier_adresses(cible)};
    for (const std::string& f : anciens) ecrire(f, "ancien " + f);
    const std::set<std::string> avant = content(folder);

    int appels = 0;
    const ResultatConversion r =
        convertir_fichier_pgn(source, cible, {}, c.options, [&](int, std::int64_t, std::int64_t) {
            if (c.pendantScan || ++appels == 2) demander_annulation();
        });
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.ecrites, 0);
    EXPECT_EQ(message_conversion(r, Offsets), "<887>");
    for (const std::string& f : anciens) EXPECT_EQ(lire(f), "ancien " + f);
    EXPECT_EQ(content(folder), avant); // no temporary file left behind
    // The next conversion starts afresh.
    EXPECT_TRUE(convertir_fichier_pgn(Varied, cible, {}, c.options).reussie());
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Annulation,
    testing::Values(CasAnnulation{"xml", {FormatConversion::Xml, false, true}, "out.xml", false},
                    CasAnnulation{
                        "xml_each_game", {FormatConversion::Xml, true, true}, "out.xml", false},
                    CasAnnulation{"pgn", {FormatConversion::Pgn}, "out.pgn", false},
                    CasAnnulation{"pgn_scan", {FormatConversion::Pgn}, "out.pgn", true}),
    [](const testing::TestParamInfo<CasAnnulation>& i) { return std::string(i.param.name); });

TEST(ConversionPgn, AMissingSourceOrFolderWritesNothing) {
    const fs::path folder = test::dossier_de_test("conversion");
    for (const std::string& source : {std::string("/nonexistent/games.pgn"), folder.string()}) {
        const ResultatConversion r =
            convertir_fichier_pgn(source, (folder / "out.xml").string(), {});
        EXPECT_EQ(message_conversion(r, Offsets), "<270> (" + source + ")");
    }
    const std::string cible = (folder / "absent" / "out.xml").string();
    const std::string pgn = (folder / "absent" / "out.pgn").string();
    struct Cas {
        OptionsConversion options;
        std::string cible, echoue;
    };
    const Cas cas[] = {{{FormatConversion::Xml}, cible, cible},
                       {{FormatConversion::Xml, true, true}, cible, nom_fichier_partie(cible, 1)},
                       {{FormatConversion::Pgn}, pgn, pgn}};
    for (const Cas& c : cas) {
        const ResultatConversion r = convertir_fichier_pgn(Varied, c.cible, {}, c.options);
        EXPECT_EQ(r.error, ResultatConversion::Erreur::Ecriture);
        const std::string m = message_conversion(r, Offsets);
        EXPECT_TRUE(m.starts_with("<992>" + c.echoue + " : ")) << m;
    }
    EXPECT_TRUE(content(folder).empty());
}

TEST(ConversionPgn, AnAddressFileThatCannotBeWrittenKeepsTheListAsItWas) {
    const fs::path folder = test::dossier_de_test("conversion");
    const std::string cible = (folder / "out.xml").string();
    ecrire(cible, "ancien");
    fs::create_directory(folder / "out.txt");
    for (bool unParFichier : {false, true}) {
        const ResultatConversion r =
            convertir_fichier_pgn(Varied, cible, {}, {FormatConversion::Xml, unParFichier, true});
        EXPECT_TRUE(message_conversion(r, Offsets)
                        .starts_with("<992>" + (folder / "out.txt").string() + " : "));
        EXPECT_EQ(lire(cible), "ancien");
        EXPECT_EQ(content(folder), (std::set<std::string>{"out.xml", "out.txt"}));
    }
}

TEST(ConversionPgn, EachGameInItsOwnFileWithTheirAddresses) {
    const fs::path folder = test::dossier_de_test("conversion");
    FiltreParties gains;
    gains.result = "1-0";
    const ResultatConversion r = convertir_fichier_pgn(
        Varied, (folder / "une partie.xml").string(), gains, {FormatConversion::Xml, true, true});
    const std::string txt = (folder / "une partie.txt").string();
    EXPECT_TRUE(message_conversion(r, Offsets).ends_with("<888>" + txt));
    EXPECT_EQ(content(folder), (std::set<std::string>{"une partie_0001.xml", "une partie_0002.xml",
                                                       "une partie.txt"}));
    std::vector<std::string> adresses;
    ASSERT_TRUE(lire_liste_adresses(txt, adresses));
    ASSERT_EQ(adresses.size(), 2u);
    const char* evenements[] = {"Paris opera", "Windows lines"};
    for (std::size_t i = 0; i < 2; ++i) {
        // Encoded: a name with a space is still one address.
        EXPECT_EQ(adresses[i], "file://" + folder.string() + "/une%20partie_000" +
                                   std::to_string(i + 1) + ".xml");
        const std::string file =
            QUrl(QString::fromStdString(adresses[i])).toLocalFile().toStdString();
        EXPECT_EQ(elements(lire(file), "Event"), std::vector<std::string>{evenements[i]});
    }
}

TEST(ConversionPgn, NamesOfTheFilesWritten) {
    struct Cas {
        std::string cible;
        std::int64_t number;
        std::string partie, adresses;
        std::optional<FormatConversion> format;
    };
    const Cas cas[] = {
        {"/d/parties.xml", 1, "/d/parties_0001.xml", "/d/parties.txt", FormatConversion::Xml},
        {"/d/a.b.XML", 12345, "/d/a.b_12345.XML", "/d/a.b.txt", FormatConversion::Xml},
        {"p.Pgn", 7, "p_0007.Pgn", "p.txt", FormatConversion::Pgn},
        {"/d.xml/parties", 7, "/d.xml/parties_0007", "/d.xml/parties.txt", std::nullopt},
        {"/d/.xml", 2, "/d/.xml_0002", "/d/.xml.txt", std::nullopt},
        {"/d/liste.txt", 3, "/d/liste_0003.txt", "/d/liste.txt.txt", std::nullopt},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(nom_fichier_partie(c.cible, c.number), c.partie);
        EXPECT_EQ(nom_fichier_adresses(c.cible), c.adresses);
        EXPECT_EQ(format_de_cible(c.cible), c.format) << c.cible;
    }
}

} // namespace
