#include "records/LectureXml.h"

#include "notation/MoveReader.h"
#include "records/ValeurEtiquette.h"

namespace quarvelin {

namespace {

// Runs of white space as one space, none at either end: a value spread over lines by a web
// site's layout still makes one tag line and one move line.
std::string simplifier(const QString& text) { return text.simplified().toStdString(); }

void noter(const QString& parent, const QString& text, PartieXmlLue& partie) {
    const std::string value = simplifier(text);
    if (value.empty()) return;
    if (parent == u"Move") {
        partie.GameMoveText = value + " ";
    } else {
        partie.GameText.append("[").append(parent.toStdString()).append(" \"");
        partie.GameText.append(value).append("\"]\r\n");
    }
}

} // namespace

void parcourir_noeuds_xml(QXmlStreamReader& xml, int profondeur, PartieXmlLue& partie) {
    const QString parent = xml.name().toString();
    // Adjacent pieces of text (entities, CDATA) make one text node, as in a document tree.
    QString text;
    auto clear = [&] {
        noter(parent, text, partie);
        text.clear();
    };
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            clear();
            if (profondeur + 2 > ProfondeurMaximale) {
                xml.raiseError(QStringLiteral("nesting too deep"));
                return;
            }
            parcourir_noeuds_xml(xml, profondeur + 2, partie);
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

LectureXml lire_document_xml(std::string_view document) {
    LectureXml r;
    QXmlStreamReader xml(QByteArray(document.data(), static_cast<qsizetype>(document.size())));
    parcourir_noeuds_xml(xml, 0, r.partie);
    if (xml.hasError()) {
        r.bienForme = false;
        r.line = xml.lineNumber();
        r.colonne = xml.columnNumber();
        r.partie = {};
    }
    return r;
}

std::string resultat_partie(const PartieXmlLue& partie) {
    const std::string_view moves = partie.GameMoveText;
    const std::size_t end = moves.find_last_not_of(' ');
    if (end != std::string_view::npos) {
        const std::size_t espace = moves.find_last_of(' ', end);
        const std::size_t debut = espace == std::string_view::npos ? 0 : espace + 1;
        const std::string_view dernier = moves.substr(debut, end + 1 - debut);
        if (isResult(dernier)) return std::string(dernier);
    }
    std::string etiquette = valeur_etiquette("[Result", partie.GameText);
    return isResult(etiquette) ? etiquette : "*";
}

} // namespace quarvelin
