// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tolerant decimal reader behind every text-to-number conversion: users type numbers with
// either decimal mark and with spaced thousands, and trailing junk must not refuse the value.
#include <optional>
#include <string_view>

namespace quarvelin {

struct NumberLocale {
    char32_t decimalMark = U'.';
    char32_t thousandsSeparator = 0; // 0 for none
};

// Keeps digits, signs and decimal marks (",", "." and the locale's, all read as "."), skips
// blanks, no-break spaces and the thousands separator, stops at anything else (invalid UTF-8
// included), then reads the leading number of what was kept. No text gives no value.
std::optional<double> lire_nombre(std::optional<std::string_view> text,
                                  const NumberLocale& locale = {});

// The leading decimal number of the text, "." as decimal mark, spaces and tabs ignored
// anywhere; 0 when there is none. Values too large for a double are clamped to +-DBL_MAX.
double leadingNumber(std::string_view text);

} // namespace quarvelin
