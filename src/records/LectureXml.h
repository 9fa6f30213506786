#pragma once
// Reads a game from any XML document: the text of every element becomes a PGN tag line named
// after the element, except Move, whose text becomes the moves. Written for our own game
// records, but it takes whatever a web site serves.
#include <QXmlStreamReader>

#include <string>
#include <string_view>

namespace quarvelin {

struct PartieXmlLue {
    std::string GameText;     // "[Event "x"]" CR LF lines, in document order
    std::string GameMoveText; // the text of the last Move element and one space; empty: none
};

struct LectureXml {
    bool bienForme = true;
    long long line = 0; // where the document stopped being XML
    long long colonne = 0;
    PartieXmlLue partie; // empty when the document is not well formed

    bool readable() const { return bienForme && !partie.GameMoveText.empty(); }
};

// Nesting deeper than this is refused as malformed: no game record needs it.
inline constexpr int ProfondeurMaximale = 2 * 256;

// Walks the children of the element just started (of the document when xml has not started),
// up to its end tag; profondeur grows by 2 a level.
void parcourir_noeuds_xml(QXmlStreamReader& xml, int profondeur, PartieXmlLue& partie);

LectureXml lire_document_xml(std::string_view document);

// The game's result: the last token of the moves when it is one, else the Result tag, else "*".
std::string resultat_partie(const PartieXmlLue& partie);

} // namespace quarvelin
