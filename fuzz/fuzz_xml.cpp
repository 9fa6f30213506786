// The XML game reader on any bytes, and the writer on any values: reading never crashes, and
// whatever the writer makes of the bytes reads back as a well-formed list with one move line.
#include "records/EcritureXml.h"
#include "records/LectureXml.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quarvelin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string octets(reinterpret_cast<const char*>(data), size);
    const LectureXml lu = lire_document_xml(octets);
    if (!lu.bienForme && (!lu.partie.GameText.empty() || !lu.partie.GameMoveText.empty()))
        __builtin_trap();
    (void)resultat_partie(lu.partie);

    const PartieXml partie{"[White \"" + octets + "\"]\r\n[Comment \"" + octets + "\"]", octets,
                           "*"};
    const std::string document =
        EcritureXml::debut_document(octets) + EcritureXml::bloc_partie(partie) + "</LIST>\r\n";
    const LectureXml relu = lire_document_xml(document);
    // The result alone makes the move line readable.
    if (!relu.readable()) __builtin_trap();
    if (relu.partie.GameMoveText.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    return 0;
}
