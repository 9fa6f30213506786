// The fast engine against the plain one: same move, same score to the bit, same text, same
// counters, on positions of every kind, both orientations and several weight profiles.
#include "engine/reference/ReferenceEngine.h"
#include "support/RandomPlay.h"

#include "engine/Moteur.h"
#include "engine/Recherche.h"
#include "notation/Fen.h"

#include <gtest/gtest.h>

#include <bit>
#include <sstream>

using namespace quarvelin;

namespace {

std::string bits(float f) {
    std::ostringstream s;
    s << f << " [" << std::hex << std::bit_cast<std::uint32_t>(f) << "]";
    return s.str();
}

std::string decrire(const ResultatRecherche& r, const SearchCounters& c) {
    std::ostringstream s;
    s << r.fromX << r.fromY << "-" << r.toX << r.toY << " '" << r.texte << "' score "
      << bits(r.score) << " moves " << c.MovesExamined << " evals " << c.PositionsEvaluated
      << " best";
    for (float b : c.BestAtDepth) s << ' ' << bits(b);
    return s.str();
}

struct Profil {
    const char* nom;
    PoidsMoteur poids;
};

std::vector<Profil> profils() {
    PoidsMoteur base;
    PoidsMoteur ab = base;
    ab.ALPHA_BETA = 1;
    PoidsMoteur sansDefense = base;
    sansDefense.INDICE_DEFENSE = 0;
    PoidsMoteur agressif = base;
    agressif.BONUS_ECHEC = 350.5f;
    agressif.SEUIL_BONUS_ECHEC = 0;
    agressif.NOTE_CENTRE = 0;
    agressif.MOBILITE_EVOLUTIVE = {0, 0, 0.3f, 0.05f, 0.125f, 0.2f, 0.7f, 0.01f};
    agressif.NOTE_MATERIEL[6] = 1000.25f;
    agressif.ALPHA_BETA = 1;
    return {{"default", base},
            {"alpha-beta", ab},
            {"no defence", sansDefense},
            {"aggressive", agressif}};
}

// Runs both engines from the same state; the fast one with one and with two threads.
void comparer(const Position& p, const PoidsMoteur& poids, const std::string& what) {
    Position refPos = p;
    SearchCounters refCounters;
    reference::Contexte ctx{refPos, poids, refCounters, NotationCode::French};
    ResultatRecherche expected = reference::cherche_coup(ctx, p.side_to_move());
    ASSERT_EQ(refPos, p) << "the plain engine left the board changed: " << what;

    for (int threads : {1, 2}) {
        DemandeRecherche d;
        d.position = p;
        d.colour = p.side_to_move();
        d.poids = poids;
        d.notation = NotationCode::French;
        d.threads = threads;
        SearchCounters counters;
        ResultatRecherche got = chercher_coup(d, counters);
        EXPECT_EQ(decrire(got, counters), decrire(expected, refCounters))
            << what << " threads " << threads;
    }
}

TEST(Oracle, EvaluationAfterEveryMoveOfRandomPositions) {
    int compared = 0;
    for (const std::string& fen : test::positions_aleatoires(10, 40, 21)) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fen, bottom);
            p.MoveCount = static_cast<std::int16_t>(compared % 30);
            for (const Move& c : legalMoves(p)) {
                Position after = p;
                after.at(c.toX, c.toY) = c.piece; // moved on the board alone, as the search does
                after.at(c.fromX, c.fromY) = PieceCode::Empty;
                for (const Profil& prof : profils()) {
                    SearchCounters rc, fc;
                    reference::Contexte ctx{after, prof.poids, rc, NotationCode::French};
                    float expected = reference::evalue_position(ctx, colourOf(c.piece));
                    Recherche fast(after, prof.poids, NotationCode::French);
                    float got = fast.evalue_position(colourOf(c.piece), fc);
                    ASSERT_EQ(bits(got), bits(expected))
                        << fen << " " << uciMove(p, c) << " " << prof.nom;
                    ASSERT_EQ(fc, rc) << fen << " " << uciMove(p, c) << " " << prof.nom;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

// A small set here; bench_engine --oracle runs the full corpus.
TEST(Oracle, SearchAtDepthsZeroToTwo) {
    auto fens = test::positions_aleatoires(6, 40, 99);
    int n = 0;
    for (std::size_t i = 0; i < fens.size(); i += 29) {
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(fens[i], bottom);
            for (const Profil& prof : profils()) {
                PoidsMoteur poids = prof.poids;
                poids.PROFONDEUR_MAX = static_cast<std::int16_t>(n++ % 2 + (i % 2)); // 0..2
                comparer(p, poids,
                         fens[i] + " " + prof.nom + " depth " +
                             std::to_string(poids.PROFONDEUR_MAX));
                if (HasFailure()) return;
            }
        }
    }
}

TEST(Oracle, ChecksMatesStalematesAndDepthThree) {
    struct Cas {
        const char* fen;
        int maxDepth; // the plain engine is slow: depth 3 only where the tree is small
    };
    const Cas cases[] = {
        {"7k/8/6QK/8/8/8/8/8 b - - 0 40", 3},      // stalemated
        {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 40", 3},    // mated
        {"6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 30", 3}, // mate in one
        {"8/8/8/8/8/2k5/1q6/K7 w - - 0 60", 3},    // no move but in check
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 7", 3},  // en passant
        {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", 1}, // Qxf7#
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 12", 2}, // castling both sides
        {"4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 50", 2},    // promotions
    };
    for (const Cas& c : cases)
        for (Colour bottom : {Colour::White, Colour::Black}) {
            Position p = *readFen(c.fen, bottom);
            for (const Profil& prof : profils())
                for (int depth = 0; depth <= c.maxDepth; ++depth) {
                    PoidsMoteur poids = prof.poids;
                    poids.PROFONDEUR_MAX = static_cast<std::int16_t>(depth);
                    comparer(p, poids,
                             std::string(c.fen) + " " + prof.nom + " depth " +
                                 std::to_string(depth));
                    if (HasFailure()) return;
                }
        }
}

} // namespace
