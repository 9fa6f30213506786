#include "records/XmlLoader.h"
#include "records/RemoteGame.h"
#include "session/SessionDoubles.h"
#include "support/LocalHttpServer.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"
#include "support/XmlLoaderFixture.h"

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

class XmlLoaderTest : public test::XmlLoaderFixture {
protected:
    test::LocalHttpServer server;
    test::OffsetCatalogue catalogue;
};

TEST_F(XmlLoaderTest, FetchesAndReadsTheGame) {
    server.serve("/partie.xml", {200, "OK", Document});
    const LoadResult r = wait("Finale " + server.address("/partie.xml"));
    ASSERT_TRUE(r.succeeded()) << r.message(catalogue);
    EXPECT_EQ(r.address, server.address("/partie.xml"));
    EXPECT_EQ(r.game.GameText, "[Event \"Open & Co\"]\r\n[White \"Zoë\"]\r\n");
    EXPECT_EQ(r.game.GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
    EXPECT_EQ(r.result, "1-0");
}

struct FailureCase {
    const char* name;
    test::LocalHttpServer::Answer answer;
    LoadFailure failure;
    std::string message; // before the address's line
};

class FailureServed : public XmlLoaderTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(FailureServed, IsReportedWithTheAddress) {
    loading.setDelay(300ms);
    server.serve("/doc", GetParam().answer);
    const LoadResult r = wait(server.address("/doc"));
    EXPECT_EQ(r.failure, GetParam().failure);
    EXPECT_EQ(r.message(catalogue), GetParam().message + "\n" + server.address("/doc"));
}

INSTANTIATE_TEST_SUITE_P(
    Case, FailureServed,
    testing::Values(FailureCase{"not_found",
                                {404, "Not Found", "<html>absent</html>"},
                                LoadFailure::Http,
                                "<121>\n<984>404 Not Found"},
                    FailureCase{
                        "no_answer", {200, "OK", "", true}, LoadFailure::Delay, "<121><122>"},
                    FailureCase{"not_xml",
                                {200, "OK", "<LIST>\n<GAME>\n<White>A & B</White>"},
                                LoadFailure::Malformed,
                                "<121>\n<989>3<993>11"},
                    FailureCase{"no_move",
                                {200, "OK", "<LIST><GAME><White>A</White></GAME></LIST>"},
                                LoadFailure::NoMoves,
                                "<121><122>"},
                    FailureCase{"too_large",
                                {200, "OK", "<LIST>", false, 100LL * 1024 * 1024},
                                LoadFailure::TooLarge,
                                "<121>\n<990>"}),
    [](const testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

// A loopback port nobody listens on: bound and given back at once.
int portIsFree() {
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

TEST_F(XmlLoaderTest, AClosedPortIsARefusedConnection) {
    const std::string address = "http://127.0.0.1:" + std::to_string(portIsFree()) + "/x";
    const LoadResult r = wait(address);
    EXPECT_EQ(r.failure, LoadFailure::ConnectionRefused);
    EXPECT_EQ(r.message(catalogue), "<121>\n<986>\n" + address);
}

struct ImmediateCase {
    std::string text;
    LoadFailure failure;
    std::string message;
};

class ImmediateFailure : public XmlLoaderTest, public testing::WithParamInterface<ImmediateCase> {};

TEST_P(ImmediateFailure, IsReportedBeforeAnyRequest) {
    bool called = false;
    LoadResult r;
    EXPECT_FALSE(loading.load(GetParam().text, [&](const LoadResult& x) {
        called = true;
        r = x;
    }));
    EXPECT_TRUE(called);
    EXPECT_FALSE(loading.inProgress());
    EXPECT_EQ(r.failure, GetParam().failure);
    EXPECT_EQ(r.message(catalogue), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Case, ImmediateFailure,
    testing::Values(
        ImmediateCase{"www.example.org/partie.xml", LoadFailure::NotAnAddress, "<120>"},
        ImmediateCase{"ftp://example.org/partie.xml", LoadFailure::NotAnAddress, "<120>"},
        ImmediateCase{"http://", LoadFailure::Refuse, "<121>\nhttp://"},
        ImmediateCase{"http://exa mple.org/", LoadFailure::Refuse, "<121>\nhttp://exa mple.org/"},
        ImmediateCase{"file://", LoadFailure::Refuse, "<121>\nfile://"},
        // Only files of this machine.
        ImmediateCase{"file://example.org/partie.xml", LoadFailure::Refuse,
                      "<121>\nfile://example.org/partie.xml"}));

TEST_F(XmlLoaderTest, AFileAddressReadsTheFile) {
    const auto folder = test::testFolder("chargement");
    const std::string path = (folder / "partie.xml").string();
    { std::ofstream(path, std::ios::binary) << Document; }
    for (const std::string& address : {"file://" + path, "Finale file://localhost" + path}) {
        const LoadResult r = wait(address);
        ASSERT_TRUE(r.succeeded()) << r.message(catalogue);
        EXPECT_EQ(r.game.GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
    }
}

TEST_F(XmlLoaderTest, AFileThatIsNotThereOrCannotBeReadIsSaidSo) {
    const auto folder = test::testFolder("chargement");
    const std::string absent = "file://" + (folder / "absent.xml").string();
    LoadResult r = wait(absent);
    EXPECT_EQ(r.failure, LoadFailure::MissingFile);
    EXPECT_EQ(r.message(catalogue), "<121>\n<270>\n" + absent);

    // A folder is there but is no file to read.
    const std::string addressFolder = "file://" + folder.string();
    r = wait(addressFolder);
    EXPECT_EQ(r.failure, LoadFailure::UnreadableFile);
    EXPECT_TRUE(r.message(catalogue).starts_with("<121>\n<994>")) << r.message(catalogue);
    EXPECT_GT(r.detail.size(), 0u);
    EXPECT_TRUE(r.message(catalogue).ends_with("\n" + addressFolder));
}

TEST_F(XmlLoaderTest, ADroppedLoadNeverReports) {
    server.serve("/lent", {200, "OK", "", true});
    bool called = false;
    ASSERT_TRUE(loading.load(server.address("/lent"), [&](const LoadResult&) { called = true; }));
    EXPECT_TRUE(loading.inProgress());
    loading.resign();
    EXPECT_FALSE(loading.inProgress());
    QElapsedTimer shows;
    shows.start();
    while (shows.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(called);
}

class RemoteGameTest : public XmlLoaderTest {
protected:
    // Runs the event loop until the controller says the load is over.
    void waitForEnd() {
        QElapsedTimer shows;
        shows.start();
        while (!finished && shows.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(finished);
    }

    test::RecordingDialogs dialogs;
    test::RecordingCommentary commentary;
    RemoteGame controller{catalogue, dialogs, commentary, "quarvelin"};
    std::optional<ReceivedGame> received;
    bool finished = false;

    void SetUp() override {
        controller.received = [this](const ReceivedGame& p) { received = p; };
        controller.finished = [this] { finished = true; };
    }
};

TEST_F(RemoteGameTest, ShowsTheGameAndHandsItOn) {
    server.serve("/partie.xml", {200, "OK", Document});
    commentary.shows = true;
    ASSERT_TRUE(controller.load(server.address("/partie.xml")));
    waitForEnd();
    ASSERT_TRUE(received.has_value());
    const std::string tags = "[Event \"Open & Co\"]\r\n[White \"Zoë\"]\r\n";
    EXPECT_EQ(received->GameText, tags + "\r\n");
    EXPECT_EQ(received->GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
    EXPECT_EQ(received->GameResult, "1-0");
    EXPECT_EQ(commentary.text, "<28> {" + server.address("/partie.xml") + "} :\r\n" + tags);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "<123>");
    EXPECT_EQ(dialogs.messages[0].text, tags + "\r\n1.e4 e5 2.Nf3 1-0 ");
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Information);
}

TEST_F(RemoteGameTest, AFailureIsReportedAndNothingIsHandedOn) {
    ASSERT_TRUE(controller.load(server.address("/ailleurs.xml")));
    waitForEnd();
    EXPECT_FALSE(received.has_value());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "quarvelin");
    EXPECT_EQ(dialogs.messages[0].text,
              "<121>\n<984>404 Not Found\n" + server.address("/ailleurs.xml"));
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Exclamation);
}

} // namespace
