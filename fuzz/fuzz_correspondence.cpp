// SPDX-License-Identifier: GPL-3.0-or-later
// Correspondence moves from outside: a stored move text (typed by hand in the base) and the
// opponent's move as received. Whatever they hold, a move accepted must replay from the stored
// moves to exactly the moves recorded, one half-move longer.
#include "correspondence/CorrespondenceRules.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 2048) return 0;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = input.find('\n');
    const std::string stored = input.substr(0, cut);
    const std::string received = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    CorrespondenceGame g;
    g.Move = QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size()));
    g.JAIBLANC = data[0] & 1;
    g.notation = data[0] & 2 ? 1 : 2;
    (void)correspondenceState(g);
    (void)dernier_coup(g.Move);
    (void)completer_annee(g.Move);
    (void)readDayMonthYear(g.Move);

    const ReceivedMove r = readReceivedMove(g, received);
    if (!r.ok) return 0;
    const GameMoves before =
        readMoves(g.Move.toStdString(), g.notation == 1 ? NotationCode::French : NotationCode::Pgn);
    const GameMoves after = readMoves(r.moves);
    check(before.ok && after.ok);
    check(after.san.size() == before.san.size() + 1);
    for (std::size_t i = 0; i < before.san.size(); ++i) check(after.san[i] == before.san[i]);
    check(numberedMoves(after.san) == r.moves);
    CorrespondenceGame answered = g;
    answered.Move = QString::fromStdString(r.moves);
    check(correspondenceState(answered) == CorrespondenceState::UserTurn);
    return 0;
}
