// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/NumberReader.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <memory>
#include <string>

using quarvelin::leadingNumber;
using quarvelin::lire_nombre;
using quarvelin::NumberLocale;
using namespace std::string_literals;

namespace {

struct Case {
    std::string text;
    double expected;
};

// U+00A0, U+202F and U+2009 in UTF-8.
const std::string NoBreak = "\xC2\xA0";
const std::string NarrowNoBreak = "\xE2\x80\xAF";
const std::string ThinSpace = "\xE2\x80\x89";

void expectRead(const std::string& text, double expected, const NumberLocale& locale = {}) {
    SCOPED_TRACE(testing::PrintToString(text));
    const auto parsed = lire_nombre(text, locale);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_DOUBLE_EQ(*parsed, expected);
}

TEST(NumberReading, DefaultLocale) {
    const Case cases[] = {
        {"1 234,5", 1234.5}, {"-0,25", -0.25}, {"12abc", 12}, {"1.2.3", 1.2}, {"", 0},
        {"abc", 0},          {"+5", 5},        {"--5", 0},    {" 7 ", 7},     {"3,5", 3.5},
        {",5", 0.5},         {"\t1 2 3", 123}, {"5-3", 5},    {"1'000", 1}};
    for (const auto& [text, expected] : cases) expectRead(text, expected);
    expectRead("12 \xE2\x82\xAC", 12); // the euro sign ends the walk
    expectRead("1" + NoBreak + "234,5", 1234.5);
    expectRead("-1" + NarrowNoBreak + "000" + NarrowNoBreak + "000", -1000000);
    expectRead("1" + ThinSpace + "234", 1); // not a separator unless the locale says so
    expectRead("\xC3\xA9"s + "5", 0);
    EXPECT_FALSE(lire_nombre(std::nullopt).has_value());
}

TEST(NumberReading, InvalidUtfStopsTheReading) {
    const Case cases[] = {
        {"1\xFF"s + "2", 1},
        {"\xC3", 0},                     // truncated two-byte sequence
        {"2\xE2\x80", 2},                // truncated three-byte sequence
        {"1\xC0\xB1"s + "2", 1},         // overlong "1"
        {"1\xC1\xA0"s + "2", 1},         // overlong, would be a space
        {"7\xED\xA0\x80"s + "9", 7},     // surrogate
        {"8\xF4\x90\x80\x80"s + "9", 8}, // beyond U+10FFFF
        {"3\x80"s + "4", 3},             // stray continuation byte
        {"6\xC2"s + "5", 6},             // lead byte followed by an ASCII byte
        {"4"s + '\0' + "5", 4},
    };
    for (const auto& [text, expected] : cases) expectRead(text, expected);
}

TEST(NumberReading, OtherLocales) {
    const NumberLocale continental{U',', U'.'}, swiss{U'.', U'\''};
    // "." stays a decimal mark even where the locale uses it for thousands.
    expectRead("1234,5", 1234.5, continental);
    expectRead("1.234,5", 1.234, continental);
    expectRead("1'234'567.5", 1234567.5, swiss);
    expectRead("1'234,5", 1234.5, swiss);
    expectRead("1\xD9\xAC"s + "234\xD9\xAB"s + "5", 1234.5, {U'\u066B', U'\u066C'});
    expectRead("1" + ThinSpace + "234,5", 1234.5, {U',', U'\u2009'});
    EXPECT_FALSE(lire_nombre(std::nullopt, continental).has_value());
}

TEST(NumberReading, DoesNotReadBeyondTheView) {
    EXPECT_DOUBLE_EQ(*lire_nombre(std::string_view("125").substr(0, 2)), 12);
    EXPECT_DOUBLE_EQ(leadingNumber(std::string_view("7.25").substr(0, 3)), 7.2);

    // Sequences cut by the end of an exactly sized buffer: a sanitizer build catches overreads.
    for (const std::string& text :
         {std::string("1\xC2"), std::string("1\xE2\x80"), std::string("1\xF0\x9F\x98")}) {
        const auto buffer = std::make_unique<char[]>(text.size());
        std::memcpy(buffer.get(), text.data(), text.size());
        EXPECT_DOUBLE_EQ(*lire_nombre(std::string_view(buffer.get(), text.size())), 1);
    }
}

TEST(LeadingNumber, SpacesIgnoredDotAsDecimalMarkZeroWhenNone) {
    const Case cases[] = {
        {"3,5", 3}, {" 1 2.5x", 12.5}, {"-.5", -0.5},  {".", 0},       {"+", 0},
        {"-", 0},   {"", 0},           {"abc", 0},     {"--5", 0},     {"+-5", 0},
        {"5.", 5},  {"007", 7},        {"1.2.3", 1.2}, {"\t-\t3", -3}, {"  -  0 . 5", -0.5},
        {"1e5", 1}, {"0.000", 0},      {"0.1", 0.1},   {".5.", 0.5},   {"+.", 0}};
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(leadingNumber(text), expected);
    }
    EXPECT_DOUBLE_EQ(leadingNumber("12345678901234567890"), 12345678901234567890.0);
}

TEST(LeadingNumber, CountlessDigits) {
    const std::string nines(400, '9');
    const Case cases[] = {
        {nines, DBL_MAX},
        {"-" + nines, -DBL_MAX},
        {nines + "." + nines, DBL_MAX},
        {"1" + std::string(308, '0'), 1e308},
        {"1" + std::string(309, '0'), DBL_MAX},
        {std::string(400, '0') + "5", 5},
        {"0." + std::string(400, '0') + "1", 0},
        {"-0." + std::string(400, '0') + "1", 0},
        {"0." + nines, 1},
    };
    // Exact comparisons: DBL_MAX and infinity are one ULP apart.
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.substr(0, 20));
        EXPECT_EQ(leadingNumber(text), expected);
    }
    EXPECT_EQ(*lire_nombre("1 " + nines), DBL_MAX);
}

} // namespace
