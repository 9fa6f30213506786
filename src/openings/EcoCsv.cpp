// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/EcoCsv.h"

#include "config/AtomicFileWriter.h"
#include "localisation/Encoding.h"
#include "openings/OpeningBase.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace quarvelin {

namespace {

// The table's field order.
constexpr std::array<const char*, 6> FieldNames = {"Eco_cle",  "Eco_code", "Eco_libelle",
                                                   "Eco_coup", "Eco_note", "Eco_connaissance"};

struct Record {
    std::vector<std::string> fields;
    int line = 0;
};

// Splits records from `at`; a quoted field may hold ";" and line breaks. False when a quote
// is never closed.
class RecordReader {
public:
    explicit RecordReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return at_ >= text_.size(); }
    int line() const { return line_; }

    bool next(Record& r) {
        r.fields.clear();
        r.line = line_;
        std::string field;
        while (true) {
            if (at_ < text_.size() && text_[at_] == '"' && field.empty()) {
                ++at_;
                bool closed = false;
                while (at_ < text_.size()) {
                    char c = text_[at_++];
                    if (c == '"') {
                        if (at_ < text_.size() && text_[at_] == '"') {
                            field += '"';
                            ++at_;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (c == '\n') ++line_;
                    field += c;
                }
                if (!closed) return false;
            }
            // Up to the separator or the end of the line, as written.
            while (at_ < text_.size() && text_[at_] != ';' && text_[at_] != '\n')
                field += text_[at_++];
            if (at_ < text_.size() && text_[at_] == ';') {
                ++at_;
                r.fields.push_back(std::move(field));
                field.clear();
                continue;
            }
            if (!field.empty() && field.back() == '\r') field.pop_back();
            r.fields.push_back(std::move(field));
            if (at_ < text_.size()) {
                ++at_; // the line break
                ++line_;
            }
            return true;
        }
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// 1/0 as written here; "Vrai", "True" and the other languages' words as older files wrote
// them; -1 as some databases store true.
bool readBoolean(const std::string& value) {
    static const std::array<std::string, 12> yes = {
        "1",      "-1",        "vrai", "true",
        "wahr",   "verdadero", "vero", "verdadeiro",
        "prawda", "yes",       "oui",  "\xd0\xb8\xd1\x81\xd1\x82\xd0\xb8\xd0\xbd\xd0\xb0"};
    std::string v = lower(value);
    v.erase(0, std::min(v.size(), v.find_first_not_of(' ')));
    while (!v.empty() && v.back() == ' ') v.pop_back();
    // Russian capitals: "Истина" as well as "истина".
    if (v.starts_with("\xd0\x98")) v.replace(0, 2, "\xd0\xb8");
    return std::ranges::find(yes, v) != yes.end();
}

std::optional<float> readNumber(std::string value) {
    value.erase(0, std::min(value.size(), value.find_first_not_of(' ')));
    while (!value.empty() && value.back() == ' ') value.pop_back();
    if (value.empty()) return 0.0f;
    std::ranges::replace(value, ',', '.'); // a decimal comma from a spreadsheet
    if (value.front() == '+') value.erase(0, 1);
    float f = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), f);
    if (ec != std::errc() || end != value.data() + value.size() || !std::isfinite(f))
        return std::nullopt;
    return f;
}

std::string numberText(float f) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, f);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

} // namespace

std::string champ_csv(int n, std::string_view line) {
    RecordReader reader(line);
    Record r;
    if (n < 1 || !reader.next(r) || static_cast<std::size_t>(n) > r.fields.size()) return {};
    return r.fields[static_cast<std::size_t>(n - 1)];
}

std::string csvValue(std::string_view value) {
    if (value.find_first_of(";\"\r\n") == std::string_view::npos) return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string csvHeader() {
    std::string out = FieldNames[0];
    for (std::size_t i = 1; i < FieldNames.size(); ++i) {
        out += ';';
        out += FieldNames[i];
    }
    return out;
}

std::string csvRow(const EcoLine& l) {
    return std::to_string(l.key) + ';' + csvValue(l.code) + ';' + csvValue(l.label) + ';' +
           csvValue(l.moves) + ';' + numberText(l.note) + ';' + (l.knowledge ? "1" : "0");
}

CsvReading readEcoCsv(std::string_view bytes) {
    CsvReading out;
    const std::string text = utf8Text(bytes);
    std::string_view body = text;
    if (body.starts_with("\xef\xbb\xbf")) body.remove_prefix(3); // a byte-order mark
    RecordReader reader(body);
    Record header;
    if (!reader.next(header)) {
        out.problem = CsvProblem::UnclosedQuote;
        out.lineNumber = 1;
        return out;
    }
    std::array<int, FieldNames.size()> column{};
    column.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i)
        for (std::size_t f = 0; f < FieldNames.size(); ++f)
            if (lower(header.fields[i]) == lower(FieldNames[f])) column[f] = static_cast<int>(i);
    // The key is renumbered and the score and flag have defaults; the line itself must be there.
    for (std::size_t f : {1u, 2u, 3u})
        if (column[f] < 0) {
            out.problem = CsvProblem::MissingField;
            out.lineNumber = 1;
            out.field = FieldNames[f];
            return out;
        }
    Record r;
    while (!reader.atEnd()) {
        if (!reader.next(r)) {
            out.problem = CsvProblem::UnclosedQuote;
            out.lineNumber = r.line;
            return out;
        }
        if (r.fields.size() == 1 && r.fields[0].empty()) continue; // a blank line
        auto value = [&](std::size_t f) -> std::string {
            int c = column[f];
            return c >= 0 && static_cast<std::size_t>(c) < r.fields.size()
                       ? r.fields[static_cast<std::size_t>(c)]
                       : std::string();
        };
        EcoLine l;
        l.key = static_cast<long long>(out.lines.size()) + 1;
        l.code = value(1);
        l.label = value(2);
        l.moves = value(3);
        auto note = readNumber(value(4));
        if (!note) {
            out.problem = CsvProblem::NumberExpected;
            out.lineNumber = r.line;
            out.field = FieldNames[4];
            return out;
        }
        l.note = *note;
        l.knowledge = readBoolean(value(5));
        out.lines.push_back(std::move(l));
    }
    return out;
}

long long exporter_csv(const OpeningBase& base, const std::string& path, std::string& error,
                       const std::function<bool(long long, long long)>& progress) {
    if (!base.isOpen()) {
        error = base.error();
        return -1;
    }
    const std::vector<EcoLine> lines = base.linesStartingWith("");
    AtomicFileWriter file;
    if (!file.open(path) || !file.write(csvHeader() + "\r\n")) {
        error = file.error();
        return -1;
    }
    const auto total = static_cast<long long>(lines.size());
    long long n = 0;
    for (const EcoLine& l : lines) {
        if (!file.write(csvRow(l) + "\r\n")) break;
        ++n;
        if (progress && n % 1024 == 0 && !progress(n, total)) {
            file.discard();
            error.clear();
            return -1;
        }
    }
    if (!file.commit()) {
        error = file.error();
        return -1;
    }
    if (progress) progress(n, total);
    return n;
}

} // namespace quarvelin
