// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TagValue.h"

#include <gtest/gtest.h>

TEST(TagValue, TakesTheTextBetweenTheQuotes) {
    const struct {
        const char* name;
        const char* text;
        const char* expected;
    } cases[] = {
        {"[Event", "[Event \"Open de Paris\"]\r\n[Site \"Paris\"]\r\n", "Open de Paris"},
        {"[Site", "[Event \"Open\"]\r\n[Site \"Paris\"]\r\n", "Paris"},
        {"[Round", "[Event \"Open\"]\r\n", ""},
        {"[Event", "[Event \"\"]\r\n", ""},
        // The first match wins, whichever tag it starts: the value is cut as if it were White.
        {"[White", "[WhiteElo \"2400\"]\r\n[White \"Anna\"]\r\n", "o \"2400"},
        {"[White", "[White \"Anna\"]\r\n[WhiteElo \"2400\"]\r\n", "Anna"},
        // Exact case: a lower-case tag is not the tag.
        {"[Event", "[event \"x\"]\r\n", ""},
        {"[Event", "[Event \"no end", ""},
        {"[Event", "[Event]", ""},
        {"[White", "[White \"Zoë \"la\" Müller\"]", "Zoë \"la\" Müller"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quarvelin::valeur_etiquette(c.name, c.text), c.expected) << c.text;
}
