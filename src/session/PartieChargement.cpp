// A game read from a file or a web address taking the place of the one on the board.
#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "records/ParsedGame.h"
#include "session/Partie.h"

#include <algorithm>

namespace quarvelin {

bool Partie::charger_partie(const ParsedGame& lue) {
    std::optional<Position> depart;
    Colour pc = s_.couleurBlanche ? Colour::White : Colour::Black;
    if (!lue.FenDepart.empty()) {
        FenProblem reason = FenProblem::None;
        depart = readFen(lue.FenDepart, pc, &reason);
        if (!depart) {
            // The reader checks the FEN already; a start the board cannot hold changes nothing.
            env_.dialogs.message(env_.title, text(fenProblemText(reason)) + "\n" + lue.FenDepart,
                                 DialogIcon::Exclamation);
            return false;
        }
    }
    // Read in PGN letters, whatever the notation of the games played here.
    s_.NotationCode = NotationCode::Pgn;
    s_.GameText = lue.GameText;
    s_.GameMoveText = lue.GameMoveText;
    if (lue.GameResult.empty())
        s_.GameResult.assign(1, '*'); // assign: GCC 12 warns wrongly on = "*"
    else
        s_.GameResult = lue.GameResult;
    s_.LongMoveText.clear();
    // The clocks show a game's full time again, and stay still until a move is played.
    horloges_.installer(env_.settings.DELAI_PARTIE, s_.ClockOn, true);
    horloges_.arreter_horloges();
    env_.vue.horloges_modifiees();
    rejouer_partie(depart);

    // Comments are filed by the move numbers written in the file; notes by moves played.
    const Position& beginning = s_.PositionStates.front();
    const std::size_t premier = 2 * static_cast<std::size_t>(std::max<int>(beginning.MoveCount, 0)) +
                                (beginning.side_to_move() == Colour::White ? 1 : 0);
    const std::size_t joues = s_.PositionStates.size() - 1;
    s_.notes.assign(joues + 1, std::string());
    if (!lue.comments.empty()) s_.notes[0] = lue.comments.front();
    for (std::size_t k = 1; k <= joues; ++k) {
        std::size_t i = premier + k - 1;
        if (i < lue.comments.size()) s_.notes[k] = lue.comments[i];
    }
    if (env_.commentary.visible()) {
        if (!s_.notes[0].empty()) commenter("{" + s_.notes[0] + "}");
        for (std::size_t k = 1; k <= joues; ++k)
            if (!s_.notes[k].empty()) commenter(s_.lines[k - 1] + "  {" + s_.notes[k] + "}");
        // Variations stay out of the main line; the reader sees where they branch off.
        for (const ParsedGame::Variation& v : lue.variations) {
            std::string ou;
            if (v.halfMove > 0)
                ou = std::to_string((v.halfMove + 1) / 2) + (v.halfMove % 2 ? ". " : "... ");
            commenter(ou + v.text);
        }
    }
    env_.vue.liste_modifiee();
    return true;
}

} // namespace quarvelin
