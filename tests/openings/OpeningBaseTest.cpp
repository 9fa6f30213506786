// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestFolder.h"

#include "notation/Fen.h"
#include "openings/ImportEco.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace quarvelin;
namespace fs = std::filesystem;

namespace {

EcoLine line(const char* code, const char* name, const char* moves, float note = 0,
             bool learned = false) {
    return {0, code, name, moves, note, learned};
}

class Openings : public ::testing::Test {
protected:
    fs::path dir = test::testFolder("quarvelin-eco");
    OpeningBase base;
    void SetUp() override {
        ASSERT_TRUE(base.open((dir / "eco.db").string(), true)) << base.error();
    }
    void TearDown() override { fs::remove_all(dir); }
    static Position positionAfter(const std::string& text) {
        Position p = Position::initial();
        std::istringstream tokens(text);
        for (std::string tok; tokens >> tok;) {
            auto dot = tok.find_last_of('.');
            if (dot != std::string::npos) tok.erase(0, dot + 1);
            ReadMove parsed = lire_coup(p, p.sideToMove(), NotationCode::Pgn, tok);
            playMove(p, parsed.move());
        }
        return p;
    }
    std::string book(const std::string& text, const std::function<double()>* r = nullptr) {
        Position p = positionAfter(text);
        auto c = base.choisir_coup_livre(p, p.sideToMove(), text, r);
        if (!c) return "-";
        Move m = c->move.move();
        return uciMove(p, m) + " " + c->line.code;
    }
};

TEST_F(Openings, NamingTakesTheFirstLineInKeyOrder) {
    ASSERT_TRUE(base.append({line("C20", "Partie du pion roi", "1.e4 e5 *"),
                             line("C44", "Partie écossaise", "1.e4 e5 2.Nf3 Nc6 3.d4 *"),
                             line("B00", "Défense Nimzowitsch", "1.e4 Nc6 *")}));
    EXPECT_EQ(base.lineCount(), 3);
    EXPECT_EQ(base.nommer_ouverture("1.e4 e5")->code, "C20");
    EXPECT_EQ(base.nommer_ouverture("1.e4 e5 2.Nf3")->label, "Partie écossaise");
    EXPECT_EQ(base.nommer_ouverture("")->code, "C20"); // an empty text matches every line
    EXPECT_FALSE(base.nommer_ouverture("1.d4"));
    EXPECT_FALSE(base.nommer_ouverture("1.e4 e5 2.Nf3 Nc6 3.d4 exd4"));
    EXPECT_EQ(base.linesStartingWith("1.e4").size(), 3u);
    EXPECT_EQ(base.linesStartingWith("1.e4 e5").size(), 2u);
    EXPECT_TRUE(base.linesStartingWith("1.e4 e").empty()); // a whole move or nothing
    // Quotes and wildcards in a game text are text, not SQL.
    EXPECT_TRUE(base.linesStartingWith("1.e4' OR '1'='1").empty());
    EXPECT_TRUE(base.linesStartingWith("1.e4%").empty());
}

TEST_F(Openings, BookMoveFollowsTheGameText) {
    ASSERT_TRUE(base.append({line("C44", "Partie écossaise", "1.e4 e5 2.Nf3 Nc6 *")}));
    EXPECT_EQ(book("1.e4 e5"), "g1f3 C44");
    EXPECT_EQ(book("1.e4"), "e7e5 C44");
    EXPECT_EQ(book(""), "e2e4 C44");
    EXPECT_EQ(book("1.e4 e5 2.Nf3 Nc6"), "-"); // the line ends at the game text
    EXPECT_EQ(book("1.d4"), "-");
}

TEST_F(Openings, BestOrderedLineFirstLearnedBeforeReference) {
    ASSERT_TRUE(base.append({line("C20", "Référence", "1.e4 e5 2.Bc4 *"),
                             line("C21", "Apprise", "1.e4 e5 2.d4 *", 0, true),
                             line("C50", "Autre référence", "1.e4 e5 2.Nc3 *")}));
    EXPECT_EQ(book("1.e4 e5"), "d2d4 C21"); // same score: the learned line first
    ASSERT_TRUE(base.append({line("C40", "Mieux notée", "1.e4 e5 2.Nf3 *", 5, true)}));
    EXPECT_EQ(book("1.e4 e5"), "g1f3 C40");
    Position p = positionAfter("1.e4 e5");
    EXPECT_EQ(base.choisir_coup_livre(p, Colour::White, "1.e4 e5")->note, 5);
}

TEST_F(Openings, RandomChoiceGivesEachLineItsShare) {
    ASSERT_TRUE(base.append(
        {line("A", "a", "1.e4 *"), line("B", "b", "1.d4 *"), line("C", "c", "1.c4 *")}));
    std::map<std::string, int> seen;
    for (double r : {0.0, 0.2, 0.34, 0.5, 0.67, 0.99}) {
        std::function<double()> f = [r] { return r; };
        ++seen[book("", &f)];
    }
    EXPECT_EQ(seen.size(), 3u);
    for (auto& [move, n] : seen) EXPECT_EQ(n, 2) << move;
}

TEST_F(Openings, MissingOrForeignFilesAreRefused) {
    OpeningBase other;
    EXPECT_FALSE(other.open((dir / "absent.db").string()));
    EXPECT_FALSE(other.error().empty());
    std::ofstream((dir / "text.db").string()) << "not a database at all";
    OpeningBase garbage;
    EXPECT_FALSE(garbage.open((dir / "text.db").string()));
    Position p = Position::initial();
    EXPECT_FALSE(other.choisir_coup_livre(p, Colour::White, ""));
    EXPECT_FALSE(other.nommer_ouverture(""));
}

TEST(ImportEco, EntriesAreReplayedIntoStandardSan) {
    std::istringstream in(
        "# comment\n"
        "C44 \"Partie \xe9"
        "cossaise\" 1.e4 e5 2.Nf3 Nc6 3.d4 *\n"
        "\n"
        "B01 \"Scandinave\" 1.e4 d5 2.exd5 Qxd5 3.Nc3 Qa5 *\r\n"
        "C00 \"Mauvaise\" 1.e4 e5 2.Ke3 *\n"
        "A00 sans guillemets 1.e4 *\n"
        "D00 \"Deux cavaliers\" 1.d4 d5 2.Nf3 Nf6 3.Nbd2 *\n"
        "E81 \"Avec une suite\" 1.d4 Nf6 2.c4 g6 (3.Nc3 Bg7) 12 *\n"
        "A00a \"Start position\"  *\n"
        "B99a \"Sicilian: Najdorf, Main Line\"\n"
        "  1.e4 c5 2.Nf3 d6 3.d4 cxd4 4.Nxd4 Nf6 5.Nc3 a6 6.Bg5 e6 7.f4 Be7 8.Qf3 Qc7\n"
        "  9.O-O-O Nbd7 *\n"
        "c20b \"King's pawn * game\" 1.e4 e5 *\n"
        "C40 \"Unfinished\" 1.e4 e5 2.Nf3\n");
    ImportEco r = readEcoFile(in);
    ASSERT_EQ(r.lines.size(), 7u);
    EXPECT_EQ(r.lines[0].label, "Partie écossaise");
    EXPECT_EQ(r.lines[0].moves, "1.e4 e5 2.Nf3 Nc6 3.d4 *");
    EXPECT_EQ(r.lines[1].moves, "1.e4 d5 2.exd5 Qxd5 3.Nc3 Qa5 *");
    EXPECT_EQ(r.lines[2].moves, "1.d4 d5 2.Nf3 Nf6 3.Nbd2 *");
    EXPECT_EQ(r.lines[3].moves, "1.d4 Nf6 2.c4 g6 *");
    // Entries over several lines, sub-codes dropped, the start position left out.
    EXPECT_EQ(r.lines[4].code, "B99");
    EXPECT_TRUE(r.lines[4].moves.ends_with("9.O-O-O Nbd7 *"));
    EXPECT_EQ(r.lines[5].code, "C20");
    EXPECT_EQ(r.lines[5].label, "King's pawn * game");
    // An entry cut off at the end of the file still replays.
    EXPECT_EQ(r.lines[6].moves, "1.e4 e5 2.Nf3 *");
    EXPECT_EQ(r.refused, (std::vector<std::string>{"line 5: moves that do not replay",
                                                   "line 6: no quoted name"}));
    EXPECT_EQ(replayLine("1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7 *"),
              "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# *");
}

TEST(ImportEco, FrenchNamesOverTheEnglishLines) {
    std::vector<EcoLine> englishFile = {line("B20", "Sicilian", "1.e4 c5 *"),
                                        line("C20", "Open Game", "1.e4 e5 *"),
                                        line("B20", "Sicilian again", "1.e4 c5 *")};
    std::vector<EcoLine> fr = {line("B20", "défense sicilienne", "1.e4 c5 *"),
                               line("A40", "début du pion dame", "1.d4 *")};
    std::vector<EcoLine> m = mergeLines(englishFile, fr);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].label, "défense sicilienne");
    EXPECT_EQ(m[1].label, "Open Game");
    EXPECT_EQ(m[2].label, "début du pion dame");
}

TEST_F(Openings, LookupsUseTheIndex) {
    std::vector<EcoLine> lines;
    for (int i = 0; i < 500; ++i)
        lines.push_back(
            line("A00", "x", ("1.e4 e5 2.Nf3 Nc6 " + std::to_string(i) + " *").c_str()));
    ASSERT_TRUE(base.append(lines));
    for (const char* text : {"", "1.e4", "1.e4 e5 2.Nf3"}) {
        auto plans = base.plans(text);
        ASSERT_EQ(plans.size(), 4u);
        for (const auto& plan : plans) {
            EXPECT_NE(plan.find("SEARCH ECO USING"), std::string::npos) << plan;
            EXPECT_EQ(plan.find("SCAN ECO"), std::string::npos) << plan;
        }
    }
    EXPECT_EQ(base.count("1.e4 e5"), 500);
}

TEST_F(Openings, PagesOfLinesFollowTheKeysEitherWay) {
    std::vector<EcoLine> lines;
    for (int i = 0; i < 700; ++i) {
        const std::string moves = i % 3 == 0   ? "1.d4 d5 " + std::to_string(i) + " *"
                                  : i % 7 == 0 ? "1.e4 e5x *" // not a continuation of "1.e4 e5"
                                               : "1.e4 e5 " + std::to_string(i) + " *";
        lines.push_back(line("A00", "x", moves.c_str()));
    }
    ASSERT_TRUE(base.append(lines));
    for (const char* text : {"", "1.e4 e5", "1.d4 d5", "1.c4"})
        for (bool walkKeys : {true, false}) {
            std::vector<long long> paged;
            for (long long after = 0;;) {
                auto page = base.linesAfter(text, after, 64, walkKeys);
                ASSERT_LE(page.size(), 64u);
                for (const EcoLine& l : page) paged.push_back(l.key);
                if (page.size() < 64) break;
                after = page.back().key;
            }
            std::vector<long long> whole;
            for (const EcoLine& l : base.linesStartingWith(text)) whole.push_back(l.key);
            EXPECT_EQ(paged, whole) << text << " " << walkKeys;
            EXPECT_EQ(static_cast<long long>(whole.size()), base.count(text)) << text;
        }
}

TEST(ImportEco, TheShippedClassificationsReplayWhole) {
    for (const auto& [file, atLeast] : {std::pair{"scid_fr.eco", 2300u}, {"scid.eco", 10000u}}) {
        std::ifstream in(std::string("/usr/share/scid/data/") + file, std::ios::binary);
        ASSERT_TRUE(in) << "scid-data is installed by 'make test'";
        ImportEco r = readEcoFile(in);
        EXPECT_GT(r.lines.size(), atLeast) << file;
        EXPECT_TRUE(r.refused.empty()) << r.refused.front();
        // Names read cleanly in a comment: "(= Ruy Lopez)", not "(= Ruy Lopez),)".
        for (const EcoLine& l : r.lines)
            EXPECT_TRUE(!l.label.ends_with(',') && !l.label.ends_with(' ') &&
                        std::ranges::count(l.label, '(') == std::ranges::count(l.label, ')'))
                << l.label;
    }
}

} // namespace
