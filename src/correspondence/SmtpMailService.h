// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// E-mail through an SMTP server with libcurl: plain, STARTTLS or TLS from the first byte. The
// server's certificate is always checked, against the system's authorities or a given file.
#include "correspondence/MailService.h"

#include <QByteArray>
#include <QDateTime>

namespace quarvelin {

enum class SmtpSecurity { None = 0, StartTls = 1, Tls = 2 };

struct SmtpAccount {
    QString server;
    int port = 587;
    SmtpSecurity security = SmtpSecurity::StartTls;
    QString user;   // empty: no login
    QString caFile; // empty: the system's authorities
};

class SmtpMailService : public MailService {
public:
    SmtpMailService(SmtpAccount account, PasswordSource* passwords)
        : account_(std::move(account)), passwords_(passwords) {}
    MailOutcome send(const MailMessage& m) override;

private:
    SmtpAccount account_;
    PasswordSource* passwords_;
};

// The message as it goes on the wire: headers, UTF-8 text, attachments in base64. Nothing when
// an attached file cannot be read (its name in `unreadable`).
std::optional<QByteArray> mimeMessage(const MailMessage& m, const QDateTime& now,
                                      QString* unreadable = nullptr);
// An RFC 2047 header word for text that is not plain ASCII.
QByteArray encodedHeader(const QString& text);

} // namespace quarvelin
