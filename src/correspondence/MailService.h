// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sending an e-mail: one recipient, a subject, a body and attached files. Two services do it:
// an SMTP server reached directly, and the desktop's own mail program.
#include <QString>
#include <QStringList>

#include <optional>

namespace quarvelin {

struct MailMessage {
    QString from;
    QString to;
    QString subject;
    QString body; // lines ended by CR LF
    QStringList attachments;
};

struct MailOutcome {
    bool sent = false;
    // The desktop's mail program took the message; only the user knows whether it went.
    bool handedOver = false;
    QString error; // the service's own words; empty when the user gave up
};

class MailService {
public:
    virtual ~MailService() = default;
    virtual MailOutcome send(const MailMessage& m) = 0;
};

// The password of an SMTP account, from wherever the desktop keeps it or from the user.
class PasswordSource {
public:
    virtual ~PasswordSource() = default;
    // Nothing when the user gives up.
    virtual std::optional<QString> password(const QString& user, const QString& server) = 0;
};

} // namespace quarvelin
