// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pages of a printed document: lines of known heights placed one under the other.
#include <cstddef>
#include <utility>
#include <vector>

namespace quarvelin {

// [first, last) of the lines each page takes, in order; a line taller than the page has a page
// of its own. No line gives one empty page, so a document always prints.
std::vector<std::pair<std::size_t, std::size_t>> paginate(const std::vector<double>& heights,
                                                          double pageHeight);

} // namespace quarvelin
