// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fetches a document from an http://, https:// or file:// address, waiting at most a fixed time
// and refusing documents too large to hold. Runs on the caller's event loop; no window needed.
// The remote-game loader and the version check both read through it.
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

struct FetchedDocument {
    LoadFailure failure = LoadFailure::None;
    std::string address;
    std::string body;
    int httpStatus = 0;
    std::string detail; // the server's reason phrase, the host, or the transfer or file error
};

class DocumentFetcher {
public:
    using End = std::function<void(const FetchedDocument&)>;
    static constexpr std::chrono::milliseconds DefaultDelay{15000};
    static constexpr long long MaximumSize = 16LL * 1024 * 1024;

    DocumentFetcher();
    ~DocumentFetcher();
    DocumentFetcher(const DocumentFetcher&) = delete;
    DocumentFetcher& operator=(const DocumentFetcher&) = delete;

    void setDelay(std::chrono::milliseconds delay) { delay_ = delay; }

    // Starts fetching the address. end is called once with the outcome: at once, returning
    // false, when no request can be made for it; later, from the event loop, otherwise. A fetch
    // still running is dropped first.
    bool fetch(const std::string& address, End end);
    // Drops the running fetch; its end is not called.
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
    std::chrono::milliseconds delay_ = DefaultDelay;
};

} // namespace quarvelin
