#pragma once
// The board window's timers, as the game logic starts and stops them. The desktop program runs
// them as QTimers that call Partie::tick; tests step them by hand.
namespace quarvelin {

enum class Minuterie {
    Basse,      // the bottom countdown, PlayerColour's
    Haute,      // the top countdown
    Duration,      // the game's duration
    Defilement, // scrolling replay, every DELAI_ATTENTE ms
    Auto,       // automatic play, every 100 ms
};
inline constexpr int NombreMinuteries = 5;

class HorlogeSource {
public:
    virtual ~HorlogeSource() = default;
    // Runs the timer every intervalleMs milliseconds; 0 stops it.
    virtual void regler(Minuterie m, int intervalleMs) = 0;
};

} // namespace quarvelin
