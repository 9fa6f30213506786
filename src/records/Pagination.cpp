// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/Pagination.h"

namespace quarvelin {

std::vector<std::pair<std::size_t, std::size_t>> paginate(const std::vector<double>& heights,
                                                          double pageHeight) {
    std::vector<std::pair<std::size_t, std::size_t>> pages;
    std::size_t beginning = 0;
    double filled = 0;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        if (i > beginning && filled + heights[i] > pageHeight) {
            pages.emplace_back(beginning, i);
            beginning = i;
            filled = 0;
        }
        filled += heights[i];
    }
    pages.emplace_back(beginning, heights.size());
    return pages;
}

} // namespace quarvelin
