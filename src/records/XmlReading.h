// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a game from any XML document: the text of every element becomes a PGN tag line named
// after the element, except Move, whose text becomes the moves. Written for our own game
// records, but it takes whatever a web site serves.
#include <QXmlStreamReader>

#include <string>
#include <string_view>

namespace quarvelin {

struct ParsedXmlGame {
    std::string GameText;     // "[Event "x"]" CR LF lines, in document order
    std::string GameMoveText; // the text of the last Move element and one space; empty: none
    std::string FenDepart;    // the text of the last FEN element: the start position; empty: none
};

struct XmlReading {
    bool wellFormed = true;
    long long line = 0; // where the document stopped being XML
    long long column = 0;
    ParsedXmlGame game; // empty when the document is not well formed

    bool readable() const { return wellFormed && !game.GameMoveText.empty(); }
};

// Nesting deeper than this is refused as malformed: no game record needs it.
inline constexpr int MaximumDepth = 2 * 256;

// Walks the children of the element just started (of the document when xml has not started),
// up to its end tag; depth grows by 2 a level.
void parcourir_noeuds_xml(QXmlStreamReader& xml, int depth, ParsedXmlGame& game);

XmlReading readXmlDocument(std::string_view document);

// The game's result: the last token of the moves when it is one, else the Result tag, else "*".
std::string gameResult(const ParsedXmlGame& game);

} // namespace quarvelin
