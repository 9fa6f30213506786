// SPDX-License-Identifier: GPL-3.0-or-later
#include "localisation/Catalogue.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <charconv>
#include <cstdlib>
#include <mutex>

// The resources live in a static library; without this call the linker drops them.
static void initResources() { Q_INIT_RESOURCE(data); }

namespace quarvelin {

namespace {

constexpr const char* Files[LanguageCount] = {"fr.txt", "en.txt", "it.txt", "es.txt",
                                              "de.txt", "pt.txt", "ru.txt", "pl.txt"};
constexpr const char* Codes[LanguageCount] = {"fr", "en", "it", "es", "de", "pt", "ru", "pl"};

bool validKey(int languageKey) { return languageKey >= 1 && languageKey <= LanguageCount; }

// A literal backslash-n in a file stands for a line break.
std::string unescape(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'n') {
            text.push_back('\n');
            ++i;
        } else {
            text.push_back(raw[i]);
        }
    }
    return text;
}

} // namespace

Catalogue::Catalogue() {
    static std::once_flag done;
    std::call_once(done, initResources);
    load(":/catalogue");
}

Catalogue::Catalogue(const std::string& folder) { load(folder); }

int Catalogue::textBase(int languageKey) {
    return validKey(languageKey) ? 10 + 1000 * (languageKey - 1) : 1010;
}

int Catalogue::languageNotation(int languageKey) { return languageKey == 1 ? 1 : 2; }

const char* Catalogue::fileName(int languageKey) {
    return Files[validKey(languageKey) ? languageKey - 1 : 1];
}

void Catalogue::appliquer_langue(int languageKey) { textBase_ = textBase(languageKey); }

std::string Catalogue::texte_catalogue(int number) const {
    if (number < 10) return {};
    const int index = (number - 10) / 1000;
    if (index >= LanguageCount) return {};
    const int offset = (number - 10) % 1000;
    const Language& language = languages_[index];
    if (offset < 1 || !language.presents[offset]) return {};
    return language.texts[offset];
}

PluralForm Catalogue::pluralForm(std::int64_t n) const {
    const int language = textBase_ < 1010 ? 1 : (textBase_ - 10) / 1000 + 1;
    if (language == 1) return n <= 1 ? PluralForm::One : PluralForm::Other; // 0 and 1, French
    if (language != 7 && language != 8) return n == 1 ? PluralForm::One : PluralForm::Other;
    const std::int64_t tens = n % 100, units = n % 10;
    const bool few = units >= 2 && units <= 4 && (tens < 12 || tens > 14);
    if (language == 7 && units == 1 && tens != 11) return PluralForm::One; // 1, 21, 31...
    if (language == 8 && n == 1) return PluralForm::One;
    return few ? PluralForm::Few : PluralForm::Other;
}

std::string Catalogue::text(TextKey key) const {
    const int offset = offsetOf(key);
    if (offset <= MaxOffset) return texte_catalogue(textBase_ + offset);
    const Language& language = languages_[textBase_ < 1010 ? 0 : (textBase_ - 10) / 1000];
    return language.presents[offset] ? language.texts[offset] : std::string();
}

std::vector<int> Catalogue::offsets(int languageKey) const {
    std::vector<int> list;
    if (!validKey(languageKey)) return list;
    const Language& language = languages_[languageKey - 1];
    for (int d = 1; d <= MaxProgramOffset; ++d)
        if (language.presents[d]) list.push_back(d);
    return list;
}

void Catalogue::load(const std::string& folder) {
    for (int i = 0; i < LanguageCount; ++i) {
        languages_[i].texts.assign(MaxProgramOffset + 1, std::string());
        languages_[i].presents.assign(MaxProgramOffset + 1, false);
        QFile file(QString::fromStdString(folder + "/" + Files[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            problems_.push_back(std::string(Files[i]) + ": cannot be opened");
            continue;
        }
        const QByteArray content = file.readAll();
        parse(i, Files[i], std::string_view(content.constData(), content.size()));
    }
}

void Catalogue::parse(int index, const std::string& file, std::string_view content) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    Language& language = languages_[index];
    int lineNumber = 0;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        const auto problem = [&](const char* reason) {
            problems_.push_back(file + ":" + std::to_string(lineNumber) + ": " + reason);
        };
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            problem("no tab after the offset");
            continue;
        }
        const std::string_view count = line.substr(0, tab);
        int offset = 0;
        const auto parsed = std::from_chars(count.data(), count.data() + count.size(), offset);
        if (count.empty() || parsed.ec != std::errc() ||
            parsed.ptr != count.data() + count.size() || offset < 1 || offset > MaxProgramOffset) {
            problem("offset is not a number from 1 to 1269");
            continue;
        }
        if (language.presents[offset]) {
            problem("duplicate offset");
            continue;
        }
        language.presents[offset] = true;
        language.texts[offset] = unescape(line.substr(tab + 1));
    }
}

int languageOfLocale(std::string_view name) {
    const std::size_t end = name.find_first_of("_.@-");
    const std::string_view code = name.substr(0, end);
    if (code.size() != 2) return 2;
    std::string lowercase;
    for (char c : code) lowercase.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
    for (int i = 0; i < LanguageCount; ++i)
        if (lowercase == Codes[i]) return i + 1;
    return 2;
}

int systemLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return languageOfLocale(value);
    }
    return 2;
}

} // namespace quarvelin
