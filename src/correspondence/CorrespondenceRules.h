// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a correspondence game's record says: whose turn it is, its moves read through the rules,
// a received move checked against them, dates as the user types them.
#include "correspondence/CorrespondenceGame.h"
#include "localisation/TextKey.h"
#include "notation/Notation.h"
#include "rules/Position.h"

#include <QDate>
#include <QString>

#include <string>
#include <vector>

namespace quarvelin {

// The last move of a move text: after its last blank or full stop, once trimmed.
QString dernier_coup(const QString& moves);
// "31/12/49" -> "31/12/2049", "01/01/50" -> "01/01/1950"; ten characters are kept as they are.
QString completer_annee(const QString& text);
// "dd/mm/yyyy" (year completed); a null date when the text is no date.
QDate readDayMonthYear(const QString& text);
QString dayMonthYear(const QDate& d);

enum class CorrespondenceState { Finished, UserTurn, Waiting };
// The half-moves of a move text (numbers and a result are not moves).
int halfMoveCount(const QString& moves);
CorrespondenceState correspondenceState(const CorrespondenceGame& g);

// A move text replayed from the initial position; it may be written in either notation.
struct GameMoves {
    bool ok = true;
    std::string badToken; // the first move that is not legal or not readable
    Position position;
    std::vector<std::string> san;
};
GameMoves readMoves(const std::string& text, NotationCode notation = NotationCode::Pgn);
// "1.e4 e5 2.Nf3"
std::string numberedMoves(const std::vector<std::string>& san);
// What the opponent's next move is written as: "12." for White, "12..." for Black.
std::string nextMoveNumber(int halfMoves);

// The opponent's move as typed, checked against the game: its number, then the rules.
struct ReceivedMove {
    bool ok = false;
    TextKey problem = TextKey::ReceivedMoveImpossible;
    std::vector<std::string> values; // the problem text's %1, %2
    std::string moves;               // the moves with the new one, standard SAN
    std::string move;                // "12.Nf3" or "12...Nf6"
};
ReceivedMove readReceivedMove(const CorrespondenceGame& g, const std::string& typed);

// The moves the board shows, checked to be the stored game plus one move of the user's side.
struct SentMove {
    bool ok = false;
    TextKey problem = TextKey::BoardNotOnGame;
    std::string moves; // the stored moves and the new one, standard SAN
    std::string move;  // the new move as recorded ("Nf3", dernier_coup of the moves)
};
SentMove readSentMove(const CorrespondenceGame& g, const std::string& boardMoves);

// The PGN header a game gets when it is opened on the board, CR LF after each line.
std::string correspondenceHeader(const CorrespondenceGame& g);

} // namespace quarvelin
