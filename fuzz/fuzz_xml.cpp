// SPDX-License-Identifier: GPL-3.0-or-later
// The XML game reader on any bytes, and the writer on any values: reading never crashes, and
// whatever the writer makes of the bytes reads back as a well-formed list with one move line.
#include "records/XmlReading.h"
#include "records/XmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const XmlReading parsed = readXmlDocument(bytes);
    if (!parsed.wellFormed && (!parsed.game.GameText.empty() || !parsed.game.GameMoveText.empty()))
        __builtin_trap();
    (void)gameResult(parsed.game);

    const XmlGame game{"[White \"" + bytes + "\"]\r\n[Comment \"" + bytes + "\"]", bytes, "*"};
    const std::string document =
        XmlWriter::documentStart(bytes) + XmlWriter::gameBlock(game) + "</LIST>\r\n";
    const XmlReading reread = readXmlDocument(document);
    // The result alone makes the move line readable.
    if (!reread.readable()) __builtin_trap();
    if (reread.game.GameMoveText.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    return 0;
}
