#include "records/ChargementXml.h"
#include "records/PartieDistante.h"
#include "session/SessionDoubles.h"
#include "support/AttenteChargement.h"
#include "support/DossierDeTest.h"
#include "support/ServeurHttpLocal.h"
#include "support/TestDoubles.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <optional>

using namespace quarvelin;
using namespace std::chrono_literals;

namespace {

const std::string Document = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<LIST>\r\n<GAME>\r\n"
                             "<Event>Open &amp; Co</Event>\r\n<White>Zoë</White>\r\n"
                             "<Move>1.e4 e5 2.Nf3 1-0</Move>\r\n<Comment></Comment>\r\n"
                             "</GAME>\r\n</LIST>\r\n";

class ChargementXmlTest : public test::TestChargementXml {
protected:
    test::ServeurHttpLocal serveur;
    test::OffsetCatalogue catalogue;
};

TEST_F(ChargementXmlTest, FetchesAndReadsTheGame) {
    serveur.servir("/partie.xml", {200, "OK", Document});
    const ResultatChargement r = attendre("Finale " + serveur.adresse("/partie.xml"));
    ASSERT_TRUE(r.reussi()) << r.message(catalogue);
    EXPECT_EQ(r.adresse, serveur.adresse("/partie.xml"));
    EXPECT_EQ(r.partie.GameText, "[Event \"Open & Co\"]\r\n[White \"Zoë\"]\r\n");
    EXPECT_EQ(r.partie.GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
    EXPECT_EQ(r.result, "1-0");
}

struct CasEchec {
    const char* name;
    test::ServeurHttpLocal::Reponse reponse;
    EchecChargement echec;
    std::string message; // before the address's line
};

class EchecServi : public ChargementXmlTest, public testing::WithParamInterface<CasEchec> {};

TEST_P(EchecServi, IsReportedWithTheAddress) {
    chargement.setDelai(300ms);
    serveur.servir("/doc", GetParam().reponse);
    const ResultatChargement r = attendre(serveur.adresse("/doc"));
    EXPECT_EQ(r.echec, GetParam().echec);
    EXPECT_EQ(r.message(catalogue), GetParam().message + "\n" + serveur.adresse("/doc"));
}

INSTANTIATE_TEST_SUITE_P(
    Cas, EchecServi,
    testing::Values(CasEchec{"not_found",
                             {404, "Not Found", "<html>absent</html>"},
                             EchecChargement::Http,
                             "<121>\n<984>404 Not Found"},
                    CasEchec{
                        "no_answer", {200, "OK", "", true}, EchecChargement::Delai, "<121><122>"},
                    CasEchec{"not_xml",
                             {200, "OK", "<LIST>\n<GAME>\n<White>A & B</White>"},
                             EchecChargement::MalForme,
                             "<121>\n<989>3<993>11"},
                    CasEchec{"no_move",
                             {200, "OK", "<LIST><GAME><White>A</White></GAME></LIST>"},
                             EchecChargement::SansCoups,
                             "<121><122>"},
                    CasEchec{"too_large",
                             {200, "OK", "<LIST>", false, 100LL * 1024 * 1024},
                             EchecChargement::TropGros,
                             "<121>\n<990>"}),
    [](const testing::TestParamInfo<CasEchec>& i) { return std::string(i.param.name); });

// A loopback port nobody listens on: bound and given back at once.
int port_libre() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), n);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(s);
    return ntohs(a.sin_port);
}

TEST_F(ChargementXmlTest, AClosedPortIsARefusedConnection) {
    const std::string adresse = "http://127.0.0.1:" + std::to_string(port_libre()) + "/x";
    const ResultatChargement r = attendre(adresse);
    EXPECT_EQ(r.echec, EchecChargement::ConnexionRefusee);
    EXPECT_EQ(r.message(catalogue), "<121>\n<986>\n" + adresse);
}

struct CasImmediat {
    std::string text;
    EchecChargement echec;
    std::string message;
};

class EchecImmediat : public ChargementXmlTest, public testing::WithParamInterface<CasImmediat> {};

TEST_P(EchecImmediat, IsReportedBeforeAnyRequest) {
    bool appele = false;
    ResultatChargement r;
    EXPECT_FALSE(chargement.load(GetParam().text, [&](const ResultatChargement& x) {
        appele = true;
        r = x;
    }));
    EXPECT_TRUE(appele);
    EXPECT_FALSE(chargement.en_cours());
    EXPECT_EQ(r.echec, GetParam().echec);
    EXPECT_EQ(r.message(catalogue), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, EchecImmediat,
    testing::Values(
        CasImmediat{"www.example.org/partie.xml", EchecChargement::PasAdresseWeb, "<120>"},
        CasImmediat{"ftp://example.org/partie.xml", EchecChargement::PasAdresseWeb, "<120>"},
        CasImmediat{"http://", EchecChargement::Refuse, "<121>\nhttp://"},
        CasImmediat{"http://exa mple.org/", EchecChargement::Refuse, "<121>\nhttp://exa mple.org/"},
        CasImmediat{"file://", EchecChargement::Refuse, "<121>\nfile://"},
        // Only files of this machine.
        CasImmediat{"file://example.org/partie.xml", EchecChargement::Refuse,
                    "<121>\nfile://example.org/partie.xml"}));

TEST_F(ChargementXmlTest, AFileAddressReadsTheFile) {
    const auto folder = test::dossier_de_test("chargement");
    const std::string path = (folder / "partie.xml").string();
    { std::ofstream(path, std::ios::binary) << Document; }
    for (const std::string& adresse : {"file://" + path, "Finale file://localhost" + path}) {
        const ResultatChargement r = attendre(adresse);
        ASSERT_TRUE(r.reussi()) << r.message(catalogue);
        EXPECT_EQ(r.partie.GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
    }
}

TEST_F(ChargementXmlTest, AFileThatIsNotThereOrCannotBeReadIsSaidSo) {
    const auto folder = test::dossier_de_test("chargement");
    const std::string absent = "file://" + (folder / "absent.xml").string();
    ResultatChargement r = attendre(absent);
    EXPECT_EQ(r.echec, EchecChargement::FichierAbsent);
    EXPECT_EQ(r.message(catalogue), "<121>\n<270>\n" + absent);

    // A folder is there but is no file to read.
    const std::string dossierAdresse = "file://" + folder.string();
    r = attendre(dossierAdresse);
    EXPECT_EQ(r.echec, EchecChargement::FichierIllisible);
    EXPECT_TRUE(r.message(catalogue).starts_with("<121>\n<994>")) << r.message(catalogue);
    EXPECT_GT(r.detail.size(), 0u);
    EXPECT_TRUE(r.message(catalogue).ends_with("\n" + dossierAdresse));
}

TEST_F(ChargementXmlTest, ADroppedLoadNeverReports) {
    serveur.servir("/lent", {200, "OK", "", true});
    bool appele = false;
    ASSERT_TRUE(chargement.load(serveur.adresse("/lent"),
                                   [&](const ResultatChargement&) { appele = true; }));
    EXPECT_TRUE(chargement.en_cours());
    chargement.abandonner();
    EXPECT_FALSE(chargement.en_cours());
    QElapsedTimer montre;
    montre.start();
    while (montre.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(appele);
}

class PartieDistanteTest : public ChargementXmlTest {
protected:
    // Runs the event loop until the controller says the load is over.
    void attendre_fin() {
        QElapsedTimer montre;
        montre.start();
        while (!fini && montre.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(fini);
    }

    test::RecordingDialogs dialogs;
    test::RecordingCommentary commentaire;
    PartieDistante controleur{catalogue, dialogs, commentaire, "quarvelin"};
    std::optional<PartieRecue> recue;
    bool fini = false;

    void SetUp() override {
        controleur.recue = [this](const PartieRecue& p) { recue = p; };
        controleur.fini = [this] { fini = true; };
    }
};

TEST_F(PartieDistanteTest, ShowsTheGameAndHandsItOn) {
    serveur.servir("/partie.xml", {200, "OK", Document});
    commentaire.montre = true;
    ASSERT_TRUE(controleur.load(serveur.adresse("/partie.xml")));
    attendre_fin();
    ASSERT_TRUE(recue.has_value());
    const std::string tags = "[Event \"Open & Co\"]\r\n[White \"Zoë\"]\r\n";
    EXPECT_EQ(recue->GameText, tags + "\r\n");
    EXPECT_EQ(recue->GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
    EXPECT_EQ(recue->GameResult, "1-0");
    EXPECT_EQ(commentaire.text, "<28> {" + serveur.adresse("/partie.xml") + "} :\r\n" + tags);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "<123>");
    EXPECT_EQ(dialogs.messages[0].text, tags + "\r\n1.e4 e5 2.Nf3 1-0 ");
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Information);
}

TEST_F(PartieDistanteTest, AFailureIsReportedAndNothingIsHandedOn) {
    ASSERT_TRUE(controleur.load(serveur.adresse("/ailleurs.xml")));
    attendre_fin();
    EXPECT_FALSE(recue.has_value());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "quarvelin");
    EXPECT_EQ(dialogs.messages[0].text,
              "<121>\n<984>404 Not Found\n" + serveur.adresse("/ailleurs.xml"));
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
}

} // namespace
