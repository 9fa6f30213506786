// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sending one of the three e-mails and, for a move, recording it in the game: only once the
// mail has gone (the server took it, or the user says the desktop's mail program sent it).
#include "correspondence/CorrespondenceRules.h"
#include "correspondence/CorrespondenceStore.h"
#include "correspondence/MailService.h"
#include "correspondence/MoveMail.h"

#include <functional>
#include <optional>

namespace quarvelin {

struct Dispatch {
    MailKind kind = MailKind::Free;
    MailMessage message;
    int cle = 0;   // the game, for a move
    SentMove move; // for a move: the moves to record
    QDate today;
};

struct DispatchOutcome {
    bool sent = false;
    bool recorded = false;
    std::optional<TextKey> problem; // said to the user before anything was sent
    QString error;                  // the mail service's or the base's own words
};

DispatchOutcome sendAndRecord(MailService& mail, CorrespondenceStore& store, const Dispatch& d,
                              const std::function<bool()>& confirmSent);

} // namespace quarvelin
