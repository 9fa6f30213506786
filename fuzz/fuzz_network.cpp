// SPDX-License-Identifier: GPL-3.0-or-later
// The network codec: bytes from a peer cut into lines and decoded. Whatever decodes must encode
// back to the same line, a line never passes its limit, and a checked move is a legal one.
#include "network/LineReader.h"
#include "network/Protocol.h"
#include "network/ReceivedMove.h"
#include "rules/MoveRules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace quarvelin;
using namespace quarvelin::net;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

void lineOf(std::string_view line, const Position& white, const Position& black) {
    check(line.size() <= MaxLine);
    const std::optional<Message> m = decode(line);
    if (!m) return;
    const std::string bytes = encode(*m);
    check(bytes.ends_with("\r\n"));
    const std::optional<Message> again =
        decode(std::string_view(bytes).substr(0, bytes.size() - 2));
    check(again.has_value());
    check(encode(*again) == bytes);
    if (m->kind != MessageKind::Move) return;
    for (const Position* p : {&white, &black})
        for (Colour sender : {Colour::White, Colour::Black})
            if (std::optional<Move> c = receivedMove(*p, *m, sender)) {
                check(isLegal(*p, *c));
                check(colourOf(c->piece) == sender);
            }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Position white = Position::initial(Colour::White);
    static const Position black = Position::initial(Colour::Black);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first byte picks the size of the pieces the bytes arrive in.
    const std::size_t chunk = size == 0 ? 1 : 1 + static_cast<std::uint8_t>(bytes[0]) % 64;
    LineReader reader;
    for (std::size_t i = 0; i < bytes.size(); i += chunk) {
        if (reader.feed(bytes.substr(i, chunk)) != LineReader::Status::Ok) {
            check(reader.unread() == 0);
            return 0;
        }
        check(reader.unread() <= MaxUnread);
        while (std::optional<std::string> line = reader.next()) lineOf(*line, white, black);
    }
    lineOf(bytes.substr(0, MaxLine), white, black);
    return 0;
}
