// SPDX-License-Identifier: GPL-3.0-or-later
#include "notation/Fen.h"

#include "notation/NumberReader.h"
#include "rules/FastPosition.h"
#include "rules/MoveRules.h"

#include <vector>

namespace quarvelin {

namespace {

PieceCode fenPiece(char c) {
    for (int k = 2; k <= 13; ++k)
        if (EnglishLetters[k - 1] == c) return static_cast<PieceCode>(k);
    return PieceCode::Empty;
}

std::vector<std::string_view> fields(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        std::size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
        if (j > i) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

bool integer(std::string_view s, int& out, int max) {
    if (s.empty() || s.size() > 6) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    out = static_cast<int>(*lire_nombre(s));
    return out <= max;
}

bool refuse(FenProblem* reason, FenProblem why) {
    if (reason) *reason = why;
    return false;
}

} // namespace

std::string writeFen(const Position& p) {
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            Square c = displayedSquare(file + 8 * rank, p.PlayerColour);
            PieceCode piece = p.at(c.x, c.y);
            if (!isPiece(piece)) {
                ++empty;
                continue;
            }
            if (empty) fen += std::to_string(empty);
            empty = 0;
            fen += EnglishLetters[code(piece) - 1];
        }
        if (empty) fen += std::to_string(empty);
        fen += rank ? '/' : ' ';
    }
    bool whiteToMove = p.sideToMove() == Colour::White;
    fen += whiteToMove ? "w " : "b ";

    std::uint8_t rights = FastPosition::from(p).castling;
    std::string castling;
    if (rights & WhiteShort) castling += 'K';
    if (rights & WhiteLong) castling += 'Q';
    if (rights & BlackShort) castling += 'k';
    if (rights & BlackLong) castling += 'q';
    fen += castling.empty() ? "-" : castling;

    int ep = whiteToMove ? p.EnPassantForWhite : p.EnPassantForBlack;
    std::string epName = ep ? squareName(ep / 10, ep % 10, p.PlayerColour) : "";
    fen += ' ' + (epName.empty() ? std::string("-") : epName);
    fen += ' ' + std::to_string(p.QuietMoveCount);
    fen += ' ' + std::to_string(whiteToMove ? p.MoveCount + 1 : p.MoveCount);
    return fen;
}

bool isPositionValid(const Position& p, FenProblem* reason) {
    int kings[14] = {};
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            PieceCode piece = p.at(x, y);
            if (!isPiece(piece) && piece != PieceCode::Empty)
                return refuse(reason, FenProblem::UnknownCharacter);
            if (pieceType(piece) == PieceType::King) ++kings[code(piece)];
            if (pieceType(piece) == PieceType::Pawn && (y == 1 || y == 8))
                return refuse(reason, FenProblem::PawnOnEdge);
        }
    if (kings[code(PieceCode::WhiteKing)] != 1 || kings[code(PieceCode::BlackKing)] != 1)
        return refuse(reason, FenProblem::Kings);
    if (inCheck(p, p.LastMoverColour)) return refuse(reason, FenProblem::SideNotToMoveInCheck);
    return true;
}

std::optional<Position> readFen(std::string_view fen, Colour playerColour, FenProblem* reason) {
    auto f = fields(fen);
    if (f.size() < 2 || f.size() > 6) {
        refuse(reason, FenProblem::FieldCount);
        return std::nullopt;
    }
    Position p;
    p.clear();
    p.PlayerColour = playerColour;

    int rank = 7, file = 0;
    for (char c : f[0]) {
        if (c == '/') {
            if (file != 8 || rank == 0) return refuse(reason, FenProblem::Ranks), std::nullopt;
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += static_cast<int>(*lire_nombre(std::string_view(&c, 1)));
            if (file > 8) return refuse(reason, FenProblem::Ranks), std::nullopt;
        } else {
            PieceCode piece = c == '.' ? PieceCode::Empty : fenPiece(c);
            if (piece == PieceCode::Empty && c != '.')
                return refuse(reason, FenProblem::UnknownCharacter), std::nullopt;
            if (file >= 8) return refuse(reason, FenProblem::Ranks), std::nullopt;
            Square sq = displayedSquare(file + 8 * rank, playerColour);
            p.at(sq.x, sq.y) = piece;
            ++file;
        }
    }
    if (rank != 0 || file != 8) return refuse(reason, FenProblem::Ranks), std::nullopt;

    if (f[1] == "w")
        p.LastMoverColour = Colour::Black;
    else if (f[1] == "b")
        p.LastMoverColour = Colour::White;
    else
        return refuse(reason, FenProblem::SideToMove), std::nullopt;

    p.CastlingRights = 0;
    if (f.size() > 2 && f[2] != "-") {
        for (char c : f[2]) {
            std::uint8_t bit = c == 'K'   ? WhiteShort
                               : c == 'Q' ? WhiteLong
                               : c == 'k' ? BlackShort
                               : c == 'q' ? BlackLong
                                          : 0;
            if (!bit || (p.CastlingRights & bit))
                return refuse(reason, FenProblem::Castling), std::nullopt;
            p.CastlingRights |= bit;
        }
    }
    p.CastlingDone[code(Colour::White)] = !(p.CastlingRights & (WhiteShort | WhiteLong));
    p.CastlingDone[code(Colour::Black)] = !(p.CastlingRights & (BlackShort | BlackLong));

    if (f.size() > 3 && f[3] != "-") {
        if (f[3].size() != 2) return refuse(reason, FenProblem::EnPassant), std::nullopt;
        Square sq = namedSquare(f[3][0], f[3][1], playerColour);
        if (sq.x == 0) return refuse(reason, FenProblem::EnPassant), std::nullopt;
        auto& ep = p.sideToMove() == Colour::White ? p.EnPassantForWhite : p.EnPassantForBlack;
        ep = static_cast<std::int16_t>(10 * sq.x + sq.y);
    }
    int halfmove = 0, fullmove = 1;
    if (f.size() > 4 && !integer(f[4], halfmove, 30000))
        return refuse(reason, FenProblem::Counters), std::nullopt;
    if (f.size() > 5 && !integer(f[5], fullmove, 30000))
        return refuse(reason, FenProblem::Counters), std::nullopt;
    p.QuietMoveCount = static_cast<std::int16_t>(halfmove);
    // MoveCount counts White's moves played, so a copy gives back the same number.
    bool whiteToMove = p.sideToMove() == Colour::White;
    p.MoveCount =
        static_cast<std::int16_t>(whiteToMove ? (fullmove > 0 ? fullmove - 1 : 0) : fullmove);

    if (!isPositionValid(p, reason)) return std::nullopt;
    // Keep only what the position can have: rights with king and rook at home, an en-passant
    // square behind a pawn that just moved two squares.
    FastPosition fast = FastPosition::from(p);
    p.CastlingRights = fast.castling;
    p.CastlingDone[code(Colour::White)] = !(fast.castling & (WhiteShort | WhiteLong));
    p.CastlingDone[code(Colour::Black)] = !(fast.castling & (BlackShort | BlackLong));
    if (fast.epSquare < 0) p.EnPassantForWhite = p.EnPassantForBlack = 0;
    return p;
}

std::string positionKey(const Position& p) {
    std::string key;
    key.reserve(64);
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) key += static_cast<char>(code(p.at(x, y)) + 32);
    return key;
}

std::optional<Position> readPositionKey(std::string_view key, const Position& current) {
    if (key.size() != 64) return std::nullopt;
    Position p = current;
    for (int i = 0; i < 64; ++i) {
        int c = static_cast<unsigned char>(key[static_cast<std::size_t>(i)]) - 32;
        if (c < 1 || c > 13) return std::nullopt;
        p.at(i % 8 + 1, i / 8 + 1) = static_cast<PieceCode>(c);
    }
    p.EnPassantForWhite = p.EnPassantForBlack = 0;
    p.QuietMoveCount = 0;
    if (!isPositionValid(p)) return std::nullopt;
    FastPosition fast = FastPosition::from(p);
    p.CastlingRights = fast.castling;
    return p;
}

PasteResult pastePosition(std::string_view text, Position& pos) {
    bool hasSlash = text.find('/') != std::string_view::npos;
    std::optional<Position> read;
    PasteResult kind;
    if (!hasSlash && text.size() == 64) {
        kind = PasteResult::Key;
        read = readPositionKey(text, pos);
    } else if (hasSlash && text.size() < 100) {
        kind = PasteResult::Fen;
        read = readFen(text, pos.PlayerColour);
    } else {
        return PasteResult::Ignore;
    }
    if (!read) return PasteResult::Refuse;
    pos = *read;
    return kind;
}

} // namespace quarvelin
