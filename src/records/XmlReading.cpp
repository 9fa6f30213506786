// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlReading.h"

#include "notation/MoveReader.h"
#include "records/TagValue.h"

namespace quarvelin {

namespace {

// Runs of white space as one space, none at either end: a value spread over lines by a web
// site's layout still makes one tag line and one move line.
std::string simplify(const QString& text) { return text.simplified().toStdString(); }

void note(const QString& parent, const QString& text, ParsedXmlGame& game) {
    const std::string value = simplify(text);
    if (value.empty()) return;
    if (parent == u"Move") {
        game.GameMoveText = value + " ";
    } else {
        if (parent == u"FEN") game.FenDepart = value;
        game.GameText.append("[").append(parent.toStdString()).append(" \"");
        game.GameText.append(value).append("\"]\r\n");
    }
}

} // namespace

void parcourir_noeuds_xml(QXmlStreamReader& xml, int depth, ParsedXmlGame& game) {
    const QString parent = xml.name().toString();
    // Adjacent pieces of text (entities, CDATA) make one text node, as in a document tree.
    QString text;
    auto clear = [&] {
        note(parent, text, game);
        text.clear();
    };
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            clear();
            if (depth + 2 > MaximumDepth) {
                xml.raiseError(QStringLiteral("nesting too deep"));
                return;
            }
            parcourir_noeuds_xml(xml, depth + 2, game);
            break;
        case QXmlStreamReader::EndElement:
            clear();
            return;
        case QXmlStreamReader::Characters:
            text += xml.text();
            break;
        default:
            break;
        }
    }
    clear();
}

XmlReading readXmlDocument(std::string_view document) {
    XmlReading r;
    QXmlStreamReader xml(QByteArray(document.data(), static_cast<qsizetype>(document.size())));
    parcourir_noeuds_xml(xml, 0, r.game);
    if (xml.hasError()) {
        r.wellFormed = false;
        r.line = xml.lineNumber();
        r.column = xml.columnNumber();
        r.game = {};
    }
    return r;
}

std::string gameResult(const ParsedXmlGame& game) {
    const std::string_view moves = game.GameMoveText;
    const std::size_t end = moves.find_last_not_of(' ');
    if (end != std::string_view::npos) {
        const std::size_t space = moves.find_last_of(' ', end);
        const std::size_t beginning = space == std::string_view::npos ? 0 : space + 1;
        const std::string_view last = moves.substr(beginning, end + 1 - beginning);
        if (isResult(last)) return std::string(last);
    }
    std::string tag = valeur_etiquette("[Result", game.GameText);
    return isResult(tag) ? tag : "*";
}

} // namespace quarvelin
