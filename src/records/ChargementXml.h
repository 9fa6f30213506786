#pragma once
// Fetches an XML game record from an http://, https:// or file:// address and reads the game
// in it, waiting at most a fixed time. Runs on the caller's event loop; no window needed.
#include "localisation/TextCatalogue.h"
#include "records/LectureXml.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace quarvelin {

enum class EchecChargement {
    Aucun,
    PasAdresseWeb, // no http://, https:// or file:// in the text
    Refuse,        // not an address a request can be made for
    Delai,         // nothing within the wait
    Http,          // the server answered with an error status
    HoteInconnu,
    ConnexionRefusee,
    Securite,  // TLS handshake or certificate
    Reseau,    // any other transfer error
    MalForme,  // not XML
    SansCoups, // XML, but no Move element
    TropGros,
    FichierAbsent,    // a file:// address whose file is not there
    FichierIllisible, // a file:// address whose file cannot be read
};

struct ResultatChargement {
    EchecChargement echec = EchecChargement::Aucun;
    std::string adresse;
    PartieXmlLue partie;
    std::string result; // the game's result, "*" when it has none
    int statutHttp = 0;
    std::string detail; // the server's reason phrase, the host, or the transfer or file error
    long long line = 0;
    long long colonne = 0;

    bool reussi() const { return echec == EchecChargement::Aucun; }
    // What the user is told for a failure.
    std::string message(const TextCatalogue& catalogue) const;
};

class ChargementXml {
public:
    using Fin = std::function<void(const ResultatChargement&)>;
    static constexpr std::chrono::milliseconds DelaiAttente{15000};
    static constexpr long long TailleMaximale = 16LL * 1024 * 1024;

    ChargementXml();
    ~ChargementXml();
    ChargementXml(const ChargementXml&) = delete;
    ChargementXml& operator=(const ChargementXml&) = delete;

    void setDelai(std::chrono::milliseconds delai) { delai_ = delai; }

    // Starts fetching the address in texte (from its http://, https:// or file:// on). fin is
    // called once with the outcome: at once, returning false, when no request can be made;
    // later, from the event loop, otherwise. A load still running is dropped first.
    bool load(const std::string& text, Fin end);
    // Drops the running load; its fin is not called.
    void abandonner();
    bool en_cours() const { return reponse_ != nullptr; }

private:
    void terminer();

    std::unique_ptr<QNetworkAccessManager> reseau_;
    std::unique_ptr<QTimer> minuterie_;
    QNetworkReply* reponse_ = nullptr;
    Fin fin_;
    std::string adresse_;
    EchecChargement arret_ = EchecChargement::Aucun; // why we stopped the transfer ourselves
    std::chrono::milliseconds delai_ = DelaiAttente;
};

} // namespace quarvelin
