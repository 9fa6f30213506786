// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "openings/BaseMaintenance.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningLearning.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

class Learning : public ::testing::Test {
protected:
    fs::path dir = test::testFolder("quarvelin-learn");
    std::string path = (dir / "eco.db").string();
    OpeningBase base;
    void SetUp() override { ASSERT_TRUE(base.open(path, true)) << base.error(); }
    void TearDown() override { fs::remove_all(dir); }

    PgnLearning learn(const std::string& pgn, const LearningMemory& memory = {}) {
        std::istringstream in(pgn);
        return learnPgn(base, in, pgn.size(), {}, memory);
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (const EcoLine& l : base.linesStartingWith(""))
            out.push_back(l.code + " " + l.moves + (l.knowledge ? " learned" : ""));
        return out;
    }
};

TEST(GameText, CutAfterHalfMoves) {
    for (auto [n, text] : {std::pair{0, ""},
                           {1, "1.e4"},
                           {2, "1.e4 e5"},
                           {3, "1.e4 e5 2.Nf3"},
                           {9, "1.e4 e5 2.Nf3"}})
        EXPECT_EQ(gameTextUpTo("1.e4 e5 2.Nf3", n), text) << n;
}

TEST_F(Learning, TheCodeIsCarriedToGamesWithoutOne) {
    PgnLearning r = learn("[Event \"a\"]\n[ECO \"c20\"]\n\n1. e4 e5 2. Nf3 1-0\n\n"
                          "[Event \"b\"]\n\n1. d4 {a comment} d5 (1... Nf6 2. c4) 2. c4 $1 0-1\n");
    EXPECT_EQ(r.games, 2);
    EXPECT_EQ(r.added, 6);
    EXPECT_EQ(rows(),
              (std::vector<std::string>{"C20 1.e4 *", "C20 1.e4 e5 *", "C20 1.e4 e5 2.Nf3 *",
                                        "C20 1.d4 *", "C20 1.d4 d5 *", "C20 1.d4 d5 2.c4 *"}));
}

TEST_F(Learning, SixMovesInStandardSanOnlyWhatIsMissing) {
    ASSERT_TRUE(base.append({{0, "C00", "Française", "1.e4 e6 *", 0, false}}));
    // No [Event first, "1..." before a Black move, long notation, a FEN game skipped, a move
    // that cannot be played ending the game's lines, the result never a move.
    PgnLearning r = learn("[White \"x\"]\n[ECO \"C01\"]\n\n1. e4 1... e6 2. d4 d5 3. Nc3 Nf6 "
                          "4. Bg5 Be7 5. e5 Nfd7 6. Bxe7 Qxe7 7. f4 O-O *\n\n"
                          "[FEN \"8/8/8/8/8/8/4K3/4k3 w - - 0 1\"]\n\n1. Kd3 *\n\n"
                          "[ECO \"A00\"]\n\n1. g1f3 Nf6 2. Ke3 *\n");
    EXPECT_EQ(r.games, 3);
    EXPECT_EQ(r.skipped, 1);
    auto all = rows();
    EXPECT_EQ(all.size(), 1u + 11u + 2u);
    EXPECT_EQ(all[0], "C00 1.e4 e6 *"); // already there: not added again
    EXPECT_EQ(all[11], "C01 1.e4 e6 2.d4 d5 3.Nc3 Nf6 4.Bg5 Be7 5.e5 Nfd7 6.Bxe7 Qxe7 *");
    EXPECT_EQ(all[13], "A00 1.Nf3 Nf6 *");
    // Learning the same file again adds nothing.
    EXPECT_EQ(learn("[ECO \"A00\"]\n\n1. Nf3 Nf6 *\n").added, 0);
}

TEST_F(Learning, LookupsNeedTheWholeMoveAndSkipLinesEndingThere) {
    ASSERT_TRUE(base.append({{0, "C20", "Fin", "1.e4 e5 *", 9, true},
                             {0, "C60", "Suite", "1.e4 e5 2.Nf3 Nc6 3.Bb5 *", 0, false},
                             {0, "B00", "Longue", "1.e4 e5 2.O-O-O *", 0, false}}));
    EXPECT_EQ(base.linesStartingWith("1.e4 e").size(), 0u);
    EXPECT_EQ(base.linesStartingWith("1.e4 e5").size(), 3u);
    EXPECT_EQ(base.count("1.e4 e5", true), 2);
    // The best-scored line ends at the game text: the one that goes on gives the move.
    Position p = Position::initial();
    std::string e4 = "e4", e5 = "e5";
    playMove(p, lire_coup(p, Colour::White, NotationCode::Pgn, e4).move());
    playMove(p, lire_coup(p, Colour::Black, NotationCode::Pgn, e5).move());
    auto book = base.choisir_coup_livre(p, Colour::White, "1.e4 e5");
    ASSERT_TRUE(book);
    EXPECT_EQ(book->line.code, "C60");
    EXPECT_TRUE(base.hasLearnedLine("1.e4 e5"));
    EXPECT_FALSE(base.hasLearnedLine("1.e4 e5 2.Nf3 Nc6 3.Bb5"));
}

TEST_F(Learning, PurgeCompactAndReopen) {
    ASSERT_TRUE(base.append({{0, "C20", "Ref", "1.e4 e5 *", 0, false},
                             {0, "C21", "Apprise", "1.e4 e5 2.d4 *", 3, true}}));
    EXPECT_EQ(base.purgeLearned(), 1);
    EXPECT_EQ(base.lineCount(), 1);
    base.close();
    EXPECT_EQ(compactBase(path), "");
    ASSERT_TRUE(base.open(path));
    EXPECT_EQ(rows(), std::vector<std::string>{"C20 1.e4 e5 *"});
    EXPECT_NE(compactBase((dir / "absent.db").string()), "");
}

TEST_F(Learning, ADamagedBaseIsRebuiltFromItsReadableRows) {
    std::vector<EcoLine> lines;
    for (int i = 0; i < 4000; ++i)
        lines.push_back(
            {0, "A00", "ligne " + std::to_string(i), "1.a3 " + std::to_string(i) + " *", 0, false});
    ASSERT_TRUE(base.append(lines));
    base.close();
    EXPECT_FALSE(repairBase(path).damaged);

    // Bytes overwritten in the middle of a copy: some pages of rows are lost.
    const std::string copy = (dir / "copy.db").string();
    fs::copy_file(path, copy);
    const auto size = fs::file_size(copy);
    {
        std::fstream f(copy, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(size / 2));
        f << std::string(3 * 4096, '\xA5');
    }
    Repair r = repairBase(copy);
    EXPECT_TRUE(r.damaged);
    EXPECT_EQ(r.error, "");
    EXPECT_GT(r.saved, 1000);
    EXPECT_LT(r.saved, 4000);
    EXPECT_TRUE(fs::exists(copy + ".damaged"));
    OpeningBase repaired;
    ASSERT_TRUE(repaired.open(copy));
    EXPECT_EQ(repaired.lineCount(), r.saved);
    EXPECT_FALSE(repairBase(copy).damaged);
    std::cout << "repair: " << r.saved << " of 4000 rows saved\n";
}

// Seeded games written the ways files write them: comments, glyphs, variations, long notation,
// "1..." numbers, games without an ECO tag, from a FEN, cut short or with an illegal move.
std::string writtenGames(int count) {
    std::mt19937 rng(11);
    std::string out;
    for (int g = 0; g < count; ++g) {
        out += "[Event \"" + std::to_string(g) + "\"]\n";
        if (g % 3 == 0) out += "[ECO \"b" + std::to_string(g % 40) + "\"]\n";
        if (g % 17 == 5) out += "[FEN \"8/8/8/8/8/8/4K3/4k3 w - - 0 1\"]\n";
        out += "\n";
        Position p = Position::initial();
        const int plies = 4 + static_cast<int>(rng() % 14);
        for (int ply = 0; ply < plies; ++ply) {
            auto legal = legalMoves(p);
            if (legal.empty()) break;
            const Move c = legal[rng() % std::min<std::size_t>(ply < 6 ? 2 : 4, legal.size())];
            const bool white = p.sideToMove() == Colour::White;
            if (white)
                out += std::to_string(p.MoveCount + 1) + ". ";
            else if (rng() % 9 == 0)
                out += std::to_string(p.MoveCount) + "... ";
            out += rng() % 11 == 0 ? uciMove(p, c) : san(p, c);
            if (rng() % 13 == 0) out += "!?";
            out += rng() % 10 == 0 ? " {a [note] 1-0} " : rng() % 12 == 0 ? " (1. a3 *) $2 " : " ";
            playMove(p, c);
        }
        if (g % 23 == 7) out += "Ke9 ";
        out += g % 2 ? "1-0\n\n" : "*\n\n";
    }
    return out;
}

// What learning means, read plainly: each game read whole, its first twelve moves replayed,
// every prefix not met before and not in the base one row.
std::vector<std::string> plainlyLearned(const std::string& pgn, std::set<std::string> present) {
    std::istringstream in(pgn);
    PgnStream stream(in);
    PgnGame game;
    std::string code;
    std::vector<std::string> out;
    while (stream.next(game)) {
        if (const std::string* eco = game.tag("ECO")) code = *eco;
        for (char& c : code) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (game.tag("FEN")) continue;
        Position p = Position::initial();
        std::string text;
        for (std::size_t i = 0; i < std::min<std::size_t>(12, game.moves.size()); ++i) {
            std::string token = game.moves[i];
            const Colour side = p.sideToMove();
            ReadMove read = lire_coup(p, side, NotationCode::Pgn, token);
            if (!read.readable || read.isResult() || read.fromX == 0 || !isLegal(p, read.move()))
                break;
            if (!text.empty()) text += ' ';
            if (side == Colour::White) text += std::to_string(p.MoveCount + 1) + ".";
            text += san(p, read.move());
            playMove(p, read.move());
            if (present.insert(text + " *").second) out.push_back(code + " " + text + " *");
        }
    }
    return out;
}

TEST_F(Learning, AFileGivesTheRowsOfAPlainReading) {
    // Lines already there, of any kind, are not added again; a longer one changes nothing.
    const std::vector<EcoLine> before = {{0, "C20", "Ref", "1.e4 e5 *", 0, false},
                                         {0, "C21", "Apprise", "1.d4 *", 2, true},
                                         {0, "C22", "Longue", "1.e4 e5 2.Nf3 *x", 0, false}};
    const std::string pgn = writtenGames(3000);
    const std::vector<std::string> expected =
        plainlyLearned(pgn, {"1.e4 e5 *", "1.d4 *", "1.e4 e5 2.Nf3 *x"});
    ASSERT_GT(expected.size(), 2000u);
    // With room for everything, and with the tree started again every few games and the
    // base answering once a few hashes are kept.
    for (LearningMemory memory : {LearningMemory{}, LearningMemory{60, 500}}) {
        ASSERT_TRUE(base.replaceAll({}));
        ASSERT_TRUE(base.append(before));
        PgnLearning r = learn(pgn, memory);
        EXPECT_EQ(r.games, 3000);
        EXPECT_EQ(r.skipped, 3000 / 17 + 1);
        EXPECT_EQ(r.added, static_cast<long long>(expected.size()));
        std::vector<std::string> all = rows();
        ASSERT_EQ(all.size(), before.size() + expected.size());
        EXPECT_EQ(std::vector<std::string>(all.begin() + 3, all.end()), expected);
        EXPECT_EQ(learn(pgn, memory).added, 0);
    }
}

} // namespace
