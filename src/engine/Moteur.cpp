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

constexpr int TexteJournalCoup = 330;
constexpr int TexteJournalBlancs = 331;
constexpr int TexteJournalNoirs = 332;

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
    if (rappels.journal && d.catalogue)
        rappels.journal(d.catalogue->texte(TexteJournalCoup) + std::to_string(d.position.MoveCount) +
                        d.catalogue->texte(d.couleur == Colour::White ? TexteJournalBlancs : TexteJournalNoirs) +
                        heure());

    Recherche principale(d.position, poids, d.notation);
    principale.annulation(annulation);
    const std::vector<int> pieces = principale.pieces_racine(d.couleur);
    std::vector<Recherche::MeilleurPiece> parPiece(pieces.size());

    // The root's pieces are independent unless the pruning reads BestAtDepth across them.
    // Shallow searches end before a thread would start.
    int threads = (poids.ALPHA_BETA || poids.PROFONDEUR_MAX < 2) ? 1 : std::clamp(d.threads, 1, static_cast<int>(std::max<std::size_t>(1, pieces.size())));
    std::vector<SearchCounters> locaux(static_cast<std::size_t>(threads), c);
    for (auto& l : locaux) l.MovesExamined = l.PositionsEvaluated = 0;
    std::atomic<std::size_t> suivant{0};
    std::mutex progressMutex;
    std::int32_t movesBase = c.MovesExamined, evalsBase = c.PositionsEvaluated;

    auto travail = [&](int t) {
        Recherche local(d.position, poids, d.notation);
        local.annulation(annulation);
        SearchCounters& lc = locaux[static_cast<std::size_t>(t)];
        float running = -Infinity;
        for (std::size_t i; (i = suivant.fetch_add(1)) < pieces.size();) {
            if (annulation && annulation->load(std::memory_order_relaxed)) break;
            parPiece[i] = local.explorer_racine(pieces[i], lc);
            // The pruning reads the root's best as it rises, piece after piece (one thread then).
            if (parPiece[i].score > running) {
                running = parPiece[i].score;
                if (running > lc.BestAtDepth[0]) lc.BestAtDepth[0] = running;
            }
            if (rappels.progression) {
                std::lock_guard lock(progressMutex);
                SearchCounters sum = c;
                sum.MovesExamined = movesBase;
                sum.PositionsEvaluated = evalsBase;
                for (const auto& l : locaux) {
                    sum.MovesExamined += l.MovesExamined;
                    sum.PositionsEvaluated += l.PositionsEvaluated;
                }
                rappels.progression(sum);
            }
        }
    };
    if (threads == 1) {
        travail(0);
    } else {
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t) pool.emplace_back(travail, t);
        travail(0);
        for (auto& th : pool) th.join();
    }

    // Merge in scan order: the first strict rise wins, as one thread would have found it.
    for (const auto& l : locaux) {
        c.MovesExamined += l.MovesExamined;
        c.PositionsEvaluated += l.PositionsEvaluated;
        for (std::size_t k = 0; k < 4; ++k) c.BestAtDepth[k] = std::max(c.BestAtDepth[k], l.BestAtDepth[k]);
    }
    float best = -Infinity;
    int from = -1, to = -1;
    for (const auto& m : parPiece) {
        if (m.score > best) {
            best = m.score;
            from = m.from;
            to = m.to;
            if (best > c.BestAtDepth[0]) c.BestAtDepth[0] = best;
            ResultatRecherche step = principale.resultat(d.couleur, from, to, best, c);
            if (rappels.meilleur) rappels.meilleur(step.texte, best);
            if (rappels.journal) rappels.journal(" ... " + step.texte + " - note : (" + texte_score(best) + ")");
        }
    }
    ResultatRecherche r = principale.resultat(d.couleur, from, to, best, c);
    if (rappels.journal)
        rappels.journal(" * Selection : (" + r.texte + ") note (" + texte_score(best) + ") - end : " + heure());
    return r;
}

} // namespace quarvelin
