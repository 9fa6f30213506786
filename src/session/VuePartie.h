#pragma once
// The board window and the main window as the game logic sees them. The logic keeps its state
// in GameSession and tells the windows what changed; every call has a do-nothing default so a
// test or the command line overrides only what it watches.
#include "engine/SearchCounters.h"
#include "openings/EcoLine.h"
#include "rules/Types.h"

#include <string>
#include <vector>

namespace quarvelin {

class VuePartie {
public:
    virtual ~VuePartie() = default;
    virtual void liste_modifiee() {} // the move list's lines or selection
    virtual void titre_plateau(const std::string&) {}
    virtual void titre_principal() {}      // mode, level or language changed
    virtual void horloges_modifiees() {}   // clock texts or timers
    virtual void curseur_attente(bool) {}  // hourglass while the machine plays
    virtual void piece_levee(PieceCode) {} // the lifted piece as pointer; Empty restores it
    virtual void reflexion(const std::string& /*texte*/, PieceCode) {} // the thinking label
    virtual void counters(const SearchCounters&, float /*meilleur*/) {}
    virtual void bouton_lecture(const std::string& /*legende*/, const std::string& /*bulle*/) {}
    virtual void etat_menus() {} // board opened or closed, mode changed
    virtual void result(const std::string&) {}
    virtual void reperes(bool) {}
    virtual void palette(bool /*visible*/) {}
    virtual void ouvertures_disponibles(bool) {} // the opening-list commands
    virtual void liste_ouvertures(const std::vector<EcoLine>&) {}
    virtual void envoyer_reseau(const std::string&) {}
    virtual void fermer_connexion() {}
    virtual void connexion_reseau() {} // the network dialog opens a game in mode 3
};

} // namespace quarvelin
