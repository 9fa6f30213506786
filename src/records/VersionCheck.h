// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version check of the `release` window: asks first, fetches the version document, lists
// its text nodes and says whether the running program is the latest published version.
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "records/DocumentFetcher.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace quarvelin {

// What the last version document announced; empty until one has been read.
struct PublishedRelease {
    std::string PublishedVersion, PublishedAuthor, PublishedDate;
};

// One line "parent [text]" per text node of the document, depth first, the three known
// elements stored as they are met; nothing when the document is not well-formed XML.
struct NodeList {
    bool wellFormed = false;
    std::string lines;
};
NodeList lister_noeuds(std::string_view document, PublishedRelease& published);

// Versions compared number by number after trimming ("5.0.10" after "5.0.9"; "5.0" is
// "5.0.0"); a part that is not a number is compared as text. Negative, zero or positive.
int compareVersions(std::string_view a, std::string_view b);

class VersionCheck {
public:
    enum class Verdict { None, UpToDate, NewerPublished, Unknown };

    VersionCheck(const TextCatalogue& catalogue, Dialogs& dialogs, std::string title,
                 std::string runningVersion);

    void setDelay(std::chrono::milliseconds delay) { fetcher_.setDelay(delay); }

    // Command2: with no address, says where to set one; otherwise asks, then fetches. False
    // when no check was started.
    bool check(const std::string& address);
    bool inProgress() const { return fetcher_.inProgress(); }
    // Drops a check still running; nothing more is reported.
    void resign() { fetcher_.resign(); }

    const PublishedRelease& published() const { return published_; }
    Verdict verdict() const { return verdict_; }

    // Text for the `contenu` box, appended as it comes.
    std::function<void(const std::string&)> append;
    // Each started check ends here: true when it gave its verdict (the start button is done
    // with), false when the document could not be read (already reported).
    std::function<void(bool verdict)> finished;

private:
    void report(const FetchedDocument& d);

    const TextCatalogue& catalogue_;
    Dialogs& dialogs_;
    std::string title_;
    std::string running_;
    DocumentFetcher fetcher_;
    PublishedRelease published_;
    Verdict verdict_ = Verdict::None;
};

} // namespace quarvelin
