// The XML game reader on any bytes, and the writer on any values: reading never crashes, and
// whatever the writer makes of the bytes reads back as a well-formed list with one move line.
#include "records/XmlWriter.h"
#include "records/XmlReading.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    const XmlReading lu = readXmlDocument(octets);
    if (!lu.wellFormed && (!lu.game.GameText.empty() || !lu.game.GameMoveText.empty()))
        __builtin_trap();
    (void)gameResult(lu.game);

    const XmlGame game{"[White \"" + octets + "\"]\r\n[Comment \"" + octets + "\"]", octets,
                           "*"};
    const std::string document =
        XmlWriter::documentStart(octets) + XmlWriter::gameBlock(game) + "</LIST>\r\n";
    const XmlReading relu = readXmlDocument(document);
    // The result alone makes the move line readable.
    if (!relu.readable()) __builtin_trap();
    if (relu.game.GameMoveText.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    return 0;
}
