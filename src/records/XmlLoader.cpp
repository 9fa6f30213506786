#include "records/XmlLoader.h"

#include "config/Version.h"
#include "records/AddressList.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace quarvelin {

std::string LoadResult::message(const TextCatalogue& catalogue) const {
    const std::string refuse = catalogue.text(TextKey::XmlDocumentRefused);
    std::string reason;
    switch (failure) {
    case LoadFailure::None:
        return {};
    case LoadFailure::NotAnAddress:
        return catalogue.text(TextKey::NotAnAddress);
    case LoadFailure::Refuse:
        return refuse + "\n" + address;
    case LoadFailure::Delay:
    case LoadFailure::NoMoves:
        return refuse + catalogue.text(TextKey::NothingReadable) + "\n" + address;
    case LoadFailure::Http:
        reason = catalogue.text(TextKey::ServerError) + std::to_string(httpStatus);
        if (!detail.empty()) reason += " " + detail;
        break;
    case LoadFailure::UnknownHost:
        reason = catalogue.text(TextKey::ServerNotFound) + detail;
        break;
    case LoadFailure::ConnectionRefused:
        reason = catalogue.text(TextKey::ConnectionRefused);
        break;
    case LoadFailure::Security:
        reason = catalogue.text(TextKey::SecureConnectionFailed);
        break;
    case LoadFailure::Network:
        reason = catalogue.text(TextKey::TransferError) + detail;
        break;
    case LoadFailure::Malformed:
        reason = catalogue.text(TextKey::XmlNotWellFormed) + std::to_string(line) +
                 catalogue.text(TextKey::ColumnSeparator) + std::to_string(column);
        break;
    case LoadFailure::TooLarge:
        reason = catalogue.text(TextKey::DocumentTooLarge);
        break;
    case LoadFailure::MissingFile:
        reason = catalogue.text(TextKey::FileNotFound);
        break;
    case LoadFailure::UnreadableFile:
        reason = catalogue.text(TextKey::FileUnreadable) + detail;
        break;
    }
    return refuse + "\n" + reason + "\n" + address;
}

XmlLoader::XmlLoader()
    : network_(std::make_unique<QNetworkAccessManager>()), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
        if (!answer_) return;
        stop_ = LoadFailure::Delay;
        answer_->abort(); // finishes the reply, which reports
    });
}

XmlLoader::~XmlLoader() { resign(); }

bool XmlLoader::load(const std::string& text, End end) {
    resign();
    LoadResult r;
    r.address = addressOfLine(text);
    if (r.address.empty()) {
        r.address = text;
        r.failure = LoadFailure::NotAnAddress;
        end(r);
        return false;
    }
    const QUrl url(QString::fromStdString(r.address), QUrl::StrictMode);
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
    address_ = r.address;
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

void XmlLoader::resign() {
    timer_->stop();
    end_ = nullptr;
    if (!answer_) return;
    QNetworkReply* r = answer_;
    answer_ = nullptr;
    QObject::disconnect(r, nullptr, nullptr, nullptr);
    r->abort();
    r->deleteLater();
}

void XmlLoader::finish() {
    if (!answer_) return;
    timer_->stop();
    QNetworkReply* answer = answer_;
    answer_ = nullptr;
    answer->deleteLater();

    LoadResult r;
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
        const XmlReading reading =
            readXmlDocument(std::string_view(document.constData(), document.size()));
        if (!reading.wellFormed) {
            r.failure = LoadFailure::Malformed;
            r.line = reading.line;
            r.column = reading.column;
        } else if (!reading.readable()) {
            r.failure = LoadFailure::NoMoves;
        } else {
            r.game = reading.game;
            r.result = gameResult(reading.game);
        }
    }
    // fin may start the next load at once.
    End end = std::move(end_);
    end_ = nullptr;
    if (end) end(r);
}

} // namespace quarvelin
