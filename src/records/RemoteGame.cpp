// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RemoteGame.h"

namespace quarvelin {

RemoteGame::RemoteGame(const TextCatalogue& catalogue, Dialogs& dialogs, Commentary& commentary,
                       std::string title)
    : catalogue_(catalogue), dialogs_(dialogs), commentary_(commentary), title_(std::move(title)) {}

bool RemoteGame::load(const std::string& text) {
    return loading_.load(text, [this](const LoadResult& r) { finish(r); });
}

void RemoteGame::finish(const LoadResult& r) {
    if (finished) finished();
    if (!r.succeeded()) {
        dialogs_.message(title_, r.message(catalogue_), DialogIcon::Exclamation);
        return;
    }
    ReceivedGame p{r.game.GameText, r.game.GameMoveText, r.result, r.address, r.game.FenDepart};
    if (commentary_.visible())
        commentary_.append(catalogue_.text(TextKey::ChessGame) + " {" + r.address + "} :\r\n" +
                           p.GameText);
    p.GameText += "\r\n";
    dialogs_.message(catalogue_.text(TextKey::DownloadedGame), p.GameText + p.GameMoveText,
                     DialogIcon::Information);
    if (received) received(p);
}

} // namespace quarvelin
