// SPDX-License-Identifier: GPL-3.0-or-later
#include "tournament/Referee.h"

#include "notation/Fen.h"
#include "rules/MoveRules.h"

namespace quarvelin {

namespace {

// Placement, side to move, castling and en passant: the FEN without its counters.
std::string repetitionKey(const Position& p) {
    std::string fen = writeFen(p);
    std::size_t cut = fen.size();
    for (int spaces = 0; spaces < 4 && cut != std::string::npos;) {
        cut = fen.find(' ', spaces == 0 ? 0 : cut + 1);
        ++spaces;
    }
    return cut == std::string::npos ? fen : fen.substr(0, cut);
}

} // namespace

std::string terminationText(Ending e) {
    switch (e) {
    case Ending::Checkmate:
        return "checkmate";
    case Ending::Stalemate:
        return "stalemate";
    case Ending::Repetition:
        return "threefold repetition";
    case Ending::FiftyMoves:
        return "fifty-move rule";
    case Ending::Material:
        return "insufficient material";
    case Ending::MoveLimit:
        return "move limit";
    case Ending::Forfeit:
        return "rules infraction";
    case Ending::None:
        break;
    }
    return "unterminated";
}

bool insufficientMaterial(const Position& p) {
    int minors = 0, knights = 0;
    bool light = false, dark = false;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            switch (pieceType(p.at(x, y))) {
            case PieceType::Pawn:
            case PieceType::Rook:
            case PieceType::Queen:
                return false;
            case PieceType::Knight:
                ++minors;
                ++knights;
                break;
            case PieceType::Bishop:
                ++minors;
                // The square's colour does not depend on the board's orientation.
                ((x + y) % 2 ? dark : light) = true;
                break;
            default:
                break;
            }
        }
    return minors <= 1 || (knights == 0 && !(light && dark));
}

Referee::Referee(const Position& start, int maxMoves) : maxMoves_(maxMoves) {
    seen_[repetitionKey(start)] = 1;
}

Ending Referee::judge(const Position& after) {
    ++halfMoves_;
    switch (gameEnd(after)) {
    case GameEnd::Mate:
        return Ending::Checkmate;
    case GameEnd::Stalemate:
        return Ending::Stalemate;
    case GameEnd::InProgress:
        break;
    }
    if (++seen_[repetitionKey(after)] >= 3) return Ending::Repetition;
    if (after.QuietMoveCount >= 100) return Ending::FiftyMoves;
    if (insufficientMaterial(after)) return Ending::Material;
    if (maxMoves_ > 0 && halfMoves_ >= 2 * maxMoves_) return Ending::MoveLimit;
    return Ending::None;
}

std::string resultOf(Ending e, Colour sideToMove) {
    if (e == Ending::Checkmate || e == Ending::Forfeit)
        return sideToMove == Colour::White ? "0-1" : "1-0";
    return "1/2-1/2";
}

} // namespace quarvelin
