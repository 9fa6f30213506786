#include "records/ChargementXml.h"

#include "config/Version.h"
#include "records/ListeAdresses.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace quarvelin {

std::string ResultatChargement::message(const TextCatalogue& catalogue) const {
    const std::string refuse = catalogue.text(TextKey::XmlDocumentRefused);
    std::string reason;
    switch (echec) {
    case EchecChargement::Aucun:
        return {};
    case EchecChargement::PasAdresseWeb:
        return catalogue.text(TextKey::NotAnAddress);
    case EchecChargement::Refuse:
        return refuse + "\n" + adresse;
    case EchecChargement::Delai:
    case EchecChargement::SansCoups:
        return refuse + catalogue.text(TextKey::NothingReadable) + "\n" + adresse;
    case EchecChargement::Http:
        reason = catalogue.text(TextKey::ServerError) + std::to_string(statutHttp);
        if (!detail.empty()) reason += " " + detail;
        break;
    case EchecChargement::HoteInconnu:
        reason = catalogue.text(TextKey::ServerNotFound) + detail;
        break;
    case EchecChargement::ConnexionRefusee:
        reason = catalogue.text(TextKey::ConnectionRefused);
        break;
    case EchecChargement::Securite:
        reason = catalogue.text(TextKey::SecureConnectionFailed);
        break;
    case EchecChargement::Reseau:
        reason = catalogue.text(TextKey::TransferError) + detail;
        break;
    case EchecChargement::MalForme:
        reason = catalogue.text(TextKey::XmlNotWellFormed) + std::to_string(line) +
                 catalogue.text(TextKey::ColumnSeparator) + std::to_string(colonne);
        break;
    case EchecChargement::TropGros:
        reason = catalogue.text(TextKey::DocumentTooLarge);
        break;
    case EchecChargement::FichierAbsent:
        reason = catalogue.text(TextKey::FileNotFound);
        break;
    case EchecChargement::FichierIllisible:
        reason = catalogue.text(TextKey::FileUnreadable) + detail;
        break;
    }
    return refuse + "\n" + reason + "\n" + adresse;
}

ChargementXml::ChargementXml()
    : reseau_(std::make_unique<QNetworkAccessManager>()), minuterie_(std::make_unique<QTimer>()) {
    minuterie_->setSingleShot(true);
    QObject::connect(minuterie_.get(), &QTimer::timeout, minuterie_.get(), [this] {
        if (!reponse_) return;
        arret_ = EchecChargement::Delai;
        reponse_->abort(); // finishes the reply, which reports
    });
}

ChargementXml::~ChargementXml() { abandonner(); }

bool ChargementXml::load(const std::string& text, Fin end) {
    abandonner();
    ResultatChargement r;
    r.adresse = adresse_de_ligne(text);
    if (r.adresse.empty()) {
        r.adresse = text;
        r.echec = EchecChargement::PasAdresseWeb;
        end(r);
        return false;
    }
    const QUrl url(QString::fromStdString(r.adresse), QUrl::StrictMode);
    const QString schema = url.scheme().toLower();
    const bool web = (schema == QLatin1String("http") || schema == QLatin1String("https")) &&
                     !url.host().isEmpty();
    // A file of this machine: file:///path or file://localhost/path.
    const bool local = schema == QLatin1String("file") && !url.path().isEmpty() &&
                       (url.host().isEmpty() || url.host() == QLatin1String("localhost"));
    if (!url.isValid() || (!web && !local)) {
        r.echec = EchecChargement::Refuse;
        end(r);
        return false;
    }

    QNetworkRequest query(url);
    query.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Quarvelin/") + QLatin1String(VersionProgramme));
    query.setRawHeader("Accept", "application/xml, text/xml;q=0.9, */*;q=0.5");
    fin_ = std::move(end);
    adresse_ = r.adresse;
    arret_ = EchecChargement::Aucun;
    reponse_ = reseau_->get(query);
    QObject::connect(reponse_, &QNetworkReply::finished, reponse_, [this] { terminer(); });
    // A page that never ends must not fill the memory.
    QObject::connect(reponse_, &QNetworkReply::downloadProgress, reponse_,
                     [this](qint64 recu, qint64 total) {
                         if (reponse_ && (recu > TailleMaximale || total > TailleMaximale)) {
                             arret_ = EchecChargement::TropGros;
                             reponse_->abort();
                         }
                     });
    minuterie_->start(delai_);
    return true;
}

void ChargementXml::abandonner() {
    minuterie_->stop();
    fin_ = nullptr;
    if (!reponse_) return;
    QNetworkReply* r = reponse_;
    reponse_ = nullptr;
    QObject::disconnect(r, nullptr, nullptr, nullptr);
    r->abort();
    r->deleteLater();
}

void ChargementXml::terminer() {
    if (!reponse_) return;
    minuterie_->stop();
    QNetworkReply* reponse = reponse_;
    reponse_ = nullptr;
    reponse->deleteLater();

    ResultatChargement r;
    r.adresse = adresse_;
    const QVariant statut = reponse->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (arret_ != EchecChargement::Aucun) {
        r.echec = arret_;
    } else if (statut.isValid() && statut.toInt() >= 400) {
        r.echec = EchecChargement::Http;
        r.statutHttp = statut.toInt();
        r.detail =
            reponse->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().toStdString();
    } else if (reponse->error() != QNetworkReply::NoError) {
        switch (reponse->error()) {
        case QNetworkReply::ContentNotFoundError:
            // Without an HTTP status, only a file:// address gets here.
            r.echec = EchecChargement::FichierAbsent;
            break;
        case QNetworkReply::ContentAccessDenied:
        case QNetworkReply::ContentOperationNotPermittedError:
            r.echec = EchecChargement::FichierIllisible;
            r.detail = reponse->errorString().toStdString();
            break;
        case QNetworkReply::HostNotFoundError:
            r.echec = EchecChargement::HoteInconnu;
            r.detail = reponse->url().host().toStdString();
            break;
        case QNetworkReply::ConnectionRefusedError:
            r.echec = EchecChargement::ConnexionRefusee;
            break;
        case QNetworkReply::SslHandshakeFailedError:
            r.echec = EchecChargement::Securite;
            break;
        default:
            r.echec = EchecChargement::Reseau;
            r.detail = reponse->errorString().toStdString();
        }
    } else {
        const QByteArray document = reponse->readAll();
        const LectureXml lecture =
            lire_document_xml(std::string_view(document.constData(), document.size()));
        if (!lecture.bienForme) {
            r.echec = EchecChargement::MalForme;
            r.line = lecture.line;
            r.colonne = lecture.colonne;
        } else if (!lecture.readable()) {
            r.echec = EchecChargement::SansCoups;
        } else {
            r.partie = lecture.partie;
            r.result = resultat_partie(lecture.partie);
        }
    }
    // fin may start the next load at once.
    Fin end = std::move(fin_);
    fin_ = nullptr;
    if (end) end(r);
}

} // namespace quarvelin
