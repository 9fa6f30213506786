#include "records/EcritureXml.h"
#include "records/LectureXml.h"
#include "support/TestDoubles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

std::string lire(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

void ecrire_brut(const QString& path, const std::string& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

int count(const std::string& text, const std::string& motif) {
    int n = 0;
    for (auto i = text.find(motif); i != std::string::npos; i = text.find(motif, i + 1)) ++n;
    return n;
}

const PartieXml Partie1{
    "[Event \"Open & Co\"]\r\n[Site \"Saint-Étienne\"]\r\n[Date \"2024.05.01\"]\r\n"
    "[Round \"3\"]\r\n[White \"O'Brien <Sons>\"]\r\n[Black \"Zoë \"la\" Müller\"]\r\n"
    "[Result \"1-0\"]\r\n[ECO \"C20\"]\r\n",
    "1.e4 e5 2.Qh5 Nc6\r\n3.Bc4 Nf6 4.Qxf7#", "1-0"};

struct CasEchappement {
    std::string entree;
    std::string attendu;
};

class Echappement : public testing::TestWithParam<CasEchappement> {};

TEST_P(Echappement, LeavesOnlyTextThatReadsBack) {
    EXPECT_EQ(EcritureXml::echapper(GetParam().entree), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(Cas, Echappement,
                         testing::Values(CasEchappement{"Smith & Wesson", "Smith &amp; Wesson"},
                                         CasEchappement{"<b>1-0</b>", "&lt;b&gt;1-0&lt;/b&gt;"},
                                         CasEchappement{"l'\"As\"", "l&apos;&quot;As&quot;"},
                                         CasEchappement{"Müller, Zoë", "Müller, Zoë"},
                                         CasEchappement{"a\r\nb", "a  b"},
                                         CasEchappement{std::string("a\x01\x1f\tb"), "a\tb"},
                                         CasEchappement{"\xEF\xBF\xBEx", "x"},
                                         // Not UTF-8: read as Windows-1252, written as UTF-8.
                                         CasEchappement{"Caf\xE9", "Café"}));

struct CasCoups {
    PartieXml partie;
    std::string attendu;
};

class LigneDeCoups : public testing::TestWithParam<CasCoups> {};

TEST_P(LigneDeCoups, JoinsTheLinesAndEndsWithTheResult) {
    EXPECT_EQ(EcritureXml::ligne_de_coups(GetParam().partie), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, LigneDeCoups,
    testing::Values(CasCoups{{"", "1.e4 e5\r\n  2.Nf3 Nc6 \r\n3.Bb5\n", "*"},
                             "1.e4 e5 2.Nf3 Nc6 3.Bb5 *"},
                    CasCoups{{"", "1.e4 e5 2.Nf3 1/2-1/2", "1/2-1/2"}, "1.e4 e5 2.Nf3 1/2-1/2"},
                    CasCoups{{"", "1.d4 d5 ", "0-1"}, "1.d4 d5 0-1"},
                    CasCoups{{"", "1.d4 d5 11-0", "1-0"}, "1.d4 d5 11-0 1-0"},
                    CasCoups{{"", "", "*"}, "*"}, CasCoups{{"", "1.e4", ""}, "1.e4"}));

TEST(EcritureXml, WritesOneElementALineInTheFixedOrder) {
    const PartieXml p{"[White \"A\"]\r\n[Black \"B\"]\r\n[Comment \"vu\"]\r\n", "1.e4", "*"};
    EXPECT_EQ(EcritureXml::bloc_partie(p),
              "<GAME>\r\n<Event></Event>\r\n<Site></Site>\r\n<Date></Date>\r\n<Round></Round>\r\n"
              "<White>A</White>\r\n<Black>B</Black>\r\n<WhiteElo></WhiteElo>\r\n"
              "<BlackElo></BlackElo>\r\n<ECO></ECO>\r\n<Opening></Opening>\r\n"
              "<Variation></Variation>\r\n<Move>1.e4 *</Move>\r\n<Comment>vu</Comment>\r\n"
              "</GAME>\r\n");
    EXPECT_EQ(EcritureXml::debut_document("01/05/2024 10:30"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
              "<!-- Quarvelin 0.1.0 - 01/05/2024 10:30-->\r\n<LIST>\r\n");
}

TEST(EcritureXml, TagValuesAlreadyReadAreTakenWhole) {
    PartieXml p{"[WhiteElo \"2400\"]\r\n[White \"Anna\"]\r\n", "1.e4", "*"};
    // From the tag lines, the first "[White" is the Elo's and "]" ends a value.
    p.etiquettes = {{"Event", "Open [rapid]"},
                    {"WhiteElo", "2400"},
                    {"White", "Anna"},
                    {"White", "not the first"},
                    {"Comment", "a & b"}};
    const std::string bloc = EcritureXml::bloc_partie(p);
    EXPECT_NE(bloc.find("<Event>Open [rapid]</Event>\r\n"), std::string::npos) << bloc;
    EXPECT_NE(bloc.find("<White>Anna</White>\r\n<Black></Black>\r\n<WhiteElo>2400</WhiteElo>"),
              std::string::npos)
        << bloc;
    EXPECT_NE(bloc.find("<Comment>a &amp; b</Comment>"), std::string::npos);
    // Given values stand alone: the tag lines are not looked at for the rest.
    p.etiquettes = {{"Site", "Lyon"}};
    EXPECT_NE(EcritureXml::bloc_partie(p).find("<White></White>"), std::string::npos);
}

TEST(EcritureXml, ASavedGameTextSplitsIntoTagsAndMoves) {
    const PartieXml p = EcritureXml::partie_de_texte(
        "[Event \"Partie\"]\r\n[White \"A\"]\r\n\r\n1.e4 {bien} e5\r\n2.Nf3 1-0\r\n");
    EXPECT_EQ(p.entete, "[Event \"Partie\"]\r\n[White \"A\"]\r\n");
    EXPECT_EQ(EcritureXml::ligne_de_coups(p), "1.e4 {bien} e5 2.Nf3 1-0");
    EXPECT_EQ(EcritureXml::bloc_partie(p).find("<Event>Partie</Event>\r\n"), 8u);
}

TEST(EcritureXml, WhatIsWrittenReadsBackWithNamesAccentsAndMarkup) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("parties.xml"));
    ASSERT_FALSE(
        EcritureXml::ecrire_fichier(path.toStdString(), {Partie1}, EcritureXml::Mode::Remplacer));
    const std::string content = lire(path);
    EXPECT_TRUE(
        content.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<!-- Quarvelin "));
    EXPECT_TRUE(content.ends_with("</GAME>\r\n</LIST>\r\n"));

    const LectureXml lu = lire_document_xml(content);
    ASSERT_TRUE(lu.readable());
    const std::string& tags = lu.partie.GameText;
    EXPECT_NE(tags.find("[Event \"Open & Co\"]\r\n"), std::string::npos);
    EXPECT_NE(tags.find("[Site \"Saint-Étienne\"]\r\n"), std::string::npos);
    EXPECT_NE(tags.find("[White \"O'Brien <Sons>\"]\r\n"), std::string::npos);
    EXPECT_NE(tags.find("[Black \"Zoë \"la\" Müller\"]\r\n"), std::string::npos);
    // Empty elements give no tag line.
    EXPECT_EQ(tags.find("[Opening"), std::string::npos);
    EXPECT_EQ(lu.partie.GameMoveText, "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0 ");
    EXPECT_EQ(resultat_partie(lu.partie), "1-0");
}

TEST(EcritureXml, TwoGamesGiveTheTagsOfBothAndTheMovesOfTheSecond) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("deux.xml"));
    const PartieXml seconde{"[Event \"Blitz\"]\r\n[White \"C\"]\r\n", "1.d4 d5", "0-1"};
    ASSERT_FALSE(EcritureXml::ecrire_fichier(path.toStdString(), {Partie1, seconde},
                                             EcritureXml::Mode::Remplacer));
    const LectureXml lu = lire_document_xml(lire(path));
    ASSERT_TRUE(lu.readable());
    EXPECT_EQ(count(lu.partie.GameText, "[Event "), 2);
    EXPECT_LT(lu.partie.GameText.find("[Event \"Open & Co\"]"),
              lu.partie.GameText.find("[Event \"Blitz\"]"));
    EXPECT_EQ(lu.partie.GameMoveText, "1.d4 d5 0-1 ");
}

TEST(EcritureXml, AppendingKeepsTheGamesThereAndTheFileStaysOneList) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("suite.xml")).toStdString();
    ASSERT_FALSE(EcritureXml::ecrire_fichier(path, {Partie1}, EcritureXml::Mode::Ajouter));
    const PartieXml seconde{"[Event \"Blitz\"]\r\n", "1.c4", "*"};
    ASSERT_FALSE(EcritureXml::ecrire_fichier(path, {seconde}, EcritureXml::Mode::Ajouter));
    const std::string content = lire(QString::fromStdString(path));
    EXPECT_EQ(count(content, "<GAME>"), 2);
    EXPECT_EQ(count(content, "<LIST>"), 1);
    EXPECT_EQ(count(content, "<?xml"), 1);
    const LectureXml lu = lire_document_xml(content);
    ASSERT_TRUE(lu.readable());
    EXPECT_EQ(lu.partie.GameMoveText, "1.c4 * ");
}

TEST(EcritureXml, AnOldLatin1ListIsAppendedToAsUtf8) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ancien.xml"));
    ecrire_brut(path, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<GAME>\r\n"
                        "<White>Ren\xE9</White>\r\n<Move>1.e4 *</Move>\r\n</GAME>\r\n</LIST>\r\n");
    ASSERT_FALSE(EcritureXml::ecrire_fichier(path.toStdString(), {{"", "1.d4", "*"}},
                                             EcritureXml::Mode::Ajouter));
    const LectureXml lu = lire_document_xml(lire(path));
    ASSERT_TRUE(lu.readable());
    EXPECT_NE(lu.partie.GameText.find("[White \"René\"]"), std::string::npos);
    EXPECT_EQ(lu.partie.GameMoveText, "1.d4 * ");
}

TEST(EcritureXml, RefusesToAppendToAFileThatIsNotAListAndLeavesItAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("notes.xml"));
    ecrire_brut(path, "[Event \"x\"]\r\n1.e4 *\r\n");
    test::OffsetCatalogue catalogue;
    const EchecEcriture e =
        EcritureXml::ecrire_fichier(path.toStdString(), {Partie1}, EcritureXml::Mode::Ajouter);
    EXPECT_EQ(e.cause, EchecEcriture::Cause::PasUneListe);
    EXPECT_EQ(e.message(catalogue), "<991>");
    EXPECT_EQ(lire(path), "[Event \"x\"]\r\n1.e4 *\r\n");
}

TEST(EcritureXml, AnInterruptedWriteLeavesTheOldFileWhole) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("garde.xml"));
    ecrire_brut(path, "ancien");
    {
        EcritureXml e;
        ASSERT_FALSE(e.open(path.toStdString(), EcritureXml::Mode::Remplacer));
        e.ecrire(Partie1);
        // Dropped before terminer(), as when the user cancels a conversion.
    }
    EXPECT_EQ(lire(path), "ancien");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("garde.xml")});
}

TEST(EcritureXml, AFileThatCannotBeWrittenIsReported) {
    QTemporaryDir folder;
    test::OffsetCatalogue catalogue;
    const std::string path = folder.filePath(QStringLiteral("absent/x.xml")).toStdString();
    const EchecEcriture e =
        EcritureXml::ecrire_fichier(path, {Partie1}, EcritureXml::Mode::Remplacer);
    EXPECT_EQ(e.cause, EchecEcriture::Cause::Ecriture);
    EXPECT_TRUE(e.message(catalogue).starts_with("<992>"));
    EXPECT_FALSE(e.detail.empty());
}

} // namespace
