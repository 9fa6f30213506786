#include "notation/LireNombre.h"

#include <cfloat>
#include <charconv>
#include <string>
#include <system_error>

namespace quarvelin {

namespace {

constexpr char32_t Invalide = 0xFFFFFFFF;

bool est_blanc(char c) { return c == ' ' || c == '\t'; }
bool est_chiffre(char c) { return c >= '0' && c <= '9'; }

// Decodes the code point at text[i] and advances i; Invalide for malformed, overlong,
// surrogate or out-of-range sequences.
char32_t decoder(std::string_view text, std::size_t& i) {
    const auto premier = static_cast<unsigned char>(text[i]);
    int suite = 0;
    char32_t cp = 0, minimum = 0;
    if (premier < 0x80) {
        ++i;
        return premier;
    } else if ((premier & 0xE0) == 0xC0) {
        suite = 1, cp = premier & 0x1F, minimum = 0x80;
    } else if ((premier & 0xF0) == 0xE0) {
        suite = 2, cp = premier & 0x0F, minimum = 0x800;
    } else if ((premier & 0xF8) == 0xF0) {
        suite = 3, cp = premier & 0x07, minimum = 0x10000;
    } else {
        return Invalide;
    }
    if (text.size() - i <= static_cast<std::size_t>(suite)) return Invalide;
    for (int k = 1; k <= suite; ++k) {
        const auto octet = static_cast<unsigned char>(text[i + k]);
        if ((octet & 0xC0) != 0x80) return Invalide;
        cp = (cp << 6) | (octet & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Invalide;
    i += suite + 1;
    return cp;
}

} // namespace

std::optional<double> lire_nombre(std::optional<std::string_view> text,
                                  const NumberLocale& locale) {
    if (!text) return std::nullopt;
    std::string garde;
    garde.reserve(text->size());
    std::size_t i = 0;
    while (i < text->size()) {
        const char32_t c = decoder(*text, i);
        if ((c >= U'0' && c <= U'9') || c == U'+' || c == U'-') {
            garde.push_back(static_cast<char>(c));
        } else if (c == U',' || c == U'.' || (locale.decimalMark != 0 && c == locale.decimalMark)) {
            garde.push_back('.');
        } else if (c == U' ' || c == U'\t' || c == 0x00A0 || c == 0x202F ||
                   (locale.thousandsSeparator != 0 && c == locale.thousandsSeparator)) {
            continue;
        } else {
            break; // Invalide lands here too
        }
    }
    return lecture_nombre_tete(garde);
}

double lecture_nombre_tete(std::string_view text) {
    std::string sansBlancs;
    sansBlancs.reserve(text.size());
    for (char c : text)
        if (!est_blanc(c)) sansBlancs.push_back(c);

    std::size_t i = 0;
    bool negatif = false;
    if (i < sansBlancs.size() && (sansBlancs[i] == '+' || sansBlancs[i] == '-'))
        negatif = sansBlancs[i++] == '-';

    // Leading zeros are dropped so that an out-of-range result can be told apart: a
    // significant integer part means overflow, none means underflow.
    std::string entier, fraction;
    bool chiffreVu = false;
    for (; i < sansBlancs.size() && est_chiffre(sansBlancs[i]); ++i) {
        chiffreVu = true;
        if (!entier.empty() || sansBlancs[i] != '0') entier.push_back(sansBlancs[i]);
    }
    if (i < sansBlancs.size() && sansBlancs[i] == '.') {
        for (++i; i < sansBlancs.size() && est_chiffre(sansBlancs[i]); ++i) {
            chiffreVu = true;
            fraction.push_back(sansBlancs[i]);
        }
    }
    if (!chiffreVu) return 0.0;

    std::string nombre = entier.empty() ? "0" : entier;
    if (!fraction.empty()) nombre += '.' + fraction;
    double valeur = 0.0;
    const std::errc erreur =
        std::from_chars(nombre.data(), nombre.data() + nombre.size(), valeur).ec;
    if (erreur == std::errc::result_out_of_range)
        valeur = entier.empty() ? 0.0 : DBL_MAX;
    else if (erreur != std::errc())
        valeur = 0.0;
    return negatif ? -valeur : valeur;
}

} // namespace quarvelin
