#include "records/ValeurEtiquette.h"

namespace quarvelin {

std::string valeur_etiquette(std::string_view name, std::string_view text) {
    const std::size_t debut = text.find(name);
    if (name.empty() || debut == std::string_view::npos) return {};
    const std::size_t crochet = text.find(']', debut + name.size());
    if (crochet == std::string_view::npos) return {};
    // After the name, its space and the opening quote; up to the quote before "]".
    const std::size_t value = debut + name.size() + 2;
    if (crochet < 1 || crochet - 1 <= value) return {};
    return std::string(text.substr(value, crochet - 1 - value));
}

} // namespace quarvelin
