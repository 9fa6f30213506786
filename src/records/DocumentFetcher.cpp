// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DocumentFetcher.h"

#include "config/Version.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace quarvelin {

DocumentFetcher::DocumentFetcher()
    : network_(std::make_unique<QNetworkAccessManager>()), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
        if (!answer_) return;
        stop_ = LoadFailure::Delay;
        answer_->abort(); // finishes the reply, which reports
    });
}

DocumentFetcher::~DocumentFetcher() { resign(); }

bool DocumentFetcher::fetch(const std::string& address, End end) {
    resign();
    FetchedDocument r;
    r.address = address;
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    const QString schema = url.scheme().toLower();
    const bool web = (schema == QLatin1String("http") || schema == QLatin1String("https")) &&
                     !url.host().isEmpty();
    // A file of this machine: file:///path or file://localhost/path.
    const bool local = schema == QLatin1String("file") && !url.path().isEmpty() &&
                       (url.host().isEmpty() || url.host() == QLatin1String("localhost"));
    if (!url.isValid() || (!web && !local)) {
        r.failure = LoadFailure::Refuse;
        end(r);
        return false;
    }

    QNetworkRequest query(url);
    query.setHeader(QNetworkRequest::UserAgentHeader,
                    QStringLiteral("Quarvelin/") + QLatin1String(ProgramVersion));
    query.setRawHeader("Accept", "application/xml, text/xml;q=0.9, */*;q=0.5");
    end_ = std::move(end);
    address_ = address;
    stop_ = LoadFailure::None;
    answer_ = network_->get(query);
    QObject::connect(answer_, &QNetworkReply::finished, answer_, [this] { finish(); });
    // A page that never ends must not fill the memory.
    QObject::connect(answer_, &QNetworkReply::downloadProgress, answer_,
                     [this](qint64 received, qint64 total) {
                         if (answer_ && (received > MaximumSize || total > MaximumSize)) {
                             stop_ = LoadFailure::TooLarge;
                             answer_->abort();
                         }
                     });
    timer_->start(delay_);
    return true;
}

void DocumentFetcher::resign() {
    timer_->stop();
    end_ = nullptr;
    if (!answer_) return;
    QNetworkReply* r = answer_;
    answer_ = nullptr;
    QObject::disconnect(r, nullptr, nullptr, nullptr);
    r->abort();
    r->deleteLater();
}

void DocumentFetcher::finish() {
    if (!answer_) return;
    timer_->stop();
    QNetworkReply* answer = answer_;
    answer_ = nullptr;
    answer->deleteLater();

    FetchedDocument r;
    r.address = address_;
    const QVariant status = answer->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (stop_ != LoadFailure::None) {
        r.failure = stop_;
    } else if (status.isValid() && status.toInt() >= 400) {
        r.failure = LoadFailure::Http;
        r.httpStatus = status.toInt();
        r.detail =
            answer->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString();
    } else if (answer->error() != QNetworkReply::NoError) {
        switch (answer->error()) {
        case QNetworkReply::ContentNotFoundError:
            // Without an HTTP status, only a file:// address gets here.
            r.failure = LoadFailure::MissingFile;
            break;
        case QNetworkReply::ContentAccessDenied:
        case QNetworkReply::ContentOperationNotPermittedError:
            r.failure = LoadFailure::UnreadableFile;
            r.detail = answer->errorString().toStdString();
            break;
        case QNetworkReply::HostNotFoundError:
            r.failure = LoadFailure::UnknownHost;
            r.detail = answer->url().host().toStdString();
            break;
        case QNetworkReply::ConnectionRefusedError:
            r.failure = LoadFailure::ConnectionRefused;
            break;
        case QNetworkReply::SslHandshakeFailedError:
            r.failure = LoadFailure::Security;
            break;
        default:
            r.failure = LoadFailure::Network;
            r.detail = answer->errorString().toStdString();
        }
    } else {
        const QByteArray document = answer->readAll();
        r.body.assign(document.constData(), static_cast<std::size_t>(document.size()));
    }
    // end may start the next fetch at once.
    End end = std::move(end_);
    end_ = nullptr;
    if (end) end(r);
}

} // namespace quarvelin
