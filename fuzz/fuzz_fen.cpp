// SPDX-License-Identifier: GPL-3.0-or-later
// FEN reading and writing: whatever readFen accepts must be a position that can stand, must
// survive a write/read round trip unchanged and must be safe for the move generator.
#include "notation/Fen.h"
#include "rules/FastPosition.h"
#include "rules/Position.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace quarvelin;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

void attempt(std::string_view text, Colour orientation) {
    std::optional<Position> p = readFen(text, orientation);
    if (!p) return;

    check(p->PlayerColour == orientation);
    check(isPositionValid(*p));

    const std::string fen = writeFen(*p);
    std::optional<Position> again = readFen(fen, orientation);
    check(again.has_value());
    check(*again == *p);
    check(writeFen(*again) == fen);

    const std::string key = positionKey(*p);
    check(key.size() == 64);
    std::optional<Position> fromKey = readPositionKey(key, *p);
    check(fromKey.has_value());
    check(fromKey->Board == p->Board);

    // Only that it returns: the count itself is checked by the rules tests.
    volatile std::uint64_t nodes = FastPosition::from(*p).perft(2);
    (void)nodes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A FEN is short; long inputs only slow the search down.
    if (size > 256) return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    attempt(text, Colour::White);
    attempt(text, Colour::Black);
    return 0;
}
