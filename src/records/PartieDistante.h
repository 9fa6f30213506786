#pragma once
// The remote-game window's logic: loads the address typed or chosen, reports a failure, and on
// success shows the game, writes its tags in the comment window and hands it on to be replayed.
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "records/ChargementXml.h"
#include "session/Commentary.h"

#include <functional>
#include <string>

namespace quarvelin {

// A game as the game record takes it, ready for the replay.
struct PartieRecue {
    std::string GameText;     // tag lines, CR LF each, and one more CR LF
    std::string GameMoveText; // moves, ending with a space
    std::string GameResult;
    std::string adresse;
};

class PartieDistante {
public:
    PartieDistante(const TextCatalogue& catalogue, Dialogs& dialogs, Commentary& commentaire,
                   std::string titre = "quarvelin");

    ChargementXml& chargement() { return chargement_; }

    // Starts the load; false when it failed at once (already reported).
    bool load(const std::string& text);
    void abandonner() { chargement_.abandonner(); }
    bool en_cours() const { return chargement_.en_cours(); }

    // Called with the game once it is shown.
    std::function<void(const PartieRecue&)> recue;
    // Called once each load is over, whatever its outcome.
    std::function<void()> fini;

private:
    void terminer(const ResultatChargement& r);

    const TextCatalogue& catalogue_;
    Dialogs& dialogs_;
    Commentary& commentaire_;
    std::string titre_;
    ChargementXml chargement_;
};

} // namespace quarvelin
