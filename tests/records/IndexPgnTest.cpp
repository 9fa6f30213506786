#include "records/IndexPgn.h"

#include "session/Annulation.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quarvelin;

namespace {

FiltreParties sans_limite() {
    FiltreParties f;
    f.maximum = 1 << 30;
    return f;
}

IndexPgn indexer(const std::string& text, const FiltreParties& filtre = sans_limite()) {
    std::istringstream in(text);
    return IndexPgn::indexer(in, text.size(), filtre);
}

std::string partie(const std::string& entete, const std::string& moves = "1. e4 e5 *") {
    return entete + "\n" + moves + "\n\n";
}

const std::string TroisParties =
    partie("[Event \"Paris opera\"]\n[Site \"Paris FRA\"]\n[Date \"1858.??.??\"]\n"
           "[Round \"1\"]\n[White \"Morphy, Paul\"]\n[Black \"Allies\"]\n[Result \"1-0\"]\n"
           "[ECO \"C41\"]",
           "1.e4 e5 2.Nf3 d6 1-0") +
    partie("[Event \"Club\"]\n[White \"Abel\"]\n[Black \"Zoe\"]\n[Result \"0-1\"]", "1.d4 0-1") +
    partie("[Event \"Club\"]\n[Round \"3\"]\n[White \"Zoe\"]\n[Black \"Abel\"]\n"
           "[Result \"1/2-1/2\"]",
           "1.c4 1/2-1/2");

TEST(IndexPgn, ListsEveryGameWithItsPlaceAndTags) {
    IndexPgn index = indexer(TroisParties);
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index.vues(), 3);
    EXPECT_EQ(index.position(0), 0u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(TroisParties.compare(index.position(i), 7, "[Event "), 0) << i;
    const std::string_view premiere[] = {"Paris opera",  "Paris FRA", "1858.??.??", "1",
                                         "Morphy, Paul", "Allies",    "1-0",        "C41"};
    for (int c = 0; c < IndexPgn::NombreChamps; ++c)
        EXPECT_EQ(index.value(0, static_cast<IndexPgn::Champ>(c)), premiere[c]);
    EXPECT_EQ(index.value(1, IndexPgn::White), "Abel");
    EXPECT_EQ(index.value(1, IndexPgn::Round), "");
    EXPECT_EQ(index.value(2, IndexPgn::Result), "1/2-1/2");
}

TEST(IndexPgn, CriteriaMatchTheStartOfTheValueWithoutRegardToCase) {
    struct Cas {
        const char* name;
        FiltreParties filtre;
        std::vector<std::uint64_t> listees; // by game number
    };
    auto f = [](auto champ, const char* value, bool lesDeux = false) {
        FiltreParties filtre = sans_limite();
        filtre.*champ = value;
        filtre.lesDeux = lesDeux;
        return filtre;
    };
    using F = FiltreParties;
    const Cas cas[] = {
        {"White ab", f(&F::blanc, "ab"), {1}},
        {"White ab either colour", f(&F::blanc, "ab", true), {1, 2}},
        {"White in the middle of the value", f(&F::blanc, "bel"), {}},
        {"White in the middle, either colour", f(&F::blanc, "bel", true), {1, 2}},
        {"Black zo", f(&F::noir, "ZO"), {1}},
        {"Result", f(&F::result, "1-0"), {0}},
        {"Result prefix", f(&F::result, "1/2"), {2}},
        {"ECO", f(&F::eco, "c4"), {0}},
        {"Site", f(&F::site, "paris"), {0}},
        {"Site in the middle", f(&F::site, "FRA"), {}},
        {"Event", f(&F::evenement, "club"), {1, 2}},
        {"Date", f(&F::date, "1858"), {0}},
        {"Round", f(&F::ronde, "3"), {2}},
    };
    for (const Cas& c : cas) {
        IndexPgn index = indexer(TroisParties, c.filtre);
        std::vector<std::uint64_t> listees;
        for (std::size_t i = 0; i < index.size(); ++i)
            listees.push_back(index.value(i, IndexPgn::Event) == "Paris opera" ? 0
                              : index.value(i, IndexPgn::White) == "Abel"      ? 1
                                                                                : 2);
        EXPECT_EQ(listees, c.listees) << c.name;
        EXPECT_EQ(index.vues(), 3) << c.name;
    }

    FiltreParties deux = sans_limite();
    deux.blanc = "zoe";
    deux.result = "1/2";
    EXPECT_EQ(indexer(TroisParties, deux).size(), 1u);
    deux.result = "0-1";
    EXPECT_EQ(indexer(TroisParties, deux).size(), 0u);
}

TEST(IndexPgn, NamesMatchWhateverTheirEncodingAndCase) {
    const std::string utf8 = partie("[Event \"a\"]\n[White \"Müller, Jürgen\"]");
    const std::string cp1252 = partie("[Event \"b\"]\n[White \"M\xFCller, J\xFCrgen\"]");
    FiltreParties filtre = sans_limite();
    filtre.blanc = "MÜLLER";
    IndexPgn index = indexer(utf8 + cp1252, filtre);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index.value(0, IndexPgn::White), "Müller, Jürgen");
    EXPECT_EQ(index.value(1, IndexPgn::White), "Müller, Jürgen");
}

TEST(IndexPgn, StopsAtTheGreatestNumberOfGames) {
    std::string text;
    for (int i = 0; i < 5; ++i) text += partie("[Event \"" + std::to_string(i) + "\"]");
    for (std::int64_t maximum : {0, 1, 3, 5, 6}) {
        FiltreParties filtre;
        filtre.maximum = maximum;
        IndexPgn index = indexer(text, filtre);
        std::size_t attendu = static_cast<std::size_t>(std::min<std::int64_t>(maximum, 5));
        EXPECT_EQ(index.size(), attendu) << maximum;
        EXPECT_EQ(index.vues(), static_cast<std::int64_t>(attendu)) << maximum;
    }
    // Games turned away do not count towards the limit.
    FiltreParties filtre;
    filtre.maximum = 1;
    filtre.evenement = "4";
    EXPECT_EQ(indexer(text, filtre).size(), 1u);
}

TEST(IndexPgn, OnlyALineStartingWithTheEventTagStartsAGame) {
    struct Cas {
        const char* text;
        std::vector<std::string> evenements;
    };
    const Cas cas[] = {
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
    for (const Cas& c : cas) {
        IndexPgn index = indexer(c.text);
        std::vector<std::string> vus;
        for (std::size_t i = 0; i < index.size(); ++i)
            vus.emplace_back(index.value(i, IndexPgn::Event));
        EXPECT_EQ(vus, c.evenements) << c.text;
    }
    EXPECT_EQ(
        indexer("[Event \"one\"][Site \"line\"][White \"both\"]\n").value(0, IndexPgn::White),
        "both");
    EXPECT_EQ(indexer("[Event \"crlf\"]\r\n[Site \"s\"]\r\n").value(0, IndexPgn::Site), "s");
}

TEST(IndexPgn, CutsAnOverlongValueAtACharacterStart) {
    std::string long_;
    for (int i = 0; i < 3000; ++i) long_ += "é";
    IndexPgn index = indexer(partie("[Event \"x" + long_ + "\"]\n[White \"w\"]"));
    ASSERT_EQ(index.size(), 1u);
    std::string_view v = index.value(0, IndexPgn::Event);
    EXPECT_EQ(v.size(), 4095u);
    EXPECT_EQ(v.substr(v.size() - 2), "é");
    EXPECT_EQ(index.value(0, IndexPgn::White), "w");
}

TEST(IndexPgn, SkipsTheByteOrderMark) {
    IndexPgn index = indexer("\xEF\xBB\xBF[Event \"bom\"]\n\n1.e4 *\n");
    ASSERT_EQ(index.size(), 1u);
    EXPECT_EQ(index.position(0), 3u);
}

// A file of several blocks, game starts and headers cut at every place a block may end:
// the places found must be those of a plain line-by-line reading.
TEST(IndexPgn, FindsTheSameGamesAsALineByLineReadingAcrossBlocks) {
    std::string text;
    std::vector<std::uint64_t> attendues;
    for (int i = 0; text.size() < (9u << 20); ++i) {
        const char* end = i % 3 == 0 ? "\r\n" : "\n";
        std::string blancs(static_cast<std::size_t>(i % 5), ' ');
        attendues.push_back(text.size());
        text += blancs + "[Event \"g" + std::to_string(i) + "\"]" + end;
        text += "[White \"" + std::string(static_cast<std::size_t>(i % 97), 'w') + "\"]" + end;
        text += std::string(end) + "1. e4 {[Event \"no\"]} e5 " +
                 std::string(static_cast<std::size_t>(i % 211), 'x') + " *" + end + end;
    }
    IndexPgn index = indexer(text);
    ASSERT_EQ(index.size(), attendues.size());
    for (std::size_t i = 0; i < index.size(); ++i) {
        ASSERT_EQ(index.position(i), attendues[i]) << i;
        ASSERT_EQ(index.value(i, IndexPgn::Event), "g" + std::to_string(i));
        ASSERT_EQ(index.value(i, IndexPgn::White).size(), i % 97);
    }
}

TEST(IndexPgn, ReportsProgressAndStopsWhenCancelled) {
    std::string text;
    while (text.size() < (12u << 20)) text += partie("[Event \"e\"]\n[White \"w\"]");
    std::vector<int> pourcents;
    std::istringstream in(text);
    IndexPgn complet = IndexPgn::indexer(in, text.size(), sans_limite(),
                                         [&](int p, std::int64_t l, std::int64_t v) {
                                             EXPECT_EQ(l, v);
                                             pourcents.push_back(p);
                                         });
    EXPECT_FALSE(complet.annule());
    ASSERT_GE(pourcents.size(), 3u);
    EXPECT_TRUE(std::is_sorted(pourcents.begin(), pourcents.end()));
    EXPECT_EQ(pourcents.back(), 100);

    FiltreParties tout = sans_limite();
    std::istringstream encore(text);
    demander_annulation(); // a request left from before does not stop a new scan
    IndexPgn coupe = IndexPgn::indexer(
        encore, text.size(), tout, [](int, std::int64_t, std::int64_t) { demander_annulation(); });
    EXPECT_TRUE(coupe.annule());
    EXPECT_GT(coupe.size(), 0u);
    EXPECT_LT(coupe.size(), static_cast<std::size_t>(complet.vues()));
    effacer_annulation();
}

} // namespace
