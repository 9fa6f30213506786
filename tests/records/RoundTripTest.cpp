// SPDX-License-Identifier: GPL-3.0-or-later
// A game read from a file, saved from the board and read again comes back as it was: the same
// positions move by move, the same tags, the same comments on the same moves, in the short
// and in the long notation, whichever colour is at the bottom of the board.
#include "notation/Fen.h"
#include "notation/PgnStream.h"
#include "records/PgnReader.h"
#include "records/SaveController.h"
#include "session/SessionDoubles.h"

#include "support/GamesOfText.h"
#include "support/Peers.h"
#include "support/TestFolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

constexpr const char* PgnExtract = "/usr/games/pgn-extract";
constexpr std::chrono::year_month_day Day{std::chrono::year{2026}, std::chrono::month{3},
                                          std::chrono::day{9}};

struct Expected {
    const char* name;
    std::string event, white, place; // tag values, in UTF-8
    std::string finalFen;
    std::map<std::size_t, std::string> notes; // by move played, from 1
};

// The games of aller-retour.pgn in file order; final positions as pgn-extract gives them.
const std::vector<Expected>& expectedList() {
    static const std::vector<Expected> a = {
        {"Windows1252CastlingsEnPassant",
         "Club championship",
         "Müller, Jürgen",
         "Lyon FRA",
         "2k2r1r/ppqb2pp/2n5/3pp3/3P3K/PNP2N2/4BPP1/R1BQR3 b - - 3 18",
         {{1, "Début classique."},
          {16, "Black goes long."},
          {17, "And White short."},
          {19, "En passant."},
          {22, "Black takes en passant too."},
          {24, "The bishop aims at h2."}}},
        {"FenPromotionsToMate",
         "Promotion study",
         "Keller, Urs",
         "Zürich SUI",
         "N4k2/5Q2/4B3/5K2/8/8/8/8 b - - 8 56",
         {{1, "Under-promotion with capture."}, {4, "A knight, with check."}, {31, "Mate."}}},
        {"FenBlackToMoveCastlings",
         "Rapid \"open\" 2019",
         "Peeters, Tom",
         "Ghent BEL",
         "8/pp2kppp/2n1b3/8/8/2N1B3/PP2KPPP/8 w - - 3 29",
         {{1, "Black castles first."}, {3, "The open file."}, {11, "Kings to the centre."}}},
        {"CrLfEnPassantMate",
         "Blitz arena",
         "Novak, Petr",
         "Internet",
         "rnb1kbnr/pppp1ppp/8/8/6Pq/3P1p2/PPPNP2P/R1BQKBNR w KQkq - 1 5",
         {{2, "Black answers in the centre. Two comments, one move."},
          {6, "En passant, and the king's side opens."},
          {8, "Mate on the diagonal."}}},
        {"FenEnPassantAtOnce",
         "Training game",
         "Svoboda, Jan",
         "Brno CZE",
         "rnbk3r/pp2b1pp/4pn2/2p3B1/4p3/2N5/PPP2PPP/R3KBNR w KQ - 2 9",
         {{1, "At once, en passant."}, {8, "The queens are gone."}, {9, "pins nothing"}}},
    };
    return a;
}

// The tags a saved record keeps.
std::map<std::string, std::string> keptTags(const std::string& header) {
    static const char* const Kept[] = {"Event", "Site",   "Date",  "Round", "White",
                                       "Black", "Result", "SetUp", "FEN"};
    std::istringstream in(header);
    PgnStream flux(in);
    PgnGame pgnGame;
    flux.next(pgnGame);
    std::map<std::string, std::string> m;
    for (const char* name : Kept)
        if (const std::string* v = pgnGame.tag(name)) m[name] = *v;
    return m;
}

std::string messages(const ScriptedDialogs& d) {
    std::string t;
    for (const auto& m : d.messages) t += m.text + "\n";
    for (const auto& q : d.questions) t += "? " + q.text + "\n";
    return t;
}

// What the board holds of a game once loaded.
struct Loaded {
    std::vector<std::string> fens; // entry 0 the start
    std::vector<std::string> notes;
    std::string result;
};

Loaded load(Bench& b, const ParsedGame& parsed) {
    EXPECT_TRUE(parsed.ok()) << static_cast<int>(parsed.error) << " " << parsed.errorNumber << " "
                             << parsed.detail;
    b->newGame();
    EXPECT_TRUE(b->loadGame(parsed));
    // A move the board refuses would be asked about, or reported.
    EXPECT_TRUE(b.dialogs.questions.empty() && b.dialogs.messages.empty()) << messages(b.dialogs);
    Loaded c;
    for (const Position& p : b->session().PositionStates) c.fens.push_back(writeFen(p));
    // A game that ends on the board gets its result line, which repeats the last position.
    const GameSession& g = b->session();
    if (!g.shortTexts.empty() && g.shortTexts.back().empty()) c.fens.pop_back();
    c.notes = b->session().notes;
    c.result = b->session().GameResult;
    return c;
}

// A game of aller-retour.pgn, checked against what is expected of it, or of varied.pgn, whose
// reading the reader's tests pin down; SAUVE_ABREGE; White at the bottom.
using Case = std::tuple<std::pair<const char*, std::size_t>, std::uint8_t, bool>;

class RoundTrip : public ::testing::TestWithParam<Case> {};

// The save window's text for the game on the board, written and read back into another board:
// the same positions, notes, result and kept tags, and pgn-extract has nothing to say about a
// short record.
TEST_P(RoundTrip, SavedGameReadsBackTheSame) {
    const auto [game, shortNotation, whiteAtBottom] = GetParam();
    const auto [file, i] = game;
    const std::vector<ParsedGame> games =
        readGames(readText(std::string(QUARVELIN_TEST_DATA) + "/" + file));
    ASSERT_LT(i, games.size());
    Settings s = freePlay(whiteAtBottom);
    s.SAUVE_ABREGE = shortNotation;
    Bench first(s);
    const Loaded before = load(first, games[i]);
    ASSERT_GT(before.fens.size(), 1u);
    const std::map<std::string, std::string> tags = keptTags(games[i].GameText);
    if (file == std::string("aller-retour.pgn")) {
        const Expected& a = expectedList()[i];
        EXPECT_EQ(before.fens.back(), a.finalFen);
        std::map<std::size_t, std::string> notes;
        for (std::size_t k = 0; k < before.notes.size(); ++k)
            if (!before.notes[k].empty()) notes[k] = before.notes[k];
        EXPECT_EQ(notes, a.notes);
        // The file mixes Windows-1252 and UTF-8 games.
        EXPECT_EQ(tags.at("Event"), a.event);
        EXPECT_EQ(tags.at("White"), a.white);
        EXPECT_EQ(tags.at("Site"), a.place);
        EXPECT_EQ(before.result, tags.at("Result"));
    }

    QTemporaryDir dir;
    const std::string saved = dir.filePath(QStringLiteral("sauve.pgn")).toStdString();
    SaveController savedCopy(first.dialogs, first.catalogue, nullptr);
    const std::string text =
        savedCopy.composer(first->session(), first.settings, first->position().PlayerColour, Day);
    ASSERT_TRUE(savedCopy.save(saved, text, false));
    // Only the confirmation: no note was left out.
    EXPECT_EQ(messages(first.dialogs), "<217>\n");

    const std::vector<ParsedGame> reread = readGames(readText(saved));
    ASSERT_EQ(reread.size(), 1u) << text;
    EXPECT_EQ(keptTags(reread[0].GameText), tags) << text;
    Bench second(first.settings);
    const Loaded after = load(second, reread[0]);
    EXPECT_EQ(after.fens, before.fens) << text;
    EXPECT_EQ(after.notes, before.notes) << text;
    EXPECT_EQ(after.result, before.result) << text;
    if (shortNotation == 1 && std::ifstream(PgnExtract)) {
        EXPECT_EQ(exitOf(std::string(PgnExtract) + " -s -r '" + saved + "' 2>&1"), "") << text;
    }
}

std::vector<std::pair<const char*, std::size_t>> games() {
    std::vector<std::pair<const char*, std::size_t>> all;
    for (std::size_t i = 0; i < expectedList().size(); ++i) all.emplace_back("aller-retour.pgn", i);
    for (std::size_t i = 0; i < 7; ++i) all.emplace_back("varied.pgn", i);
    return all;
}

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    const auto [file, i] = std::get<0>(info.param);
    return (file == std::string("varied.pgn") ? "Varied" + std::to_string(i)
                                              : std::string(expectedList()[i].name)) +
           (std::get<1>(info.param) ? "_Short" : "_Long") +
           (std::get<2>(info.param) ? "_WhiteBelow" : "_BlackBelow");
}

INSTANTIATE_TEST_SUITE_P(File, RoundTrip,
                         ::testing::Combine(::testing::ValuesIn(games()),
                                            ::testing::Values<std::uint8_t>(1, 0),
                                            ::testing::Bool()),
                         caseName);

} // namespace
