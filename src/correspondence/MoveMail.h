// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three e-mails of correspondence play: a move with the game's details, the position on the
// board, and a free message to the opponent of a game.
#include "config/Settings.h"
#include "correspondence/CorrespondenceGame.h"
#include "correspondence/MailService.h"
#include "localisation/TextCatalogue.h"

#include <QDate>

namespace quarvelin {

enum class MailKind { Move = 1, Position = 2, Free = 3 };

// The opponent's address: Black's when the user plays White, else White's.
QString opponentAddress(const CorrespondenceGame& g);
// "PC/0012"
QString gameReference(const CorrespondenceGame& g);

// A move sent: `moves` holds the game's moves with the new one, `move` the move alone.
MailMessage moveMail(const TextCatalogue& t, const Settings& s, const CorrespondenceGame& g,
                     const QString& moves, const QString& move, const QString& comment,
                     const QDate& today);
MailMessage positionMail(const TextCatalogue& t, const Settings& s, const QString& fen);
MailMessage freeMail(const TextCatalogue& t, const Settings& s, const CorrespondenceGame& g);

} // namespace quarvelin
