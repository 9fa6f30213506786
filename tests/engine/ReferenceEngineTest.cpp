// SPDX-License-Identifier: GPL-3.0-or-later
// The plain engine's rules case by case. Every case runs through the fast engine too, from the
// same state: both must give the same score, move, text and counters.
#include "engine/reference/ReferenceEngine.h"

#include "engine/Search.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

using namespace quarvelin;
namespace ref = quarvelin::reference;

namespace {

constexpr Colour Orientations[] = {Colour::White, Colour::Black};
constexpr float Lost = -999999.0f;

struct Bench {
    Position pos;
    EngineWeights weights;
    SearchCounters counters;

    Bench(const char* fen, Colour bottom) : pos(readFen(fen, bottom).value()) {
        weights.MOBILITE_EVOLUTIVE.fill(0.0f); // sums stay exact, so differences are exact
    }
    Square at(const char* name) const { return namedSquare(name[0], name[1], pos.PlayerColour); }
    PieceCode& on(const char* name) { return pos.at(at(name).x, at(name).y); }
    std::string name(int x, int y) const { return squareName(x, y, pos.PlayerColour); }

    template <typename Plain, typename Fast> auto both(Plain plain, Fast fast) {
        SearchCounters fastCounters = counters;
        Search engine(pos, weights, NotationCode::French);
        const auto theirs = fast(engine, fastCounters);
        ref::Context c{pos, weights, counters, NotationCode::French};
        const auto ours = plain(c);
        EXPECT_EQ(theirs, ours) << "the fast engine differs";
        EXPECT_EQ(fastCounters, counters) << "the fast engine's counters differ";
        return ours;
    }
    float evaluate(Colour m) {
        return both([&](ref::Context& c) { return ref::evalue_position(c, m); },
                    [&](Search& s, SearchCounters& k) { return s.evalue_position(m, k); });
    }
    SearchResult search(Colour colour) {
        return both([&](ref::Context& c) { return ref::cherche_coup(c, colour); },
                    [&](Search& s, SearchCounters& k) { return s.cherche_coup(colour, k); });
    }
    float mobility(const char* square) {
        const Square s = at(square);
        return both([&](ref::Context& c) { return ref::mobilite_piece(c, s.x, s.y); },
                    [&](Search& e, SearchCounters&) { return e.mobilite_piece(s.x, s.y); });
    }
    float castlingBonus(const char* from, const char* to) {
        const Square f = at(from), t = at(to);
        return both([&](ref::Context& c) { return ref::bonus_roque(c, f.x, f.y, t.x, t.y); },
                    [&](Search& e, SearchCounters&) { return e.bonus_roque(f.x, f.y, t.x, t.y); });
    }
};

// ---------------------------------------------------------------- evaluation

TEST(ReferenceEvaluation, OwnKingAttackedScoresExactlyMinusInfinity) {
    const struct {
        const char* fen;
        Colour mover;
    } cases[] = {{"4k3/8/8/8/8/8/4r3/4K3 w - - 0 1", Colour::White},
                 {"4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", Colour::White}, // pawn
                 {"4k3/3P4/8/8/8/8/8/4K3 b - - 0 1", Colour::Black},
                 {"4k3/8/8/8/8/5n2/8/4K3 w - - 0 1", Colour::White},
                 {"4k3/8/8/8/8/8/8/Q1r1K3 w - - 0 1", Colour::White}};
    for (const auto& c : cases)
        for (Colour bottom : Orientations) {
            Bench b(c.fen, bottom);
            EXPECT_EQ(b.evaluate(c.mover), Lost) << c.fen;
            EXPECT_EQ(b.counters.PositionsEvaluated, 1);
            EXPECT_EQ(b.counters.MovesExamined, 0);
        }
    // Even when the opponent is mated by two queens, which no position text allows.
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/8/8/8/8/2r1K3 w - - 0 1", bottom);
        b.on("e7") = b.on("d6") = PieceCode::WhiteQueen;
        EXPECT_EQ(b.evaluate(Colour::White), Lost);
        EXPECT_EQ(b.counters.PositionsEvaluated, 1); // refused before any mate probe
        b.on("c1") = PieceCode::Empty;
        EXPECT_EQ(b.evaluate(Colour::White), 99999.9f);
    }
}

TEST(ReferenceEvaluation, ShallowerMatesScoreHigher) {
    const struct {
        int depth;
        float score;
    } cases[] = {{0, 99999.9f}, {1, 49999.95f}, {2, 33333.3f}};
    for (const auto& c : cases)
        for (Colour bottom : Orientations)
            for (int maxDepth : {0, 2}) {
                Bench b("k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", bottom);
                b.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(maxDepth);
                b.counters.SearchDepth = static_cast<std::int16_t>(c.depth);
                const Position before = b.pos;
                EXPECT_EQ(b.evaluate(Colour::White), c.score);
                EXPECT_EQ(b.counters.SearchDepth, c.depth); // put back after the probe
                EXPECT_EQ(b.pos, before);
                EXPECT_GT(b.counters.PositionsEvaluated, 1); // the probe evaluated the replies
            }
}

// One term's share: the evaluation with the term at `value` less the one with it at 0.
TEST(ReferenceEvaluation, EachTermsShare) {
    using W = EngineWeights;
    const struct {
        const char* fen;
        int moveCount;
        Colour mover;
        float W::*term;
        float value, share;
        float W::*zeroed = nullptr; // another term left out of both
    } cases[] = {
        // check bonus, from its threshold (10) on, move count times the bonus
        {"4k3/8/8/8/4R3/8/8/K7 b - - 0 1", 9, Colour::White, &W::BONUS_ECHEC, 200, 0},
        {"4k3/8/8/8/4R3/8/8/K7 b - - 0 1", 10, Colour::White, &W::BONUS_ECHEC, 200, 2000},
        {"4k3/8/8/8/4R3/8/8/K7 b - - 0 1", 12, Colour::White, &W::BONUS_ECHEC, 200, 2400},
        {"4k3/8/8/8/3R4/8/8/K7 b - - 0 1", 12, Colour::White, &W::BONUS_ECHEC, 200, 0}, // no check
        // centre up to its threshold (15): the knight on f3 bears on d4 and e5
        {"4k3/8/8/8/8/5N2/8/4K3 w - - 0 1", 14, Colour::White, &W::NOTE_CENTRE, 40, 80},
        {"4k3/8/8/8/8/5N2/8/4K3 w - - 0 1", 15, Colour::White, &W::NOTE_CENTRE, 40, 80},
        {"4k3/8/8/8/8/5N2/8/4K3 w - - 0 1", 15, Colour::Black, &W::NOTE_CENTRE, 40, -80},
        {"4k3/8/8/8/8/5N2/8/4K3 w - - 0 1", 16, Colour::White, &W::NOTE_CENTRE, 40, 0},
        // Ra1, defended by Kb2, attacks Ra8; Ra8 attacks Ra1 but is undefended. The attack
        // term needs the defence term.
        {"r3k3/8/8/8/8/8/1K6/R7 w - - 0 1", 0, Colour::White, &W::INDICE_ATTAQUE, 5, 5},
        {"r3k3/8/8/8/8/8/1K6/R7 w - - 0 1", 0, Colour::White, &W::INDICE_ATTAQUE, 5, 0,
         &W::INDICE_DEFENSE},
        // Rd1 has more defenders (Kc2) than attackers; Nh8, Kc2 and Ke8 none
        {"4k2n/8/8/8/8/8/2K5/3R4 w - - 0 1", 0, Colour::White, &W::INDICE_DEFENSE, 7, 7,
         &W::INDICE_ATTAQUE},
    };
    for (const auto& c : cases)
        for (Colour bottom : Orientations) {
            SCOPED_TRACE(std::string(c.fen) + " move " + std::to_string(c.moveCount));
            Bench b(c.fen, bottom);
            b.pos.MoveCount = static_cast<std::int16_t>(c.moveCount);
            if (c.zeroed) b.weights.*c.zeroed = 0;
            b.weights.*c.term = c.value;
            const float on = b.evaluate(c.mover);
            b.weights.*c.term = 0;
            EXPECT_EQ(on - b.evaluate(c.mover), c.share);
        }
}

TEST(ReferenceEvaluation, KingMaterialCancelsOut) {
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/3p4/8/5N2/8/4K3 w - - 0 1", bottom);
        const float usual = b.evaluate(Colour::White);
        b.weights.NOTE_MATERIEL[code(PieceType::King)] = 10000;
        EXPECT_EQ(b.evaluate(Colour::White), usual);
        EXPECT_EQ(b.evaluate(Colour::Black), -usual);
    }
}

TEST(ReferenceEvaluation, MobilityUnitsOfOnePiece) {
    const struct {
        const char* fen;
        const char* square;
        float units;
    } cases[] = {
        {"4k3/8/8/8/8/1P6/2P5/N3K3 w - - 0 1", "a1", 2}, // jumps onto own pieces
        {"4k3/8/8/8/8/7K/P7/R7 w - - 0 1", "a1", 8},     // a2 counts, the edge does not
        {"4k3/8/8/8/3Q4/8/8/K7 w - - 0 1", "d4", 27},
        {"4k3/8/8/8/8/8/1P1P4/2B1K3 w - - 0 1", "c1", 2},
        {"4k3/8/8/8/3K4/8/8/8 w - - 0 1", "d4", 8},
        {"4k3/8/8/8/8/8/8/K7 w - - 0 1", "a1", 3},
        {"4k3/8/8/8/8/8/8/Kr6 w - - 0 1", "a1", 3}, // an enemy neighbour counts
        {"4k3/8/8/8/8/8/4P3/K7 w - - 0 1", "e2", 2},
        {"4k3/8/8/8/4n3/8/4P3/K7 w - - 0 1", "e2", 1},
        {"4k3/8/8/8/8/4n3/4P3/K7 w - - 0 1", "e2", 0},
        {"4k3/8/8/8/8/4P3/8/K7 w - - 0 1", "e3", 1},
        {"4k3/8/8/2n1n3/3P4/8/8/K7 w - - 0 1", "d4", 1}, // captures give none
        {"4k3/4p3/8/8/8/8/8/K7 w - - 0 1", "e7", 2},
    };
    for (const auto& c : cases)
        for (Colour bottom : Orientations) {
            Bench b(c.fen, bottom);
            b.weights.NOTE_MOBILITE.fill(1.0f);
            EXPECT_EQ(b.mobility(c.square), c.units) << c.fen << " " << code(bottom);
        }
    // The unit grows with the move count: 2 units of 2 + 10 * 0.5.
    for (Colour bottom : Orientations) {
        Bench b("4k3/8/8/8/8/8/8/N3K3 w - - 0 1", bottom);
        b.pos.MoveCount = 10;
        b.weights.NOTE_MOBILITE[code(PieceType::Knight)] = 2;
        b.weights.MOBILITE_EVOLUTIVE[code(PieceType::Knight)] = 0.5f;
        EXPECT_EQ(b.mobility("a1"), 14.0f);
    }
}

TEST(ReferenceEvaluation, CastlingBonusForAKingMoveAlongItsHomeRow) {
    const struct {
        const char* fen; // the king already on its destination
        const char* from;
        const char* to;
        bool earns;
    } cases[] = {
        {"4k3/8/8/8/8/8/5P2/5K1R w - - 0 1", "e1", "f1", true},  // one step
        {"4k3/8/8/8/8/8/8/5K1R w - - 0 1", "e1", "f1", false},   // open front
        {"4k3/8/8/8/8/8/5P2/5KNR w - - 0 1", "e1", "f1", false}, // blocked
        {"4k3/8/8/8/8/8/5P2/5K1r w - - 0 1", "e1", "f1", false}, // enemy rook
        {"4k3/8/8/8/8/5P2/5K1R/8 w - - 0 1", "e2", "f2", false}, // not home
        {"4k3/8/8/8/8/8/3P4/3K3R w - - 0 1", "e1", "d1", false}, // away from the rook
        {"4k3/8/8/8/8/8/3P4/R2K4 w - - 0 1", "e1", "d1", true},
        {"4k3/8/8/8/8/8/6P1/6KR w - - 0 1", "e1", "g1", true}, // rook not moved
        {"4k3/8/8/8/8/8/7P/7K w - - 0 1", "g1", "h1", false},  // on the corner
        {"5k1r/5p2/8/8/8/8/8/4K3 b - - 0 1", "e8", "f8", true},
        {"5k1r/8/8/8/8/8/8/4K3 b - - 0 1", "e8", "f8", false},
    };
    for (const auto& c : cases)
        for (Colour bottom : Orientations) {
            Bench b(c.fen, bottom);
            EXPECT_EQ(b.castlingBonus(c.from, c.to), c.earns ? 800.0f : 0.0f)
                << c.fen << " " << c.from << c.to << " bottom " << code(bottom);
        }
}

// ---------------------------------------------------------------- search

TEST(ReferenceSearch, NoMoveGivesMateOrStalemate) {
    const char* stalemate = "k7/8/1Q6/8/8/8/8/7K b - - 0 1";
    const char* mate = "k7/1Q6/1K6/8/8/8/8/8 b - - 0 1";
    const struct {
        const char* fen;
        Colour bottom;
        int depth;
        const char* text;
    } cases[] = {
        {stalemate, Colour::White, 0, "PAT"},
        {stalemate, Colour::Black, 0, "PAT"},
        // below the root, a side with no move is mated unless it is the player's at the bottom
        {stalemate, Colour::White, 1, "MAT"},
        {stalemate, Colour::Black, 1, "PAT"},
        {mate, Colour::White, 0, "MAT"},
        {mate, Colour::Black, 0, "MAT"},
        {mate, Colour::White, 1, "MAT"},
        {mate, Colour::Black, 1, "MAT"},
    };
    for (const auto& c : cases) {
        Bench b(c.fen, c.bottom);
        b.weights.PROFONDEUR_MAX = 1;
        b.counters.SearchDepth = static_cast<std::int16_t>(c.depth);
        EXPECT_EQ(b.search(Colour::Black), (SearchResult{0, 0, 0, 0, Lost, c.text}))
            << c.fen << " bottom " << code(c.bottom) << " depth " << c.depth;
    }
}

TEST(ReferenceSearch, CountersOnePerPieceAndPerCandidateOnTheBoard) {
    const struct {
        const char* fen;
        int movesExamined, positionsEvaluated;
    } cases[] = {
        // Na1: b3, c2; Kh1: g1, f1, h2, h3, g2, of which f1 and h3 fail the movement rule
        {"k7/8/8/8/8/8/8/N6K w - - 0 1", 2 + 2 + 5, 2 + 3},
        // a2: a3, a4, b3 (refused); Ra1: a2 (own), b1..g1, h1 (own); Kh1 as above
        {"k7/8/8/8/8/8/P7/R6K w - - 0 1", 3 + 3 + 8 + 5, 2 + 6 + 3},
    };
    for (const auto& c : cases)
        for (Colour bottom : Orientations) {
            Bench b(c.fen, bottom);
            const SearchResult r = b.search(Colour::White);
            EXPECT_EQ(b.counters.MovesExamined, c.movesExamined) << c.fen;
            EXPECT_EQ(b.counters.PositionsEvaluated, c.positionsEvaluated);
            EXPECT_EQ(b.counters.BestAtDepth[0], r.score);
            EXPECT_EQ(b.counters.BestAtDepth[1], Lost);
            EXPECT_EQ(b.counters.SearchDepth, 0);
        }
}

TEST(ReferenceSearch, ChosenMoveTextAndScore) {
    for (Colour bottom : Orientations) {
        // the mate at ply 0, less the queen attacked by the king; the mated side adds nothing
        Bench mate("k7/8/2K5/8/8/8/8/1Q6 w - - 0 1", bottom);
        mate.weights.PROFONDEUR_MAX = 1;
        SearchResult r = mate.search(Colour::White);
        EXPECT_EQ(r.text, " 0.Db1-b7");
        EXPECT_EQ(r.score, 99999.9f - 900.0f);

        // depth 0: the best immediate score, the threat on d1 included (escape: 1 x 500)
        Bench take("k7/8/8/8/3q4/8/8/3R3K w - - 0 1", bottom);
        take.pos.MoveCount = 5;
        r = take.search(Colour::White);
        EXPECT_EQ(take.name(r.fromX, r.fromY) + take.name(r.toX, r.toY), "d1d4");
        EXPECT_EQ(r.text, " 5.Td1xd4");
        Bench after("k7/8/8/8/3R4/8/8/7K b - - 0 1", bottom);
        after.pos.MoveCount = 5;
        EXPECT_EQ(r.score, after.evaluate(Colour::White) + 500.0f);

        // en passant, written as the search saw it: destination empty
        Bench ep("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", bottom);
        r = ep.search(Colour::White);
        EXPECT_EQ(ep.name(r.fromX, r.fromY) + ep.name(r.toX, r.toY), "e5d6");
        EXPECT_EQ(r.text, " 0.e5-d6");
    }
}

TEST(ReferenceSearch, EqualScoresGoToTheFirstPieceInDisplayOrder) {
    // Nd2xe4 and Ng5xe4 mirror each other about the a8-h1 diagonal: same score. Row by row,
    // g5 comes first with White at the bottom and d2 with Black at the bottom (column by
    // column it would be the other way round).
    Bench white("k7/8/8/6N1/4q3/8/3N4/7K w - - 0 1", Colour::White);
    Bench black("k7/8/8/6N1/4q3/8/3N4/7K w - - 0 1", Colour::Black);
    const SearchResult w = white.search(Colour::White), b = black.search(Colour::White);
    EXPECT_EQ(w.score, b.score);
    EXPECT_EQ(w.text, " 0.Cg5xe4");
    EXPECT_EQ(b.text, " 0.Cd2xe4");
    EXPECT_EQ(black.name(b.fromX, b.fromY) + black.name(b.toX, b.toY), "d2e4");
}

TEST(ReferenceSearch, AlphaBetaReadsBestAtDepthAsStored) {
    enum class Preset { Lowest, FlatBest, Highest }; // BestAtDepth[0] before the call
    const struct {
        int alphaBeta;
        Preset preset;
        bool refined; // whether replies are searched
    } cases[] = {{1, Preset::Lowest, false},
                 // s <= BestAtDepth: the best move is refined too
                 {1, Preset::FlatBest, true},
                 {1, Preset::Highest, true},
                 {0, Preset::Lowest, true}};
    // a lone king: its moves are the first piece's at the root
    const char* position = "k7/8/8/8/8/8/8/7K w - - 0 1";
    for (const auto& c : cases)
        for (Colour bottom : Orientations) {
            Bench flat(position, bottom), deep(position, bottom), b(position, bottom);
            deep.weights.PROFONDEUR_MAX = b.weights.PROFONDEUR_MAX = 1;
            const SearchResult r0 = flat.search(Colour::White), r1 = deep.search(Colour::White);
            b.weights.ALPHA_BETA = static_cast<std::uint8_t>(c.alphaBeta);
            b.counters.BestAtDepth[0] = c.preset == Preset::Lowest     ? Lost
                                        : c.preset == Preset::FlatBest ? r0.score
                                                                       : 1e9f;
            EXPECT_EQ(b.search(Colour::White), c.refined ? r1 : r0);
            const Bench& same = c.refined ? deep : flat;
            EXPECT_EQ(b.counters.MovesExamined, same.counters.MovesExamined);
            EXPECT_EQ(b.counters.PositionsEvaluated, same.counters.PositionsEvaluated);
        }
}

TEST(ReferenceSearch, LaterPiecesAreRefinedUnlessTheyBeatTheBestSoFar) {
    // Five root moves, each answered by the three moves of Ka8. White at the bottom: Na1 is
    // scanned before Kh1, its moves are not refined, and the king moves (100 less each) all fall
    // below its best and are. Black at the bottom: Kh1 comes first, and no knight move falls
    // below the king's best.
    for (Colour bottom : Orientations) {
        auto evaluations = [&](int maxDepth, int alphaBeta) {
            Bench b("k7/8/8/8/8/8/8/N6K w - - 0 1", bottom);
            b.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(maxDepth);
            b.weights.ALPHA_BETA = static_cast<std::uint8_t>(alphaBeta);
            b.search(Colour::White);
            // a reply searched leaves its best at depth 1
            EXPECT_EQ(b.counters.BestAtDepth[1] > Lost, b.counters.PositionsEvaluated > 5);
            return b.counters.PositionsEvaluated;
        };
        EXPECT_EQ(evaluations(0, 0), 5);
        EXPECT_EQ(evaluations(1, 0), 5 + 5 * 3);
        EXPECT_EQ(evaluations(1, 1), bottom == Colour::White ? 5 + 3 * 3 : 5);
    }
}

TEST(ReferenceSearch, CastlingBonusOnlyBeforeCastling) {
    for (Colour bottom : Orientations)
        for (bool done : {false, true}) {
            // a king step towards its rook, f1 rather than g1 where nothing stands in front
            Bench b("4k3/8/8/8/8/8/5P2/4K2R w K - 0 1", bottom);
            b.weights.NOTE_ROQUE = 100000;
            b.pos.CastlingDone[code(Colour::White)] = done;
            SearchResult r = b.search(Colour::White);
            EXPECT_EQ(r.score > 90000.0f, !done);
            if (!done) {
                EXPECT_EQ(b.name(r.fromX, r.fromY) + b.name(r.toX, r.toY), "e1f1");
            }

            // White is mated; Kf1 is illegal but walks towards Rh1 with f2 in front
            Bench mated("k7/8/8/8/8/8/3PPP2/r3K2R w K - 0 1", bottom);
            mated.pos.CastlingDone[code(Colour::White)] = done;
            r = mated.search(Colour::White);
            EXPECT_EQ(r.text, done ? "MAT" : " 0.Re1-f1");
            EXPECT_EQ(r.score, done ? Lost : Lost + 800.0f);
        }
}

TEST(ReferenceSearch, PawnAndKingTerms) {
    for (Colour bottom : Orientations) {
        // dxe4 lands in front of the pawn on e3
        auto doubled = [&](float penalty) {
            Bench b("k7/8/8/8/4n3/3PP3/8/7K w - - 0 1", bottom);
            b.weights.NOTE_MATERIEL[code(PieceType::Knight)] = 3000;
            b.weights.MALUS_DOUBLE = penalty;
            const SearchResult r = b.search(Colour::White);
            EXPECT_EQ(b.name(r.fromX, r.fromY) + b.name(r.toX, r.toY), "d3e4");
            return r.score;
        };
        EXPECT_EQ(doubled(80) - doubled(1080), 1000.0f);

        auto promotion = [&](float bonus) {
            Bench b("8/4P3/8/8/8/8/k7/7K w - - 0 1", bottom);
            b.weights.NOTE_PROMOTION = bonus;
            const SearchResult r = b.search(Colour::White);
            if (bonus > 0) {
                EXPECT_EQ(b.name(r.toX, r.toY), "e8");
            }
            return r.score;
        };
        EXPECT_GT(promotion(100000), 90000.0f);
        EXPECT_LT(promotion(0), 90000.0f);

        auto king = [&](float penalty) {
            Bench b("k7/8/8/8/8/8/8/7K w - - 0 1", bottom);
            b.weights.MALUS_ROI = penalty;
            return b.search(Colour::White);
        };
        const SearchResult a = king(100), c = king(600);
        EXPECT_EQ(a.text, c.text);
        EXPECT_EQ(a.score - c.score, 500.0f);
    }
}

TEST(ReferenceSearch, BoardUntouchedAtEveryDepth) {
    const struct {
        const char* fen;
        Colour side;
    } cases[] = {{"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", Colour::White},
                 {"4k3/4p3/8/8/3Pp3/8/8/4K3 b - d3 0 1", Colour::Black},
                 {"4k3/8/8/8/8/8/5P2/4K2R w K - 0 1", Colour::White},
                 {"8/4P3/8/8/8/8/k7/7K w - - 0 1", Colour::White}, // the pawn stays a pawn
                 {"k7/1Q6/1K6/8/8/8/8/8 b - - 0 1", Colour::Black},
                 {"k7/8/2K5/8/8/8/8/1Q6 w - - 0 1", Colour::White}};
    for (const auto& c : cases)
        for (Colour bottom : Orientations)
            for (int maxDepth = 0; maxDepth <= 2; ++maxDepth)
                for (int alphaBeta : {0, 1}) {
                    Bench b(c.fen, bottom);
                    b.weights.PROFONDEUR_MAX = static_cast<std::int16_t>(maxDepth);
                    b.weights.ALPHA_BETA = static_cast<std::uint8_t>(alphaBeta);
                    const Position before = b.pos;
                    b.search(c.side);
                    EXPECT_EQ(b.pos, before) << c.fen << " depth " << maxDepth;
                    EXPECT_EQ(b.counters.SearchDepth, 0);
                }
}

} // namespace
