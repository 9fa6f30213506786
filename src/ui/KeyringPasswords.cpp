// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/KeyringPasswords.h"

#include "localisation/TextCatalogue.h"

#include <QEventLoop>
#include <QInputDialog>
#include <qt6keychain/keychain.h>

namespace {

const QString Service = QStringLiteral("Quarvelin SMTP");

// Runs a keyring job to its end; false when the keyring could not do it.
bool finish(QKeychain::Job& job) {
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.setAutoDelete(false);
    job.start();
    loop.exec();
    return job.error() == QKeychain::NoError;
}

} // namespace

std::optional<QString> KeyringPasswords::password(const QString& user, const QString& server) {
    const QString account = user + QLatin1Char('@') + server;
    if (auto it = asked_.find(account); it != asked_.end()) return *it;
    QKeychain::ReadPasswordJob read(Service);
    read.setKey(account);
    if (finish(read) && !read.textData().isEmpty()) return read.textData();

    bool ok = false;
    const QString typed = QInputDialog::getText(
        parent_, QStringLiteral("quarvelin"),
        QString::fromStdString(catalogue_.text(quarvelin::TextKey::MailPasswordPrompt,
                                               {user.toStdString(), server.toStdString()})),
        QLineEdit::Password, {}, &ok);
    if (!ok) return std::nullopt;
    asked_[account] = typed;
    QKeychain::WritePasswordJob write(Service);
    write.setKey(account);
    write.setTextData(typed);
    finish(write); // without a keyring it stays asked for this run only
    return typed;
}
