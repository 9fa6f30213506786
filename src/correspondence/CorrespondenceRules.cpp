// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/CorrespondenceRules.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <QStringList>

#include <cctype>
#include <sstream>

namespace quarvelin {

namespace {

// The move tokens of a text, numbers ("12.", "12...", glued or not) taken off, a result ending it.
std::vector<std::string> moveTokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::istringstream in(text);
    for (std::string token; in >> token;) {
        std::size_t k = 0;
        while (k < token.size() && std::isdigit(static_cast<unsigned char>(token[k]))) ++k;
        if (k > 0 && k < token.size() && token[k] == '.') {
            while (k < token.size() && token[k] == '.') ++k;
            token.erase(0, k);
        }
        if (token.empty()) continue;
        if (isResult(token)) break;
        tokens.push_back(token);
    }
    return tokens;
}

bool readOne(Position& p, std::string token, NotationCode notation, std::string& sanOut) {
    for (NotationCode n :
         {notation, notation == NotationCode::French ? NotationCode::Pgn : NotationCode::French}) {
        std::string t = token;
        ReadMove r = lire_coup(p, p.sideToMove(), n, t);
        if (!r.readable || r.isResult() || r.piece == PieceCode::Empty) continue;
        Move c = r.move();
        if (!isLegal(p, c)) continue;
        sanOut = san(p, c);
        playMove(p, c);
        return true;
    }
    return false;
}

std::string withoutMarks(std::string s) {
    while (!s.empty() && (s.back() == '+' || s.back() == '#')) s.pop_back();
    return s;
}

std::string tag(const char* name, const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return std::string("[") + name + " \"" + v.toStdString() + "\"]\r\n";
}

} // namespace

QString dernier_coup(const QString& moves) {
    const QString t = moves.trimmed();
    const qsizetype cut =
        std::max(t.lastIndexOf(QLatin1Char(' ')), t.lastIndexOf(QLatin1Char('.')));
    return cut < 0 ? t : t.mid(cut + 1);
}

QString completer_annee(const QString& text) {
    if (text.size() == 10 || text.size() < 2) return text;
    const int y = text.right(2).toInt();
    return text.left(6) + (y >= 50 ? QStringLiteral("19") : QStringLiteral("20")) + text.right(2);
}

QDate readDayMonthYear(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() != 8 && t.size() != 10) return {};
    return QDate::fromString(completer_annee(t), QStringLiteral("dd/MM/yyyy"));
}

QString dayMonthYear(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

int halfMoveCount(const QString& moves) {
    return static_cast<int>(moveTokens(moves.toStdString()).size());
}

CorrespondenceState correspondenceState(const CorrespondenceGame& g) {
    if (g.DateFin.isValid()) return CorrespondenceState::Finished;
    const bool whiteToMove = halfMoveCount(g.Move) % 2 == 0;
    return whiteToMove == g.JAIBLANC ? CorrespondenceState::UserTurn : CorrespondenceState::Waiting;
}

GameMoves readMoves(const std::string& text, NotationCode notation) {
    GameMoves m;
    m.position = Position::initial(Colour::White);
    for (const std::string& token : moveTokens(text)) {
        std::string s;
        if (!readOne(m.position, token, notation, s)) {
            m.ok = false;
            m.badToken = token;
            return m;
        }
        m.san.push_back(s);
    }
    return m;
}

std::string numberedMoves(const std::vector<std::string>& san) {
    std::string out;
    for (std::size_t i = 0; i < san.size(); ++i) {
        if (i > 0) out += ' ';
        if (i % 2 == 0) out += std::to_string(i / 2 + 1) + ".";
        out += san[i];
    }
    return out;
}

std::string nextMoveNumber(int halfMoves) {
    return std::to_string(halfMoves / 2 + 1) + (halfMoves % 2 == 0 ? "." : "...");
}

ReceivedMove readReceivedMove(const CorrespondenceGame& g, const std::string& typed) {
    ReceivedMove r;
    const std::string text = QString::fromStdString(typed).trimmed().toStdString();
    r.values = {text};
    GameMoves game =
        readMoves(g.Move.toStdString(), g.notation == 1 ? NotationCode::French : NotationCode::Pgn);
    if (!game.ok || text.empty()) return r;
    const int played = static_cast<int>(game.san.size());
    const bool whiteMoves = played % 2 == 0;
    if (whiteMoves == g.JAIBLANC) return r; // it is the user's move, not the opponent's

    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
    std::size_t dots = digits;
    while (dots < text.size() && text[dots] == '.') ++dots;
    const bool numbered = digits > 0 && dots > digits;
    const bool blackNumber = numbered && dots - digits == 3;
    const int expected = played / 2 + 1;
    std::string move = text.substr(numbered ? dots : 0);
    while (!move.empty() && move.front() == ' ') move.erase(0, 1);

    if (whiteMoves && (!numbered || blackNumber)) {
        r.problem = TextKey::WhiteMoveNeedsNumber;
        return r;
    }
    if (!whiteMoves && numbered && !blackNumber) {
        r.problem = TextKey::BlackMoveHasNoNumber;
        return r;
    }
    if (numbered && std::stoll(text.substr(0, std::min<std::size_t>(digits, 9))) != expected) {
        r.problem = TextKey::ExpectedMoveNumber;
        r.values = {std::to_string(expected), nextMoveNumber(played) + move};
        return r;
    }
    std::string s;
    if (move.empty() || move.find(' ') != std::string::npos ||
        !readOne(game.position, move, g.notation == 1 ? NotationCode::French : NotationCode::Pgn,
                 s))
        return r;
    game.san.push_back(s);
    r.ok = true;
    r.moves = numberedMoves(game.san);
    r.move = nextMoveNumber(played) + s;
    return r;
}

SentMove readSentMove(const CorrespondenceGame& g, const std::string& boardMoves) {
    SentMove r;
    GameMoves stored =
        readMoves(g.Move.toStdString(), g.notation == 1 ? NotationCode::French : NotationCode::Pgn);
    GameMoves board = readMoves(boardMoves);
    if (!stored.ok || !board.ok) return r;
    if (board.san.size() == stored.san.size()) {
        r.problem = TextKey::NoMoveToSend;
        return r;
    }
    if (board.san.size() != stored.san.size() + 1) return r;
    for (std::size_t i = 0; i < stored.san.size(); ++i)
        if (withoutMarks(stored.san[i]) != withoutMarks(board.san[i])) return r;
    const bool whiteMoved = stored.san.size() % 2 == 0;
    if (whiteMoved != g.JAIBLANC || g.DateFin.isValid()) return r;
    r.ok = true;
    r.moves = numberedMoves(board.san);
    r.move = dernier_coup(QString::fromStdString(r.moves)).toStdString();
    return r;
}

std::string correspondenceHeader(const CorrespondenceGame& g) {
    return tag("Event", QStringLiteral("PC/%1").arg(g.Cle, 4, 10, QLatin1Char('0'))) +
           tag("Site", QStringLiteral("REMOTE")) +
           tag("Date", g.DateDebut.isValid() ? g.DateDebut.toString(QStringLiteral("yyyy.MM.dd"))
                                             : QStringLiteral("????.??.??")) +
           tag("White", g.BLANC) + tag("Black", g.NOIR) + tag("WhiteElo", g.EloBlanc) +
           tag("BlackElo", g.EloNoir);
}

} // namespace quarvelin
