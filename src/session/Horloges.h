#pragma once
// The two countdowns and the game's duration. The remaining times live as "hh:mm:ss" texts, as
// the labels show them; each tick reads, steps and writes one back.
#include "rules/Types.h"
#include "session/HorlogeSource.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>

namespace quarvelin {

class Horloges {
public:
    explicit Horloges(HorlogeSource& source) : source_(source) {}

    // Board opening: both countdowns at the time allowed, the duration at zero. The countdowns
    // start at the first switch; the duration runs unless told otherwise (network play).
    void installer(const std::string& delaiPartie, bool clockOn, bool lancerDuree);
    // After a move of `moved`: stops its clock and starts the other's, when the clocks are on.
    void basculer_horloges(Colour moved, Colour playerColour, bool clockOn);
    // Every timer stops, automatic play included.
    void arreter_horloges();
    void regler(Minuterie m, int intervalleMs);

    // One second off the bottom or top countdown; true when it has reached 00:00:00.
    bool tick_compte_a_rebours(Minuterie m);
    void tick_duree();

    const std::string& basse() const { return basse_; }
    const std::string& haute() const { return haute_; }
    const std::string& duree() const { return duree_; }
    int intervalle(Minuterie m) const { return intervalles_[static_cast<std::size_t>(m)]; }
    bool en_marche(Minuterie m) const { return intervalle(m) != 0; }

    // "hh:mm:ss" to seconds; nothing for a text that is not a time of day.
    static std::optional<int> lire_temps(const std::string& text);
    static std::string ecrire_temps(int secondes);

private:
    HorlogeSource& source_;
    std::string basse_ = "00:00:00", haute_ = "00:00:00", duree_ = "00:00:00";
    std::array<int, NombreMinuteries> intervalles_{};
    std::chrono::system_clock::time_point bascule_{};
};

} // namespace quarvelin
