// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlWriter.h"

#include "config/AtomicFileSet.h"
#include "config/Version.h"
#include "localisation/Encoding.h"
#include "records/TagValue.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <array>

namespace quarvelin {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view ListEnd = "</LIST>";

// Elements of a game in their order, each taken from the tag of the same name.
constexpr std::array<std::string_view, 11> TagElements = {
    "Event",    "Site",     "Date", "Round",   "White",    "Black",
    "WhiteElo", "BlackElo", "ECO",  "Opening", "Variation"};

void element(std::string& s, std::string_view name, std::string_view value) {
    s.append("<").append(name).append(">");
    s.append(XmlWriter::escape(value));
    s.append("</").append(name).append(">").append(LineEnd);
}

bool space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimView(std::string_view s) {
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

} // namespace

std::string WriteFailure::message(const TextCatalogue& catalogue) const {
    switch (cause) {
    case Cause::None:
        return {};
    case Cause::NotAList:
        return catalogue.text(TextKey::NotAnXmlGameList);
    case Cause::Writing:
        return catalogue.text(TextKey::FileNotWritten) + detail;
    }
    return {};
}

XmlWriter::XmlWriter(std::string timestamp) : timestamp_(std::move(timestamp)) {
    if (timestamp_.empty()) timestamp_ = currentTimestamp();
}

XmlWriter::~XmlWriter() { resign(); }

std::string XmlWriter::currentTimestamp() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return (locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(now.time(), QLocale::ShortFormat))
        .toStdString();
}

std::string XmlWriter::documentStart(const std::string& timestamp) {
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
    s.append(LineEnd);
    // Only characters a comment may hold: no "--" inside it, no "-" at its end.
    std::string date;
    for (char c : escape(timestamp))
        if (c != '-' || date.empty() || date.back() != '-') date += c;
    while (!date.empty() && date.back() == '-') date.pop_back();
    s.append("<!-- Quarvelin ").append(ProgramVersion).append(" - ").append(date).append("-->");
    s.append(LineEnd).append("<LIST>").append(LineEnd);
    return s;
}

std::string XmlWriter::escape(std::string_view value) {
    const std::string text = utf8Text(value);
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '&':
            s += "&amp;";
            break;
        case '<':
            s += "&lt;";
            break;
        case '>':
            s += "&gt;";
            break;
        case '"':
            s += "&quot;";
            break;
        case '\'':
            s += "&apos;";
            break;
        // One element a line: a line break in a value becomes a space.
        case '\r':
        case '\n':
            s += ' ';
            break;
        default:
            // Control characters and U+FFFE, U+FFFF cannot appear in an XML document at all.
            if (u < 0x20 && c != '\t') break;
            if (u == 0xEF && i + 2 < text.size() &&
                static_cast<unsigned char>(text[i + 1]) == 0xBF &&
                (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
                i += 2;
                break;
            }
            s += c;
        }
    }
    return s;
}

std::string XmlWriter::moveLine(const XmlGame& game) {
    std::string moves;
    std::string_view rest = game.moves;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = trimView(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.empty()) continue;
        if (!moves.empty()) moves += ' ';
        moves.append(line);
    }
    const std::string_view result = trimView(game.result);
    if (!result.empty()) {
        const bool alreadyThere =
            moves.ends_with(result) &&
            (moves.size() == result.size() || space(moves[moves.size() - result.size() - 1]));
        if (!alreadyThere) {
            if (!moves.empty()) moves += ' ';
            moves.append(result);
        }
    }
    return moves;
}

std::string XmlWriter::gameBlock(const XmlGame& game) {
    auto value = [&](std::string_view name) -> std::string {
        if (!game.tags.empty()) {
            for (const auto& [n, v] : game.tags)
                if (n == name) return v;
            return {};
        }
        std::string tag = "[";
        tag.append(name);
        return valeur_etiquette(tag, game.header);
    };
    std::string s = "<GAME>";
    s.append(LineEnd);
    for (std::string_view name : TagElements) element(s, name, value(name));
    // A game from another position replays from it, as PGN's [SetUp "1"] and [FEN] say.
    if (const std::string fen = value("FEN"); !fen.empty()) {
        element(s, "SetUp", "1");
        element(s, "FEN", fen);
    }
    element(s, "Move", moveLine(game));
    element(s, "Comment", value("Comment"));
    s.append("</GAME>").append(LineEnd);
    return s;
}

XmlGame XmlWriter::gameFromText(std::string_view text) {
    XmlGame p;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimView(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty()) continue;
        std::string& target = line.front() == '[' ? p.header : p.moves;
        target.append(line).append(LineEnd);
    }
    return p;
}

WriteFailure XmlWriter::open(const std::string& path, Mode mode) {
    resign();
    const QString name = QString::fromStdString(path);
    std::string beginning;
    if (mode == Mode::Append && QFile::exists(name)) {
        QFile old(name);
        if (!old.open(QIODevice::ReadOnly))
            return {WriteFailure::Cause::Writing, old.errorString().toStdString()};
        const QByteArray content = old.readAll();
        std::string text = utf8Text(std::string_view(content.constData(), content.size()));
        const std::string_view kept = trimView(text);
        if (!kept.empty()) {
            if (!kept.ends_with(ListEnd)) return {WriteFailure::Cause::NotAList, {}};
            // Everything up to the closing tag stays; the file is UTF-8 from now on.
            beginning.assign(text, 0,
                             static_cast<std::size_t>(kept.data() - text.data()) + kept.size() -
                                 ListEnd.size());
            if (beginning.starts_with("<?xml")) {
                const std::size_t end = beginning.find("?>");
                if (end != std::string::npos)
                    beginning.replace(0, end + 2, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
            }
        }
    }
    if (beginning.empty()) beginning = documentStart(timestamp_);

    if (!file_.open(path)) {
        file_.discard();
        return {WriteFailure::Cause::Writing, file_.error()};
    }
    file_.write(beginning);
    return {};
}

void XmlWriter::write(const XmlGame& game) { file_.write(gameBlock(game)); }

WriteFailure XmlWriter::finish(AtomicFileSet* together) {
    if (!file_.isOpen()) return {WriteFailure::Cause::Writing, {}};
    std::string end(ListEnd);
    end.append(LineEnd);
    file_.write(end);
    // Any earlier write error shows here too, and then the target is untouched.
    std::string reason;
    if (together)
        reason = together->add(std::move(file_));
    else if (!file_.commit())
        reason = file_.error();
    file_.discard();
    if (!reason.empty()) return {WriteFailure::Cause::Writing, reason};
    return {};
}

void XmlWriter::resign() { file_.discard(); }

WriteFailure XmlWriter::writeFile(const std::string& path, const std::vector<XmlGame>& games,
                                  Mode mode) {
    XmlWriter writing;
    if (WriteFailure e = writing.open(path, mode)) return e;
    for (const XmlGame& p : games) writing.write(p);
    return writing.finish();
}

} // namespace quarvelin
