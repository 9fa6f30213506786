// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PgnIndex.h"

#include "localisation/Encoding.h"
#include "records/FilterSelection.h"
#include "records/GameStart.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>

namespace quarvelin {

namespace {

constexpr std::size_t BlockSize = 1 << 20;
constexpr std::size_t None = std::string::npos;

constexpr std::string_view FieldNames[PgnIndex::FieldCountValue] = {
    "event", "site", "date", "round", "white", "black", "result", "eco"};

bool sameName(std::string_view name, std::string_view lowercase);

// The field a tag name stands for, in any case; -1 for the others.
int field(std::string_view name) {
    if (name.size() < 3 || name.size() > 6) return -1;
    int c = -1;
    switch (name[0] | 0x20) {
    case 'e':
        c = name.size() == 3 ? PgnIndex::Eco : PgnIndex::Event;
        break;
    case 's':
        c = PgnIndex::Site;
        break;
    case 'd':
        c = PgnIndex::Date;
        break;
    case 'r':
        c = name.size() == 5 ? PgnIndex::Round : PgnIndex::Result;
        break;
    case 'w':
        c = PgnIndex::White;
        break;
    case 'b':
        c = PgnIndex::Black;
        break;
    default:
        return -1;
    }
    return sameName(name, FieldNames[c]) ? c : -1;
}

bool sameName(std::string_view name, std::string_view lowercase) {
    if (name.size() != lowercase.size()) return false;
    for (std::size_t k = 0; k < name.size(); ++k) {
        char c = name[k];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowercase[k]) return false;
    }
    return true;
}

bool ascii(std::string_view s) {
    unsigned char bits = 0;
    for (char c : s) bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}

// The tags of one game's header as found in the block: views into it, except values that held
// escapes, which are kept unescaped beside.
struct Header {
    std::array<std::string_view, PgnIndex::FieldCountValue> values{};
    std::array<std::string, PgnIndex::FieldCountValue> escapedValues;
    std::string tagsText; // only when a filter needs it
    std::size_t end = None;

    void clear() {
        values.fill({});
        tagsText.clear();
        end = None;
    }

    // One line of the header: one tag or several written side by side.
    void readLine(std::string_view line, bool withText) {
        const char* d = line.data();
        const std::size_t n = line.size();
        std::size_t k = 0;
        while (k < n && d[k] == '[') {
            std::size_t t = k + 1;
            while (t < n && !lineWhite(d[t]) && d[t] != '"' && d[t] != ']') ++t;
            const int c = field(line.substr(k + 1, t - k - 1));
            std::string_view value;
            bool escaped = false;
            while (t < n && lineWhite(d[t])) ++t;
            if (t < n && d[t] == '"') {
                const std::size_t beginning = ++t;
                for (;;) {
                    const void* q = std::memchr(d + t, '"', n - t);
                    t = q ? static_cast<std::size_t>(static_cast<const char*>(q) - d) : n;
                    if (t == n || d[t - 1] != '\\') break;
                    // An escaped quote, unless the backslash is itself escaped.
                    std::size_t bars = 0;
                    while (t - bars > beginning && d[t - 1 - bars] == '\\') ++bars;
                    if (bars % 2 == 0) break;
                    ++t;
                }
                value = line.substr(beginning, t - beginning);
                escaped = value.find('\\') != std::string_view::npos;
                if (t < n) ++t;
            }
            const void* bracket = std::memchr(d + t, ']', n - t);
            const std::size_t tagEnd =
                bracket ? static_cast<std::size_t>(static_cast<const char*>(bracket) - d) : n;
            if (withText) {
                if (!tagsText.empty()) tagsText += '/';
                tagsText.append(line.substr(k + 1, tagEnd - k - 1));
            }
            if (c >= 0) {
                if (escaped) {
                    std::string& s = escapedValues[static_cast<std::size_t>(c)];
                    s.clear();
                    for (std::size_t i = 0; i < value.size(); ++i) {
                        if (value[i] == '\\' && i + 1 < value.size() &&
                            (value[i + 1] == '"' || value[i + 1] == '\\'))
                            ++i;
                        s += value[i];
                    }
                    value = s;
                }
                values[static_cast<std::size_t>(c)] = value;
            }
            k = tagEnd < n ? tagEnd + 1 : n;
            while (k < n && lineWhite(d[k])) ++k;
        }
    }

    // Reads the tag lines from `beginning` (a line start) while they begin with '['. complete: the
    // text ends there; otherwise a header running into the end stays unfinished (end None).
    void read(std::string_view text, std::size_t beginning, bool complete, bool withText) {
        clear();
        std::size_t pos = beginning;
        for (;;) {
            std::size_t s = pos;
            while (s < text.size() && lineWhite(text[s])) ++s;
            if (s == text.size()) {
                if (complete) end = s;
                return;
            }
            if (text[s] != '[') {
                end = pos;
                return;
            }
            const void* nl = std::memchr(text.data() + s, '\n', text.size() - s);
            if (!nl && !complete) return;
            std::size_t e =
                nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data())
                   : text.size();
            std::size_t f = e;
            while (f > s && (text[f - 1] == '\r' || lineWhite(text[f - 1]))) --f;
            readLine(text.substr(s, f - s), withText);
            pos = nl ? e + 1 : e;
        }
    }
};

} // namespace

std::string_view PgnIndex::value(std::size_t i, Field field) const {
    const Entry& e = entry(i);
    std::uint32_t beginning = field == 0 ? 0 : e.ends[static_cast<std::size_t>(field) - 1];
    return {texts_[e.text].get() + e.beginning + beginning, e.ends[field] - beginning};
}

void PgnIndex::append(std::uint64_t position,
                      const std::array<std::string_view, FieldCountValue>& values) {
    bool utf8 = true;
    for (std::string_view v : values) utf8 = utf8 && ascii(v);
    // Names in a Windows-1252 file are kept in UTF-8, like the rest of the program's texts.
    std::array<std::string, FieldCountValue> converted;
    std::array<std::string_view, FieldCountValue> views = values;
    if (!utf8) {
        for (std::size_t c = 0; c < FieldCountValue; ++c) {
            converted[c] = utf8Text(values[c]);
            views[c] = converted[c];
        }
    }
    std::size_t size = 0;
    for (std::string_view& v : views) {
        if (v.size() > MaximumValue) {
            std::size_t n = MaximumValue;
            while (n > 0 && (static_cast<unsigned char>(v[n]) & 0xC0) == 0x80) --n;
            v = v.substr(0, n);
        }
        size += v.size();
    }
    if (texts_.empty() || TextSize - filled_ < size) {
        texts_.push_back(std::make_unique_for_overwrite<char[]>(TextSize));
        filled_ = 0;
    }
    if (number_ % EntriesPerSlice == 0)
        slices_.push_back(std::make_unique_for_overwrite<Entry[]>(EntriesPerSlice));
    Entry& e = slices_.back()[number_ % EntriesPerSlice];
    e.position = position;
    e.text = static_cast<std::uint32_t>(texts_.size() - 1);
    e.beginning = static_cast<std::uint32_t>(filled_);
    char* text = texts_.back().get() + filled_;
    std::size_t end = 0;
    for (std::size_t c = 0; c < FieldCountValue; ++c) {
        if (!views[c].empty()) std::memcpy(text + end, views[c].data(), views[c].size());
        end += views[c].size();
        e.ends[c] = static_cast<std::uint16_t>(end);
    }
    filled_ += end;
    ++number_;
}

std::optional<PgnIndex> PgnIndex::indexFile(const std::string& path, const GameFilter& filter,
                                            const Progression& progression,
                                            const CancelToken* cancel) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    auto end = in.tellg();
    std::uint64_t size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    in.seekg(0);
    return buildIndex(in, size, filter, progression, cancel);
}

PgnIndex PgnIndex::buildIndex(std::istream& in, std::uint64_t size, const GameFilter& filter,
                              const Progression& progression, const CancelToken* cancel) {
    PgnIndex index;
    const FilterSelection selection(filter);
    const std::int64_t maximum = std::max<std::int64_t>(filter.maximum, 0);
    // A small file needs no more than its size; the memory is not cleared, only written.
    const std::size_t capacity = size == 0
                                     ? BlockSize
                                     : static_cast<std::size_t>(std::min<std::uint64_t>(
                                           BlockSize, std::max<std::uint64_t>(size + 1, 64 << 10)));
    std::unique_ptr<char[]> data = std::make_unique_for_overwrite<char[]>(capacity);
    char* const buffer = data.get();
    std::size_t length = 0; // bytes held
    std::uint64_t base = 0; // file position of tampon[0]
    bool lineStart = true;  // tampon[0] starts a line
    bool fileEnd = false, first = true;
    int percent = -1;
    Header header;

    auto report = [&](std::uint64_t parsed) {
        int p = size ? static_cast<int>(std::min<std::uint64_t>(parsed * 100 / size, 100)) : 0;
        if (fileEnd) p = 100;
        if (p == percent || !progression) return;
        percent = p;
        progression(p, static_cast<std::int64_t>(index.size()), index.views_);
    };

    bool stop = maximum == 0;
    while (!stop) {
        if (!fileEnd) {
            in.read(buffer + length, static_cast<std::streamsize>(capacity - length));
            std::size_t parsed = static_cast<std::size_t>(in.gcount());
            length += parsed;
            if (!in) {
                fileEnd = true;
                index.readError_ = in.bad();
            }
        }
        if (first) {
            first = false;
            if (length >= 3 && std::memcmp(buffer, "\xEF\xBB\xBF", 3) == 0) {
                std::memmove(buffer, buffer + 3, length - 3);
                length -= 3;
                base = 3;
            }
        }
        const std::string_view text(buffer, length);
        const bool full = length == capacity;
        std::size_t p = 0, kept = length;
        while (p < length) {
            StartSearch r = findGameStart(text, p, lineStart, fileEnd);
            if (r.line == StartSearch::None) {
                // A candidate cut by the block's end waits for the next block, unless the
                // block is all it: then it is no game start.
                if (r.resumption == 0 && full) {
                    p = text.find('[', p) + 1;
                    continue;
                }
                kept = r.resumption;
                break;
            }
            header.read(text, r.line, fileEnd || (r.line == 0 && full), selection.enabled());
            if (header.end == None) {
                kept = r.line;
                break;
            }
            ++index.views_;
            bool accepted = true;
            if (selection.enabled()) {
                if (!ascii(header.tagsText)) header.tagsText = utf8Text(header.tagsText);
                accepted = selection.accepted(header.tagsText);
            }
            if (accepted) {
                index.append(base + r.line, header.values);
                if (static_cast<std::int64_t>(index.number_) >= maximum) {
                    stop = true;
                    break;
                }
            }
            p = std::max(header.end, r.bracket + 1);
        }
        if (stop) break;
        report(base + kept);
        if (fileEnd) break;
        if (quarvelin::cancelled(cancel)) {
            index.cancelled_ = true;
            break;
        }
        lineStart = kept == length ? endsAtLineStart(text, lineStart)
                    : kept == 0    ? lineStart
                                   : true;
        std::memmove(buffer, buffer + kept, length - kept);
        base += kept;
        length -= kept;
    }
    if (stop) report(size);
    return index;
}

} // namespace quarvelin
