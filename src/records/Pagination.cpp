#include "records/Pagination.h"

namespace quarvelin {

std::vector<std::pair<std::size_t, std::size_t>> paginer(const std::vector<double>& hauteurs,
                                                         double hauteurPage) {
    std::vector<std::pair<std::size_t, std::size_t>> pages;
    std::size_t debut = 0;
    double rempli = 0;
    for (std::size_t i = 0; i < hauteurs.size(); ++i) {
        if (i > debut && rempli + hauteurs[i] > hauteurPage) {
            pages.emplace_back(debut, i);
            debut = i;
            rempli = 0;
        }
        rempli += hauteurs[i];
    }
    pages.emplace_back(debut, hauteurs.size());
    return pages;
}

} // namespace quarvelin
