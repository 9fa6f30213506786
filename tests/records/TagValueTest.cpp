#include "records/TagValue.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* text;
    const char* expected;
};

class TagValue : public testing::TestWithParam<Case> {};

TEST_P(TagValue, TakesTheTextBetweenTheQuotes) {
    const Case& c = GetParam();
    EXPECT_EQ(quarvelin::valeur_etiquette(c.name, c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Case, TagValue,
    testing::Values(
        Case{"[Event", "[Event \"Open de Paris\"]\r\n[Site \"Paris\"]\r\n", "Open de Paris"},
        Case{"[Site", "[Event \"Open\"]\r\n[Site \"Paris\"]\r\n", "Paris"},
        Case{"[Round", "[Event \"Open\"]\r\n", ""}, Case{"[Event", "[Event \"\"]\r\n", ""},
        // The first match wins, whichever tag it starts: the value is cut as if it were White.
        Case{"[White", "[WhiteElo \"2400\"]\r\n[White \"Anna\"]\r\n", "o \"2400"},
        Case{"[White", "[White \"Anna\"]\r\n[WhiteElo \"2400\"]\r\n", "Anna"},
        // Exact case: a lower-case tag is not the tag.
        Case{"[Event", "[event \"x\"]\r\n", ""}, Case{"[Event", "[Event \"no end", ""},
        Case{"[Event", "[Event]", ""},
        Case{"[White", "[White \"Zoë \"la\" Müller\"]", "Zoë \"la\" Müller"}));

} // namespace
