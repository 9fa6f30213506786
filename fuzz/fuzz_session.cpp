// SPDX-License-Identifier: GPL-3.0-or-later
// Texts the game session takes from outside: a pasted position, and a game text replayed onto
// the board (as loaded games arrive). Whatever the bytes, the board shown and the position
// agree, and the history holds one entry per move line.
#include "localisation/Catalogue.h"
#include "session/GameController.h"
#include "session/Headless.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Catalogue catalogue;
    if (size == 0) return 0;
    Settings settings = builtInSettings(".");
    settings.MODE_JEUX = 2;
    settings.ACTIVE_SON = 0;
    Headless screen;
    GameView view;
    SynchronousSearch engine;
    Environment env{settings,
                    catalogue,
                    screen,
                    screen,
                    screen,
                    screen,
                    screen,
                    view,
                    engine,
                    nullptr,
                    ".",
                    "fuzz",
                    [] { return 0.5; },
                    1};
    GameController game(env);
    game.newGame();
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        game.pastePosition(text);
        break;
    case 1:
        game.setNotation(NotationCode::Pgn);
        game.rejouer_partie(text);
        break;
    default:
        game.rejouer_partie(text);
        break;
    }
    const Position& p = game.position();
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (screen.readSquare(x, y) != p.at(x, y)) __builtin_trap();
    const GameSession& s = game.session();
    if (s.PositionIndex != static_cast<int>(s.lines.size()) + 1) __builtin_trap();
    return 0;
}
