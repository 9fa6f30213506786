// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a printed list's columns and rows go: the columns share the paper's width in the
// proportions they have on screen, and the rows fill the pages.
#include <vector>

namespace quarvelin {

struct TableLayout {
    std::vector<double> x;      // left edge of each column, from the left margin
    std::vector<double> widths; // width of each column
    int linesPerPage = 1;
    int pages = 1;
};

// screenWidths: the columns' widths on screen; a hidden column has 0. Heights and widths in
// any one unit.
TableLayout layOutTable(const std::vector<int>& screenWidths, int lines, double paperWidth,
                        double availableHeight, double lineHeight);

} // namespace quarvelin
