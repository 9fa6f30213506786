// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/NumberReader.h"

#include <cfloat>
#include <charconv>
#include <string>
#include <system_error>

namespace quarvelin {

namespace {

constexpr char32_t Invalid = 0xFFFFFFFF;

bool isWhite(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decodes the code point at text[i] and advances i; Invalid for malformed, overlong,
// surrogate or out-of-range sequences.
char32_t decoder(std::string_view text, std::size_t& i) {
    const auto first = static_cast<unsigned char>(text[i]);
    int next = 0;
    char32_t cp = 0, minimum = 0;
    if (first < 0x80) {
        ++i;
        return first;
    } else if ((first & 0xE0) == 0xC0) {
        next = 1, cp = first & 0x1F, minimum = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        next = 2, cp = first & 0x0F, minimum = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        next = 3, cp = first & 0x07, minimum = 0x10000;
    } else {
        return Invalid;
    }
    if (text.size() - i <= static_cast<std::size_t>(next)) return Invalid;
    for (int k = 1; k <= next; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if ((byte & 0xC0) != 0x80) return Invalid;
        cp = (cp << 6) | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Invalid;
    i += next + 1;
    return cp;
}

} // namespace

std::optional<double> lire_nombre(std::optional<std::string_view> text,
                                  const NumberLocale& locale) {
    if (!text) return std::nullopt;
    std::string kept;
    kept.reserve(text->size());
    std::size_t i = 0;
    while (i < text->size()) {
        const char32_t c = decoder(*text, i);
        if ((c >= U'0' && c <= U'9') || c == U'+' || c == U'-') {
            kept.push_back(static_cast<char>(c));
        } else if (c == U',' || c == U'.' || (locale.decimalMark != 0 && c == locale.decimalMark)) {
            kept.push_back('.');
        } else if (c == U' ' || c == U'\t' || c == 0x00A0 || c == 0x202F ||
                   (locale.thousandsSeparator != 0 && c == locale.thousandsSeparator)) {
            continue;
        } else {
            break; // Invalid lands here too
        }
    }
    return leadingNumber(kept);
}

double leadingNumber(std::string_view text) {
    std::string withoutBlanks;
    withoutBlanks.reserve(text.size());
    for (char c : text)
        if (!isWhite(c)) withoutBlanks.push_back(c);

    std::size_t i = 0;
    bool negative = false;
    if (i < withoutBlanks.size() && (withoutBlanks[i] == '+' || withoutBlanks[i] == '-'))
        negative = withoutBlanks[i++] == '-';

    // Leading zeros are dropped so that an out-of-range result can be told apart: a
    // significant integer part means overflow, none means underflow.
    std::string integer, fraction;
    bool digitSeen = false;
    for (; i < withoutBlanks.size() && isDigit(withoutBlanks[i]); ++i) {
        digitSeen = true;
        if (!integer.empty() || withoutBlanks[i] != '0') integer.push_back(withoutBlanks[i]);
    }
    if (i < withoutBlanks.size() && withoutBlanks[i] == '.') {
        for (++i; i < withoutBlanks.size() && isDigit(withoutBlanks[i]); ++i) {
            digitSeen = true;
            fraction.push_back(withoutBlanks[i]);
        }
    }
    if (!digitSeen) return 0.0;

    std::string count = integer.empty() ? "0" : integer;
    if (!fraction.empty()) count += '.' + fraction;
    double value = 0.0;
    const std::errc error = std::from_chars(count.data(), count.data() + count.size(), value).ec;
    if (error == std::errc::result_out_of_range)
        value = integer.empty() ? 0.0 : DBL_MAX;
    else if (error != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

} // namespace quarvelin
