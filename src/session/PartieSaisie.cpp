// The human's clicks on the board: lifting, putting down, the move and what follows it.
#include "session/Partie.h"

#include "engine/Search.h"
#include "localisation/RulesTexts.h"
#include "notation/MoveText.h"
#include "rules/MoveRules.h"

#include <cctype>

namespace quarvelin {

namespace {} // namespace

void Partie::clic_case(int x, int y) {
    if (!s_.plateauOuvert || reflexion_ || x < 1 || x > 8 || y < 1 || y > 8) return;
    if (etat_ == EtatPlateau::Edition) {
        PieceCode p = paletteEnAttente_ ? palette_ : PieceCode::Empty;
        pos_.at(x, y) = p;
        env_.plateau.ecrire_case(x, y, p);
        if (paletteEnAttente_) {
            paletteEnAttente_ = false;
            env_.vue.piece_levee(PieceCode::Empty);
        }
        return;
    }
    if (s_.partie_finie()) return;
    if (etat_ == EtatPlateau::Attente)
        lever(x, y);
    else
        put(x, y);
}

void Partie::lever(int x, int y) {
    PieceCode p = pos_.at(x, y);
    if (p == PieceCode::Empty) return;
    bool unSeulCamp = s_.PlayMode == ModeJeu::Machine || s_.PlayMode == ModeJeu::Network;
    if (unSeulCamp && colourOf(p) != pos_.PlayerColour) {
        env_.dialogs.message(env_.title, text(TextKey::OnlyYourPieces), DialogIcon::Information);
        return;
    }
    if (colourOf(p) == pos_.LastMoverColour) {
        env_.dialogs.message(env_.title, text(TextKey::NotThisSidesTurn), DialogIcon::Information);
        return;
    }
    levee_ = p;
    origine_ = {x, y};
    pos_.at(x, y) = PieceCode::Empty;
    env_.plateau.ecrire_case(x, y, PieceCode::Empty);
    env_.vue.piece_levee(p);
    etat_ = EtatPlateau::PieceLevee;
    jouer_son(SonLeve);
}

void Partie::remettre_piece() {
    pos_.at(origine_.x, origine_.y) = levee_;
    env_.plateau.ecrire_case(origine_.x, origine_.y, levee_);
    levee_ = PieceCode::Empty;
    env_.vue.piece_levee(PieceCode::Empty);
    etat_ = EtatPlateau::Attente;
}

// Playing from an earlier position shown: the later moves go, once the user agrees.
bool Partie::couper_partie() {
    int k = entreeAffichee_;
    bool unSeulCamp = s_.PlayMode == ModeJeu::Machine || s_.PlayMode == ModeJeu::Network;
    if (unSeulCamp && pos_.side_to_move() != pos_.PlayerColour) {
        env_.dialogs.message(env_.title, text(TextKey::NotThisSidesTurn), DialogIcon::Information);
        return false;
    }
    if (!env_.dialogs.question(env_.title, text(TextKey::CutGameQuestion))) return false;
    couper_a(k);
    pos_.at(origine_.x, origine_.y) = PieceCode::Empty;
    return true;
}

PieceCode Partie::demander_promotion(Colour c) {
    NotationCode n =
        s_.NotationCode == NotationCode::French ? NotationCode::French : NotationCode::Pgn;
    std::string_view lettres = pieceLetters(n);
    char king = pieceLetter(PieceType::King, n);
    // The question has no way out but an answer; a dialog that never answers gets a queen.
    for (int essai = 0; essai < 1000; ++essai) {
        std::string r = env_.dialogs.input(env_.title, text(TextKey::PromotionPrompt), "");
        for (char& ch : r) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        r = rogner(r);
        if (r.size() != 1 || r[0] == king || lettres.find(r[0]) == std::string_view::npos) continue;
        return pieceOf(type_promotion(r[0]), c);
    }
    return pieceOf(PieceType::Queen, c);
}

void Partie::put(int x, int y) {
    int dernier = s_.PositionIndex - 1;
    if (entreeAffichee_ < dernier && !(x == origine_.x && y == origine_.y)) {
        pos_.at(origine_.x, origine_.y) = levee_;
        bool coupe = couper_partie();
        if (!coupe) {
            remettre_piece();
            return;
        }
    }
    if (x == origine_.x && y == origine_.y) {
        remettre_piece();
        return;
    }

    PieceCode piece = levee_;
    Colour mover = colourOf(piece);
    pos_.at(origine_.x, origine_.y) = piece;
    Move c{origine_.x, origine_.y, x, y, piece, PieceCode::Empty};
    if (!isLegal(pos_, c)) {
        bool valid = coup_valide(pos_, piece, c.fromX, c.fromY, pos_.at(x, y), x, y);
        pos_.at(origine_.x, origine_.y) = PieceCode::Empty; // remettre_piece puts it back
        remettre_piece();
        if (valid) commenter("- " + text(TextKey::KingWouldBeInCheck));
        commenter("- " + text(TextKey::IllegalMove));
        jouer_son(SonErreur);
        return;
    }
    levee_ = PieceCode::Empty;
    env_.vue.piece_levee(PieceCode::Empty);
    if (type_piece(piece) == PieceType::Pawn && (y == 1 || y == 8))
        c.promotion = demander_promotion(mover);

    Position avant = pos_;
    std::string longText = jouer_sur_plateau(c, false);

    // Quality mark and cue, from the mover's score of the new position.
    SearchCounters counters;
    Search r(pos_, weights(), s_.NotationCode);
    float e = r.evalue_position(mover, counters);
    bool failure = longText.ends_with('+');
    int son = SonPose;
    if (e < env_.settings.BadMoveThreshold) {
        longText += '?';
        if (static_cast<int>(3 * random() + 1) == 1) son = SonCoupFaible;
    } else if (e > env_.settings.GoodMoveThreshold) {
        longText += '!';
        if (static_cast<int>(3 * random() + 1) == 1) son = SonBonCoup;
    } else if (failure && static_cast<int>(2 * random() + 1) == 1) {
        son = SonEchecHumain;
    }
    jouer_son(son);

    std::string court = san(avant, c);
    ajouter_ligne(longText, court, mover, avant.MoveCount + 1);
    enregistrer_position(s_, pos_);
    entreeAffichee_ = s_.PositionIndex - 1;
    env_.vue.liste_modifiee();

    if (compter_repetitions(s_) >= 2 &&
        env_.dialogs.question(env_.title, text(TextKey::RepetitionDrawQuestion)))
        finish("1/2-1/2", {}, {});
    if (!s_.partie_finie()) {
        GameEnd end = gameEnd(pos_);
        if (end != GameEnd::InProgress)
            fin_de_partie_mat(pos_.side_to_move(), end == GameEnd::Mate);
    }

    std::string note = scoreText(e);
    if (e >= 0) note = " " + note;
    env_.vue.titre_plateau(text(TextKey::Game) + " - [" + court + "] - " +
                           text(TextKey::Evaluation) + " : [" + note + "]");
    if (!s_.partie_finie()) {
        horloges_.basculer_horloges(mover, pos_.PlayerColour, s_.ClockOn);
        env_.vue.horloges_modifiees();
    }
    nommer_ouverture();

    if (s_.PlayMode == ModeJeu::Network) {
        std::string message{'#', static_cast<char>('0' + c.fromX), static_cast<char>('0' + c.fromY),
                            static_cast<char>('0' + c.toX), static_cast<char>('0' + c.toY)};
        env_.vue.envoyer_reseau(message + rogner(longText));
    }
    etat_ = EtatPlateau::Attente;
    if (s_.PlayMode == ModeJeu::Machine && !s_.partie_finie()) joue_coup_machine();
}

std::string Partie::jouer_sur_plateau(const Move& c, bool machine) {
    Position avant = pos_;
    std::string longText = longMoveText(avant, c, s_.NotationCode);
    PlayedMove played = playMove(pos_, c);
    ecrire_plateau(pos_);
    if (played.castling) commenter("- " + text(TextKey::Castling));
    if (played.enPassant) {
        commenter("- " + text(TextKey::EnPassant) + text(TextKey::PieceTakenContinued) +
                  pieceName(static_cast<int>(played.captured), env_.catalogue));
    } else if (machine && played.captured != PieceCode::Empty) {
        commenter("- " + text(TextKey::CaptureExclaimed) + text(TextKey::PieceTaken) +
                  pieceName(static_cast<int>(played.captured), env_.catalogue) + " !");
    }
    return longText;
}

void Partie::ajouter_ligne(const std::string& longText, const std::string& court, Colour mover,
                           int number) {
    std::string line = longText.starts_with(' ') ? longText : " " + longText;
    s_.lines.push_back(mover == Colour::Black ? PrefixeNoir + line : line);
    std::string numerote = mover == Colour::White ? std::to_string(number) + "." + court : court;
    s_.textesCourts.push_back(numerote);
    s_.LastLongMove = rogner(longText);
    s_.GameMoveText = rogner(s_.GameMoveText + " " + numerote);
    s_.LongMoveText = rogner(s_.LongMoveText + " " + rogner(longText));
    s_.ligneSelectionnee = static_cast<int>(s_.lines.size()) - 1;
}

void Partie::ajouter_resultat(const std::string& result, const std::string& line) {
    s_.GameResult = result;
    s_.lines.push_back(line.empty() ? result : line);
    s_.textesCourts.emplace_back();
    s_.ligneSelectionnee = static_cast<int>(s_.lines.size()) - 1;
    enregistrer_position(s_, pos_);
    entreeAffichee_ = s_.PositionIndex - 1;
    env_.vue.result(result);
    env_.vue.liste_modifiee();
}

} // namespace quarvelin
