// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The remote-game window's logic: loads the address typed or chosen, reports a failure, and on
// success shows the game, writes its tags in the comment window and hands it on to be replayed.
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "records/XmlLoader.h"
#include "session/Commentary.h"

#include <functional>
#include <string>

namespace quarvelin {

// A game as the game record takes it, ready for the replay.
struct ReceivedGame {
    std::string GameText;     // tag lines, CR LF each, and one more CR LF
    std::string GameMoveText; // moves, ending with a space
    std::string GameResult;
    std::string address;
    std::string FenDepart; // the start position, empty from the initial one
};

class RemoteGame {
public:
    RemoteGame(const TextCatalogue& catalogue, Dialogs& dialogs, Commentary& commentary,
               std::string title = "quarvelin");

    XmlLoader& loading() { return loading_; }

    // Starts the load; false when it failed at once (already reported).
    bool load(const std::string& text);
    void resign() { loading_.resign(); }
    bool inProgress() const { return loading_.inProgress(); }

    // Called with the game once it is shown.
    std::function<void(const ReceivedGame&)> received;
    // Called once each load is over, whatever its outcome.
    std::function<void()> finished;

private:
    void finish(const LoadResult& r);

    const TextCatalogue& catalogue_;
    Dialogs& dialogs_;
    Commentary& commentary_;
    std::string title_;
    XmlLoader loading_;
};

} // namespace quarvelin
