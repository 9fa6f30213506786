// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/SmtpMailService.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>
#include <QUuid>

#include <curl/curl.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace quarvelin {

namespace {

bool plainAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e) return false;
    return true;
}

// Quoted-printable lines of at most 76 characters, CR LF between them.
QByteArray quotedPrintable(const QByteArray& text) {
    QByteArray out;
    int column = 0;
    auto put = [&](const QByteArray& piece) {
        if (column + piece.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += static_cast<int>(piece.size());
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\r\n";
            column = 0;
            ++i;
            continue;
        }
        const bool lineEnd = i + 1 == text.size() || text[i + 1] == '\r';
        const bool literal = (c >= 33 && c <= 126 && c != '=') || (c == ' ' && !lineEnd);
        put(literal ? QByteArray(1, static_cast<char>(c))
                    : QByteArray("=") + QByteArray::number(c, 16).toUpper().rightJustified(2, '0'));
    }
    return out;
}

QByteArray base64Lines(const QByteArray& data) {
    const QByteArray b = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < b.size(); i += 76) out += b.mid(i, 76) + "\r\n";
    return out;
}

QByteArray address(const QString& a) { return "<" + a.trimmed().toUtf8() + ">"; }

struct Upload {
    QByteArray data;
    qsizetype sent = 0;
};

size_t readUpload(char* buffer, size_t size, size_t count, void* user) {
    auto* u = static_cast<Upload*>(user);
    const auto room = static_cast<qsizetype>(size * count);
    const qsizetype n = std::min(room, u->data.size() - u->sent);
    std::memcpy(buffer, u->data.constData() + u->sent, static_cast<size_t>(n));
    u->sent += n;
    return static_cast<size_t>(n);
}

} // namespace

QByteArray encodedHeader(const QString& text) {
    if (plainAscii(text)) return text.toUtf8();
    // Encoded words of at most 75 characters, never splitting a character.
    QByteArray out;
    QByteArray chunk;
    auto flush = [&] {
        if (chunk.isEmpty()) return;
        if (!out.isEmpty()) out += "\r\n ";
        out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString one = text.mid(i, text[i].isHighSurrogate() ? 2 : 1);
        if (one.size() == 2) ++i;
        const QByteArray bytes = one.toUtf8();
        if (chunk.size() + bytes.size() > 45) flush();
        chunk += bytes;
    }
    flush();
    return out;
}

std::optional<QByteArray> mimeMessage(const MailMessage& m, const QDateTime& now,
                                      QString* unreadable) {
    const QByteArray boundary = "=_quarvelin_" + QUuid::createUuid().toByteArray(QUuid::Id128);
    QByteArray out;
    const int secs = now.offsetFromUtc();
    out += "Date: " +
           QLocale::c().toString(now, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1() +
           QStringLiteral("%1%2%3")
               .arg(secs < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(std::abs(secs) / 3600, 2, 10, QLatin1Char('0'))
               .arg(std::abs(secs) % 3600 / 60, 2, 10, QLatin1Char('0'))
               .toLatin1() +
           "\r\n";
    out += "From: " + address(m.from) + "\r\n";
    out += "To: " + address(m.to) + "\r\n";
    out += "Subject: " + encodedHeader(m.subject) + "\r\n";
    out +=
        "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + "@quarvelin>\r\n";
    out += "MIME-Version: 1.0\r\n";
    QByteArray text = "Content-Type: text/plain; charset=UTF-8\r\n"
                      "Content-Transfer-Encoding: quoted-printable\r\n\r\n" +
                      quotedPrintable(m.body.toUtf8());
    if (!text.endsWith("\r\n")) text += "\r\n";
    if (m.attachments.isEmpty()) return out + text;

    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n\r\n";
    // The line break before a boundary belongs to the boundary, not to the text.
    out += "--" + boundary + "\r\n" + text + "\r\n";
    for (const QString& path : m.attachments) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            if (unreadable) *unreadable = path + QStringLiteral(": ") + f.errorString();
            return std::nullopt;
        }
        // The file's name as RFC 2231 writes a parameter in UTF-8.
        const QByteArray name = "*=UTF-8''" + QUrl::toPercentEncoding(QFileInfo(path).fileName());
        out += "--" + boundary + "\r\n";
        out += "Content-Type: application/octet-stream; name" + name + "\r\n";
        out += "Content-Disposition: attachment; filename" + name + "\r\n";
        out += "Content-Transfer-Encoding: base64\r\n\r\n";
        out += base64Lines(f.readAll());
    }
    out += "--" + boundary + "--\r\n";
    return out;
}

MailOutcome SmtpMailService::send(const MailMessage& m) {
    MailOutcome result;
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    QString unreadable;
    std::optional<QByteArray> wire = mimeMessage(m, QDateTime::currentDateTime(), &unreadable);
    if (!wire) {
        result.error = unreadable;
        return result;
    }
    QString password;
    if (!account_.user.isEmpty()) {
        std::optional<QString> given =
            passwords_ ? passwords_->password(account_.user, account_.server) : std::nullopt;
        if (!given) return result; // the user gave up
        password = *given;
    }

    CURL* curl = curl_easy_init();
    if (!curl) {
        result.error = QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT));
        return result;
    }
    const QByteArray url = (account_.security == SmtpSecurity::Tls ? "smtps://" : "smtp://") +
                           account_.server.trimmed().toUtf8() + ":" +
                           QByteArray::number(account_.port);
    const QByteArray from = address(m.from), to = address(m.to);
    const QByteArray user = account_.user.toUtf8(), pass = password.toUtf8();
    const QByteArray ca = QFile::encodeName(account_.caFile);
    char errors[CURL_ERROR_SIZE] = {};
    Upload upload{*wire};
    curl_slist* recipients = curl_slist_append(nullptr, to.constData());

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errors);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 120L);
    if (account_.security == SmtpSecurity::StartTls)
        curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!ca.isEmpty()) curl_easy_setopt(curl, CURLOPT_CAINFO, ca.constData());
    if (!user.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, pass.constData());
    }
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);

    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_OK) {
        result.sent = true;
    } else {
        long reply = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply);
        QString said = QString::fromUtf8(errors).trimmed();
        if (said.isEmpty()) said = QString::fromUtf8(curl_easy_strerror(code));
        if (reply >= 400 && !said.contains(QString::number(reply)))
            said += QStringLiteral(" (%1)").arg(reply);
        result.error = said;
    }
    curl_slist_free_all(recipients);
    curl_easy_cleanup(curl);
    return result;
}

} // namespace quarvelin
