// SPDX-License-Identifier: GPL-3.0-or-later
// What the program saves is read by another program: Debian's pgn-extract checks every move of
// the short-notation files, whatever the start position and the notes.
#include "notation/PgnStream.h"
#include "records/SaveController.h"
#include "session/SessionDoubles.h"

#include <QTemporaryDir>

#include "support/Peers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

using namespace quarvelin;
using namespace quarvelin::test;

namespace {

constexpr const char* PgnExtract = "/usr/games/pgn-extract";

// Random legal moves clicked at the board until the game ends or `plies` are played.
int playRandomly(Bench& b, std::mt19937& rng, int plies) {
    int played = 0;
    for (; played < plies && !b->session().gameOver(); ++played) b.playRandomMove(rng);
    return played;
}

TEST(PgnExtract, ReadsEverySavedGame) {
    if (!std::ifstream(PgnExtract)) GTEST_SKIP() << "pgn-extract is not installed";
    const char* starts[] = {
        nullptr,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "4k3/1P6/8/8/8/8/1p4K1/8 b - - 0 37",
        "rnbqkb1r/pp1p1ppp/5n2/2pPp3/8/8/PPP1PPPP/RNBQKBNR w KQkq e6 0 4",
    };
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("saved.pgn")).toStdString();
    std::mt19937 rng(20261204);
    int games = 0;
    std::vector<std::size_t> halfMoves;
    for (int turn = 0; turn < 4; ++turn) {
        for (const char* fen : starts) {
            Settings s = freePlay(turn % 2 == 0);
            s.SAUVE_ABREGE = 1;
            s.LIEU_JEU = "Salle \"Nord\"";
            Bench b(s);
            b->newGame();
            if (fen) b->pastePosition(fen);
            const int played = playRandomly(b, rng, 60 + 40 * turn);
            // The record as saved, with an automatic game's header and notes on some moves.
            GameSession g = b->session();
            if (turn == 3) g.GameText = b->automaticHeader();
            g.notes.assign(static_cast<std::size_t>(played) + 1, "");
            for (int k = 1; k <= played; k += 1 + static_cast<int>(rng() % 7))
                g.notes[static_cast<std::size_t>(k)] = k % 2 ? "bien joué, {ou pas}" : "? !";
            const std::string text = saveText(g, b.settings, b->position().PlayerColour, today(),
                                              b.catalogue, b.dialogs, "quarvelin", {});
            SaveController savedCopy(b.dialogs, b.catalogue, nullptr);
            ASSERT_TRUE(savedCopy.save(file, text, true)) << text;
            halfMoves.push_back(static_cast<std::size_t>(played));
            ++games;
        }
    }
    EXPECT_EQ(exitOf(std::string(PgnExtract) + " -s -r '" + file + "' 2>&1"), "");

    // The same games, each whole, in the order they were saved.
    std::ifstream in(file, std::ios::binary);
    PgnStream flux(in);
    PgnGame pgnGame;
    std::size_t n = 0;
    while (flux.next(pgnGame)) {
        ASSERT_LT(n, halfMoves.size());
        EXPECT_EQ(pgnGame.moves.size(), halfMoves[n]) << "game " << n + 1;
        ++n;
    }
    EXPECT_EQ(n, static_cast<std::size_t>(games));
}

} // namespace
