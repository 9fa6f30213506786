// SPDX-License-Identifier: GPL-3.0-or-later
// The games-file flow without a window: a file's games listed through the settings' filter,
// the first or a listed game opened, what is said of a missing file, and a conversion.
#include "records/GamesFileController.h"
#include "records/PgnReader.h"

#include "session/SessionDoubles.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace quarvelin;
using namespace quarvelin::test;
using Mode = GamesFileController::ReadMode;

namespace {

const std::string Varied = QUARVELIN_TEST_DATA "/varied.pgn";
const std::string Broken = QUARVELIN_TEST_DATA "/broken.pgn";

class RecordingGamesView : public GamesFileView {
public:
    std::vector<std::pair<std::shared_ptr<const PgnIndex>, std::string>> lists;
    std::vector<ParsedGame> opened;
    int recentChanges = 0;
    void showGameList(std::shared_ptr<const PgnIndex> games, const std::string& status) override {
        lists.emplace_back(std::move(games), status);
    }
    void openGame(const ParsedGame& game) override { opened.push_back(game); }
    void recentFilesChanged() override { ++recentChanges; }

    std::vector<std::string> events() const {
        std::vector<std::string> list;
        const PgnIndex& games = *lists.back().first;
        for (std::size_t i = 0; i < games.size(); ++i)
            list.emplace_back(games.value(i, PgnIndex::Event));
        return list;
    }
    std::string openedEvent(std::size_t i) const {
        for (const auto& [tag, value] : opened.at(i).tags)
            if (tag == "Event") return value;
        return {};
    }
};

class GamesFileControllerTest : public ::testing::Test {
protected:
    std::string said(TextKey key) const { return catalogue.text(key); }

    std::filesystem::path folder = testFolder("games-file");
    Settings settings = testSettings();
    OffsetCatalogue catalogue;
    RecordingDialogs dialogs;
    RecordingCommentary commentary;
    RecentFiles recent{QString::fromStdString((folder / "recents.ini").string())};
    RecordingGamesView view;
    InPlaceRunner runner;
    GamesFileController controller{settings, catalogue, dialogs, commentary, recent, view, runner};
};

TEST_F(GamesFileControllerTest, ListingGoesByTheFilterAndTheLimit) {
    const std::vector<std::string> all = {"Paris opera",         "Club game",
                                          "Promotions",          "Black side",
                                          "Black to move first", "No result, next game follows",
                                          "Windows lines"};
    const struct {
        const char* event;
        const char* result;
        int limit;
        std::vector<std::string> listed;
    } cases[] = {
        {"", "", 1000, all},
        {"black", "", 1000, {"Black side", "Black to move first"}},
        {"", "1-0", 1000, {"Paris opera", "Windows lines"}},
        {"", "", 2, {"Paris opera", "Club game"}},
        {"", "", 1, {"Paris opera"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.event) + "/" + c.result + "/" + std::to_string(c.limit));
        view.lists.clear();
        settings.CRITERE_EVENT = c.event;
        settings.CRITERE_RESULTAT = c.result;
        settings.MAX_SEUIL_PARTIE = c.limit;
        controller.lire_fichier_pgn(Mode::ListFile, Varied);
        ASSERT_EQ(view.lists.size(), 2u);
        EXPECT_EQ(view.lists[0].first, nullptr) << "the old list cleared first";
        ASSERT_NE(view.lists[1].first, nullptr);
        EXPECT_EQ(view.events(), c.listed);
        const std::string seen = std::to_string(view.lists[1].first->views());
        // "1 game selected", in the form the count takes.
        const TextKey words =
            c.listed.size() == 1 ? TextKey::GamesSelectedOutOfOne : TextKey::GamesSelectedOutOf;
        EXPECT_EQ(view.lists[1].second, std::to_string(c.listed.size()) + said(words) + seen);
        if (c.limit == 1000) {
            EXPECT_EQ(seen, "7");
        }
    }
    EXPECT_TRUE(view.opened.empty());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(controller.currentFile(), Varied);
    EXPECT_EQ(recent.list(), std::vector<std::string>{Varied});
    EXPECT_EQ(view.recentChanges, 5) << "the menu refreshed after each listing";
}

TEST_F(GamesFileControllerTest, OpeningTheFirstGameIgnoresTheFilter) {
    settings.CRITERE_EVENT = "Windows";
    controller.lire_fichier_pgn(Mode::OpenFirst, Broken);
    ASSERT_EQ(view.lists.size(), 2u);
    ASSERT_EQ(view.lists[1].first->size(), 1u);
    ASSERT_EQ(view.opened.size(), 1u);
    EXPECT_EQ(view.openedEvent(0), "fine");
    // The comment window starts again with the file, then the game's tags.
    EXPECT_EQ(commentary.text,
              said(TextKey::ChessGame) + " {" + Broken + "} :\n[Event \"fine\"]\r\n\r\n");
    EXPECT_TRUE(dialogs.messages.empty()) << "no box over the board";
    EXPECT_EQ(controller.currentFile(), Broken);
}

TEST_F(GamesFileControllerTest, AListedGameOpensAtItsPlace) {
    controller.lire_fichier_pgn(Mode::ListFile, Broken);
    const std::shared_ptr<const PgnIndex> games = view.lists.back().first;
    ASSERT_EQ(games->size(), 5u);
    commentary.text = "before";
    const struct {
        std::uint64_t position;
        const char* event; // none: nothing opened, and a box says so
    } cases[] = {
        {games->position(4), "fine again"},
        // A game that does not read whole is opened as far as it reads, and the trouble said.
        {games->position(1), "illegal move"},
        {std::filesystem::file_size(Broken), nullptr}, // no game there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        view.opened.clear();
        dialogs.messages.clear();
        controller.lire_fichier_pgn(Mode::ReadSelection, Broken, c.position);
        ASSERT_EQ(view.opened.size(), c.event ? 1u : 0u);
        EXPECT_EQ(dialogs.messages.size(), c.event ? 0u : 1u);
        if (c.event) {
            EXPECT_EQ(view.openedEvent(0), c.event);
            // After the tags, one line for what stopped the game, with its place in the file.
            const std::string& tags = view.opened[0].GameText;
            const std::string problem = readingMessage(view.opened[0], catalogue);
            EXPECT_EQ(commentary.text.substr(commentary.text.find(tags) + tags.size()),
                      problem.empty() ? "" : problem + " (<46>)\n");
        }
        EXPECT_EQ(commentary.text.rfind(said(TextKey::ChessGame) + " {" + Broken + "} :\n", 0), 0u);
    }
    EXPECT_EQ(view.lists.size(), 2u) << "the list stays";
    EXPECT_EQ(view.recentChanges, 1);
}

TEST_F(GamesFileControllerTest, AHiddenCommentWindowIsLeftAlone) {
    commentary.shows = false;
    commentary.text = "kept";
    controller.lire_fichier_pgn(Mode::OpenFirst, Varied);
    ASSERT_EQ(view.opened.size(), 1u);
    EXPECT_EQ(commentary.text, "kept");
}

TEST_F(GamesFileControllerTest, AMissingFileIsSaidAndChangesNothing) {
    const std::string absent = (folder / "absent.pgn").string();
    const struct {
        Mode mode;
        TextKey text;
        DialogIcon icon;
    } cases[] = {
        {Mode::ListFile, TextKey::FileNotFound, DialogIcon::Exclamation},
        {Mode::OpenFirst, TextKey::FileNotFound, DialogIcon::Exclamation},
        {Mode::ReadSelection, TextKey::GamesFileMissing, DialogIcon::Information},
    };
    commentary.text = "kept";
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        dialogs.messages.clear();
        controller.lire_fichier_pgn(c.mode, absent);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, said(c.text) + "\n" + absent);
        EXPECT_EQ(dialogs.messages[0].icon, c.icon);
    }
    EXPECT_TRUE(view.lists.empty());
    EXPECT_TRUE(view.opened.empty());
    EXPECT_EQ(commentary.text, "kept");
    EXPECT_TRUE(recent.list().empty());
    EXPECT_EQ(controller.currentFile(), "");
}

// The runner given for a conversion, else the controller's own.
class CountingRunner : public InPlaceRunner {
public:
    std::vector<std::string> titles;
    void run(const std::string& title, const LongTask& task) override {
        titles.push_back(title);
        InPlaceRunner::run(title, task);
    }
};

TEST_F(GamesFileControllerTest, ConvertingGoesByTheFilterAndSaysHowItWent) {
    settings.CRITERE_RESULTAT = "1-0";
    settings.MAX_SEUIL_PARTIE = 1; // a conversion takes every game the filter accepts
    const std::string target = (folder / "kept.pgn").string();
    CountingRunner shown;
    const ConversionResult r =
        controller.convert(Varied, target, {.format = ConversionFormat::Pgn}, &shown);
    ASSERT_TRUE(r.success());
    EXPECT_EQ(r.writtenCount, 2);
    EXPECT_EQ(shown.titles, std::vector<std::string>{said(TextKey::ConvertingPrefix) + Varied});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, conversionMessage(r, catalogue));
    EXPECT_EQ(dialogs.messages[0].icon, DialogIcon::Information);

    const std::string absent = (folder / "absent.pgn").string();
    const ConversionResult missing = controller.convert(absent, target, {});
    EXPECT_EQ(missing.error, ConversionResult::Error::SourceMissing);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, conversionMessage(missing, catalogue));
    EXPECT_EQ(dialogs.messages[1].icon, DialogIcon::Exclamation);
    EXPECT_EQ(shown.titles.size(), 1u);
}

} // namespace
