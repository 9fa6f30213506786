// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/MoveReader.h"

#include "rules/MoveRules.h"

#include <cctype>

namespace quarvelin {

namespace {

void trim(std::string& s) {
    auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(" \t\r\n") + 1);
    s.erase(0, first);
}

bool file(char c) { return c >= 'a' && c <= 'h'; }
bool rank(char c) { return c >= '1' && c <= '8'; }

struct Walk {
    int walk[8][2];
    int count;
};

constexpr Walk Straights{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}, 4};
constexpr Walk Diagonals{{{1, -1}, {-1, -1}, {1, 1}, {-1, 1}}, 4};
constexpr Walk Jumps{{{2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, -2}, {1, 2}, {-1, -2}, {-1, 2}}, 8};

} // namespace

bool isResult(std::string_view t) { return t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*"; }

bool chercher_origine(const Position& p, PieceCode piece, int toX, int toY, int& hintX,
                      int& hintY) {
    int firstX = 0, firstY = 0;
    auto attempt = [&](int x, int y) {
        if (p.at(x, y) != piece || (hintX && hintX != x) || (hintY && hintY != y)) return false;
        if (!firstX) {
            firstX = x;
            firstY = y;
        }
        return isLegal(p, Move{x, y, toX, toY, piece, PieceCode::Empty});
    };
    auto lines = [&](const Walk& m) {
        for (int i = 0; i < m.count; ++i)
            for (int x = toX + m.walk[i][0], y = toY + m.walk[i][1];
                 x >= 1 && x <= 8 && y >= 1 && y <= 8; x += m.walk[i][0], y += m.walk[i][1])
                if (attempt(x, y)) {
                    hintX = x;
                    hintY = y;
                    return true;
                }
        return false;
    };
    PieceType t = pieceType(piece);
    bool found = false;
    if (t == PieceType::Rook || t == PieceType::Queen || t == PieceType::King)
        found = lines(Straights);
    if (!found && (t == PieceType::Bishop || t == PieceType::Queen || t == PieceType::King))
        found = lines(Diagonals);
    if (!found && t == PieceType::Knight)
        for (int i = 0; i < Jumps.count && !found; ++i) {
            int x = toX + Jumps.walk[i][0], y = toY + Jumps.walk[i][1];
            if (x >= 1 && x <= 8 && y >= 1 && y <= 8 && attempt(x, y)) {
                hintX = x;
                hintY = y;
                found = true;
            }
        }
    if (found) return true;
    if (!firstX) return false;
    hintX = firstX;
    hintY = firstY;
    return true;
}

Move ReadMove::move() const {
    Move c{fromX, fromY, toX, toY, piece, PieceCode::Empty};
    if (auto eq = suffix.find('='); eq != std::string::npos && eq + 1 < suffix.size()) {
        PieceType t = promotionPiece(suffix[eq + 1]);
        if (t != PieceType::None) c.promotion = pieceOf(t, colourOf(piece));
    }
    return c;
}

ReadMove lire_coup(const Position& p, Colour side, NotationCode notation, std::string& token) {
    ReadMove r;
    const Colour pc = p.PlayerColour;
    auto column = [pc](char f) { return pc == Colour::Black ? 105 - f : f - 96; };
    auto line = [pc](char d) { return pc == Colour::Black ? d - '0' : 9 - (d - '0'); };

    trim(token);
    if (auto ep = token.find("e.p."); ep != std::string::npos) {
        r.suffix = token.substr(ep);
        token.erase(ep);
    }
    if (auto dot = token.find('.'); dot != std::string::npos) token.erase(0, dot + 1);
    // "12...Nf3": the dots of a Black move number go with the number.
    token.erase(0, token.find_first_not_of('.') == std::string::npos
                       ? token.size()
                       : token.find_first_not_of('.'));
    trim(token);
    if (auto brace = token.find('{'); brace != std::string::npos) token.erase(brace);
    // Annotation glyphs (!, ?, !?) carry no move; keep them with the suffix.
    while (!token.empty() && (token.back() == '!' || token.back() == '?')) {
        r.suffix.insert(0, 1, token.back());
        token.pop_back();
    }
    for (char mark : {'+', '#'})
        if (auto at = token.find(mark); at != std::string::npos) {
            r.suffix = token.substr(at);
            token.erase(at);
        }
    if (auto eq = token.find('='); eq != std::string::npos) {
        r.suffix.insert(0, token.substr(eq));
        token.erase(eq);
    }
    trim(token);

    if (isResult(token)) {
        r.suffix = token;
        return r;
    }

    const PieceCode pawn = side == Colour::White ? PieceCode::WhitePawn : PieceCode::BlackPawn;
    const int d = (side == Colour::White) == (pc == Colour::White) ? 1 : -1;
    const std::string_view letters =
        pieceLetters(notation == NotationCode::French ? NotationCode::French : NotationCode::Pgn);
    auto letterPiece = [&](char c) -> PieceCode {
        auto k = letters.find(c);
        if (k == std::string_view::npos) return PieceCode::Empty;
        return static_cast<PieceCode>(code(pawn) + 1 + static_cast<int>(k));
    };
    auto unreadable = [&]() {
        ReadMove bad;
        bad.suffix = r.suffix;
        bad.readable = false;
        bad.malformed = true;
        return bad;
    };
    const std::size_t n = token.size();

    if (token == "0-0" || token == "O-O" || token == "0-0-0" || token == "O-O-O") {
        bool longSide = n == 5;
        char rank = side == Colour::White ? '1' : '8';
        r.piece = pieceOf(PieceType::King, side);
        r.fromX = column('e');
        r.fromY = r.toY = line(rank);
        r.toX = column(longSide ? 'c' : 'g');
        return r;
    }

    // Long algebraic in any form: an optional piece letter, two squares, maybe "-", "x" or ":"
    // between them and a promotion letter after (e2e4, Ng1-f3, e4xd5, e7e8q). The origin square
    // names the piece, so records written without letters (g1-f3) or with the other
    // notation's letters (Cg1-f3 read as PGN) read too, as long as the letter fits the piece.
    {
        std::size_t i = 0;
        char letter = 0;
        if (n > 0 && std::isupper(static_cast<unsigned char>(token[0]))) {
            letter = token[0];
            i = 1;
        }
        if (n >= i + 4 && file(token[i]) && rank(token[i + 1])) {
            std::size_t j = i + 2;
            if (token[j] == '-' || token[j] == 'x' || token[j] == ':') ++j;
            const int fromX = column(token[i]), fromY = line(token[i + 1]);
            const PieceCode origin = p.at(fromX, fromY);
            const bool ownPiece = isPiece(origin) && colourOf(origin) == side;
            PieceCode piece = pawn;
            if (letter) {
                piece = letterPiece(letter);
                if (ownPiece && piece != origin) {
                    const PieceType t = pieceType(origin);
                    for (NotationCode other : {NotationCode::Pgn, NotationCode::French})
                        if (pieceLetter(t, other) == letter) piece = origin;
                }
            } else if (ownPiece) {
                piece = origin;
            }
            if (piece != PieceCode::Empty && j + 2 <= n && file(token[j]) && rank(token[j + 1]) &&
                (j + 2 == n || (j + 3 == n && piece == pawn &&
                                promotionPiece(token[j + 2]) != PieceType::None))) {
                if (j + 3 == n) r.suffix.insert(0, std::string("=") + token[j + 2]);
                r.piece = piece;
                r.fromX = fromX;
                r.fromY = fromY;
                r.toX = column(token[j]);
                r.toY = line(token[j + 1]);
                return r;
            }
        }
    }
    // A promotion written without "=" (e8Q, exd8Q).
    if ((n == 3 || n == 5) && rank(token[n - 2]) &&
        std::isupper(static_cast<unsigned char>(token[n - 1])) &&
        promotionPiece(token[n - 1]) != PieceType::None) {
        std::string inner = token.substr(0, n - 1);
        ReadMove outcome = lire_coup(p, side, notation, inner);
        if (outcome.piece == pawn) {
            outcome.suffix = std::string("=") + token[n - 1] + r.suffix + outcome.suffix;
            token = inner;
            return outcome;
        }
    }

    int hintX = 0, hintY = 0;
    char destFile = 0, destRank = 0;
    bool hasX = token.find('x') != std::string::npos;
    if (n == 2) {
        if (!file(token[0]) || !rank(token[1])) return unreadable();
        r.piece = pawn;
        r.toX = column(token[0]);
        r.toY = line(token[1]);
        for (int steps : {1, 2}) {
            int y = r.toY + steps * d;
            if (y >= 1 && y <= 8 && p.at(r.toX, y) == pawn) {
                r.fromX = r.toX;
                r.fromY = y;
                return r;
            }
        }
        r.toX = r.toY = 0;
        return r;
    }
    // The second character of Nbd7, N1f3, Nbxd7: a rank hint when a digit, a file hint otherwise.
    auto readHint = [&](char h) {
        if (std::isdigit(static_cast<unsigned char>(h))) {
            hintY = rank(h) ? line(h) : 0;
            return rank(h);
        }
        hintX = file(h) ? column(h) : 0;
        return file(h);
    };
    if (n == 3 || n == 4) {
        destFile = hasX ? token[2] : (n == 3 ? token[1] : token[2]);
        if (n == 4 && !hasX && !readHint(token[1])) return unreadable();
    } else if (n == 5) {
        if (!hasX) return unreadable();
        destFile = token[3];
        if (!readHint(token[1])) return unreadable();
    } else {
        // Other lengths yield no move, without a message.
        ReadMove none;
        none.suffix = r.suffix;
        none.readable = false;
        return none;
    }
    destRank = token[n - 1];
    if (!file(destFile) || !rank(destRank)) return unreadable();
    r.toX = column(destFile);
    r.toY = line(destRank);

    PieceCode piece = letterPiece(token[0]);
    if (piece != PieceCode::Empty) {
        r.piece = piece;
        chercher_origine(p, piece, r.toX, r.toY, hintX, hintY);
        r.fromX = hintX;
        r.fromY = hintY;
        return r;
    }
    if (n == 5 || !file(token[0])) return unreadable();
    r.piece = pawn;
    r.fromX = column(token[0]);
    r.fromY = r.toY + d;
    return r;
}

} // namespace quarvelin
