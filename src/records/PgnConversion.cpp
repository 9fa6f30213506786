// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PgnConversion.h"

#include "config/AtomicFileSet.h"
#include "records/GameStart.h"
#include "records/PgnIndex.h"
#include "records/PgnReader.h"

#include <QFileInfo>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <limits>

namespace quarvelin {

namespace {

constexpr std::size_t Block = 1 << 20;
constexpr std::size_t WriteThreshold = 1 << 20;
// Problems told one by one in the final message; the rest are only counted.
constexpr std::size_t DetailedProblems = 10;
constexpr std::string_view LineEnd = "\r\n";

// Only the blanks a game start may follow are taken from the front, so no line becomes the
// start of a game it was not.
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && lineWhite(s.front())) s.remove_prefix(1);
    while (!s.empty() && (lineWhite(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// One game's lines as the PGN conversion writes them, fed in pieces of whole lines.
class CopyLines {
public:
    explicit CopyLines(std::string& output) : output_(output) {}

    void lines(std::string_view text) {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view l = trimmed(text.substr(0, end));
            // "[Event " starts a game; cut to "[Event" it would not, and the copy would lose
            // its first game or merge two.
            if (l == "[Event" && text.substr(0, end).find("[Event ") != std::string_view::npos)
                l = "[Event ";
            line(l);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        }
    }

    void finish() {
        output_.append(LineEnd);
        header_ = true;
        tags_ = false;
    }

private:
    void line(std::string_view l) {
        if (l.empty()) {
            // An empty line ends the tags, as it does for the index.
            if (tags_) header_ = false;
            return;
        }
        if (header_ && l.front() == '[') {
            tags_ = true;
        } else if (header_ || tags_) {
            if (tags_) output_.append(LineEnd);
            header_ = tags_ = false;
        }
        output_.append(l).append(LineEnd);
    }

    std::string& output_;
    bool header_ = true; // still in the tag lines
    bool tags_ = false;  // tag lines written, the empty line after them not yet
};

// The source read forward in large blocks: games asked for in file order are found without
// reading any block twice.
class FollowedSource {
public:
    explicit FollowedSource(std::istream& in) : in_(in) {}

    // Copies the game whose first line is at `position`, up to the next game's first line.
    // clear is called whenever the output has grown large.
    void copy(std::uint64_t position, std::string& output,
              const std::function<void(std::string&)>& clear) {
        place(position);
        CopyLines lineCopier(output);
        std::size_t from = 0;
        bool first = true; // the game's own first line is still ahead
        for (;;) {
            if (rest().empty() && !end_) read();
            const std::string_view text = rest();
            const StartSearch r = findGameStart(text, from, true, end_);
            if (r.line == 0 && first) {
                from = r.bracket + 1;
                first = false;
                continue;
            }
            if (r.line != StartSearch::None || end_) {
                const std::size_t end = r.line != StartSearch::None ? r.line : text.size();
                lineCopier.lines(text.substr(0, end));
                consume(end);
                lineCopier.finish();
                return;
            }
            // The whole lines before the point the search goes on from can go out now, so a
            // game of any length needs no more than a few blocks.
            const std::size_t nl =
                r.resumption == 0 ? std::string_view::npos : text.rfind('\n', r.resumption - 1);
            if (nl != std::string_view::npos) {
                lineCopier.lines(text.substr(0, nl + 1));
                consume(nl + 1);
                from = r.resumption - (nl + 1);
                first = false;
                if (output.size() >= WriteThreshold) clear(output);
            } else {
                from = r.resumption;
            }
            read();
        }
    }

    bool error() const { return error_; }

private:
    std::string_view rest() const { return std::string_view(buffer_).substr(start_); }

    void place(std::uint64_t position) {
        if (position >= base_ && position - base_ <= rest().size()) {
            consume(static_cast<std::size_t>(position - base_));
            return;
        }
        buffer_.clear();
        start_ = 0;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(position));
        base_ = position;
        end_ = !in_;
    }

    void consume(std::size_t n) {
        start_ += n;
        base_ += n;
    }

    void read() {
        if (end_) return;
        // What was used goes once a block, not once a game.
        buffer_.erase(0, start_);
        start_ = 0;
        const std::size_t before = buffer_.size();
        buffer_.resize(before + Block);
        in_.read(buffer_.data() + before, static_cast<std::streamsize>(Block));
        buffer_.resize(before + static_cast<std::size_t>(in_.gcount()));
        if (!in_) {
            end_ = true;
            error_ = error_ || in_.bad();
        }
    }

    std::istream& in_;
    std::string buffer_;
    std::size_t start_ = 0;  // what is before it has been used
    std::uint64_t base_ = 0; // file position of buffer_[start_]
    bool end_ = false;
    bool error_ = false;
};

// The progress of both steps on one scale: the scan up to `shareScan`, the writing after.
class Progress {
public:
    Progress(const ConversionProgress& progression, int shareScan)
        : progression_(progression), shareScan_(shareScan) {}

    void scan(int percent, std::int64_t acceptedCount, std::int64_t views) {
        say(percent * shareScan_ / 100, acceptedCount, views);
    }
    void writing(std::size_t doneCount, std::size_t total, std::int64_t acceptedCount,
                 std::int64_t views) {
        const int part = total == 0 ? 100 : static_cast<int>(doneCount * 100 / total);
        say(shareScan_ + part * (100 - shareScan_) / 100, acceptedCount, views);
    }

private:
    void say(int percent, std::int64_t acceptedCount, std::int64_t views) {
        if (!progression_ || percent == last_) return;
        last_ = percent;
        progression_(percent, acceptedCount, views);
    }

    const ConversionProgress& progression_;
    int shareScan_;
    int last_ = -1;
};

std::string fileAddress(const std::string& path) {
    const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    // Encoded, so a name with spaces or accents is still one valid address.
    return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded).toStdString();
}

XmlGame xmlGame(ParsedGame&& parsed) {
    XmlGame p;
    p.header = std::move(parsed.GameText);
    p.tags = std::move(parsed.tags);
    p.moves = std::move(parsed.GameMoveText);
    p.result = std::move(parsed.GameResult);
    return p;
}

void writeError(ConversionResult& r, const std::string& path, const std::string& reason) {
    r.error = ConversionResult::Error::Writing;
    r.detail = reason.empty() ? path : path + " : " + reason;
}

// Writes the games to one PGN file, each as it was written in the source.
void toPgn(std::istream& in, const PgnIndex& index, const std::string& target, ConversionResult& r,
           Progress& progress, const CancelToken* cancel) {
    AtomicFileWriter file;
    if (!file.open(target)) {
        writeError(r, target, file.error());
        return;
    }
    bool ok = true;
    auto clear = [&](std::string& s) {
        ok = ok && file.write(s);
        s.clear();
    };
    FollowedSource source(in);
    std::string output;
    for (std::size_t i = 0; i < index.size() && ok; ++i) {
        if (cancelled(cancel)) {
            r.cancelled = true;
            return; // the temporary file goes with the writer
        }
        source.copy(index.position(i), output, clear);
        if (output.size() >= WriteThreshold) clear(output);
        ++r.writtenCount;
        progress.writing(i + 1, index.size(), static_cast<std::int64_t>(index.size()),
                         index.views());
    }
    clear(output);
    if (source.error()) {
        r.error = ConversionResult::Error::SourceReading;
        return;
    }
    if (!file.commit()) {
        writeError(r, target, file.error());
        return;
    }
    r.files.push_back(target);
}

// Writes the games as XML records: all in the target, or each in a file of its own.
void toXml(std::istream& in, const PgnIndex& index, const std::string& target,
           const ConversionOptions& options, ConversionResult& r, Progress& progress,
           const CancelToken* cancel) {
    AtomicFileSet waiting;
    XmlWriter list;
    const std::string timestamp = XmlWriter::currentTimestamp();
    if (!options.onePerFile) {
        if (WriteFailure e = list.open(target, XmlWriter::Mode::Replace)) {
            writeError(r, target, e.detail);
            return;
        }
    }
    for (std::size_t i = 0; i < index.size(); ++i) {
        if (cancelled(cancel)) {
            r.cancelled = true;
            r.files.clear();
            return; // the writer and the files waiting are dropped with the target untouched
        }
        ParsedGame parsed = readPgnGame(in, index.position(i));
        if (parsed.error == GameReadProblem::FileReadError) {
            r.error = ConversionResult::Error::SourceReading;
            r.files.clear();
            return;
        }
        const auto number = static_cast<std::int64_t>(i + 1);
        // Nothing read: no game to write, only to tell of.
        const bool empty = parsed.error == GameReadProblem::NoGameAtPlace;
        if (!parsed.ok())
            r.problems.push_back({number, !empty, parsed.error, parsed.errorNumber, parsed.detail});
        if (!empty) {
            const XmlGame game = xmlGame(std::move(parsed));
            if (options.onePerFile) {
                const std::string path = gameFileName(target, number);
                std::string document = XmlWriter::documentStart(timestamp);
                document.append(XmlWriter::gameBlock(game)).append("</LIST>");
                document.append(LineEnd);
                if (const std::string reason = waiting.add(path, document); !reason.empty()) {
                    writeError(r, path, reason);
                    r.files.clear();
                    return;
                }
                r.files.push_back(path);
            } else {
                list.write(game);
            }
            ++r.writtenCount;
        }
        progress.writing(i + 1, index.size(), static_cast<std::int64_t>(index.size()),
                         index.views());
    }
    if (!options.onePerFile) r.files.push_back(target);

    if (options.addressFile) {
        std::string addresses;
        for (const std::string& f : r.files) addresses.append(fileAddress(f)).append("\n");
        const std::string path = addressFileName(target);
        if (const std::string reason = waiting.add(path, addresses); !reason.empty()) {
            writeError(r, path, reason);
            r.files.clear();
            return;
        }
        r.addressFile = path;
    }
    if (!options.onePerFile) {
        if (WriteFailure e = list.finish(&waiting)) {
            writeError(r, target, e.detail);
            r.files.clear();
            r.addressFile.clear();
            return;
        }
    }
    if (const std::string reason = waiting.commit(); !reason.empty()) {
        r.error = ConversionResult::Error::Writing;
        r.detail = reason;
    }
}

} // namespace

ConversionResult convertir_fichier_pgn(const std::string& source, const std::string& target,
                                       const GameFilter& filter, const ConversionOptions& options,
                                       const ConversionProgress& progression,
                                       const CancelToken* cancel) {
    ConversionResult r;
    std::error_code ec;
    if (!std::filesystem::exists(source, ec) || std::filesystem::is_directory(source, ec)) {
        r.error = ConversionResult::Error::SourceMissing;
        r.detail = source;
        return r;
    }
    // The scan is quick beside reading every move for XML; copying the text is not.
    Progress progress(progression, options.format == ConversionFormat::Xml ? 5 : 50);
    GameFilter all = filter;
    all.maximum = std::numeric_limits<std::int64_t>::max();
    std::optional<PgnIndex> index = PgnIndex::indexFile(
        source, all,
        [&](int percent, std::int64_t listed, std::int64_t views) {
            progress.scan(percent, listed, views);
        },
        cancel);
    if (!index || index->readError()) {
        r.error = ConversionResult::Error::SourceReading;
        r.detail = source;
        return r;
    }
    r.readCount = index->views();
    if (index->cancelled()) {
        r.cancelled = true;
        return r;
    }
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        r.error = ConversionResult::Error::SourceReading;
        r.detail = source;
        return r;
    }
    if (options.format == ConversionFormat::Pgn)
        toPgn(in, *index, target, r, progress, cancel);
    else
        toXml(in, *index, target, options, r, progress, cancel);
    if (r.error == ConversionResult::Error::SourceReading) r.detail = source;
    if (!r.success())
        r.writtenCount = 0; // nothing was put in place
    else
        progress.writing(1, 1, static_cast<std::int64_t>(index->size()), index->views());
    return r;
}

std::string conversionMessage(const ConversionResult& r, const TextCatalogue& catalogue) {
    switch (r.error) {
    case ConversionResult::Error::SourceMissing:
        return catalogue.text(TextKey::FileNotFound) + " (" + r.detail + ")";
    case ConversionResult::Error::SourceReading:
        return catalogue.text(TextKey::FileReadError) + r.detail;
    case ConversionResult::Error::Writing:
        return catalogue.text(TextKey::FileNotWritten) + r.detail;
    case ConversionResult::Error::None:
        break;
    }
    if (r.cancelled) return catalogue.text(TextKey::ConversionCancelled);

    std::string text = catalogue.text(TextKey::ConversionFinished) +
                       std::to_string(r.writtenCount) + catalogue.text(TextKey::GamesReadCount) +
                       std::to_string(r.readCount);
    std::int64_t withError = 0, notWritten = 0;
    for (const ConversionProblem& p : r.problems) (p.written ? withError : notWritten) += 1;
    if (withError > 0)
        text += catalogue.text(TextKey::GamesWithReadingError) + std::to_string(withError);
    if (notWritten > 0)
        text += catalogue.text(TextKey::UnreadableGamesNotWritten) + std::to_string(notWritten);
    for (std::size_t i = 0; i < r.problems.size() && i < DetailedProblems; ++i) {
        const ConversionProblem& p = r.problems[i];
        ParsedGame parsed;
        parsed.error = p.error;
        parsed.errorNumber = p.errorNumber;
        parsed.detail = p.detail;
        text += catalogue.text(TextKey::GameNumber, {std::to_string(p.number)}) +
                readingMessage(parsed, catalogue);
    }
    if (r.problems.size() > DetailedProblems)
        text += catalogue.text(TextKey::AndMore,
                               {std::to_string(r.problems.size() - DetailedProblems)});
    if (!r.addressFile.empty()) text += catalogue.text(TextKey::AddressFile) + r.addressFile;
    return text;
}

namespace {

// The place of the dot that starts the name's extension; npos when it has none (a dot in a
// folder's name or at the start of the name is none).
std::size_t extensionDot(const std::string& path) {
    const std::size_t bar = path.rfind('/');
    const std::size_t nameStart = bar == std::string::npos ? 0 : bar + 1;
    const std::size_t point = path.rfind('.');
    return point != std::string::npos && point > nameStart ? point : std::string::npos;
}

} // namespace

std::optional<ConversionFormat> targetFormat(const std::string& path) {
    const std::size_t point = extensionDot(path);
    if (point == std::string::npos) return std::nullopt;
    std::string extension = path.substr(point + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (extension == "xml") return ConversionFormat::Xml;
    if (extension == "pgn") return ConversionFormat::Pgn;
    return std::nullopt;
}

std::string gameFileName(const std::string& target, std::int64_t number) {
    std::string n = std::to_string(number);
    if (n.size() < 4) n.insert(0, 4 - n.size(), '0');
    const std::size_t point = extensionDot(target);
    if (point == std::string::npos) return target + "_" + n;
    return target.substr(0, point) + "_" + n + target.substr(point);
}

std::string addressFileName(const std::string& target) {
    const std::size_t point = extensionDot(target);
    std::string name = (point == std::string::npos ? target : target.substr(0, point)) + ".txt";
    // A target that is itself a .txt file keeps its content.
    if (name == target) name += ".txt";
    return name;
}

std::string copyPgnGame(std::string_view text) {
    std::string output;
    CopyLines lineCopier(output);
    lineCopier.lines(text);
    lineCopier.finish();
    return output;
}

} // namespace quarvelin
