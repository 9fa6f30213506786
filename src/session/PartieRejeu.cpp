// Rebuilding a game from its text, and a game started from a pasted position.
#include "session/Partie.h"

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
std::vector<std::string> jetons_de_coups(const std::string& text) {
    std::vector<std::string> jetons;
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
            std::string jeton = text.substr(i, end - i);
            i = end;
            if (variation > 0 || jeton.starts_with('$')) continue;
            // "12.", "12...", "12.e4": the number goes, the move stays.
            std::size_t k = 0;
            while (k < jeton.size() && std::isdigit(static_cast<unsigned char>(jeton[k]))) ++k;
            if (k > 0 && k < jeton.size() && jeton[k] == '.') {
                while (k < jeton.size() && jeton[k] == '.') ++k;
                jeton.erase(0, k);
            }
            if (!jeton.empty()) jetons.push_back(jeton);
        }
    }
    return jetons;
}

// Another rook or knight of the same code that can make the move, scanning row by row.
bool reparer_origine(const Position& p, Move& c) {
    PieceType t = type_piece(c.piece);
    if (t != PieceType::Rook && t != PieceType::Knight) return false;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) {
            if ((x == c.fromX && y == c.fromY) || p.at(x, y) != c.piece) continue;
            Move essai = c;
            essai.fromX = x;
            essai.fromY = y;
            if (isLegal(p, essai)) {
                c = essai;
                return true;
            }
        }
    return false;
}

// A move the user asked to play although the rules refuse it: only a piece of the side to
// move going to a square that holds no piece of its own and no king.
bool jouable_quand_meme(const Position& p, const Move& c, Colour side) {
    if (c.fromX < 1 || c.fromX > 8 || c.fromY < 1 || c.fromY > 8 || c.toX < 1 || c.toX > 8 ||
        c.toY < 1 || c.toY > 8)
        return false;
    PieceCode piece = p.at(c.fromX, c.fromY);
    PieceCode target = p.at(c.toX, c.toY);
    if (piece == PieceCode::Empty || colourOf(piece) != side) return false;
    return target == PieceCode::Empty ||
           (colourOf(target) != side && type_piece(target) != PieceType::King);
}
} // namespace

void Partie::rejouer_partie(const std::optional<Position>& depart) {
    annuler_recherche();
    Colour pc = s_.couleurBlanche ? Colour::White : Colour::Black;
    env_.plateau.effacer_marques();
    env_.plateau.installer(pc, env_.installation + "/images/pieces/" + env_.settings.CURENT_PIECE,
                           env_.installation + "/images/echiquier/" +
                               env_.settings.CURENT_ECHIQUIER);
    const std::string gameMoveText = s_.GameMoveText;
    const std::string result = s_.GameResult; // the loader's, kept
    recommencer_depuis(depart ? *depart : Position::initial(pc), depart.has_value());
    s_.GameResult = result;
    s_.plateauOuvert = true;

    try {
        for (std::string jeton : jetons_de_coups(gameMoveText)) {
            if (isResult(jeton)) break;
            Colour side = pos_.side_to_move();
            int number = pos_.MoveCount + (side == Colour::White ? 1 : 0);
            ReadMove lu = lire_coup(pos_, side, s_.NotationCode, jeton);
            if (lu.malformed)
                env_.dialogs.message("Attention", text(TextKey::MoveLoadError) + jeton + " !",
                                     DialogIcon::Exclamation);
            if (lu.isResult()) break;
            Move c = lu.move();
            if (!isLegal(pos_, c) && !reparer_origine(pos_, c)) {
                std::string question = text(side == Colour::White ? TextKey::WhiteMoveNumber
                                                                   : TextKey::BlackMoveNumber) +
                                       " " + std::to_string(number) +
                                       text(TextKey::MoveSeemsImpossible);
                if (!env_.dialogs.question(env_.title, question) ||
                    !jouable_quand_meme(pos_, c, side))
                    break;
            }
            Position avant = pos_;
            std::string longText = jouer_sur_plateau(c, false);
            ajouter_ligne(longText, san(avant, c), side, number);
            enregistrer_position(s_, pos_);
        }
    } catch (const std::exception& e) {
        env_.dialogs.message("Attention", e.what(), DialogIcon::Exclamation);
    }
    entreeAffichee_ = s_.PositionIndex - 1;
    s_.ligneSelectionnee = static_cast<int>(s_.lines.size()) - 1;
    env_.vue.liste_modifiee();
}

void Partie::pastePosition(const std::string& text) {
    if (!s_.plateauOuvert || reflexion_ || etat_ == EtatPlateau::Edition) return;
    Position lu = pos_;
    PasteResult r = quarvelin::pastePosition(text, lu);
    if (r == PasteResult::Refuse)
        env_.dialogs.message(env_.title, this->text(TextKey::PositionRefused),
                             DialogIcon::Exclamation);
    if (r == PasteResult::Ignore || r == PasteResult::Refuse) return;
    if (etat_ == EtatPlateau::PieceLevee) remettre_piece();
    env_.plateau.effacer_marques();
    // The pasted position is entry 0, so navigation comes back to it.
    recommencer_depuis(lu, true);
    env_.vue.liste_modifiee();
    if (s_.PlayMode == ModeJeu::Machine && pos_.side_to_move() != pos_.PlayerColour)
        joue_coup_machine();
}

} // namespace quarvelin
