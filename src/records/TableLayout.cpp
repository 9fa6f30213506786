// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TableLayout.h"

#include <algorithm>
#include <cmath>

namespace quarvelin {

TableLayout layOutTable(const std::vector<int>& screenWidths, int lines, double paperWidth,
                        double availableHeight, double lineHeight) {
    TableLayout d;
    double total = 0;
    for (int l : screenWidths) total += std::max(l, 0);
    const double n = static_cast<double>(screenWidths.size());
    double x = 0;
    for (int l : screenWidths) {
        // A list whose widths are all unknown shares the paper evenly.
        double w = total > 0 ? paperWidth * std::max(l, 0) / total : paperWidth / n;
        d.x.push_back(x);
        d.widths.push_back(w);
        x += w;
    }
    if (lineHeight > 0)
        d.linesPerPage = std::max(1, static_cast<int>(std::floor(availableHeight / lineHeight)));
    // Rounded up: a list that fills its last page exactly gets no blank page after it.
    d.pages = std::max(1, (std::max(lines, 0) + d.linesPerPage - 1) / d.linesPerPage);
    return d;
}

} // namespace quarvelin
