#include "records/ListeAdresses.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quarvelin;

namespace {

struct CasFichier {
    const char* name;
    std::string octets;
    std::vector<std::string> adresses;
};

class FichierAdresses : public testing::TestWithParam<CasFichier> {};

TEST_P(FichierAdresses, KeepsTrimmedLinesThatAreNotRemarks) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("adresses.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().octets.data(), static_cast<qint64>(GetParam().octets.size()));
    f.close();
    std::vector<std::string> adresses{"left over"};
    ASSERT_TRUE(lire_liste_adresses(path.toStdString(), adresses));
    EXPECT_EQ(adresses, GetParam().adresses);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, FichierAdresses,
    testing::Values(CasFichier{"utf8_bom_crlf",
                               "\xEF\xBB\xBFhttp://a.example/1.xml\r\n# remarque\r\n\r\n   \r\n"
                               "  Finale http://b.example/2.xml  \r\n#http://c.example/\n"
                               "Ch\xC3\xA2teau https://d.example/",
                               {"http://a.example/1.xml", "Finale http://b.example/2.xml",
                                "Ch\xC3\xA2teau https://d.example/"}},
                    CasFichier{"windows_1252",
                               "Ch\xE2teau http://e.example/\n",
                               {"Ch\xC3\xA2teau http://e.example/"}},
                    CasFichier{"only_remarks", "# rien\n\n", {}}),
    [](const testing::TestParamInfo<CasFichier>& i) { return std::string(i.param.name); });

TEST(ListeAdresses, AMissingFileIsNotRead) {
    std::vector<std::string> adresses{"kept"};
    EXPECT_FALSE(lire_liste_adresses("/nonexistent/quarvelin/list.txt", adresses));
    EXPECT_EQ(adresses, std::vector<std::string>{"kept"});
}

struct Cas {
    const char* line;
    const char* adresse;
};

class AdresseDeLigne : public testing::TestWithParam<Cas> {};

TEST_P(AdresseDeLigne, StartsAtTheScheme) {
    EXPECT_EQ(adresse_de_ligne(GetParam().line), GetParam().adresse);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, AdresseDeLigne,
    testing::Values(Cas{"http://a.example/x.xml", "http://a.example/x.xml"},
                    Cas{"Finale 1972 https://b.example/g.xml ", "https://b.example/g.xml"},
                    Cas{"HTTP://C.EXAMPLE/", "HTTP://C.EXAMPLE/"},
                    Cas{"voir https://d.example/?u=http://e", "https://d.example/?u=http://e"},
                    Cas{"Partie 3 file:///home/a/parties_0003.xml",
                        "file:///home/a/parties_0003.xml"},
                    Cas{"FILE:///tmp/x.xml", "FILE:///tmp/x.xml"},
                    Cas{"file:///a/b.xml?http://c", "file:///a/b.xml?http://c"},
                    Cas{"ftp://f.example/g.xml", ""}, Cas{"/tmp/x.xml", ""}, Cas{"", ""}));

} // namespace
