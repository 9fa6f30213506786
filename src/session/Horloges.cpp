#include "session/Horloges.h"

#include <cstdio>

namespace quarvelin {

std::optional<int> Horloges::lire_temps(const std::string& text) {
    int h = 0, m = 0, s = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &m, &s, &end) != 3) return std::nullopt;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return std::nullopt;
    return h * 3600 + m * 60 + s;
}

std::string Horloges::ecrire_temps(int secondes) {
    // A countdown never goes below zero; a time of day wraps at midnight.
    if (secondes < 0) secondes = 0;
    secondes %= 24 * 3600;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", secondes / 3600, secondes / 60 % 60,
                  secondes % 60);
    return buf;
}

void Horloges::regler(Minuterie m, int intervalleMs) {
    intervalles_[static_cast<std::size_t>(m)] = intervalleMs;
    source_.regler(m, intervalleMs);
}

void Horloges::installer(const std::string& delaiPartie, bool clockOn, bool lancerDuree) {
    regler(Minuterie::Basse, 0);
    regler(Minuterie::Haute, 0);
    if (clockOn) {
        // An unreadable game time shows as it is and counts from zero: the first tick ends it.
        auto t = lire_temps(delaiPartie);
        basse_ = haute_ = t ? ecrire_temps(*t) : "00:00:00";
    }
    if (lancerDuree) {
        duree_ = "00:00:00";
        regler(Minuterie::Duration, 1000);
    }
}

void Horloges::basculer_horloges(Colour moved, Colour playerColour, bool clockOn) {
    if (!clockOn) return;
    bascule_ = std::chrono::system_clock::now();
    bool basse = moved != playerColour;
    regler(Minuterie::Basse, basse ? 1000 : 0);
    regler(Minuterie::Haute, basse ? 0 : 1000);
}

void Horloges::arreter_horloges() {
    for (Minuterie m : {Minuterie::Basse, Minuterie::Haute, Minuterie::Auto, Minuterie::Duration})
        regler(m, 0);
}

bool Horloges::tick_compte_a_rebours(Minuterie m) {
    std::string& label = m == Minuterie::Basse ? basse_ : haute_;
    int restant = lire_temps(label).value_or(0) - 1;
    label = ecrire_temps(restant);
    return restant <= 0;
}

void Horloges::tick_duree() { duree_ = ecrire_temps(lire_temps(duree_).value_or(0) + 1); }

} // namespace quarvelin
