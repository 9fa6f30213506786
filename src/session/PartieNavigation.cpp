// The move list as the game's timeline: stepping through the recorded positions, scrolling,
// notes on moves, replacing the last move, and cutting the game back.
#include "session/Partie.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <algorithm>

namespace quarvelin {

namespace {} // namespace

void Partie::montrer_entree(int entry) {
    entry = std::clamp(entry, 0, std::max(0, s_.PositionIndex - 1));
    if (s_.PositionStates.empty()) return;
    pos_ = s_.PositionStates[static_cast<std::size_t>(entry)];
    ecrire_plateau(pos_);
    entreeAffichee_ = entry;
}

void Partie::naviguer(int bouton) {
    if (!s_.plateauOuvert || reflexion_ || etat_ != EtatPlateau::Attente) return;
    const int n = static_cast<int>(s_.lines.size());
    int& i = s_.ligneSelectionnee;
    switch (bouton) {
    case 0:
        montrer_entree(0);
        i = -1;
        break;
    case 1:
        if (i < 0) return;
        montrer_entree(i);
        --i;
        break;
    case 2:
        if (i + 1 >= n) return;
        montrer_entree(i + 2);
        ++i;
        break;
    case 3:
        montrer_entree(n);
        i = n - 1;
        break;
    case 4: {
        bool autoMode = s_.PlayMode == ModeJeu::Auto;
        Minuterie m = autoMode ? Minuterie::Auto : Minuterie::Defilement;
        if (!horloges_.en_marche(m)) {
            if (autoMode && s_.partie_finie()) return;
            horloges_.regler(m, autoMode ? 100 : std::max<int>(1, env_.settings.DELAI_ATTENTE));
            env_.vue.bouton_lecture(
                "P", text(autoMode ? TextKey::StopAutomaticPlay : TextKey::StopScrolling));
        } else {
            horloges_.regler(m, 0);
            if (autoMode) env_.vue.curseur_attente(false);
            env_.vue.bouton_lecture(
                "Go", text(autoMode ? TextKey::StartAutomaticPlay : TextKey::StartScrolling));
        }
        return;
    }
    default:
        return;
    }
    env_.vue.liste_modifiee();
}

void Partie::selectionner_ligne(int line) {
    if (!s_.plateauOuvert || reflexion_ || etat_ != EtatPlateau::Attente) return;
    if (line < 0 || line >= static_cast<int>(s_.lines.size())) return;
    montrer_entree(line + 1);
    s_.ligneSelectionnee = line;
    env_.vue.liste_modifiee();
}

void Partie::double_clic_ligne(int line) {
    selectionner_ligne(line);
    if (s_.ligneSelectionnee != line) return;
    auto k = static_cast<std::size_t>(line + 1);
    if (k < s_.notes.size() && !s_.notes[k].empty()) commenter("{" + s_.notes[k] + "}");
}

void Partie::noter_coup() {
    int i = s_.ligneSelectionnee;
    if (i < 0 || i >= static_cast<int>(s_.lines.size()) ||
        s_.textesCourts[static_cast<std::size_t>(i)].empty())
        return;
    const Position& avant = s_.PositionStates[static_cast<std::size_t>(i)];
    bool black = avant.side_to_move() == Colour::Black;
    int number = avant.MoveCount + (black ? 0 : 1);
    std::string reponse =
        env_.dialogs.input(env_.title + " N°" + std::to_string(number),
                            text(black ? TextKey::NoteOnBlackMove : TextKey::NoteOnWhiteMove) +
                                " " + s_.lines[static_cast<std::size_t>(i)],
                            "");
    if (reponse.empty()) return;
    auto k = static_cast<std::size_t>(i + 1);
    if (s_.notes.size() <= k) s_.notes.resize(k + 1);
    s_.notes[k] = reponse;
    commenter("{" + reponse + "}");
}

void Partie::couper_a(int entry) {
    auto k = static_cast<std::size_t>(entry);
    s_.lines.resize(k);
    s_.textesCourts.resize(k);
    s_.PositionIndex = static_cast<std::int16_t>(entry + 1);
    s_.PositionHistory.resize(k + 1);
    s_.PositionStates.resize(k + 1);
    if (s_.notes.size() > k + 1) s_.notes.resize(k + 1);
    s_.GameResult.assign(1, '*'); // assign: GCC 12 warns wrongly on = "*"
    pos_ = s_.PositionStates[k];
    ecrire_plateau(pos_);
    entreeAffichee_ = entry;
    s_.ligneSelectionnee = entry - 1;
    reconstruire_textes();
    env_.vue.result(s_.GameResult);
    env_.vue.liste_modifiee();
}

void Partie::reconstruire_textes() {
    s_.GameMoveText.clear();
    s_.LongMoveText.clear();
    s_.LastLongMove.clear();
    for (std::size_t j = 0; j < s_.lines.size(); ++j) {
        if (s_.textesCourts[j].empty()) continue;
        s_.GameMoveText = rogner(s_.GameMoveText + " " + s_.textesCourts[j]);
        s_.LastLongMove = texte_de_ligne(s_.lines[j]);
        s_.LongMoveText = rogner(s_.LongMoveText + " " + s_.LastLongMove);
    }
}

void Partie::modifier_dernier_coup() {
    if (!s_.plateauOuvert || reflexion_ || etat_ != EtatPlateau::Attente || s_.lines.empty())
        return;
    const int n = static_cast<int>(s_.lines.size());
    if (s_.textesCourts.back().empty()) return; // the game has ended on a result line
    std::string reponse =
        env_.dialogs.input(env_.title,
                            text(TextKey::ChangeLastMoveTitle) +
                                text(TextKey::ChangeLastMovePrompt) + "[" + s_.lines.back() + "]",
                            "");
    if (rogner(reponse).empty()) return;

    montrer_entree(n - 1);
    Colour side = ligne_noire(s_.lines.back()) ? Colour::Black : Colour::White;
    ReadMove lu = lire_coup(pos_, side, s_.NotationCode, reponse);
    if (!lu.readable || lu.fromX == 0 || lu.piece == PieceCode::Empty) {
        env_.dialogs.message(env_.title, text(TextKey::MoveUnreadableInNotation),
                             DialogIcon::Exclamation);
        montrer_entree(n);
        return;
    }
    Move c = lu.move();
    if (!isLegal(pos_, c)) {
        montrer_entree(n);
        return;
    }
    std::string nouveau = longMoveText(pos_, c, s_.NotationCode);
    if (!env_.dialogs.question(env_.title, text(TextKey::ReplaceLastMoveQuestion) +
                                               text(TextKey::NewMovePrefix) + nouveau)) {
        montrer_entree(n);
        return;
    }
    couper_a(n - 1);
    Position avant = pos_;
    std::string longText = jouer_sur_plateau(c, false);
    ajouter_ligne(longText, san(avant, c), side, avant.MoveCount + 1);
    enregistrer_position(s_, pos_);
    entreeAffichee_ = s_.PositionIndex - 1;
    env_.vue.liste_modifiee();
}

void Partie::basculer_reperes() {
    s_.reperesVisibles = !s_.reperesVisibles;
    env_.vue.reperes(s_.reperesVisibles);
}

} // namespace quarvelin
