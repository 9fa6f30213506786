#include "records/DispositionTableau.h"

#include <algorithm>
#include <cmath>

namespace quarvelin {

DispositionTableau disposer_tableau(const std::vector<int>& largeursEcran, int lines,
                                    double largeurPapier, double hauteurDisponible,
                                    double hauteurLigne) {
    DispositionTableau d;
    double total = 0;
    for (int l : largeursEcran) total += std::max(l, 0);
    const double n = static_cast<double>(largeursEcran.size());
    double x = 0;
    for (int l : largeursEcran) {
        // A list whose widths are all unknown shares the paper evenly.
        double w = total > 0 ? largeurPapier * std::max(l, 0) / total : largeurPapier / n;
        d.x.push_back(x);
        d.largeurs.push_back(w);
        x += w;
    }
    if (hauteurLigne > 0)
        d.lignesParPage =
            std::max(1, static_cast<int>(std::floor(hauteurDisponible / hauteurLigne)));
    // Rounded up: a list that fills its last page exactly gets no blank page after it.
    d.pages = std::max(1, (std::max(lines, 0) + d.lignesParPage - 1) / d.lignesParPage);
    return d;
}

} // namespace quarvelin
