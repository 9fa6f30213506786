// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// E-mail handed to the desktop's mail program through xdg-email: the user sends it from there.
#include "correspondence/MailService.h"

namespace quarvelin {

class DesktopMailService : public MailService {
public:
    explicit DesktopMailService(QString program = QStringLiteral("xdg-email"))
        : program_(std::move(program)) {}
    MailOutcome send(const MailMessage& m) override;
    // The command's arguments for a message.
    static QStringList arguments(const MailMessage& m);

private:
    QString program_;
};

} // namespace quarvelin
