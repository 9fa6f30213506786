#include "engine/Moteur.h"

#include "engine/Recherche.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace quarvelin {

namespace {

std::string heure() {
    std::time_t now = std::time(nullptr);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%H:%M:%S", std::localtime(&now));
    return buffer;
}

} // namespace

std::string texte_score(float score) {
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed);
    return std::string(buffer, r.ptr);
}

ResultatRecherche chercher_coup(const DemandeRecherche& d, SearchCounters& c,
                                const RappelsMoteur& rappels, const std::atomic<bool>* annulation) {
    PoidsMoteur poids = d.poids;
    poids.PROFONDEUR_MAX = std::clamp<std::int16_t>(poids.PROFONDEUR_MAX, 0, 3);
    c.SearchDepth = 0;
    if (rappels.journal && !d.logHeader.empty()) rappels.journal(d.logHeader + heure());

    Recherche principale(d.position, poids, d.notation);
    principale.annulation(annulation);
    const std::vector<int> pieces = principale.pieces_racine(d.colour);
    std::mutex progressMutex;
    auto annulee = [&] { return annulation && annulation->load(std::memory_order_relaxed); };

    float best = -Infinity;
    int from = -1, to = -1;
    // The root's best rises in scan order; the windows and the log hear of each rise.
    auto montee = [&](float score, int f, int t) {
        best = score;
        from = f;
        to = t;
        if (!rappels.meilleur && !rappels.journal) return;
        ResultatRecherche step = principale.resultat(d.colour, from, to, best, c);
        if (rappels.meilleur) rappels.meilleur(step.texte, best);
        if (rappels.journal)
            rappels.journal(" ... " + step.texte + " - note : (" + texte_score(best) + ")");
    };

    const int threads = std::clamp(d.threads, 1, 8);
    if (poids.ALPHA_BETA || poids.PROFONDEUR_MAX < 2 || threads == 1) {
        // The pruning reads the root's best as it rises, piece after piece: one thread.
        for (int sq : pieces) {
            if (annulee()) break;
            Recherche::MeilleurPiece m = principale.explorer_racine(sq, c);
            if (m.score > best) {
                montee(m.score, m.from, m.to);
                if (best > c.BestAtDepth[0]) c.BestAtDepth[0] = best;
            }
            if (rappels.progression) rappels.progression(c);
        }
    } else {
        // Without the pruning every root move scores on its own: the moves are shared between
        // threads, then taken in the search's order so the first strict rise still wins.
        std::vector<Recherche::CandidatRacine> taches;
        std::vector<std::size_t> finPiece;
        for (int sq : pieces) {
            auto cands = principale.candidats_racine(sq);
            taches.insert(taches.end(), cands.begin(), cands.end());
            finPiece.push_back(taches.size());
        }
        c.MovesExamined += static_cast<std::int32_t>(pieces.size() + taches.size());
        std::vector<float> scores(taches.size(), -Infinity);
        std::vector<SearchCounters> locaux(static_cast<std::size_t>(threads), c);
        for (auto& l : locaux) l.MovesExamined = l.PositionsEvaluated = 0;
        std::vector<SearchCounters> publies = locaux;
        std::atomic<std::size_t> suivant{0};
        auto travail = [&](int t) {
            Recherche local(d.position, poids, d.notation);
            local.annulation(annulation);
            SearchCounters& lc = locaux[static_cast<std::size_t>(t)];
            for (std::size_t i; (i = suivant.fetch_add(1)) < taches.size();) {
                if (annulee()) break;
                if (!taches[i].valide) continue;
                scores[i] = local.score_racine(taches[i], lc);
                if (rappels.progression) {
                    // Each thread publishes its own counts; the sum reads only what was published.
                    std::lock_guard lock(progressMutex);
                    publies[static_cast<std::size_t>(t)] = lc;
                    SearchCounters sum = c;
                    for (const auto& l : publies) {
                        sum.MovesExamined += l.MovesExamined;
                        sum.PositionsEvaluated += l.PositionsEvaluated;
                    }
                    rappels.progression(sum);
                }
            }
        };
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t) pool.emplace_back(travail, t);
        travail(0);
        for (auto& th : pool) th.join();
        for (const auto& l : locaux) {
            c.MovesExamined += l.MovesExamined;
            c.PositionsEvaluated += l.PositionsEvaluated;
            for (std::size_t k = 0; k < 4; ++k)
                c.BestAtDepth[k] = std::max(c.BestAtDepth[k], l.BestAtDepth[k]);
        }
        std::size_t i = 0;
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            float pieceBest = best;
            int pieceTo = -1;
            for (; i < finPiece[p]; ++i)
                if (taches[i].valide && scores[i] > pieceBest) {
                    pieceBest = scores[i];
                    pieceTo = taches[i].to;
                }
            if (pieceTo >= 0) {
                montee(pieceBest, pieces[p], pieceTo);
                if (best > c.BestAtDepth[0]) c.BestAtDepth[0] = best;
            }
        }
    }
    ResultatRecherche r = principale.resultat(d.colour, from, to, best, c);
    if (rappels.journal)
        rappels.journal(" * Selection : (" + r.texte + ") note (" + texte_score(best) +
                        ") - end : " + heure());
    return r;
}

} // namespace quarvelin
