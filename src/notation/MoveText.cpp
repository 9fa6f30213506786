// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/MoveText.h"

#include "rules/MoveRules.h"
#include "rules/SquareControl.h"

#include <cstdlib>

namespace quarvelin {

std::string ecrire_coup(int number, PieceCode piece, int fromX, int fromY, PieceCode captured,
                        int toX, int toY, bool enPassant, NotationCode notation,
                        Colour playerColour) {
    std::string text;
    if (colourOf(piece) == Colour::Black)
        text = " ";
    else {
        if (number >= 0) text = " ";
        text.append(std::to_string(number)).push_back('.');
    }

    PieceType t = pieceType(piece);
    if (t == PieceType::King && std::abs(toX - fromX) == 2) {
        bool towardsG = playerColour == Colour::Black ? toX < fromX : toX > fromX;
        return text + (towardsG ? "O-O" : "O-O-O");
    }
    if (char letter = pieceLetter(t, notation)) text += letter;
    text += squareName(fromX, fromY, playerColour);
    bool capture = captured != PieceCode::Empty || enPassant;
    text += capture ? "x" : "-";
    text += squareName(toX, toY, playerColour);
    return text;
}

namespace {

bool isEnPassant(const Position& p, const Move& c) {
    if (pieceType(c.piece) != PieceType::Pawn || c.fromX == c.toX) return false;
    return p.at(c.toX, c.toY) == PieceCode::Empty;
}

int moveNumber(const Position& p) { return p.MoveCount + 1; }

int kingAttackers(const Position& p, Colour c) {
    PieceCode king = pieceOf(PieceType::King, c);
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (p.at(x, y) == king) return nombre_attaquants(p, king, x, y, c);
    return 0;
}

// SAN without the check mark.
std::string sanBody(const Position& before, const Move& c) {
    PieceType t = pieceType(c.piece);
    if (t == PieceType::King && std::abs(c.toX - c.fromX) == 2) {
        bool towardsG = before.PlayerColour == Colour::Black ? c.toX < c.fromX : c.toX > c.fromX;
        return towardsG ? "O-O" : "O-O-O";
    }
    std::string from = squareName(c.fromX, c.fromY, before.PlayerColour);
    std::string to = squareName(c.toX, c.toY, before.PlayerColour);
    bool capture = before.at(c.toX, c.toY) != PieceCode::Empty || isEnPassant(before, c);
    std::string s;
    if (t == PieceType::Pawn) {
        if (capture) s += from[0];
    } else {
        s += pieceLetter(t, NotationCode::Pgn);
        bool other = false, sameFile = false, sameRank = false;
        for (const Move& o : legalMoves(before)) {
            if (o.piece != c.piece || o.toX != c.toX || o.toY != c.toY) continue;
            if (o.fromX == c.fromX && o.fromY == c.fromY) continue;
            other = true;
            std::string of = squareName(o.fromX, o.fromY, before.PlayerColour);
            sameFile |= of[0] == from[0];
            sameRank |= of[1] == from[1];
        }
        if (other) {
            if (!sameFile)
                s += from[0];
            else if (!sameRank)
                s += from[1];
            else
                s += from;
        }
    }
    if (capture) s += 'x';
    s += to;
    if (t == PieceType::Pawn && (c.toY == 1 || c.toY == 8)) {
        PieceType promo =
            c.promotion == PieceCode::Empty ? PieceType::Queen : pieceType(c.promotion);
        s += '=';
        s += pieceLetter(promo, NotationCode::Pgn);
    }
    return s;
}

Position positionAfter(const Position& before, const Move& c) {
    Position after = before;
    playMove(after, c);
    return after;
}

} // namespace

std::string checkMark(const Position& after) {
    if (!inCheck(after, after.sideToMove())) return {};
    return gameEnd(after) == GameEnd::Mate ? "#" : "+";
}

std::string san(const Position& before, const Move& c) {
    return sanBody(before, c) + checkMark(positionAfter(before, c));
}

std::string longMoveText(const Position& before, const Move& c, NotationCode notation,
                         bool checkMarks) {
    bool ep = isEnPassant(before, c);
    std::string text =
        ecrire_coup(moveNumber(before), c.piece, c.fromX, c.fromY, before.at(c.toX, c.toY), c.toX,
                    c.toY, ep, notation, before.PlayerColour);
    if (ep) text += "e.p.";
    Position after = positionAfter(before, c);
    if (pieceType(c.piece) == PieceType::Pawn && (c.toY == 1 || c.toY == 8)) {
        text += '=';
        text += pieceLetter(pieceType(after.at(c.toX, c.toY)),
                            notation == NotationCode::French ? notation : NotationCode::Pgn);
    }
    if (checkMarks)
        text.append(static_cast<std::size_t>(kingAttackers(after, after.sideToMove())), '+');
    return text;
}

std::string coup_en_pgn(std::string_view longText, const Position& before, NotationCode notation) {
    std::string_view t = longText;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    std::string prefix = " ";
    if (auto dot = t.find('.');
        dot != std::string_view::npos &&
        t.substr(0, dot).find_first_not_of("-0123456789") == std::string_view::npos) {
        prefix += std::string(t.substr(0, dot + 1));
        t.remove_prefix(dot + 1);
    }
    if (t.starts_with("O-O-O") || t.starts_with("O-O"))
        return prefix + std::string(t.substr(0, t.starts_with("O-O-O") ? 5 : 3));

    // Origin and destination are the first two square names in the text; the piece is the one
    // on the origin, so the international notation converts too.
    int squares[2][2];
    int found = 0;
    for (std::size_t i = 0; i + 1 < t.size() && found < 2; ++i) {
        Square sq = namedSquare(t[i], t[i + 1], before.PlayerColour);
        if (sq.x == 0) continue;
        squares[found][0] = sq.x;
        squares[found][1] = sq.y;
        ++found;
        ++i;
    }
    if (found < 2) return {};
    Move c{squares[0][0],
           squares[0][1],
           squares[1][0],
           squares[1][1],
           before.at(squares[0][0], squares[0][1]),
           PieceCode::Empty};
    if (auto eq = t.find('='); eq != std::string_view::npos && eq + 1 < t.size()) {
        PieceType pt = promotionPiece(t[eq + 1]);
        if (notation == NotationCode::French && t[eq + 1] == 'R') pt = PieceType::None;
        if (pt != PieceType::None) c.promotion = pieceOf(pt, colourOf(c.piece));
    }
    if (!isLegal(before, c)) return {};
    return prefix + sanBody(before, c);
}

} // namespace quarvelin
