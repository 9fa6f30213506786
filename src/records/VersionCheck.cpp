// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/VersionCheck.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cctype>
#include <vector>

namespace quarvelin {

namespace {

const std::string Separator(84, '-');

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> parts(std::string_view v) {
    std::vector<std::string_view> r;
    v = trimmed(v);
    while (true) {
        const std::size_t dot = v.find('.');
        r.push_back(trimmed(v.substr(0, dot)));
        if (dot == std::string_view::npos) break;
        v.remove_prefix(dot + 1);
    }
    return r;
}

bool isNumber(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

int compareNumbers(std::string_view a, std::string_view b) {
    while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

NodeList lister_noeuds(std::string_view document, PublishedRelease& published) {
    NodeList r;
    QXmlStreamReader xml(QByteArray(document.data(), static_cast<qsizetype>(document.size())));
    std::vector<std::string> parents;
    std::string text; // the text node being read: entities and CDATA arrive in pieces
    const auto endOfText = [&] {
        if (trimmed(text).empty() || parents.empty()) {
            text.clear();
            return;
        }
        const std::string& parent = parents.back();
        if (parent == "AUTEUR") published.PublishedAuthor = text;
        if (parent == "VERSION") published.PublishedVersion = text;
        if (parent == "DATE") published.PublishedDate = text;
        r.lines += parent + " [" + text + "]\n";
        text.clear();
    };
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            endOfText();
            parents.push_back(xml.name().toString().toStdString());
            break;
        case QXmlStreamReader::EndElement:
            endOfText();
            parents.pop_back();
            break;
        case QXmlStreamReader::Characters:
            text += xml.text().toString().toStdString();
            break;
        default:
            endOfText();
        }
    }
    r.wellFormed = !xml.hasError();
    if (!r.wellFormed) r.lines.clear();
    return r;
}

int compareVersions(std::string_view a, std::string_view b) {
    const auto x = parts(a), y = parts(b);
    for (std::size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
        const std::string_view p = i < x.size() ? x[i] : "0", q = i < y.size() ? y[i] : "0";
        const int c = isNumber(p) && isNumber(q) ? compareNumbers(p, q) : p.compare(q);
        if (c != 0) return c < 0 ? -1 : 1;
    }
    return 0;
}

VersionCheck::VersionCheck(const TextCatalogue& catalogue, Dialogs& dialogs, std::string title,
                           std::string runningVersion)
    : catalogue_(catalogue), dialogs_(dialogs), title_(std::move(title)),
      running_(std::move(runningVersion)) {}

bool VersionCheck::check(const std::string& address) {
    const std::string_view where = trimmed(address);
    if (where.empty()) {
        const auto caption = [this](TextKey k) {
            std::string t = catalogue_.text(k);
            std::erase(t, '&');
            return t;
        };
        if (append)
            append(catalogue_.text(TextKey::NoVersionAddress,
                                   {caption(TextKey::Preferences), caption(TextKey::TabNetwork),
                                    caption(TextKey::VersionFileAddress)}) +
                   "\n");
        return false;
    }
    if (!dialogs_.question(title_, catalogue_.text(TextKey::VersionCheckContactsWebsite) + "\n" +
                                       catalogue_.text(TextKey::ContinueQuestion)))
        return false;
    published_ = {};
    verdict_ = Verdict::None;
    fetcher_.fetch(std::string(where), [this](const FetchedDocument& d) { report(d); });
    return true;
}

void VersionCheck::report(const FetchedDocument& d) {
    NodeList nodes;
    // A document that does not arrive in time is read as one without a version.
    if (d.failure == LoadFailure::None) nodes = lister_noeuds(d.body, published_);
    if (d.failure != LoadFailure::Delay && !nodes.wellFormed) {
        published_ = {}; // what a broken document began to say is not published
        dialogs_.message(title_, catalogue_.text(TextKey::VersionUnreadable),
                         DialogIcon::Information);
        if (finished) finished(false);
        return;
    }
    std::string t = "[" + title_ + " - " + catalogue_.text(TextKey::Tagline) + " " + running_ +
                    "]\n" + Separator + "\n" + catalogue_.text(TextKey::VersionFileContents) +
                    "\n" + nodes.lines + Separator + "\n";
    const std::string& published = published_.PublishedVersion;
    if (trimmed(published).empty()) {
        verdict_ = Verdict::Unknown;
        t += catalogue_.text(TextKey::VersionUnreadable) + "\n" +
             catalogue_.text(TextKey::CheckInternetConnection) + "\n";
    } else if (compareVersions(running_, published) >= 0) {
        verdict_ = Verdict::UpToDate;
        t += catalogue_.text(TextKey::LatestVersion) + "\n";
    } else {
        verdict_ = Verdict::NewerPublished;
        t += catalogue_.text(TextKey::NewVersionAvailable) + "\n" +
             catalogue_.text(TextKey::DownloadFromWebsite) + "\n";
    }
    t += Separator + "\n";
    if (append) append(t);
    if (finished) finished(true);
}

} // namespace quarvelin
