#include "records/LectureXml.h"

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct CasMalForme {
    const char* name;
    std::string document;
    long long line;
};

class DocumentMalForme : public testing::TestWithParam<CasMalForme> {};

TEST_P(DocumentMalForme, IsReportedWithItsLineAndYieldsNoGame) {
    const LectureXml lu = lire_document_xml(GetParam().document);
    EXPECT_FALSE(lu.bienForme);
    EXPECT_FALSE(lu.readable());
    EXPECT_EQ(lu.line, GetParam().line);
    EXPECT_TRUE(lu.partie.GameText.empty());
    EXPECT_TRUE(lu.partie.GameMoveText.empty());
}

std::string imbrique(int niveaux) {
    std::string s;
    for (int i = 0; i < niveaux; ++i) s += "<a>";
    s += "<Move>1.e4</Move>";
    for (int i = 0; i < niveaux; ++i) s += "</a>";
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DocumentMalForme,
    testing::Values(CasMalForme{"empty", "", 1},
                    CasMalForme{"unclosed", "<LIST>\r\n<GAME>\r\n<Move>1.e4</Move>\r\n", 4},
                    CasMalForme{"crossed", "<LIST>\r\n<GAME><Move>1.e4</GAME></Move>\r\n</LIST>",
                                2},
                    // What the old format wrote for a name with an ampersand.
                    CasMalForme{"bare_ampersand",
                                "<LIST>\r\n<GAME>\r\n<White>Smith & Wesson</White>\r\n"
                                "<Move>1.e4 *</Move>\r\n</GAME>\r\n</LIST>\r\n",
                                3},
                    CasMalForme{"unknown_entity", "<Move>1.e4 &bogus;</Move>", 1},
                    CasMalForme{"two_roots", "<Move>1.e4</Move>\r\n<Move>1.d4</Move>", 2},
                    CasMalForme{"html", "<html><body><p>Not found<br></body></html>", 1},
                    CasMalForme{"too_deep", imbrique(100000), 1}),
    [](const testing::TestParamInfo<CasMalForme>& i) { return std::string(i.param.name); });

TEST(LectureXml, EveryTextBecomesATagLineAndMoveTheMoves) {
    const LectureXml lu = lire_document_xml(
        "<?xml version=\"1.0\"?>\n<!-- a comment -->\n<games><game id=\"1\">\n"
        "  <Event>Club\n   championship</Event>\n  <Empty></Empty>\n  <Blank>   </Blank>\n"
        "  <Move>\n    1.e4 e5\n    2.Nf3 Nc6\n  </Move>\n"
        "  <Note>a &amp; b <![CDATA[<c>]]> d</Note>\n</game></games>");
    ASSERT_TRUE(lu.readable());
    EXPECT_EQ(lu.partie.GameText, "[Event \"Club championship\"]\r\n[Note \"a & b <c> d\"]\r\n");
    EXPECT_EQ(lu.partie.GameMoveText, "1.e4 e5 2.Nf3 Nc6 ");
}

TEST(LectureXml, MixedContentGivesOneLinePerTextNode) {
    const LectureXml lu = lire_document_xml("<p>avant<Move>1.d4</Move>apres</p>");
    ASSERT_TRUE(lu.readable());
    EXPECT_EQ(lu.partie.GameText, "[p \"avant\"]\r\n[p \"apres\"]\r\n");
}

TEST(LectureXml, ADocumentWithoutMoveIsWellFormedButUnreadable) {
    const LectureXml lu =
        lire_document_xml("<LIST><GAME><White>A</White><Move></Move></GAME></LIST>");
    EXPECT_TRUE(lu.bienForme);
    EXPECT_FALSE(lu.readable());
    EXPECT_EQ(lu.partie.GameText, "[White \"A\"]\r\n");
}

TEST(LectureXml, TheDeclaredEncodingIsHonoured) {
    const LectureXml lu = lire_document_xml(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST><GAME><White>Ren\xE9</White>"
        "<Move>1.e4 *</Move></GAME></LIST>");
    ASSERT_TRUE(lu.readable());
    EXPECT_EQ(lu.partie.GameText, "[White \"René\"]\r\n");
}

TEST(LectureXml, NestingUpToTheLimitIsRead) {
    EXPECT_TRUE(lire_document_xml(imbrique(ProfondeurMaximale / 2 - 1)).readable());
    EXPECT_FALSE(lire_document_xml(imbrique(ProfondeurMaximale / 2)).bienForme);
}

struct CasResultat {
    std::string moves;
    std::string entete;
    std::string attendu;
};

class ResultatPartie : public testing::TestWithParam<CasResultat> {};

TEST_P(ResultatPartie, ComesFromTheMovesThenTheResultTag) {
    const PartieXmlLue p{GetParam().entete, GetParam().moves};
    EXPECT_EQ(resultat_partie(p), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(Cas, ResultatPartie,
                         testing::Values(CasResultat{"1.e4 e5 1-0 ", "", "1-0"},
                                         CasResultat{"1.e4 e5 1/2-1/2 ", "[Result \"0-1\"]\r\n",
                                                     "1/2-1/2"},
                                         CasResultat{"1.e4 e5 ", "[Result \"0-1\"]\r\n", "0-1"},
                                         CasResultat{"1.e4 e5 ", "[Result \"gagné\"]\r\n", "*"},
                                         CasResultat{"1-0 ", "", "1-0"}, CasResultat{"", "", "*"}));

} // namespace
