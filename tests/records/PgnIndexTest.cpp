// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PgnIndex.h"

#include "session/CancelToken.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarvelin;

namespace {

GameFilter unlimited() {
    GameFilter f;
    f.maximum = 1 << 30;
    return f;
}

PgnIndex buildIndex(const std::string& text, const GameFilter& filter = unlimited()) {
    std::istringstream in(text);
    return PgnIndex::buildIndex(in, text.size(), filter);
}

std::string game(const std::string& header, const std::string& moves = "1. e4 e5 *") {
    return header + "\n" + moves + "\n\n";
}

const std::string ThreeGames =
    game("[Event \"Paris opera\"]\n[Site \"Paris FRA\"]\n[Date \"1858.??.??\"]\n"
         "[Round \"1\"]\n[White \"Morphy, Paul\"]\n[Black \"Allies\"]\n[Result \"1-0\"]\n"
         "[ECO \"C41\"]",
         "1.e4 e5 2.Nf3 d6 1-0") +
    game("[Event \"Club\"]\n[White \"Abel\"]\n[Black \"Zoe\"]\n[Result \"0-1\"]", "1.d4 0-1") +
    game("[Event \"Club\"]\n[Round \"3\"]\n[White \"Zoe\"]\n[Black \"Abel\"]\n"
         "[Result \"1/2-1/2\"]",
         "1.c4 1/2-1/2");

TEST(PgnIndex, ListsEveryGameWithItsPlaceAndTags) {
    PgnIndex index = buildIndex(ThreeGames);
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index.views(), 3);
    EXPECT_EQ(index.position(0), 0u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(ThreeGames.compare(index.position(i), 7, "[Event "), 0) << i;
    const std::string_view first[] = {"Paris opera",  "Paris FRA", "1858.??.??", "1",
                                      "Morphy, Paul", "Allies",    "1-0",        "C41"};
    for (int c = 0; c < PgnIndex::FieldCountValue; ++c)
        EXPECT_EQ(index.value(0, static_cast<PgnIndex::Field>(c)), first[c]);
    EXPECT_EQ(index.value(1, PgnIndex::White), "Abel");
    EXPECT_EQ(index.value(1, PgnIndex::Round), "");
    EXPECT_EQ(index.value(2, PgnIndex::Result), "1/2-1/2");
}

TEST(PgnIndex, CriteriaMatchTheStartOfTheValueWithoutRegardToCase) {
    struct Case {
        const char* name;
        GameFilter filter;
        std::vector<std::uint64_t> listed; // by game number
    };
    auto f = [](auto field, const char* value, bool either = false) {
        GameFilter filter = unlimited();
        filter.*field = value;
        filter.either = either;
        return filter;
    };
    using F = GameFilter;
    const Case cases[] = {
        {"White ab", f(&F::white, "ab"), {1}},
        {"White ab either colour", f(&F::white, "ab", true), {1, 2}},
        {"White in the middle of the value", f(&F::white, "bel"), {}},
        {"White in the middle, either colour", f(&F::white, "bel", true), {1, 2}},
        {"Black zo", f(&F::black, "ZO"), {1}},
        {"Result", f(&F::result, "1-0"), {0}},
        {"Result prefix", f(&F::result, "1/2"), {2}},
        {"ECO", f(&F::eco, "c4"), {0}},
        {"Site", f(&F::site, "paris"), {0}},
        {"Site in the middle", f(&F::site, "FRA"), {}},
        {"Event", f(&F::event, "club"), {1, 2}},
        {"Date", f(&F::date, "1858"), {0}},
        {"Round", f(&F::round, "3"), {2}},
    };
    for (const Case& c : cases) {
        PgnIndex index = buildIndex(ThreeGames, c.filter);
        std::vector<std::uint64_t> listed;
        for (std::size_t i = 0; i < index.size(); ++i)
            listed.push_back(index.value(i, PgnIndex::Event) == "Paris opera" ? 0
                             : index.value(i, PgnIndex::White) == "Abel"      ? 1
                                                                              : 2);
        EXPECT_EQ(listed, c.listed) << c.name;
        EXPECT_EQ(index.views(), 3) << c.name;
    }

    GameFilter two = unlimited();
    two.white = "zoe";
    two.result = "1/2";
    EXPECT_EQ(buildIndex(ThreeGames, two).size(), 1u);
    two.result = "0-1";
    EXPECT_EQ(buildIndex(ThreeGames, two).size(), 0u);
}

TEST(PgnIndex, NamesMatchWhateverTheirEncodingAndCase) {
    const std::string utf8 = game("[Event \"a\"]\n[White \"Müller, Jürgen\"]");
    const std::string cp1252 = game("[Event \"b\"]\n[White \"M\xFCller, J\xFCrgen\"]");
    GameFilter filter = unlimited();
    filter.white = "MÜLLER";
    PgnIndex index = buildIndex(utf8 + cp1252, filter);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index.value(0, PgnIndex::White), "Müller, Jürgen");
    EXPECT_EQ(index.value(1, PgnIndex::White), "Müller, Jürgen");
}

TEST(PgnIndex, StopsAtTheGreatestNumberOfGames) {
    std::string text;
    for (int i = 0; i < 5; ++i) text += game("[Event \"" + std::to_string(i) + "\"]");
    for (std::int64_t maximum : {0, 1, 3, 5, 6}) {
        GameFilter filter;
        filter.maximum = maximum;
        PgnIndex index = buildIndex(text, filter);
        std::size_t expected = static_cast<std::size_t>(std::min<std::int64_t>(maximum, 5));
        EXPECT_EQ(index.size(), expected) << maximum;
        EXPECT_EQ(index.views(), static_cast<std::int64_t>(expected)) << maximum;
    }
    // Games turned away do not count towards the limit.
    GameFilter filter;
    filter.maximum = 1;
    filter.event = "4";
    EXPECT_EQ(buildIndex(text, filter).size(), 1u);
}

TEST(PgnIndex, OnlyALineStartingWithTheEventTagStartsAGame) {
    struct Case {
        const char* text;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"[event \"x\"]\n[White \"a\"]\n\n1.e4 *\n", {}},
        {"[EventDate \"2001\"]\n\n1.e4 *\n", {}},
        {"  \t[Event \"blanks\"]\n\n1.e4 *\n", {"blanks"}},
        {"1.e4 {a comment\n[Event \"in a comment\"] } *\n", {"in a comment"}},
        {"1.e4 {[Event \"mid-line\"]} *\n%[Event \"escape\"]\n", {}},
        {"[Site \"first\"]\n[Event \"second line\"]\n", {"second line"}},
        {"[Event \"last\"]", {"last"}},
        {"[Event \"\"]\n", {""}},
        {"[Event \"one\"][Site \"line\"][White \"both\"]\n1.e4 *", {"one"}},
        {"[Event \"A \\\"quoted\\\" name\"]\n", {"A \"quoted\" name"}},
        {"[Event \"crlf\"]\r\n[Site \"s\"]\r\n\r\n1.e4 *\r\n[Event \"two\"]\r\n", {"crlf", "two"}},
    };
    for (const Case& c : cases) {
        PgnIndex index = buildIndex(c.text);
        std::vector<std::string> seen;
        for (std::size_t i = 0; i < index.size(); ++i)
            seen.emplace_back(index.value(i, PgnIndex::Event));
        EXPECT_EQ(seen, c.events) << c.text;
    }
    EXPECT_EQ(
        buildIndex("[Event \"one\"][Site \"line\"][White \"both\"]\n").value(0, PgnIndex::White),
        "both");
    EXPECT_EQ(buildIndex("[Event \"crlf\"]\r\n[Site \"s\"]\r\n").value(0, PgnIndex::Site), "s");
}

TEST(PgnIndex, CutsAnOverlongValueAtACharacterStart) {
    std::string long_;
    for (int i = 0; i < 3000; ++i) long_ += "é";
    PgnIndex index = buildIndex(game("[Event \"x" + long_ + "\"]\n[White \"w\"]"));
    ASSERT_EQ(index.size(), 1u);
    std::string_view v = index.value(0, PgnIndex::Event);
    EXPECT_EQ(v.size(), 4095u);
    EXPECT_EQ(v.substr(v.size() - 2), "é");
    EXPECT_EQ(index.value(0, PgnIndex::White), "w");
}

TEST(PgnIndex, SkipsTheByteOrderMark) {
    PgnIndex index = buildIndex("\xEF\xBB\xBF[Event \"bom\"]\n\n1.e4 *\n");
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index.position(0), 3u);
}

// A file of several blocks, game starts and headers cut at every place a block may end: the
// places found must be those of a plain line-by-line reading. The scan reports its progress
// and stops when cancelled.
TEST(PgnIndex, FindsTheSameGamesAsALineByLineReadingAcrossBlocks) {
    std::string text;
    std::vector<std::uint64_t> expectedList;
    for (int i = 0; text.size() < (12u << 20); ++i) {
        const char* end = i % 3 == 0 ? "\r\n" : "\n";
        std::string whites(static_cast<std::size_t>(i % 5), ' ');
        expectedList.push_back(text.size());
        text += whites + "[Event \"g" + std::to_string(i) + "\"]" + end;
        text += "[White \"" + std::string(static_cast<std::size_t>(i % 97), 'w') + "\"]" + end;
        text += std::string(end) + "1. e4 {[Event \"no\"]} e5 " +
                std::string(static_cast<std::size_t>(i % 211), 'x') + " *" + end + end;
    }
    std::vector<int> percents;
    std::istringstream in(text);
    const PgnIndex index = PgnIndex::buildIndex(in, text.size(), unlimited(),
                                                [&](int p, std::int64_t l, std::int64_t v) {
                                                    EXPECT_EQ(l, v);
                                                    percents.push_back(p);
                                                });
    ASSERT_EQ(index.size(), expectedList.size());
    for (std::size_t i = 0; i < index.size(); ++i) {
        ASSERT_EQ(index.position(i), expectedList[i]) << i;
        ASSERT_EQ(index.value(i, PgnIndex::Event), "g" + std::to_string(i));
        ASSERT_EQ(index.value(i, PgnIndex::White).size(), i % 97);
    }
    EXPECT_FALSE(index.cancelled());
    ASSERT_GE(percents.size(), 3u);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);

    std::istringstream again(text);
    CancelToken cancel;
    const PgnIndex cut = PgnIndex::buildIndex(
        again, text.size(), unlimited(), [&](int, std::int64_t, std::int64_t) { cancel.cancel(); },
        &cancel);
    EXPECT_TRUE(cut.cancelled());
    EXPECT_GT(cut.size(), 0u);
    EXPECT_LT(cut.size(), index.size());
}

} // namespace
