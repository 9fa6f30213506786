// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/AddressList.h"

#include "localisation/Encoding.h"

#include <QFile>

#include <algorithm>
#include <cctype>

namespace quarvelin {

namespace {

std::size_t findIgnoringCase(std::string_view text, std::string_view pattern) {
    auto it =
        std::search(text.begin(), text.end(), pattern.begin(), pattern.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

std::string_view trimmed(std::string_view s) {
    auto white = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && white(s.front())) s.remove_prefix(1);
    while (!s.empty() && white(s.back())) s.remove_suffix(1);
    return s;
}

} // namespace

bool readAddressList(const std::string& path, std::vector<std::string>& addresses) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    const std::string text = utf8Text(std::string_view(bytes.constData(), bytes.size()));
    addresses.clear();
    std::string_view rest = text;
    // A UTF-8 byte order mark would otherwise stick to the first address.
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!line.empty() && line.front() != '#') addresses.emplace_back(line);
    }
    return true;
}

std::string addressOfLine(std::string_view line) {
    const std::size_t beginning =
        std::min({findIgnoringCase(line, "http://"), findIgnoringCase(line, "https://"),
                  findIgnoringCase(line, "file://")});
    if (beginning == std::string_view::npos) return {};
    return std::string(trimmed(line.substr(beginning)));
}

} // namespace quarvelin
