// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PrintedTable.h"

#include "config/Version.h"
#include "records/GameRecordText.h"

#include <cctype>
#include <cstdio>

namespace quarvelin {

namespace {
constexpr int English = 2;
}

std::string nameAndVersion() {
    std::string name = ProgramName;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name + " v" + ProgramVersion;
}

std::string headerDate(int languageKey, std::chrono::year_month_day d) {
    return languageKey == English ? dateMmDdYyyy(d) : dateDdMmYyyy(d);
}

std::string gameListTitle(const TextCatalogue& catalogue, int languageKey,
                          std::chrono::year_month_day d, int time, int minute) {
    char h[16];
    if (languageKey == English) {
        int h12 = time % 12 == 0 ? 12 : time % 12;
        std::snprintf(h, sizeof h, "%02d:%02d %s", h12, minute, time < 12 ? "AM" : "PM");
        return catalogue.text(TextKey::GameListTitle) + " The " + dateMmDdYyyy(d) + " at " + h;
    }
    std::snprintf(h, sizeof h, "%02d:%02d", time, minute);
    return catalogue.text(TextKey::GameListTitle) + " Le " + dateDdMmYyyy(d) + " à " + h;
}

} // namespace quarvelin
