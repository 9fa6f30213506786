// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fetches an XML game record from an http://, https:// or file:// address and reads the game
// in it, waiting at most a fixed time. Runs on the caller's event loop; no window needed.
#include "localisation/TextCatalogue.h"
#include "records/DocumentFetcher.h"
#include "records/XmlReading.h"

#include <chrono>
#include <functional>
#include <string>

namespace quarvelin {

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
    static constexpr std::chrono::milliseconds ReplayDelay = DocumentFetcher::DefaultDelay;
    static constexpr long long MaximumSize = DocumentFetcher::MaximumSize;

    void setDelay(std::chrono::milliseconds delay) { fetcher_.setDelay(delay); }

    // Starts fetching the address in text (from its http://, https:// or file:// on). fin is
    // called once with the outcome: at once, returning false, when no request can be made;
    // later, from the event loop, otherwise. A load still running is dropped first.
    bool load(const std::string& text, End end);
    // Drops the running load; its fin is not called.
    void resign() { fetcher_.resign(); }
    bool inProgress() const { return fetcher_.inProgress(); }

private:
    DocumentFetcher fetcher_;
};

} // namespace quarvelin
