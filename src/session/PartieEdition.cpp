// The position editor: pieces from the palette onto the board, then play from there.
#include "session/Partie.h"

#include "localisation/RulesTexts.h"
#include "notation/Fen.h"
#include "rules/FastPosition.h"

namespace quarvelin {

namespace {} // namespace

void Partie::entrer_edition(bool demander) {
    if (!s_.plateauOuvert || reflexion_ || etat_ == EtatPlateau::Edition) return;
    if (demander && !env_.dialogs.question(env_.title, text(TextKey::AbandonGameQuestion))) return;
    if (etat_ == EtatPlateau::PieceLevee) remettre_piece();
    horloges_.regler(Minuterie::Auto, 0);
    horloges_.regler(Minuterie::Defilement, 0);
    env_.plateau.effacer_marques();
    env_.plateau.edition(true);
    s_.lines.clear();
    s_.textesCourts.clear();
    s_.PositionIndex = 0;
    s_.ligneSelectionnee = -1;
    etat_ = EtatPlateau::Edition;
    pos_.LastMoverColour = Colour::Black;
    paletteEnAttente_ = false;
    env_.vue.palette(true);
    env_.vue.liste_modifiee();
}

void Partie::clic_palette(PieceCode piece) {
    if (etat_ != EtatPlateau::Edition || piece == PieceCode::Empty) return;
    if (paletteEnAttente_ && palette_ == piece) {
        paletteEnAttente_ = false;
        env_.vue.piece_levee(PieceCode::Empty);
        return;
    }
    palette_ = piece;
    paletteEnAttente_ = true;
    env_.vue.piece_levee(piece);
}

bool Partie::demarrer_edition() {
    if (etat_ != EtatPlateau::Edition) return false;
    Position p = pos_;
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x) p.at(x, y) = env_.plateau.lire_case(x, y);
    p.LastMoverColour = Colour::Black;
    p.MoveCount = 0;
    p.QuietMoveCount = 0;
    p.EnPassantForWhite = p.EnPassantForBlack = 0;
    p.CastlingDone = {};
    FenProblem reason = FenProblem::None;
    if (!position_admissible(p, &reason)) {
        // Both kings are what the editor asks for first; the rest is said with its reason.
        std::string message = reason == FenProblem::Kings ? text(TextKey::TwoKingsNeeded)
                                                          : text(TextKey::PositionRefused) + " (" +
                                                                text(fenProblemText(reason)) + ")";
        env_.dialogs.message(env_.title, message, DialogIcon::Exclamation);
        return false;
    }
    // Castling stays open only where king and rook stand on their squares.
    p.CastlingRights = FastPosition::from(p).castling;

    bool machineBlanche = s_.PlayMode == ModeJeu::Machine && p.PlayerColour == Colour::Black;
    if (env_.commentary.visible()) {
        commenter(text(TextKey::GameFromEditedPosition));
        if (machineBlanche)
            commenter("- " + text(TextKey::GameBeginsWait));
        else {
            commenter("- " + text(TextKey::GameBegins));
            commenter("- " + text(TextKey::YourMove));
        }
    }
    etat_ = EtatPlateau::Attente;
    paletteEnAttente_ = false;
    env_.vue.palette(false);
    env_.vue.piece_levee(PieceCode::Empty);
    env_.plateau.edition(false);
    recommencer_depuis(p, true);
    env_.vue.liste_modifiee();
    if (machineBlanche) joue_coup_machine();
    return true;
}

} // namespace quarvelin
