// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loopback SMTP server of tests/support/smtp_server.py, started for one test and stopped
// with it. Messages it took are read back as the mail reader decoded them.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <filesystem>

namespace quarvelin::test {

class SmtpTestServer {
public:
    // With a certificate and its key: STARTTLS and a login are required.
    explicit SmtpTestServer(const std::filesystem::path& folder, const QString& cert = {},
                            const QString& key = {})
        : folder_(QString::fromStdString(folder.string())) {
        QStringList args{QStringLiteral(QUARVELIN_SOURCE_DIR "/tests/support/smtp_server.py"),
                         folder_};
        if (!cert.isEmpty()) args << cert << key;
        // Debian's python3-aiosmtpd is installed for the system's interpreter, which a
        // per-user one found first on the path would not see.
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                                   ? QStringLiteral("/usr/bin/python3")
                                   : QStringLiteral("python3");
        process_.start(python, args);
        if (!process_.waitForStarted(10000)) return;
        while (process_.waitForReadyRead(15000)) {
            const QByteArray line = process_.readLine().trimmed();
            if (line.startsWith("READY ")) {
                port_ = line.mid(6).toInt();
                break;
            }
        }
    }
    ~SmtpTestServer() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000)) process_.kill();
        process_.waitForFinished(2000);
    }
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    int port() const { return port_; } // 0: the server did not start
    QString errors() { return QString::fromUtf8(process_.readAllStandardError()); }

    int received() const {
        return static_cast<int>(QDir(folder_).entryList({QStringLiteral("*.eml")}).size());
    }
    QJsonObject message(int n) const {
        QFile f(folder_ + QStringLiteral("/%1.json").arg(n));
        f.open(QIODevice::ReadOnly);
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    QByteArray raw(int n) const {
        QFile f(folder_ + QStringLiteral("/%1.eml").arg(n));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QString folder_;
    QProcess process_;
    int port_ = 0;
};

} // namespace quarvelin::test
