#include "records/ListeAdresses.h"

#include "localisation/Encoding.h"

#include <QFile>

#include <algorithm>
#include <cctype>

namespace quarvelin {

namespace {

std::size_t chercher_sans_casse(std::string_view text, std::string_view motif) {
    auto it =
        std::search(text.begin(), text.end(), motif.begin(), motif.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return it == text.end() ? std::string_view::npos
                             : static_cast<std::size_t>(it - text.begin());
}

std::string_view rogner(std::string_view s) {
    auto blanc = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && blanc(s.front())) s.remove_prefix(1);
    while (!s.empty() && blanc(s.back())) s.remove_suffix(1);
    return s;
}

} // namespace

bool lire_liste_adresses(const std::string& path, std::vector<std::string>& adresses) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray octets = f.readAll();
    const std::string text = utf8Text(std::string_view(octets.constData(), octets.size()));
    adresses.clear();
    std::string_view reste = text;
    // A UTF-8 byte order mark would otherwise stick to the first address.
    if (reste.starts_with("\xEF\xBB\xBF")) reste.remove_prefix(3);
    while (!reste.empty()) {
        const std::size_t end = reste.find('\n');
        const std::string_view line = rogner(reste.substr(0, end));
        reste = end == std::string_view::npos ? std::string_view{} : reste.substr(end + 1);
        if (!line.empty() && line.front() != '#') adresses.emplace_back(line);
    }
    return true;
}

std::string adresse_de_ligne(std::string_view line) {
    const std::size_t debut =
        std::min({chercher_sans_casse(line, "http://"), chercher_sans_casse(line, "https://"),
                  chercher_sans_casse(line, "file://")});
    if (debut == std::string_view::npos) return {};
    return std::string(rogner(line.substr(debut)));
}

} // namespace quarvelin
