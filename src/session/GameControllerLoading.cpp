// SPDX-License-Identifier: GPL-3.0-or-later
// A game read from a file or a web address taking the place of the one on the board.
#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "notation/ParsedGame.h"
#include "session/GameController.h"

#include <algorithm>

namespace quarvelin {

bool GameController::loadGame(const ParsedGame& parsed) {
    if (refusedWhileConnected()) return false;
    std::optional<Position> start;
    Colour pc = s_.whiteChosen ? Colour::White : Colour::Black;
    if (!parsed.FenDepart.empty()) {
        FenProblem reason = FenProblem::None;
        start = readFen(parsed.FenDepart, pc, &reason);
        if (!start) {
            // The reader checks the FEN already; a start the board cannot hold changes nothing.
            env_.dialogs.message(env_.title, text(fenProblemText(reason)) + "\n" + parsed.FenDepart,
                                 DialogIcon::Exclamation);
            return false;
        }
    }
    // Read in PGN letters, whatever the notation of the games played here.
    s_.NotationCode = NotationCode::Pgn;
    s_.GameText = parsed.GameText;
    if (parsed.GameResult.empty())
        s_.GameResult.assign(1, '*'); // assign: GCC 12 warns wrongly on = "*"
    else
        s_.GameResult = parsed.GameResult;
    s_.LongMoveText.clear();
    // The clocks show a game's full time again, and stay still until a move is played.
    clocks_.setUp(env_.settings.DELAI_PARTIE, s_.ClockOn, true);
    clocks_.arreter_horloges();
    env_.view.clocksChanged();
    rejouer_partie(parsed.GameMoveText, start);

    // Comments are filed by the move numbers written in the file; notes by moves played.
    const Position& beginning = s_.PositionStates.front();
    const std::size_t first = 2 * static_cast<std::size_t>(std::max<int>(beginning.MoveCount, 0)) +
                              (beginning.sideToMove() == Colour::White ? 1 : 0);
    const std::size_t played = s_.PositionStates.size() - 1;
    s_.notes.assign(played + 1, std::string());
    if (!parsed.comments.empty()) s_.notes[0] = parsed.comments.front();
    for (std::size_t k = 1; k <= played; ++k) {
        std::size_t i = first + k - 1;
        if (i < parsed.comments.size()) s_.notes[k] = parsed.comments[i];
    }
    if (env_.commentary.visible()) {
        if (!s_.notes[0].empty()) comment("{" + s_.notes[0] + "}");
        for (std::size_t k = 1; k <= played; ++k)
            if (!s_.notes[k].empty()) comment(s_.lines[k - 1] + "  {" + s_.notes[k] + "}");
        // Variations stay out of the main line; the reader sees where they branch off.
        for (const ParsedGame::Variation& v : parsed.variations) {
            std::string either;
            if (v.halfMove > 0)
                either = std::to_string((v.halfMove + 1) / 2) + (v.halfMove % 2 ? ". " : "... ");
            comment(either + v.text);
        }
    }
    env_.view.listChanged();
    return true;
}

} // namespace quarvelin
