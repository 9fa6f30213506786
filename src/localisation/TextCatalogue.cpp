// SPDX-License-Identifier: GPL-3.0-or-later
#include "localisation/TextCatalogue.h"

namespace quarvelin {

std::string TextCatalogue::text(TextKey key, std::initializer_list<std::string_view> values) const {
    const std::string t = text(key);
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto n = i + 1 < t.size() ? static_cast<std::size_t>(t[i + 1] - '1') : values.size();
        if (t[i] == '%' && n < values.size() && n < 9) {
            out += values.begin()[n];
            ++i;
        } else {
            out += t[i];
        }
    }
    return out;
}

} // namespace quarvelin
