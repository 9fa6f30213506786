// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/VersionCheck.h"
#include "session/SessionDoubles.h"
#include "support/LocalHttpServer.h"
#include "support/TestDoubles.h"
#include "support/XmlLoaderFixture.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace std::chrono_literals;

namespace {

const std::string Line(84, '-');

std::string document(const std::string& inside) {
    return "<?xml version=\"1.0\"?>\n<QUARVELIN>\n<RELEASE>\n" + inside +
           "\n</RELEASE>\n</QUARVELIN>\n";
}

class VersionCheckTest : public test::XmlLoaderFixture {
protected:
    void SetUp() override {
        check.setDelay(400ms);
        check.append = [this](const std::string& t) { contents += t; };
        check.finished = [this](bool verdict) { ++(verdict ? verdicts : failures); };
    }
    // Runs the event loop until the check has reported one way or the other.
    void waitForCheck() {
        ASSERT_TRUE(spinUntil([&] { return !check.inProgress(); }));
    }

    test::LocalHttpServer server;
    test::OffsetCatalogue catalogue;
    test::ScriptedDialogs dialogs;
    VersionCheck check{catalogue, dialogs, "quarvelin", "5.0.1"};
    std::string contents;
    int verdicts = 0, failures = 0;
};

TEST_F(VersionCheckTest, VerdictFollowsThePublishedVersion) {
    const std::string head = "[quarvelin - <83> 5.0.1]\n" + Line + "\n<130>\n";
    const std::string upToDate = "<131>\n" + Line + "\n";
    const std::string newer = "<133>\n<132>\n" + Line + "\n";
    const std::string unknown = "<134>\n<135>\n" + Line + "\n";
    const struct {
        const char* name;
        test::LocalHttpServer::Answer answer;
        VersionCheck::Verdict verdict;
        std::string listed, tail;
    } cases[] = {
        {"equal",
         {200, "OK", document("<VERSION>5.0.1</VERSION>")},
         VersionCheck::Verdict::UpToDate,
         "VERSION [5.0.1]\n",
         upToDate},
        {"newer",
         {200, "OK", document("<VERSION> 5.0.10 </VERSION><DATE>2026-11-30</DATE>")},
         VersionCheck::Verdict::NewerPublished,
         "VERSION [ 5.0.10 ]\nDATE [2026-11-30]\n",
         newer},
        // The running copy is ahead of what was published: nothing to fetch.
        {"older",
         {200, "OK", document("<VERSION>4.9.12</VERSION>")},
         VersionCheck::Verdict::UpToDate,
         "VERSION [4.9.12]\n",
         upToDate},
        {"no_version",
         {200, "OK", document("<AUTEUR>L'équipe</AUTEUR><NOTE><P>Corrections</P></NOTE>")},
         VersionCheck::Verdict::Unknown,
         "AUTEUR [L'équipe]\nP [Corrections]\n",
         unknown},
        {"never_answers", {200, "OK", "", true}, VersionCheck::Verdict::Unknown, "", unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        contents.clear();
        verdicts = 0;
        server.serve(std::string("/") + c.name, c.answer);
        ASSERT_TRUE(check.check(server.address(std::string("/") + c.name)));
        waitForCheck();
        EXPECT_EQ(check.verdict(), c.verdict);
        EXPECT_EQ(contents, head + c.listed + Line + "\n" + c.tail);
        EXPECT_EQ(verdicts, 1);
        EXPECT_TRUE(dialogs.messages.empty());
    }
    // Each check starts from nothing: the last document had no version.
    EXPECT_EQ(check.published().PublishedVersion, "");
    EXPECT_EQ(check.published().PublishedAuthor, "");
}

TEST_F(VersionCheckTest, ADocumentThatCannotBeReadLeavesTheWindowAsItWas) {
    server.serve("/malformed", {200, "OK", "<QUARVELIN><VERSION>5.0.1</QUARVELIN>"});
    server.serve("/missing", {404, "Not Found", ""});
    const std::string addresses[] = {server.address("/malformed"), server.address("/missing"),
                                     "http://127.0.0.1:" + std::to_string(test::unusedPort()) +
                                         "/version.xml",
                                     "ftp://x/version.xml"};
    for (const std::string& address : addresses) {
        SCOPED_TRACE(address);
        failures = 0;
        dialogs.messages.clear();
        check.check(address);
        waitForCheck();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "<134>");
        EXPECT_EQ(failures, 1);
        EXPECT_EQ(contents, "");
        EXPECT_EQ(verdicts, 0);
    }
}

TEST_F(VersionCheckTest, AsksFirstAndNeedsAnAddress) {
    server.serve("/v", {200, "OK", document("<VERSION>5.0.1</VERSION>")});
    dialogs.answers = {false};
    EXPECT_FALSE(check.check(server.address("/v")));
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "<296>\n<297>");
    EXPECT_FALSE(check.inProgress());

    EXPECT_FALSE(check.check("  "));
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_NE(contents.find("<1153>"), std::string::npos);
}

TEST(VersionNumbers, ComparedNumberByNumber) {
    const struct {
        const char *a, *b;
        int order;
    } cases[] = {
        {"5.0.1", "5.0.1", 0},   {" 5 . 0 . 1 ", "5.0.1", 0}, {"5.0.10", "5.0.9", 1},
        {"5.0", "5.0.0", 0},     {"5.1", "5.0.12", 1},        {"05.0.1", "5.0.1", 0},
        {"4.99.0", "5.0.0", -1}, {"5.0.1b", "5.0.1a", 1},     {"", "0.0.1", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(compareVersions(c.a, c.b), c.order);
        EXPECT_EQ(compareVersions(c.b, c.a), -c.order);
    }
}

TEST(VersionDocument, TextNodesAtAnyDepthAreListed) {
    PublishedRelease p;
    const NodeList n =
        lister_noeuds("<A x=\"1\"><B><C><VERSION>6.1.0</VERSION></C></B><DATE>1er &amp; 2</DATE>"
                      "<AUTEUR><![CDATA[Q & R]]></AUTEUR><E/></A>",
                      p);
    EXPECT_TRUE(n.wellFormed);
    EXPECT_EQ(n.lines, "VERSION [6.1.0]\nDATE [1er & 2]\nAUTEUR [Q & R]\n");
    EXPECT_EQ(p.PublishedVersion, "6.1.0");
    EXPECT_EQ(p.PublishedDate, "1er & 2");
    EXPECT_EQ(p.PublishedAuthor, "Q & R");
}

} // namespace
