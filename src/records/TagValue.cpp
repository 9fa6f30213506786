// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TagValue.h"

namespace quarvelin {

std::string valeur_etiquette(std::string_view name, std::string_view text) {
    const std::size_t beginning = text.find(name);
    if (name.empty() || beginning == std::string_view::npos) return {};
    const std::size_t bracket = text.find(']', beginning + name.size());
    if (bracket == std::string_view::npos) return {};
    // After the name, its space and the opening quote; up to the quote before "]".
    const std::size_t value = beginning + name.size() + 2;
    if (bracket < 1 || bracket - 1 <= value) return {};
    return std::string(text.substr(value, bracket - 1 - value));
}

} // namespace quarvelin
