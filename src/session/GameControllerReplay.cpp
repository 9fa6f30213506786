// SPDX-License-Identifier: GPL-3.0-or-later
// Rebuilding a game from its text, and a game started from a pasted position.
#include "session/GameController.h"

#include "notation/Fen.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <cctype>
#include <stdexcept>

namespace quarvelin {

namespace {

// The move tokens of a game text: move numbers, comments, variations, NAGs and lines of
// escape are read past.
std::vector<std::string> moveTokens(const std::string& text) {
    std::vector<std::string> tokens;
    int variation = 0;
    for (std::size_t i = 0; i < text.size();) {
        char ch = text[i];
        if (ch == '{') {
            auto end = text.find('}', i);
            i = end == std::string::npos ? text.size() : end + 1;
        } else if (ch == ';' || (ch == '%' && (i == 0 || text[i - 1] == '\n'))) {
            auto end = text.find('\n', i);
            i = end == std::string::npos ? text.size() : end + 1;
        } else if (ch == '(') {
            ++variation;
            ++i;
        } else if (ch == ')') {
            if (variation > 0) --variation;
            ++i;
        } else if (std::isspace(static_cast<unsigned char>(ch))) {
            ++i;
        } else {
            std::size_t end = i;
            while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
                   text[end] != '{' && text[end] != '(' && text[end] != ')' && text[end] != ';')
                ++end;
            std::string token = text.substr(i, end - i);
            i = end;
            if (variation > 0 || token.starts_with('$')) continue;
            // "12.", "12...", "12.e4": the number goes, the move stays.
            std::size_t k = 0;
            while (k < token.size() && std::isdigit(static_cast<unsigned char>(token[k]))) ++k;
            if (k > 0 && k < token.size() && token[k] == '.') {
                while (k < token.size() && token[k] == '.') ++k;
                token.erase(0, k);
            }
            if (!token.empty()) tokens.push_back(token);
        }
    }
    return tokens;
}

// Another rook or knight of the same code that can make the move, scanning row by row.
bool repairOrigin(const Position& p, Move& c) {
    PieceType t = pieceType(c.piece);
    if (t != PieceType::Rook && t != PieceType::Knight) return false;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            if ((x == c.fromX && y == c.fromY) || p.at(x, y) != c.piece) continue;
            Move trial = c;
            trial.fromX = x;
            trial.fromY = y;
            if (isLegal(p, trial)) {
                c = trial;
                return true;
            }
        }
    return false;
}

// A move the user asked to play although the rules refuse it: only a piece of the side to
// move going to a square that holds no piece of its own and no king.
bool playAnyway(const Position& p, const Move& c, Colour side) {
    if (c.fromX < 1 || c.fromX > 8 || c.fromY < 1 || c.fromY > 8 || c.toX < 1 || c.toX > 8 ||
        c.toY < 1 || c.toY > 8)
        return false;
    PieceCode piece = p.at(c.fromX, c.fromY);
    PieceCode target = p.at(c.toX, c.toY);
    if (piece == PieceCode::Empty || colourOf(piece) != side) return false;
    return target == PieceCode::Empty ||
           (colourOf(target) != side && pieceType(target) != PieceType::King);
}
} // namespace

void GameController::rejouer_partie(const std::string& gameMoveText,
                                    const std::optional<Position>& start) {
    cancelSearch();
    Colour pc = s_.whiteChosen ? Colour::White : Colour::Black;
    env_.board.clearMarks();
    env_.board.setUp(pc, env_.installation + "/images/pieces/" + env_.settings.CURENT_PIECE,
                     env_.installation + "/images/echiquier/" + env_.settings.CURENT_ECHIQUIER);
    const std::string result = s_.GameResult; // the loader's, kept
    restartFrom(start ? *start : Position::initial(pc), start.has_value());
    s_.GameResult = result;
    s_.boardOpen = true;

    try {
        for (std::string token : moveTokens(gameMoveText)) {
            if (isResult(token)) break;
            Colour side = pos_.sideToMove();
            int number = pos_.MoveCount + (side == Colour::White ? 1 : 0);
            ReadMove parsed = lire_coup(pos_, side, s_.NotationCode, token);
            if (parsed.malformed)
                env_.dialogs.message("Attention", text(TextKey::MoveLoadError) + token + " !",
                                     DialogIcon::Exclamation);
            if (parsed.isResult()) break;
            Move c = parsed.move();
            if (!isLegal(pos_, c) && !repairOrigin(pos_, c)) {
                std::string question = text(side == Colour::White ? TextKey::WhiteMoveNumber
                                                                  : TextKey::BlackMoveNumber) +
                                       " " + std::to_string(number) +
                                       text(TextKey::MoveSeemsImpossible);
                if (!env_.dialogs.question(env_.title, question) || !playAnyway(pos_, c, side))
                    break;
            }
            Position before = pos_;
            playOnBoard(c, false);
            timeline_.addMove(longMoveText(before, c, s_.NotationCode, false), san(before, c), side,
                              number);
        }
    } catch (const std::exception& e) {
        env_.dialogs.message("Attention", e.what(), DialogIcon::Exclamation);
    }
    // A game whose last move mates or stalemates ends there, as one played here does.
    if (const GameEnd end = gameEnd(pos_); end != GameEnd::InProgress && !s_.lines.empty())
        timeline_.addResult(end == GameEnd::Stalemate            ? "1/2-1/2"
                            : pos_.sideToMove() == Colour::Black ? "1-0"
                                                                 : "0-1",
                            mateLine(pos_.sideToMove(), end == GameEnd::Mate));
    s_.unsavedMoves = false;
    s_.selectedLine = static_cast<int>(s_.lines.size()) - 1;
    env_.view.listChanged();
}

void GameController::pastePosition(const std::string& text) {
    if (!s_.boardOpen || thinking_ || state_ == BoardState::Editing) return;
    if (refusedWhileConnected()) return;
    Position parsed = pos_;
    // Copied from a page or another program, the text often ends with a line break.
    const std::string pasted = trimmedBlanks(text);
    PasteResult r = quarvelin::pastePosition(pasted, parsed);
    if (r == PasteResult::Refuse)
        env_.dialogs.message(env_.title, this->text(TextKey::PositionRefused),
                             DialogIcon::Exclamation);
    if (r == PasteResult::Ignore || r == PasteResult::Refuse) return;
    if (state_ == BoardState::PieceLifted) putPieceBack();
    env_.board.clearMarks();
    // The pasted position is entry 0, so navigation comes back to it.
    restartFrom(parsed, true);
    env_.view.listChanged();
    if (s_.PlayMode == GameMode::Machine && pos_.sideToMove() != pos_.PlayerColour)
        joue_coup_machine();
}

} // namespace quarvelin
