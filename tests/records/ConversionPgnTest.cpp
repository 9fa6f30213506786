#include "records/ConversionPgn.h"

#include "localisation/Catalogue.h"
#include "records/IndexPgn.h"
#include "records/LecteurPgn.h"
#include "records/LectureXml.h"
#include "records/ListeAdresses.h"
#include "session/Annulation.h"
#include "support/DossierDeTest.h"
#include "support/TestDoubles.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

const std::string Varied = std::string(QUARVELIN_TEST_DATA) + "/varied.pgn";
const std::string Broken = std::string(QUARVELIN_TEST_DATA) + "/broken.pgn";
const std::vector<std::string> EvenementsVaried = {
    "Paris opera",  "Club game",           "Promotions",
    "Black side",   "Black to move first", "No result, next game follows",
    "Windows lines"};

std::string lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

void ecrire(const fs::path& chemin, const std::string& texte) {
    std::ofstream(chemin, std::ios::binary) << texte;
}

std::set<std::string> contenu(const fs::path& dossier) {
    std::set<std::string> noms;
    for (const auto& e : fs::directory_iterator(dossier)) noms.insert(e.path().filename());
    return noms;
}

// The text of every element `nom` of an XML document, in order.
std::vector<std::string> elements(const std::string& xml, const std::string& nom) {
    std::vector<std::string> valeurs;
    const std::string debut = "<" + nom + ">", fin = "</" + nom + ">";
    for (auto i = xml.find(debut); i != std::string::npos; i = xml.find(debut, i + 1)) {
        const auto j = xml.find(fin, i);
        valeurs.push_back(xml.substr(i + debut.size(), j - i - debut.size()));
    }
    return valeurs;
}

std::vector<std::string> evenements_pgn(const std::string& chemin) {
    FiltreParties tout;
    tout.maximum = 1 << 20;
    auto index = IndexPgn::indexer_fichier(chemin, tout);
    std::vector<std::string> vus;
    for (std::size_t i = 0; index && i < index->size(); ++i)
        vus.emplace_back(index->valeur(i, IndexPgn::Event));
    return vus;
}

Catalogue anglais() {
    Catalogue c;
    c.appliquer_langue(2);
    return c;
}

TEST(ConversionPgn, WritesTheGamesThatPassTheFilterWhateverItsMaximum) {
    struct Cas {
        const char* nom;
        FiltreParties filtre;
        std::vector<std::string> evenements;
    };
    auto f = [](std::string FiltreParties::*champ, const char* valeur, bool lesDeux = false) {
        FiltreParties filtre;
        filtre.*champ = valeur;
        filtre.lesDeux = lesDeux;
        return filtre;
    };
    using F = FiltreParties;
    FiltreParties deux = f(&F::evenement, "black");
    deux.resultat = "0-1";
    const Cas cas[] = {
        {"no criterion", {}, EvenementsVaried},
        {"result", f(&F::resultat, "1-0"), {"Paris opera", "Windows lines"}},
        {"white is not the black player", f(&F::blanc, "allies"), {}},
        {"white either player", f(&F::blanc, "allies", true), {"Paris opera"}},
        {"black in another case", f(&F::noir, "łukasz"), {"Club game"}},
        {"two criteria", deux, {"Black side"}},
    };
    const fs::path dossier = test::dossier_de_test("conversion");
    for (const Cas& c : cas) {
        for (FormatConversion format : {FormatConversion::Xml, FormatConversion::Pgn}) {
            SCOPED_TRACE(std::string(c.nom) + (format == FormatConversion::Xml ? " xml" : " pgn"));
            FiltreParties filtre = c.filtre;
            filtre.maximum = 1; // a listing's limit; a conversion writes every game
            const std::string cible =
                (dossier / (format == FormatConversion::Xml ? "out.xml" : "out.pgn")).string();
            std::vector<std::array<std::int64_t, 3>> etapes;
            const ResultatConversion r = convertir_fichier_pgn(
                Varied, cible, filtre, {format}, [&](int p, std::int64_t a, std::int64_t v) {
                    etapes.push_back({p, a, v});
                });
            ASSERT_TRUE(r.reussie()) << message_conversion(r, test::OffsetCatalogue{});
            const auto n = static_cast<std::int64_t>(c.evenements.size());
            EXPECT_EQ(r.ecrites, n);
            EXPECT_EQ(r.lues, 7);
            EXPECT_EQ(r.fichiers, std::vector<std::string>{cible});
            EXPECT_EQ(message_conversion(r, test::OffsetCatalogue{}),
                      "<268>" + std::to_string(n) + "<269>7");
            if (format == FormatConversion::Xml)
                EXPECT_EQ(elements(lire(cible), "Event"), c.evenements);
            else
                EXPECT_EQ(evenements_pgn(cible), c.evenements);
            // The progress only goes forward and ends with the whole file's counts.
            ASSERT_FALSE(etapes.empty());
            for (std::size_t k = 1; k < etapes.size(); ++k)
                EXPECT_GT(etapes[k][0], etapes[k - 1][0]);
            EXPECT_EQ(etapes.back(), (std::array<std::int64_t, 3>{100, n, 7}));
        }
    }
}

TEST(ConversionPgn, APgnCopyReadsBackAsTheSameGames) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string cible = (dossier / "copie.pgn").string();
    ASSERT_TRUE(convertir_fichier_pgn(Varied, cible, {}, {FormatConversion::Pgn}).reussie());

    FiltreParties tout;
    tout.maximum = 1 << 20;
    auto source = IndexPgn::indexer_fichier(Varied, tout);
    auto copie = IndexPgn::indexer_fichier(cible, tout);
    ASSERT_TRUE(source && copie);
    ASSERT_EQ(copie->size(), source->size());
    std::ifstream in(Varied, std::ios::binary), relu(cible, std::ios::binary);
    for (std::size_t i = 0; i < source->size(); ++i) {
        SCOPED_TRACE(source->valeur(i, IndexPgn::Event));
        for (int c = 0; c < IndexPgn::NombreChamps; ++c)
            EXPECT_EQ(copie->valeur(i, static_cast<IndexPgn::Champ>(c)),
                      source->valeur(i, static_cast<IndexPgn::Champ>(c)));
        const PartieLue a = lire_partie_pgn(in, source->position(i));
        const PartieLue b = lire_partie_pgn(relu, copie->position(i));
        EXPECT_EQ(b.GameText, a.GameText);
        EXPECT_EQ(b.GameMoveText, a.GameMoveText);
        EXPECT_EQ(b.GameResult, a.GameResult);
        EXPECT_EQ(b.FenDepart, a.FenDepart);
        EXPECT_EQ(b.commentaires, a.commentaires);
        ASSERT_EQ(b.variantes.size(), a.variantes.size());
        for (std::size_t v = 0; v < a.variantes.size(); ++v) {
            EXPECT_EQ(b.variantes[v].texte, a.variantes[v].texte);
            EXPECT_EQ(b.variantes[v].demiCoup, a.variantes[v].demiCoup);
        }
        EXPECT_EQ(b.erreur, a.erreur);
    }
    // The club game's comments and variations are all still there.
    const std::string texte = lire(cible);
    for (const char* morceau : {"; en passant just happened\r\n", "(5... Nc6 6. Bb5 (6. d4 $1 Bd7)",
                                "{This is a weak move\r\nalready.--Fischer}", "$14"})
        EXPECT_NE(texte.find(morceau), std::string::npos) << morceau;
    // Nothing of the remark before the first game; each game ends with an empty line.
    EXPECT_TRUE(texte.starts_with("[Event \"Paris opera\"]\r\n")) << texte.substr(0, 40);
    EXPECT_TRUE(texte.ends_with("4. Qxf7# 1-0\r\n\r\n"));
}

struct CasRecopie {
    const char* nom;
    std::string texte;
    std::string attendu;
};

class RecopiePartie : public testing::TestWithParam<CasRecopie> {};

TEST_P(RecopiePartie, KeepsTheLinesAndSetsTheLayout) {
    EXPECT_EQ(recopier_partie_pgn(GetParam().texte), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, RecopiePartie,
    testing::Values(
        CasRecopie{"plain", "[Event \"a\"]\n[Site \"b\"]\n\n1. e4 e5 *\n\n",
                   "[Event \"a\"]\r\n[Site \"b\"]\r\n\r\n1. e4 e5 *\r\n\r\n"},
        CasRecopie{"no empty line after the tags", "[Event \"a\"]\n1. e4 *",
                   "[Event \"a\"]\r\n\r\n1. e4 *\r\n\r\n"},
        CasRecopie{
            "indented lines and empty lines within the moves",
            "  [Event \"a\"]  \r\n\t[Result \"*\"]\r\n\r\n\r\n  1. e4 {a\r\n\r\n   b} e5 \r\n"
            "\t\r\n2. Nf3 *\r\n",
            "[Event \"a\"]\r\n[Result \"*\"]\r\n\r\n1. e4 {a\r\nb} e5\r\n2. Nf3 *\r\n\r\n"},
        CasRecopie{"a tag after an empty line belongs to the moves",
                   "[Event \"a\"]\n\n[Site \"b\"]\n1. d4 *\n",
                   "[Event \"a\"]\r\n\r\n[Site \"b\"]\r\n1. d4 *\r\n\r\n"},
        CasRecopie{"tags only", "[Event \"a\"]\n", "[Event \"a\"]\r\n\r\n"},
        // A carriage return at a line's start is no blank a game start may follow.
        CasRecopie{"carriage return kept at the front", "[Event \"a\"]\n\n1. e4\n\r[Event \"b\"]\n",
                   "[Event \"a\"]\r\n\r\n1. e4\r\n\r[Event \"b\"]\r\n\r\n"}),
    [](const testing::TestParamInfo<CasRecopie>& i) {
        std::string n = i.param.nom;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

constexpr const char* PgnExtract = "/usr/games/pgn-extract";

std::string sortie_de(const std::string& commande) {
    std::string out;
    FILE* p = popen(commande.c_str(), "r");
    if (!p) return "popen failed";
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    pclose(p);
    return out;
}

// Games the way files out there write them, all of which pgn-extract reads.
const std::string Desordre = "% exported by hand\n"
                             "   [Event \"Indented\"]\n"
                             "[Site \"Lyon\"]\n"
                             "[White \"Durand, Anne\"]\n"
                             "[Black \"Petit, Marc\"]\n"
                             "[Result \"1/2-1/2\"]\n"
                             "\n"
                             "1. e4 {a comment\n"
                             "   over two lines} c5\n"
                             "     2. Nf3 (2. c3 d5 3. exd5 Qxd5 {the Alapin}) 2... d6\n"
                             "\t3. d4 cxd4 $1 4. Nxd4 Nf6 5. Nc3 a6 1/2-1/2\n"
                             "\n"
                             "[Event \"From a position\"]\r\n"
                             "[White \"Petit, Marc\"]\r\n"
                             "[Black \"Durand, Anne\"]\r\n"
                             "[Result \"0-1\"]\r\n"
                             "[SetUp \"1\"]\r\n"
                             "[FEN \"r3k3/8/8/8/1p6/8/P7/4K3 w q - 0 30\"]\r\n"
                             "\r\n"
                             "30. a4 bxa3 31. Kd2 O-O-O+ 32. Ke2 a2 33. Kf3 a1=Q 0-1\r\n"
                             "\r\n"
                             "[Event \"Last\"]\n"
                             "[White \"Zed\"]\n"
                             "[Black \"Durand, Anne\"]\n"
                             "[Result \"1-0\"]\n"
                             "1.d4 d5 2.c4 {\tQueen's gambit} dxc4 1-0";

TEST(ConversionPgn, PgnExtractReadsTheCopyAsItReadsTheSource) {
    if (!std::ifstream(PgnExtract)) GTEST_SKIP() << "pgn-extract is not installed";
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string source = (dossier / "desordre.pgn").string();
    ecrire(source, Desordre);
    auto avis = [](const std::string& f) {
        return sortie_de(std::string(PgnExtract) + " -s -r '" + f + "' 2>&1");
    };
    ASSERT_EQ(avis(source), "");
    struct Cas {
        FiltreParties filtre;
        std::vector<std::string> evenements;
    };
    FiltreParties noir, blanc;
    noir.noir = "durand";
    blanc.blanc = "petit";
    const Cas cas[] = {{{}, {"Indented", "From a position", "Last"}},
                       {noir, {"From a position", "Last"}},
                       {blanc, {"From a position"}}};
    for (const Cas& c : cas) {
        const std::string cible = (dossier / "copie.pgn").string();
        ASSERT_TRUE(
            convertir_fichier_pgn(source, cible, c.filtre, {FormatConversion::Pgn}).reussie());
        EXPECT_EQ(avis(cible), "");
        EXPECT_EQ(evenements_pgn(cible), c.evenements);
    }
}

TEST(ConversionPgn, BrokenGamesAreWrittenAsReadAndTold) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string xml = (dossier / "broken.xml").string();
    const ResultatConversion r = convertir_fichier_pgn(Broken, xml, {});
    ASSERT_TRUE(r.reussie());
    EXPECT_EQ(r.ecrites, 5);
    EXPECT_EQ(message_conversion(r, anglais()),
              "Conversion finished. Games written: 5\nGames read: 5\n"
              "Games written with a reading error: 3\n"
              "Game 2: Move 2 cannot be read or played: Ke3\n"
              "Game 3: Move 2 cannot be read or played: Zz9\n"
              "Game 4: Start position [FEN] rejected: 8/8/8/8/8/8/8/8 w - - 0 1");
    // Written as far as it was read: the move that fails is in the record.
    const auto coups = elements(lire(xml), "Move");
    ASSERT_EQ(coups.size(), 5u);
    EXPECT_EQ(coups[1], "1.e4 e5 2.Ke3 Nc6 *");

    // A PGN copy takes them as written, without reading their moves.
    const std::string pgn = (dossier / "broken.pgn").string();
    const ResultatConversion p = convertir_fichier_pgn(Broken, pgn, {}, {FormatConversion::Pgn});
    ASSERT_TRUE(p.reussie());
    EXPECT_TRUE(p.problemes.empty());
    EXPECT_EQ(evenements_pgn(pgn),
              (std::vector<std::string>{"fine", "illegal move", "unreadable token",
                                        "bad start position", "fine again"}));
}

TEST(ConversionPgn, AnUnclosedCommentStopsAtTheNextGame) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string source = (dossier / "ouvert.pgn").string();
    ecrire(source, "[Event \"a\"]\n\n1. e4 {never closed\n\n[Event \"b\"]\n\n1. d4 d5 *\n");
    const std::string xml = (dossier / "ouvert.xml").string();
    const ResultatConversion r = convertir_fichier_pgn(source, xml, {});
    ASSERT_TRUE(r.reussie());
    EXPECT_EQ(r.ecrites, 2);
    ASSERT_EQ(r.problemes.size(), 1u);
    EXPECT_EQ(r.problemes[0].numero, 1);
    EXPECT_EQ(r.problemes[0].erreur, TexteNonFerme);
    EXPECT_EQ(elements(lire(xml), "Move"), (std::vector<std::string>{"1.e4 *", "1.d4 d5 *"}));
}

TEST(ConversionPgn, ManyProblemsAreCountedButOnlyTheFirstToldOneByOne) {
    const fs::path dossier = test::dossier_de_test("conversion");
    std::string texte;
    for (int i = 1; i <= 12; ++i) texte += "[Event \"" + std::to_string(i) + "\"]\n\n1. Ke5 *\n\n";
    const std::string source = (dossier / "douze.pgn").string();
    ecrire(source, texte);
    const ResultatConversion r =
        convertir_fichier_pgn(source, (dossier / "douze.xml").string(), {});
    ASSERT_TRUE(r.reussie());
    EXPECT_EQ(r.problemes.size(), 12u);
    const std::string m = message_conversion(r, anglais());
    EXPECT_NE(m.find("\nGames written with a reading error: 12\n"), std::string::npos) << m;
    EXPECT_NE(m.find("\nGame 10: Move 1 cannot be read or played: Ke5"), std::string::npos);
    EXPECT_EQ(m.find("Game 11"), std::string::npos);
    EXPECT_TRUE(m.ends_with("\n… and 2 more.")) << m;
}

struct CasAnnulation {
    const char* nom;
    OptionsConversion options;
    const char* cible;
    bool pendantScan; // else once the first game is written
};

class Annulation : public testing::TestWithParam<CasAnnulation> {};

TEST_P(Annulation, LeavesTheFilesAsTheyWere) {
    const CasAnnulation& c = GetParam();
    const fs::path dossier = test::dossier_de_test("conversion");
    std::string source = Varied;
    if (c.pendantScan) {
        // Bigger than one block of the scan, so it is stopped before its end.
        const std::string une = lire(Varied);
        std::string texte;
        while (texte.size() < (3u << 20)) texte += une;
        source = (dossier / "grand.pgn").string();
        ecrire(source, texte);
    }
    const std::string cible = (dossier / c.cible).string();
    const std::vector<std::string> anciens = {cible, nom_fichier_partie(cible, 1),
                                              nom_fichier_adresses(cible)};
    for (const std::string& f : anciens) ecrire(f, "ancien " + f);
    const std::set<std::string> avant = contenu(dossier);

    int appels = 0;
    const ResultatConversion r = convertir_fichier_pgn(
        source, cible, {}, c.options, [&](int, std::int64_t acceptees, std::int64_t) {
            if (c.pendantScan || (++appels > 1 && acceptees == 7)) demander_annulation();
        });
    EXPECT_TRUE(r.annulee);
    EXPECT_FALSE(r.reussie());
    EXPECT_EQ(r.ecrites, 0);
    EXPECT_EQ(message_conversion(r, test::OffsetCatalogue{}), "<887>");
    for (const std::string& f : anciens) EXPECT_EQ(lire(f), "ancien " + f);
    EXPECT_EQ(contenu(dossier), avant); // no temporary file left behind

    // The next conversion starts afresh.
    EXPECT_TRUE(convertir_fichier_pgn(Varied, cible, {}, c.options).reussie());
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Annulation,
    testing::Values(
        CasAnnulation{"xml", {FormatConversion::Xml, false, true}, "out.xml", false},
        CasAnnulation{"xml_each_game", {FormatConversion::Xml, true, true}, "out.xml", false},
        CasAnnulation{"pgn", {FormatConversion::Pgn}, "out.pgn", false},
        CasAnnulation{"xml_scan", {FormatConversion::Xml, false, true}, "out.xml", true},
        CasAnnulation{"pgn_scan", {FormatConversion::Pgn}, "out.pgn", true}),
    [](const testing::TestParamInfo<CasAnnulation>& i) { return std::string(i.param.nom); });

TEST(ConversionPgn, AMissingSourceWritesNothing) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string cible = (dossier / "out.xml").string();
    for (const std::string& source :
         {std::string("/nonexistent/quarvelin/games.pgn"), dossier.string()}) {
        const ResultatConversion r = convertir_fichier_pgn(source, cible, {});
        EXPECT_EQ(r.erreur, ResultatConversion::Erreur::SourceIntrouvable);
        EXPECT_EQ(message_conversion(r, test::OffsetCatalogue{}), "<270> (" + source + ")");
        EXPECT_EQ(message_conversion(r, anglais()), "File not found (" + source + ")");
    }
    EXPECT_TRUE(contenu(dossier).empty());
}

TEST(ConversionPgn, AFolderThatIsNotThereIsAWriteError) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string cible = (dossier / "absent" / "out.xml").string();
    const std::string pgn = (dossier / "absent" / "out.pgn").string();
    struct Cas {
        OptionsConversion options;
        std::string cible, echoue;
    };
    const Cas cas[] = {
        {{FormatConversion::Xml}, cible, cible},
        {{FormatConversion::Xml, true, true}, cible, nom_fichier_partie(cible, 1)},
        {{FormatConversion::Pgn}, pgn, pgn},
    };
    for (const Cas& c : cas) {
        const ResultatConversion r = convertir_fichier_pgn(Varied, c.cible, {}, c.options);
        EXPECT_EQ(r.erreur, ResultatConversion::Erreur::Ecriture);
        EXPECT_EQ(r.ecrites, 0);
        const std::string m = message_conversion(r, test::OffsetCatalogue{});
        EXPECT_TRUE(m.starts_with("<992>" + c.echoue + " : ")) << m;
        EXPECT_GT(m.size(), ("<992>" + c.echoue + " : ").size()) << m;
    }
    EXPECT_TRUE(contenu(dossier).empty());
}

TEST(ConversionPgn, AnAddressFileThatCannotBeWrittenKeepsTheListAsItWas) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string cible = (dossier / "out.xml").string();
    ecrire(cible, "ancien");
    fs::create_directory(dossier / "out.txt");
    for (bool unParFichier : {false, true}) {
        const ResultatConversion r =
            convertir_fichier_pgn(Varied, cible, {}, {FormatConversion::Xml, unParFichier, true});
        EXPECT_EQ(r.erreur, ResultatConversion::Erreur::Ecriture);
        EXPECT_TRUE(message_conversion(r, test::OffsetCatalogue{})
                        .starts_with("<992>" + (dossier / "out.txt").string() + " : "));
        EXPECT_EQ(lire(cible), "ancien");
        EXPECT_EQ(contenu(dossier), (std::set<std::string>{"out.xml", "out.txt"}));
    }
}

TEST(ConversionPgn, EachGameInItsOwnFileWithTheirAddresses) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string cible = (dossier / "parties.xml").string();
    FiltreParties gains;
    gains.resultat = "1-0";
    const ResultatConversion r =
        convertir_fichier_pgn(Varied, cible, gains, {FormatConversion::Xml, true, true});
    ASSERT_TRUE(r.reussie());
    const std::string txt = (dossier / "parties.txt").string();
    EXPECT_EQ(contenu(dossier),
              (std::set<std::string>{"parties_0001.xml", "parties_0002.xml", "parties.txt"}));
    EXPECT_EQ(r.fichiers, (std::vector<std::string>{(dossier / "parties_0001.xml").string(),
                                                    (dossier / "parties_0002.xml").string()}));
    EXPECT_EQ(r.fichierAdresses, txt);
    EXPECT_TRUE(message_conversion(r, test::OffsetCatalogue{}).ends_with("<888>" + txt));

    std::vector<std::string> adresses;
    ASSERT_TRUE(lire_liste_adresses(txt, adresses));
    ASSERT_EQ(adresses.size(), 2u);
    const char* evenements[] = {"Paris opera", "Windows lines"};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(adresse_de_ligne(adresses[i]), adresses[i]);
        const QUrl url(QString::fromStdString(adresses[i]), QUrl::StrictMode);
        ASSERT_TRUE(url.isLocalFile()) << adresses[i];
        EXPECT_EQ(url.toLocalFile().toStdString(), r.fichiers[i]);
        const std::string document = lire(r.fichiers[i]);
        EXPECT_TRUE(document.ends_with("</GAME>\r\n</LIST>\r\n"));
        const LectureXml lu = lire_document_xml(document);
        ASSERT_TRUE(lu.lisible());
        EXPECT_EQ(elements(document, "Event"), std::vector<std::string>{evenements[i]});
    }

    // One list, and its address: a name with a space is still one address.
    const std::string liste = (dossier / "une liste.xml").string();
    ASSERT_TRUE(convertir_fichier_pgn(Varied, liste, gains, {FormatConversion::Xml, false, true})
                    .reussie());
    EXPECT_EQ(lire(dossier / "une liste.txt"), "file://" + dossier.string() + "/une%20liste.xml\n");
}

TEST(ConversionPgn, TagValuesAreWrittenWhole) {
    const fs::path dossier = test::dossier_de_test("conversion");
    const std::string source = (dossier / "tags.pgn").string();
    ecrire(source, "[Event \"Open [rapid]\"]\n[WhiteElo \"2400\"]\n[White \"Anna \\\"A\\\" B\"]\n"
                   "[Black \"Bo & Co\"]\n\n1. e4 *\n");
    const std::string xml = (dossier / "tags.xml").string();
    ASSERT_TRUE(convertir_fichier_pgn(source, xml, {}).reussie());
    const std::string document = lire(xml);
    EXPECT_EQ(elements(document, "Event"), std::vector<std::string>{"Open [rapid]"});
    EXPECT_EQ(elements(document, "White"), std::vector<std::string>{"Anna &quot;A&quot; B"});
    EXPECT_EQ(elements(document, "WhiteElo"), std::vector<std::string>{"2400"});
    EXPECT_EQ(elements(document, "Black"), std::vector<std::string>{"Bo &amp; Co"});
}

TEST(ConversionPgn, NamesOfTheFilesWritten) {
    struct Cas {
        std::string cible;
        std::int64_t numero;
        std::string partie, adresses;
    };
    const Cas cas[] = {
        {"/d/parties.xml", 1, "/d/parties_0001.xml", "/d/parties.txt"},
        {"/d/a.b.XML", 12345, "/d/a.b_12345.XML", "/d/a.b.txt"},
        {"parties", 7, "parties_0007", "parties.txt"},
        {"/d.x/parties", 7, "/d.x/parties_0007", "/d.x/parties.txt"},
        {"/d/.xml", 2, "/d/.xml_0002", "/d/.xml.txt"},
        {"/d/liste.txt", 3, "/d/liste_0003.txt", "/d/liste.txt.txt"},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(nom_fichier_partie(c.cible, c.numero), c.partie);
        EXPECT_EQ(nom_fichier_adresses(c.cible), c.adresses);
    }
    struct Format {
        const char* chemin;
        std::optional<FormatConversion> format;
    };
    const Format formats[] = {{"a.xml", FormatConversion::Xml},
                              {"/d/A.XML", FormatConversion::Xml},
                              {"b.Pgn", FormatConversion::Pgn},
                              {"c.txt", std::nullopt},
                              {"xml", std::nullopt},
                              {"/d.xml/sans", std::nullopt}};
    for (const Format& f : formats) EXPECT_EQ(format_de_cible(f.chemin), f.format) << f.chemin;
}

} // namespace
