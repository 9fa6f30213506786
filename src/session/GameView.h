// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board window and the main window as the game logic sees them. The logic keeps its state
// in GameSession and tells the windows what changed; every call has a do-nothing default so a
// test or the command line overrides only what it watches.
#include "engine/SearchCounters.h"
#include "openings/EcoLine.h"
#include "rules/Types.h"

#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

class OpeningBase;

class GameView {
public:
    virtual ~GameView() = default;
    virtual void listChanged() {} // the move list's lines or selection
    virtual void boardTitle(const std::string&) {}
    virtual void titre_principal() {}      // mode, level or language changed
    virtual void clocksChanged() {}        // clock texts or timers
    virtual void waitCursor(bool) {}       // hourglass while the machine plays
    virtual void pieceLifted(PieceCode) {} // the lifted piece as pointer; Empty restores it
    virtual void thinking(const std::string& /*text*/, PieceCode) {} // the thinking label
    virtual void counters(const SearchCounters&, float /*best*/) {}
    // The play/pause button: running shows the pause symbol.
    virtual void playButton(bool /*running*/, const std::string& /*tip*/) {}
    virtual void menuStates() {} // board opened or closed, mode changed
    virtual void result(const std::string&) {}
    virtual void coordinates(bool) {}
    virtual void palette(bool /*visible*/) {}
    // The palette piece the editor places; Empty when none is chosen.
    virtual void paletteChoice(PieceCode) {}
    // The piece a pawn becomes; nothing when the user changes their mind.
    virtual std::optional<PieceType> choosePromotion(Colour) { return PieceType::Queen; }
    virtual void setOpeningsAvailable(bool) {} // the opening-list commands
    // The opening list over the base's lines that continue the game; null: no base open.
    virtual void showOpeningList(const OpeningBase*) {}
    virtual void sendNetwork(const std::string&) {}
    virtual void closeConnection() {}
    virtual void networkConnection() {} // the network dialog opens a game in mode 3
};

} // namespace quarvelin
