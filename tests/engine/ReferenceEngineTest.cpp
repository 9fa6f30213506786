#include "engine/reference/ReferenceEngine.h"

#include "notation/Fen.h"
#include "rules/SquareControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quarvelin;
namespace ref = quarvelin::reference;

namespace {

constexpr Colour Orientations[] = {Colour::White, Colour::Black};

Position fen(const char* text, Colour bottom) {
    auto p = readFen(text, bottom);
    EXPECT_TRUE(p) << text;
    return p.value_or(Position::initial(bottom));
}

Square sq(const char* name, Colour bottom) { return namedSquare(name[0], name[1], bottom); }

// Weights whose sums stay exact in float, so differences between two evaluations are exact.
EngineWeights exactWeights() {
    EngineWeights w;
    w.MOBILITE_EVOLUTIVE.fill(0.0f);
    return w;
}

struct Bench {
    Position pos;
    EngineWeights weights = exactWeights();
    SearchCounters counters;

    Bench(const char* text, Colour bottom) : pos(fen(text, bottom)) {}

    ref::Context ctx() { return {pos, weights, counters, NotationCode::French}; }
    float evaluate(Colour m) {
        ref::Context c = ctx();
        return ref::evalue_position(c, m);
    }
    SearchResult search(Colour colour) {
        ref::Context c = ctx();
        return ref::cherche_coup(c, colour);
    }
    Square at(const char* name) const { return sq(name, pos.PlayerColour); }
};

std::string name(int x, int y, Colour bottom) { return squareName(x, y, bottom); }

// ---------------------------------------------------------------- evaluation

struct IllegalCase {
    const char* fen;
    Colour mover;
};

class ReferenceIllegal : public ::testing::TestWithParam<IllegalCase> {};

TEST_P(ReferenceIllegal, OwnKingAttackedScoresExactlyMinusInfinity) {
    for (Colour bottom : Orientations) {
        Bench b(GetParam().fen, bottom);
        EXPECT_EQ(b.evaluate(GetParam().mover), -999999.0f) << GetParam().fen;
        EXPECT_EQ(b.counters.PositionsEvaluated, 1);
        EXPECT_EQ(b.counters.MovesExamined, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceIllegal,
    ::testing::Values(IllegalCase{"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", Colour::White},
                      IllegalCase{"4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", Colour::White}, // pawn
                      IllegalCase{"4k3/3P4/8/8/8/8/8/4K3 b - - 0 1", Colour::Black},
                      IllegalCase{"4k3/8/8/8/8/5n2/8/4K3 w - - 0 1", Colour::White},
                      IllegalCase{"4k3/8/8/8/8/8/8/Q1r1K3 w - - 0 1", Colour::White}));

TEST(ReferenceEvaluation, IllegalEvenWhenTheOpponentIsMated) {
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/8/8/8/8/2r1K3 w - - 0 1", bottom);
        // two white queens mate the black king; no reading of a position string allows it
        Square e7 = b.at("e7"), d6 = b.at("d6");
        b.pos.at(e7.x, e7.y) = PieceCode::WhiteQueen;
        b.pos.at(d6.x, d6.y) = PieceCode::WhiteQueen;
        EXPECT_EQ(b.evaluate(Colour::White), -999999.0f);
        EXPECT_EQ(b.counters.PositionsEvaluated, 1); // refused before any mate probe
        b.pos.at(b.at("c1").x, b.at("c1").y) = PieceCode::Empty;
        EXPECT_EQ(b.evaluate(Colour::White), 99999.9f);
    }
}

struct MateCase {
    int depth;
    float expected;
};

class ReferenceMateScore : public ::testing::TestWithParam<MateCase> {};

TEST_P(ReferenceMateScore, ShallowerMatesScoreHigher) {
    for (Colour bottom : Orientations)
        for (int maxDepth : {0, 2}) {
            Bench b("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", bottom);
            b.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(maxDepth);
            b.counters.SearchDepth = static_cast<std::int16_t>(GetParam().depth);
            Position before = b.pos;
            EXPECT_EQ(b.evaluate(Colour::White), GetParam().expected);
            EXPECT_EQ(b.counters.SearchDepth, GetParam().depth); // put back after the probe
            EXPECT_EQ(b.pos, before);
            EXPECT_GT(b.counters.PositionsEvaluated, 1); // the probe evaluated the replies
        }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceMateScore,
                         ::testing::Values(MateCase{0, 99999.9f}, MateCase{1, 49999.95f},
                                           MateCase{2, 33333.3f}));

struct ThresholdCase {
    const char* fen;
    int moveCount;
    float expected; // evaluation with the term on minus with it off
};

class ReferenceCheckBonus : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(ReferenceCheckBonus, CountsFromItsThreshold) {
    for (Colour bottom : Orientations) {
        Bench b(GetParam().fen, bottom);
        b.pos.MoveCount = static_cast<std::int16_t>(GetParam().moveCount);
        b.weights.BONUS_ECHEC = 200;
        b.weights.SEUIL_BONUS_ECHEC = 10;
        float on = b.evaluate(Colour::White);
        b.weights.BONUS_ECHEC = 0;
        float off = b.evaluate(Colour::White);
        EXPECT_EQ(on - off, GetParam().expected) << GetParam().fen << " " << GetParam().moveCount;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceCheckBonus,
    ::testing::Values(ThresholdCase{"4k3/8/8/8/4R3/8/8/K7 b - - 0 1", 9, 0},
                      ThresholdCase{"4k3/8/8/8/4R3/8/8/K7 b - - 0 1", 10, 2000},
                      ThresholdCase{"4k3/8/8/8/4R3/8/8/K7 b - - 0 1", 12, 2400},
                      ThresholdCase{"4k3/8/8/8/3R4/8/8/K7 b - - 0 1", 12, 0})); // no check

struct CentreCase {
    int moveCount;
    Colour mover;
    float expected;
};

class ReferenceCentre : public ::testing::TestWithParam<CentreCase> {};

TEST_P(ReferenceCentre, CountsUpToItsThresholdOnly) {
    // the knight on f3 bears on d4 and e5; nothing else reaches the centre
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/8/8/5N2/8/4K3 w - - 0 1", bottom);
        b.pos.MoveCount = static_cast<std::int16_t>(GetParam().moveCount);
        b.weights.SEUIL_CENTRE = 15;
        b.weights.NOTE_CENTRE = 40;
        float on = b.evaluate(GetParam().mover);
        b.weights.NOTE_CENTRE = 0;
        float off = b.evaluate(GetParam().mover);
        EXPECT_EQ(on - off, GetParam().expected) << GetParam().moveCount;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceCentre,
                         ::testing::Values(CentreCase{14, Colour::White, 80},
                                           CentreCase{15, Colour::White, 80},
                                           CentreCase{15, Colour::Black, -80},
                                           CentreCase{16, Colour::White, 0}));

TEST(ReferenceEvaluation, AttackTermNeedsTheDefenceTerm) {
    // Ra1 is defended by Kb2 and attacks Ra8; Ra8 attacks Ra1 but is undefended
    for (Colour bottom : Orientations) {
        Bench b("r3k3/8/8/8/8/8/1K6/R7 w - - 0 1", bottom);
        auto difference = [&](float defence) {
            b.weights.INDICE_DEFENSE = defence;
            b.weights.INDICE_ATTAQUE = 5;
            float on = b.evaluate(Colour::White);
            b.weights.INDICE_ATTAQUE = 0;
            return on - b.evaluate(Colour::White);
        };
        EXPECT_EQ(difference(3), 5.0f);
        EXPECT_EQ(difference(0), 0.0f);
    }
}

TEST(ReferenceEvaluation, DefenceTermCountsPiecesWithMoreDefendersThanAttackers) {
    // White: Rd1 defended by Kc2 (0 attackers), Kc2; Black: Ke8, Nh8 with no defender
    for (Colour bottom : Orientations) {
        Bench b("4k2n/8/8/8/8/8/2K5/3R4 w - - 0 1", bottom);
        b.weights.INDICE_ATTAQUE = 0;
        b.weights.INDICE_DEFENSE = 7;
        float on = b.evaluate(Colour::White);
        b.weights.INDICE_DEFENSE = 0;
        EXPECT_EQ(on - b.evaluate(Colour::White), 7.0f);
    }
}

TEST(ReferenceEvaluation, KingMaterialCancelsOut) {
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/3p4/8/5N2/8/4K3 w - - 0 1", bottom);
        float usual = b.evaluate(Colour::White);
        b.weights.NOTE_MATERIEL[code(PieceType::King)] = 10000;
        EXPECT_EQ(b.evaluate(Colour::White), usual);
        EXPECT_EQ(b.evaluate(Colour::Black), -usual);
    }
}

struct MobilityCase {
    const char* fen;
    const char* square;
    int units;
};

class ReferenceMobility : public ::testing::TestWithParam<MobilityCase> {};

TEST_P(ReferenceMobility, UnitsOfOnePiece) {
    for (Colour bottom : Orientations) {
        Bench b(GetParam().fen, bottom);
        b.weights.NOTE_MOBILITE.fill(1.0f);
        Square s = b.at(GetParam().square);
        ref::Context c = b.ctx();
        EXPECT_EQ(ref::mobilite_piece(c, s.x, s.y), static_cast<float>(GetParam().units))
            << GetParam().fen << " " << GetParam().square << " bottom " << code(bottom);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceMobility,
    ::testing::Values(
        MobilityCase{"4k3/8/8/8/8/1P6/2P5/N3K3 w - - 0 1", "a1", 2}, // jumps onto own pieces
        MobilityCase{"4k3/8/8/8/8/7K/P7/R7 w - - 0 1", "a1", 8},     // a2 counts, edge does not
        MobilityCase{"4k3/8/8/8/3Q4/8/8/K7 w - - 0 1", "d4", 27},
        MobilityCase{"4k3/8/8/8/8/8/1P1P4/2B1K3 w - - 0 1", "c1", 2},
        MobilityCase{"4k3/8/8/8/3K4/8/8/8 w - - 0 1", "d4", 8},
        MobilityCase{"4k3/8/8/8/8/8/8/K7 w - - 0 1", "a1", 3},
        MobilityCase{"4k3/8/8/8/8/8/8/Kr6 w - - 0 1", "a1", 3}, // an enemy neighbour counts
        MobilityCase{"4k3/8/8/8/8/8/4P3/K7 w - - 0 1", "e2", 2},
        MobilityCase{"4k3/8/8/8/4n3/8/4P3/K7 w - - 0 1", "e2", 1},
        MobilityCase{"4k3/8/8/8/8/4n3/4P3/K7 w - - 0 1", "e2", 0},
        MobilityCase{"4k3/8/8/8/8/4P3/8/K7 w - - 0 1", "e3", 1},
        MobilityCase{"4k3/8/8/2n1n3/3P4/8/8/K7 w - - 0 1", "d4", 1}, // captures give none
        MobilityCase{"4k3/4p3/8/8/8/8/8/K7 w - - 0 1", "e7", 2}));

TEST(ReferenceMobilityUnit, UnitGrowsWithTheMoveCount) {
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/8/8/8/8/N3K3 w - - 0 1", bottom);
        b.pos.MoveCount = 10;
        b.weights.NOTE_MOBILITE[code(PieceType::Knight)] = 2;
        b.weights.MOBILITE_EVOLUTIVE[code(PieceType::Knight)] = 0.5f;
        Square s = b.at("a1");
        ref::Context c = b.ctx();
        EXPECT_EQ(ref::mobilite_piece(c, s.x, s.y), 14.0f); // 2 units of 2 + 10 * 0.5
    }
}

struct CastlingBonusCase {
    const char* fen; // the king already on its destination
    const char* from;
    const char* to;
    bool earns;
};

class ReferenceCastlingBonus : public ::testing::TestWithParam<CastlingBonusCase> {};

TEST_P(ReferenceCastlingBonus, KingMoveAlongItsHomeRow) {
    const CastlingBonusCase& k = GetParam();
    for (Colour bottom : Orientations) {
        Bench b(k.fen, bottom);
        Square f = b.at(k.from), t = b.at(k.to);
        ref::Context c = b.ctx();
        EXPECT_EQ(ref::bonus_roque(c, f.x, f.y, t.x, t.y), k.earns ? 800.0f : 0.0f)
            << k.fen << " " << k.from << k.to << " bottom " << code(bottom);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceCastlingBonus,
    ::testing::Values(
        CastlingBonusCase{"4k3/8/8/8/8/8/5P2/5K1R w - - 0 1", "e1", "f1", true},  // one step
        CastlingBonusCase{"4k3/8/8/8/8/8/8/5K1R w - - 0 1", "e1", "f1", false},   // open front
        CastlingBonusCase{"4k3/8/8/8/8/8/5P2/5KNR w - - 0 1", "e1", "f1", false}, // blocked
        CastlingBonusCase{"4k3/8/8/8/8/8/5P2/5K1r w - - 0 1", "e1", "f1", false}, // enemy rook
        CastlingBonusCase{"4k3/8/8/8/8/5P2/5K1R/8 w - - 0 1", "e2", "f2", false}, // not home
        CastlingBonusCase{"4k3/8/8/8/8/8/3P4/3K3R w - - 0 1", "e1", "d1", false}, // away
        CastlingBonusCase{"4k3/8/8/8/8/8/3P4/R2K4 w - - 0 1", "e1", "d1", true},
        CastlingBonusCase{"4k3/8/8/8/8/8/6P1/6KR w - - 0 1", "e1", "g1", true}, // rook not moved
        CastlingBonusCase{"4k3/8/8/8/8/8/7P/7K w - - 0 1", "g1", "h1", false},  // on the corner
        CastlingBonusCase{"5k1r/5p2/8/8/8/8/8/4K3 b - - 0 1", "e8", "f8", true},
        CastlingBonusCase{"5k1r/8/8/8/8/8/8/4K3 b - - 0 1", "e8", "f8", false}));

// ---------------------------------------------------------------- search

struct EndCase {
    const char* fen;
    Colour bottom;
    int depth;
    const char* text;
};

class ReferenceNoMove : public ::testing::TestWithParam<EndCase> {};

TEST_P(ReferenceNoMove, MateOrStalemateText) {
    const EndCase& e = GetParam();
    Bench b(e.fen, e.bottom);
    b.weights.PROFONDEUR_MAX = 1;
    b.counters.SearchDepth = static_cast<std::int16_t>(e.depth);
    SearchResult r = b.search(Colour::Black);
    EXPECT_EQ(r.text, e.text) << e.fen << " bottom " << code(e.bottom) << " depth " << e.depth;
    EXPECT_EQ(r, (SearchResult{0, 0, 0, 0, -999999.0f, e.text}));
}

constexpr const char* Stalemate = "k7/8/1Q6/8/8/8/8/7K b - - 0 1";
constexpr const char* Mate = "k7/1Q6/1K6/8/8/8/8/8 b - - 0 1";

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceNoMove,
                         ::testing::Values(EndCase{Stalemate, Colour::White, 0, "PAT"},
                                           EndCase{Stalemate, Colour::Black, 0, "PAT"},
                                           // the machine's side inside the search
                                           EndCase{Stalemate, Colour::White, 1, "MAT"},
                                           EndCase{Stalemate, Colour::Black, 1, "PAT"},
                                           EndCase{Mate, Colour::White, 0, "MAT"},
                                           EndCase{Mate, Colour::Black, 0, "MAT"},
                                           EndCase{Mate, Colour::White, 1, "MAT"},
                                           EndCase{Mate, Colour::Black, 1, "MAT"}));

struct CountCase {
    const char* fen;
    int movesExamined;
    int positionsEvaluated;
};

class ReferenceCounters : public ::testing::TestWithParam<CountCase> {};

TEST_P(ReferenceCounters, OnePerPieceAndPerCandidateOnTheBoard) {
    for (Colour bottom : Orientations) {
        Bench b(GetParam().fen, bottom);
        SearchResult r = b.search(Colour::White);
        EXPECT_EQ(b.counters.MovesExamined, GetParam().movesExamined) << GetParam().fen;
        EXPECT_EQ(b.counters.PositionsEvaluated, GetParam().positionsEvaluated);
        EXPECT_EQ(b.counters.BestAtDepth[0], r.score);
        EXPECT_EQ(b.counters.BestAtDepth[1], -999999.0f);
        EXPECT_EQ(b.counters.SearchDepth, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceCounters,
    ::testing::Values(
        // Na1: b3, c2; Kh1: g1, f1, h2, h3, g2, of which f1 and h3 fail the movement rule
        CountCase{"k7/8/8/8/8/8/8/N6K w - - 0 1", 2 + 2 + 5, 2 + 3},
        // a2: a3, a4, b3 (refused); Ra1: a2 (own), b1..g1, h1 (own); Kh1 as above
        CountCase{"k7/8/8/8/8/8/P7/R6K w - - 0 1", 3 + 3 + 8 + 5, 2 + 6 + 3}));

TEST(ReferenceSearch, MatingMoveKeepsItsScoreWhenTheReplyHasNone) {
    for (Colour bottom : Orientations) {
        Bench b("k7/8/2K5/8/8/8/8/1Q6 w - - 0 1", bottom);
        b.weights.PROFONDEUR_MAX = 1;
        SearchResult r = b.search(Colour::White);
        // the mate at ply 0, less the queen attacked by the king; the mated side adds nothing
        EXPECT_EQ(r.text, " 0.Db1-b7");
        EXPECT_EQ(r.score, 99999.9f - 900.0f);
    }
}

TEST(ReferenceSearch, DepthZeroTakesTheBestImmediateScoreThreatsIncluded) {
    for (Colour bottom : Orientations) {
        Bench b("k7/8/8/8/3q4/8/8/3R3K w - - 0 1", bottom);
        b.pos.MoveCount = 5;
        SearchResult r = b.search(Colour::White);
        Square d1 = b.at("d1"), d4 = b.at("d4");
        EXPECT_EQ(r.fromX, d1.x);
        EXPECT_EQ(r.fromY, d1.y);
        EXPECT_EQ(r.toX, d4.x);
        EXPECT_EQ(r.toY, d4.y);
        EXPECT_EQ(r.text, " 5.Td1xd4");

        // the rook was attacked on d1 (escape: 1 x 500) and is safe on d4
        Bench after("k7/8/8/8/3R4/8/8/7K b - - 0 1", bottom);
        after.pos.MoveCount = 5;
        EXPECT_EQ(r.score, after.evaluate(Colour::White) + 500.0f);
    }
}

TEST(ReferenceSearch, EqualScoresGoToTheFirstPieceInDisplayOrder) {
    // Nd2xe4 and Ng5xe4 mirror each other about the a8-h1 diagonal: same score. Row by row,
    // g5 comes first with White at the bottom and d2 with Black at the bottom (column by
    // column it would be the other way round).
    const char* position = "k7/8/8/6N1/4q3/8/3N4/7K w - - 0 1";
    Bench white(position, Colour::White);
    Bench black(position, Colour::Black);
    SearchResult w = white.search(Colour::White);
    SearchResult b = black.search(Colour::White);
    EXPECT_EQ(w.score, b.score);
    EXPECT_EQ(w.text, " 0.Cg5xe4");
    EXPECT_EQ(b.text, " 0.Cd2xe4");
    EXPECT_EQ(name(b.fromX, b.fromY, Colour::Black), "d2");
    EXPECT_EQ(name(b.toX, b.toY, Colour::Black), "e4");
}

enum class Preset { Lowest, FlatBest, Highest };

struct AlphaBetaCase {
    int alphaBeta;
    Preset preset; // BestAtDepth[0] before the call
    bool refined;  // whether replies are searched
};

class ReferenceAlphaBeta : public ::testing::TestWithParam<AlphaBetaCase> {};

TEST_P(ReferenceAlphaBeta, RuleReadsBestAtDepthAsStored) {
    // a lone king: its moves are the first piece's at the root
    const char* position = "k7/8/8/8/8/8/8/7K w - - 0 1";
    for (Colour bottom : Orientations) {
        Bench flat(position, bottom);
        SearchResult r0 = flat.search(Colour::White);
        Bench deep(position, bottom);
        deep.weights.PROFONDEUR_MAX = 1;
        SearchResult r1 = deep.search(Colour::White);

        Bench b(position, bottom);
        b.weights.PROFONDEUR_MAX = 1;
        b.weights.ALPHA_BETA = static_cast<std::uint8_t>(GetParam().alphaBeta);
        b.counters.BestAtDepth[0] = GetParam().preset == Preset::Lowest     ? -999999.0f
                                    : GetParam().preset == Preset::FlatBest ? r0.score
                                                                            : 1e9f;
        SearchResult r = b.search(Colour::White);
        const Bench& same = GetParam().refined ? deep : flat;
        EXPECT_EQ(r, GetParam().refined ? r1 : r0);
        EXPECT_EQ(b.counters.MovesExamined, same.counters.MovesExamined);
        EXPECT_EQ(b.counters.PositionsEvaluated, same.counters.PositionsEvaluated);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceAlphaBeta,
                         ::testing::Values(AlphaBetaCase{1, Preset::Lowest, false},
                                           // s <= BestAtDepth: the best move is refined too
                                           AlphaBetaCase{1, Preset::FlatBest, true},
                                           AlphaBetaCase{1, Preset::Highest, true},
                                           AlphaBetaCase{0, Preset::Lowest, true}));

TEST(ReferenceSearch, LaterPiecesAreRefinedUnlessTheyBeatTheBestSoFar) {
    // Five root moves, each answered by the three moves of Ka8. White at the bottom: Na1 is
    // scanned before Kh1, its moves are not refined, and the king moves (100 less each) all fall
    // below its best and are. Black at the bottom: Kh1 comes first, and no knight move falls
    // below the king's best.
    const char* position = "k7/8/8/8/8/8/8/N6K w - - 0 1";
    for (Colour bottom : Orientations) {
        auto evaluations = [&](int maxDepth, int alphaBeta) {
            Bench b(position, bottom);
            b.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(maxDepth);
            b.weights.ALPHA_BETA = static_cast<std::uint8_t>(alphaBeta);
            b.search(Colour::White);
            return b.counters.PositionsEvaluated;
        };
        int flat = evaluations(0, 0), pruned = evaluations(1, 1), full = evaluations(1, 0);
        EXPECT_EQ(flat, 5);
        EXPECT_EQ(full, 5 + 5 * 3);
        EXPECT_EQ(pruned, bottom == Colour::White ? 5 + 3 * 3 : 5);
    }
}

TEST(ReferenceSearch, RefinedAndFlatDiffer) {
    Bench flat("k7/8/8/8/8/8/8/7K w - - 0 1", Colour::White);
    flat.search(Colour::White);
    Bench deep("k7/8/8/8/8/8/8/7K w - - 0 1", Colour::White);
    deep.weights.PROFONDEUR_MAX = 1;
    deep.search(Colour::White);
    EXPECT_GT(deep.counters.PositionsEvaluated, flat.counters.PositionsEvaluated);
    EXPECT_GT(deep.counters.BestAtDepth[1], -999999.0f);
}

TEST(ReferenceSearch, EnPassantCaptureFound) {
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", bottom);
        Position before = b.pos;
        SearchResult r = b.search(Colour::White);
        EXPECT_EQ(name(r.fromX, r.fromY, bottom), "e5");
        EXPECT_EQ(name(r.toX, r.toY, bottom), "d6");
        EXPECT_EQ(r.text, " 0.e5-d6"); // rendered as the search saw it: destination empty
        EXPECT_EQ(b.pos, before);
    }
}

TEST(ReferenceSearch, KingStepTowardsItsRookEarnsTheCastlingBonus) {
    for (Colour bottom : Orientations)
        for (bool done : {false, true}) {
            Bench b("4k3/8/8/8/8/8/5P2/4K2R w K - 0 1", bottom);
            b.weights.NOTE_ROQUE = 100000;
            b.pos.CastlingDone[code(Colour::White)] = done;
            SearchResult r = b.search(Colour::White);
            if (done) {
                EXPECT_LT(r.score, 90000.0f);
            } else {
                EXPECT_EQ(name(r.fromX, r.fromY, bottom), "e1");
                EXPECT_EQ(name(r.toX, r.toY, bottom), "f1"); // g1: nothing in front
                EXPECT_GT(r.score, 90000.0f);
            }
        }
}

TEST(ReferenceSearch, IllegalKingStepStillGetsTheCastlingBonus) {
    // White is mated; Kf1 is illegal but walks towards Rh1 with f2 in front
    for (Colour bottom : Orientations)
        for (bool done : {false, true}) {
            Bench b("k7/8/8/8/8/8/3PPP2/r3K2R w K - 0 1", bottom);
            b.pos.CastlingDone[code(Colour::White)] = done;
            SearchResult r = b.search(Colour::White);
            if (done) {
                EXPECT_EQ(r.text, "MAT");
                EXPECT_EQ(r.score, -999999.0f);
            } else {
                EXPECT_EQ(r.text, " 0.Re1-f1");
                EXPECT_EQ(r.score, -999999.0f + 800.0f);
            }
        }
}

TEST(ReferenceSearch, PawnTerms) {
    for (Colour bottom : Orientations) {
        // dxe4 lands in front of the pawn on e3
        auto doubled = [&](float penalty) {
            Bench b("k7/8/8/8/4n3/3PP3/8/7K w - - 0 1", bottom);
            b.weights.NOTE_MATERIEL[code(PieceType::Knight)] = 3000;
            b.weights.MALUS_DOUBLE = penalty;
            SearchResult r = b.search(Colour::White);
            EXPECT_EQ(name(r.fromX, r.fromY, bottom), "d3");
            EXPECT_EQ(name(r.toX, r.toY, bottom), "e4");
            return r.score;
        };
        EXPECT_EQ(doubled(80) - doubled(1080), 1000.0f);

        auto promotion = [&](float bonus) {
            Bench b("8/4P3/8/8/8/8/k7/7K w - - 0 1", bottom);
            b.weights.NOTE_PROMOTION = bonus;
            Position before = b.pos;
            SearchResult r = b.search(Colour::White);
            EXPECT_EQ(b.pos, before); // the pawn stayed a pawn and went back
            return r;
        };
        SearchResult r = promotion(100000);
        EXPECT_EQ(name(r.toX, r.toY, bottom), "e8");
        EXPECT_GT(r.score, 90000.0f);
        EXPECT_LT(promotion(0).score, 90000.0f);
    }
}

TEST(ReferenceSearch, KingPenaltyOnEveryKingMove) {
    for (Colour bottom : Orientations) {
        auto score = [&](float penalty) {
            Bench b("k7/8/8/8/8/8/8/7K w - - 0 1", bottom);
            b.weights.MALUS_ROI = penalty;
            return b.search(Colour::White);
        };
        SearchResult a = score(100), c = score(600);
        EXPECT_EQ(a.text, c.text);
        EXPECT_EQ(a.score - c.score, 500.0f);
    }
}

struct BoardCase {
    const char* fen;
    Colour side;
};

class ReferenceBoardUntouched : public ::testing::TestWithParam<BoardCase> {};

TEST_P(ReferenceBoardUntouched, AtEveryDepth) {
    for (Colour bottom : Orientations)
        for (int maxDepth = 0; maxDepth <= 2; ++maxDepth)
            for (int alphaBeta : {0, 1}) {
                Bench b(GetParam().fen, bottom);
                b.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(maxDepth);
                b.weights.ALPHA_BETA = static_cast<std::uint8_t>(alphaBeta);
                Position before = b.pos;
                b.search(GetParam().side);
                EXPECT_EQ(b.pos, before) << GetParam().fen << " depth " << maxDepth;
                EXPECT_EQ(b.counters.SearchDepth, 0);
            }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceBoardUntouched,
    ::testing::Values(BoardCase{"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", Colour::White},
                      BoardCase{"4k3/4p3/8/8/3Pp3/8/8/4K3 b - d3 0 1", Colour::Black},
                      BoardCase{"4k3/8/8/8/8/8/5P2/4K2R w K - 0 1", Colour::White},
                      BoardCase{"8/4P3/8/8/8/8/k7/7K w - - 0 1", Colour::White},
                      BoardCase{"k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", Colour::Black},
                      BoardCase{"k7/8/2K5/8/8/8/8/1Q6 w - - 0 1", Colour::White}));

} // namespace
