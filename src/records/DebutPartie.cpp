#include "records/DebutPartie.h"

#include <cstring>

namespace quarvelin {

namespace {
constexpr std::string_view Marque = "[Event ";
}

RechercheDebut chercher_debut_partie(std::string_view text, std::size_t depuis, bool debutLigne,
                                     bool complet) {
    RechercheDebut r;
    const char* base = text.data();
    const std::size_t n = text.size();
    std::size_t p = depuis;
    while (p < n) {
        const void* trouve = std::memchr(base + p, '[', n - p);
        if (!trouve) break;
        std::size_t i = static_cast<std::size_t>(static_cast<const char*>(trouve) - base);
        std::size_t j = i;
        while (j > 0 && blanc_de_ligne(base[j - 1])) --j;
        bool enDebut = j == 0 ? debutLigne : base[j - 1] == '\n';
        if (enDebut) {
            if (n - i < Marque.size()) {
                if (complet) break;
                r.reprise = j;
                return r;
            }
            if (std::memcmp(base + i, Marque.data(), Marque.size()) == 0) {
                r.line = j;
                r.crochet = i;
                return r;
            }
        }
        p = i + 1;
    }
    r.reprise = n;
    return r;
}

bool finit_en_debut_de_ligne(std::string_view text, bool debutLigne) {
    std::size_t k = text.size();
    while (k > 0 && blanc_de_ligne(text[k - 1])) --k;
    return k == 0 ? debutLigne : text[k - 1] == '\n';
}

} // namespace quarvelin
