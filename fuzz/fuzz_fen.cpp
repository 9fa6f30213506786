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

void verifier(bool ok) {
    if (!ok) __builtin_trap();
}

void essayer(std::string_view text, Colour orientation) {
    std::optional<Position> p = readFen(text, orientation);
    if (!p) return;

    verifier(p->PlayerColour == orientation);
    verifier(position_admissible(*p));

    const std::string fen = writeFen(*p);
    std::optional<Position> again = readFen(fen, orientation);
    verifier(again.has_value());
    verifier(*again == *p);
    verifier(writeFen(*again) == fen);

    const std::string key = positionKey(*p);
    verifier(key.size() == 64);
    std::optional<Position> fromKey = readPositionKey(key, *p);
    verifier(fromKey.has_value());
    verifier(fromKey->Board == p->Board);

    // Only that it returns: the count itself is checked by the rules tests.
    volatile std::uint64_t nodes = FastPosition::from(*p).perft(2);
    (void)nodes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A FEN is short; long inputs only slow the search down.
    if (size > 256) return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    essayer(text, Colour::White);
    essayer(text, Colour::Black);
    return 0;
}
