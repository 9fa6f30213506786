// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlLoader.h"
#include "records/RemoteGame.h"
#include "session/SessionDoubles.h"
#include "support/LocalHttpServer.h"
#include "support/TestDoubles.h"
#include "support/TestFolder.h"
#include "support/XmlLoaderFixture.h"

#include <gtest/gtest.h>

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

// Over HTTP or from a file of this machine, the address may follow a caption.
TEST_F(XmlLoaderTest, FetchesAndReadsTheGame) {
    server.serve("/partie.xml", {200, "OK", Document});
    const std::string path = (test::testFolder("chargement") / "partie.xml").string();
    test::writeText(path, Document);
    const std::string http = server.address("/partie.xml"), local = "file://localhost" + path;
    const std::pair<std::string, std::string> cases[] = {
        {"Finale " + http, http}, {"file://" + path, "file://" + path}, {"Finale " + local, local}};
    for (const auto& [typed, address] : cases) {
        SCOPED_TRACE(typed);
        const LoadResult r = wait(typed);
        ASSERT_TRUE(r.succeeded()) << r.message(catalogue);
        EXPECT_EQ(r.address, address);
        EXPECT_EQ(r.game.GameText, "[Event \"Open & Co\"]\r\n[White \"Zoë\"]\r\n");
        EXPECT_EQ(r.game.GameMoveText, "1.e4 e5 2.Nf3 1-0 ");
        EXPECT_EQ(r.result, "1-0");
    }
}

TEST_F(XmlLoaderTest, AFailureIsReportedWithTheAddress) {
    loading.setDelay(300ms);
    const std::string folder = "file://" + test::testFolder("chargement").string();
    const struct {
        const char* name;
        test::LocalHttpServer::Answer answer; // served at /name
        std::string address;                  // empty: the one served
        LoadFailure failure;
        std::string message; // before the address's line
    } cases[] = {
        {"not_found", {404, "Not Found", ""}, "", LoadFailure::Http, "<121>\n<984>404 Not Found"},
        {"no_answer", {200, "OK", "", true}, "", LoadFailure::Delay, "<121><122>"},
        {"not_xml",
         {200, "OK", "<LIST>\n<GAME>\n<White>A & B</White>"},
         "",
         LoadFailure::Malformed,
         "<121>\n<989>3<993>11"},
        {"no_move",
         {200, "OK", "<LIST><GAME><White>A</White></GAME></LIST>"},
         "",
         LoadFailure::NoMoves,
         "<121><122>"},
        {"too_large",
         {200, "OK", "<LIST>", false, 100LL * 1024 * 1024},
         "",
         LoadFailure::TooLarge,
         "<121>\n<990>"},
        {"refused",
         {},
         "http://127.0.0.1:" + std::to_string(test::unusedPort()) + "/x",
         LoadFailure::ConnectionRefused,
         "<121>\n<986>"},
        {"missing_file", {}, folder + "/absent.xml", LoadFailure::MissingFile, "<121>\n<270>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string address = c.address;
        if (address.empty()) {
            server.serve(std::string("/") + c.name, c.answer);
            address = server.address(std::string("/") + c.name);
        }
        const LoadResult r = wait(address);
        EXPECT_EQ(r.failure, c.failure);
        EXPECT_EQ(r.message(catalogue), c.message + "\n" + address);
    }
    // A folder is there but is no file to read: the system says why.
    const LoadResult r = wait(folder);
    EXPECT_EQ(r.failure, LoadFailure::UnreadableFile);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(r.message(catalogue), "<121>\n<994>" + r.detail + "\n" + folder);
}

TEST_F(XmlLoaderTest, WhatIsNoAddressIsRefusedBeforeAnyRequest) {
    const struct {
        std::string text;
        LoadFailure failure;
        std::string message;
    } cases[] = {
        {"www.example.org/partie.xml", LoadFailure::NotAnAddress, "<120>"},
        {"ftp://example.org/partie.xml", LoadFailure::NotAnAddress, "<120>"},
        {"http://", LoadFailure::Refuse, "<121>\nhttp://"},
        {"http://exa mple.org/", LoadFailure::Refuse, "<121>\nhttp://exa mple.org/"},
        {"file://", LoadFailure::Refuse, "<121>\nfile://"},
        // Only files of this machine.
        {"file://example.org/partie.xml", LoadFailure::Refuse,
         "<121>\nfile://example.org/partie.xml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::optional<LoadResult> r;
        EXPECT_FALSE(loading.load(c.text, [&](const LoadResult& x) { r = x; }));
        ASSERT_TRUE(r.has_value());
        EXPECT_FALSE(loading.inProgress());
        EXPECT_EQ(r->failure, c.failure);
        EXPECT_EQ(r->message(catalogue), c.message);
    }
}

TEST_F(XmlLoaderTest, ADroppedLoadNeverReports) {
    server.serve("/lent", {200, "OK", "", true});
    bool called = false;
    ASSERT_TRUE(loading.load(server.address("/lent"), [&](const LoadResult&) { called = true; }));
    EXPECT_TRUE(loading.inProgress());
    loading.resign();
    EXPECT_FALSE(loading.inProgress());
    EXPECT_FALSE(spinUntil([&] { return called; }, 300));
}

class RemoteGameTest : public XmlLoaderTest {
protected:
    // Runs the event loop until the controller says the load is over.
    void waitForEnd() {
        ASSERT_TRUE(spinUntil([&] { return finished; }));
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
