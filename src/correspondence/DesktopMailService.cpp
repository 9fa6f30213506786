// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/DesktopMailService.h"

#include <QProcess>

namespace quarvelin {

QStringList DesktopMailService::arguments(const MailMessage& m) {
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), m.subject,
                     QStringLiteral("--body"),
                     QString(m.body).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};
    for (const QString& file : m.attachments) args << QStringLiteral("--attach") << file;
    args << m.to;
    return args;
}

MailOutcome DesktopMailService::send(const MailMessage& m) {
    MailOutcome out;
    QProcess p;
    p.start(program_, arguments(m));
    if (!p.waitForStarted(10000)) {
        out.error = program_ + QStringLiteral(": ") + p.errorString();
        return out;
    }
    if (!p.waitForFinished(60000)) {
        out.error = program_ + QStringLiteral(": ") + p.errorString();
        p.kill();
        return out;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        out.error = said.isEmpty() ? program_ + QStringLiteral(": %1").arg(p.exitCode()) : said;
        return out;
    }
    out.handedOver = true;
    return out;
}

} // namespace quarvelin
