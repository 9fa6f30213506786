#pragma once
// Fetches an XML game record from an http://, https:// or file:// address and reads the game
// in it, waiting at most a fixed time. Runs on the caller's event loop; no window needed.
#include "localisation/TextCatalogue.h"
#include "records/XmlReading.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace quarvelin {

enum class LoadFailure {
    None,
    NotAnAddress, // no http://, https:// or file:// in the text
    Refuse,       // not an address a request can be made for
    Delay,        // nothing within the wait
    Http,         // the server answered with an error status
    UnknownHost,
    ConnectionRefused,
    Security,  // TLS handshake or certificate
    Network,   // any other transfer error
    Malformed, // not XML
    NoMoves,   // XML, but no Move element
    TooLarge,
    MissingFile,    // a file:// address whose file is not there
    UnreadableFile, // a file:// address whose file cannot be read
};

struct LoadResult {
    LoadFailure failure = LoadFailure::None;
    std::string address;
    ParsedXmlGame game;
    std::string result; // the game's result, "*" when it has none
    int httpStatus = 0;
    std::string detail; // the server's reason phrase, the host, or the transfer or file error
    long long line = 0;
    long long column = 0;

    bool succeeded() const { return failure == LoadFailure::None; }
    // What the user is told for a failure.
    std::string message(const TextCatalogue& catalogue) const;
};

class XmlLoader {
public:
    using End = std::function<void(const LoadResult&)>;
    static constexpr std::chrono::milliseconds ReplayDelay{15000};
    static constexpr long long MaximumSize = 16LL * 1024 * 1024;

    XmlLoader();
    ~XmlLoader();
    XmlLoader(const XmlLoader&) = delete;
    XmlLoader& operator=(const XmlLoader&) = delete;

    void setDelay(std::chrono::milliseconds delay) { delay_ = delay; }

    // Starts fetching the address in text (from its http://, https:// or file:// on). fin is
    // called once with the outcome: at once, returning false, when no request can be made;
    // later, from the event loop, otherwise. A load still running is dropped first.
    bool load(const std::string& text, End end);
    // Drops the running load; its fin is not called.
    void resign();
    bool inProgress() const { return answer_ != nullptr; }

private:
    void finish();

    std::unique_ptr<QNetworkAccessManager> network_;
    std::unique_ptr<QTimer> timer_;
    QNetworkReply* answer_ = nullptr;
    End end_;
    std::string address_;
    LoadFailure stop_ = LoadFailure::None; // why we stopped the transfer ourselves
    std::chrono::milliseconds delay_ = ReplayDelay;
};

} // namespace quarvelin
