#include "records/ValeurEtiquette.h"

#include <gtest/gtest.h>

namespace {

struct Cas {
    const char* name;
    const char* text;
    const char* attendu;
};

class ValeurEtiquette : public testing::TestWithParam<Cas> {};

TEST_P(ValeurEtiquette, TakesTheTextBetweenTheQuotes) {
    const Cas& c = GetParam();
    EXPECT_EQ(quarvelin::valeur_etiquette(c.name, c.text), c.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, ValeurEtiquette,
    testing::Values(
        Cas{"[Event", "[Event \"Open de Paris\"]\r\n[Site \"Paris\"]\r\n", "Open de Paris"},
        Cas{"[Site", "[Event \"Open\"]\r\n[Site \"Paris\"]\r\n", "Paris"},
        Cas{"[Round", "[Event \"Open\"]\r\n", ""}, Cas{"[Event", "[Event \"\"]\r\n", ""},
        // The first match wins, whichever tag it starts: the value is cut as if it were White.
        Cas{"[White", "[WhiteElo \"2400\"]\r\n[White \"Anna\"]\r\n", "o \"2400"},
        Cas{"[White", "[White \"Anna\"]\r\n[WhiteElo \"2400\"]\r\n", "Anna"},
        // Exact case: a lower-case tag is not the tag.
        Cas{"[Event", "[event \"x\"]\r\n", ""}, Cas{"[Event", "[Event \"no end", ""},
        Cas{"[Event", "[Event]", ""},
        Cas{"[White", "[White \"Zoë \"la\" Müller\"]", "Zoë \"la\" Müller"}));

} // namespace
