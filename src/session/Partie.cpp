#include "session/Partie.h"

#include "engine/Search.h"
#include "notation/Fen.h"
#include "openings/OpeningBase.h"
#include "session/Journal.h"

namespace quarvelin {

namespace {} // namespace

Partie::Partie(Environnement env) : env_(std::move(env)), horloges_(env_.minuteries) {
    const Settings& st = env_.settings;
    s_.PlayMode = static_cast<ModeJeu>(st.MODE_JEUX >= 1 && st.MODE_JEUX <= 5 ? st.MODE_JEUX : 1);
    s_.ClockOn = st.ACTIVE_HORLOGE == 1;
    s_.SoundOn = st.ACTIVE_SON == 1;
    s_.LogOn = st.GES_LOG == 1;
    s_.couleurBlanche = st.DEB_BLANC == 1;
    s_.reperesVisibles = st.AFF_REPERE == 1;
    for (int i = 0; i < NombreSons; ++i)
        if (*FichiersSons[static_cast<std::size_t>(i)])
            s_.SoundFiles[static_cast<std::size_t>(i)] =
                env_.installation + "/son/" + FichiersSons[static_cast<std::size_t>(i)];
    pos_ = Position::initial(s_.couleurBlanche ? Colour::White : Colour::Black);
}

Partie::~Partie() { annuler_recherche(); }

double Partie::random() {
    if (env_.random) return env_.random();
    // A small fixed generator keeps runs without a source repeatable.
    graine_ = graine_ * 1103515245u + 12345u;
    return static_cast<double>((graine_ >> 8) & 0xFFFFFF) / 16777216.0;
}

EngineWeights Partie::weights() const { return profileWeights(env_.settings, s_.EngineProfile); }

void Partie::jouer_son(int index) {
    if (!s_.SoundOn || index < 0 || index >= NombreSons) return;
    const std::string& path = s_.SoundFiles[static_cast<std::size_t>(index)];
    if (path.empty()) return;
    if (!env_.sons.jouer(path))
        env_.dialogs.message(text(TextKey::SoundTitle), text(TextKey::SoundFailed),
                             DialogIcon::Exclamation);
}

void Partie::log(const std::string& line) {
    if (s_.LogOn) ajouter_au_journal(env_.settings.FILE_LOG, line);
}

void Partie::commenter(const std::string& line) {
    if (env_.commentary.visible()) env_.commentary.append(line + "\n");
}

void Partie::ecrire_plateau(const Position& p) {
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 8; ++x)
            if (env_.plateau.lire_case(x, y) != p.at(x, y))
                env_.plateau.ecrire_case(x, y, p.at(x, y));
}

void Partie::changer_mode(ModeJeu mode) {
    s_.PlayMode = mode;
    env_.settings.MODE_JEUX = static_cast<std::uint8_t>(mode);
    env_.vue.titre_principal();
    env_.vue.etat_menus();
}

// Either item flips the choice: a click on the ticked one picks the other colour, a click on the
// other one picks its own, which is the other colour too.
void Partie::couleur_blanche() {
    s_.couleurBlanche = !s_.couleurBlanche;
    env_.settings.DEB_BLANC = s_.couleurBlanche ? 1 : 0;
}
void Partie::couleur_noire() { couleur_blanche(); }

std::string Partie::entete_auto() const {
    const Settings& st = env_.settings;
    int black = st.TwoProfiles ? 2 : 1;
    // A profile's rating when it has one, else the label of its level (its depth).
    auto elo = [&](int profile) {
        auto k = static_cast<std::size_t>(profile);
        if (st.NIVEAU_ELO[k] > 0) return std::to_string(st.NIVEAU_ELO[k]);
        int niveau = st.PROFONDEUR_MAX[k];
        if (niveau >= 0 && niveau < static_cast<int>(EloLevels.size()))
            return std::string(EloLevels[static_cast<std::size_t>(niveau)]);
        return std::string(EloLevels.back());
    };
    // Quotes and backslashes in a value are escaped, or the tag would end early.
    auto tag = [](const std::string& name, const std::string& value) {
        std::string v;
        for (char c : value) {
            if (c == '"' || c == '\\') v += '\\';
            v += c;
        }
        return "[" + name + " \"" + v + "\"]\r\n";
    };
    std::string date = date_du_jour();
    return tag("Event", "Partie du " + date) + tag("Site", st.LIEU_JEU) + tag("Date", date) +
           tag("White", st.NOM_MOTEUR[1]) +
           tag("Black", st.NOM_MOTEUR[static_cast<std::size_t>(black)]) + tag("WhiteElo", elo(1)) +
           tag("BlackElo", elo(black)) + "\r\n";
}

void Partie::nouvelle_partie() {
    if (s_.PlayMode == ModeJeu::Corres) return; // those games start from their store
    pos_.CastlingDone = {};
    s_.GameText.clear();
    if (s_.PlayMode == ModeJeu::Network) {
        env_.vue.connexion_reseau();
        return;
    }
    ouvrir_plateau();
    if (s_.PlayMode == ModeJeu::Auto) s_.GameText = entete_auto();
    bool machineBlanche =
        s_.PlayMode == ModeJeu::Auto || (s_.PlayMode == ModeJeu::Machine && !s_.couleurBlanche);
    if (machineBlanche)
        commenter("- " + text(TextKey::GameBeginsWait));
    else {
        commenter("- " + text(TextKey::GameBegins));
        commenter("- " + text(TextKey::YourMove));
    }
    jouer_son(SonDebut);
}

void Partie::ouvrir_plateau() {
    annuler_recherche();
    s_.OpeningCode = s_.OpeningName = OuvertureInconnue;
    s_.EngineProfile = 1;
    log("-> " + text(TextKey::ChessGame) + " - " + date_du_jour() + " - " + heure_actuelle());

    Colour pc = s_.couleurBlanche ? Colour::White : Colour::Black;
    levee_ = PieceCode::Empty;
    paletteEnAttente_ = false;
    compteurs_.reset();

    bool reseau = s_.PlayMode == ModeJeu::Network;
    horloges_.arreter_horloges();
    horloges_.installer(env_.settings.DELAI_PARTIE, s_.ClockOn, !reseau);
    if (!reseau) horloges_.basculer_horloges(Colour::Black, pc, s_.ClockOn);
    env_.vue.horloges_modifiees();

    env_.plateau.effacer_marques();
    env_.plateau.edition(false);
    env_.plateau.installer(pc, env_.installation + "/images/pieces/" + env_.settings.CURENT_PIECE,
                           env_.installation + "/images/echiquier/" +
                               env_.settings.CURENT_ECHIQUIER);
    recommencer_depuis(Position::initial(pc), false);
    s_.plateauOuvert = true;
    env_.vue.liste_modifiee();
    env_.vue.etat_menus();

    if (s_.PlayMode == ModeJeu::Machine && pc == Colour::Black) joue_coup_machine();
    if (s_.PlayMode == ModeJeu::Auto) {
        env_.vue.bouton_lecture("P", text(TextKey::StopAutomaticPlay));
        horloges_.regler(Minuterie::Auto, 100);
    }
}

void Partie::fermer_plateau() {
    annuler_recherche();
    horloges_.arreter_horloges();
    horloges_.regler(Minuterie::Defilement, 0);
    env_.vue.horloges_modifiees();
    if (etat_ == EtatPlateau::PieceLevee) remettre_piece();
    etat_ = EtatPlateau::Attente;
    s_.plateauOuvert = false;
    env_.vue.etat_menus();
}

void Partie::resign() {
    if (!env_.dialogs.question(env_.title, text(TextKey::AbandonGameQuestion))) return;
    if (s_.PlayMode == ModeJeu::Network && env_.settings.IP_MODE_SERVEUR == 0)
        env_.vue.fermer_connexion();
    fermer_plateau();
}

void Partie::proposer_nulle() {
    if (s_.PlayMode == ModeJeu::Network) {
        if (env_.dialogs.question(env_.title, text(TextKey::OfferDrawQuestion)))
            env_.vue.envoyer_reseau("=");
        return;
    }
    if (s_.partie_finie()) return;
    SearchCounters c;
    Search r(pos_, weights(), s_.NotationCode);
    float blancs = r.evalue_position(Colour::White, c);
    float noirs = r.evalue_position(Colour::Black, c);
    Colour machine = opposite(pos_.PlayerColour);
    float scoreMachine = machine == Colour::White ? blancs : noirs;
    std::string scores = text(TextKey::WhiteEvaluation) + scoreText(blancs) +
                         text(TextKey::BlackEvaluation) + scoreText(noirs);
    if (scoreMachine < 0.0f && pos_.MoveCount > 10) {
        finish("1/2-1/2", {},
                 text(TextKey::ComputerAcceptsDraw) + scores + text(TextKey::GameDrawn));
    } else {
        env_.dialogs.message(env_.title, text(TextKey::ComputerDeclinesDraw) + scores,
                             DialogIcon::Information);
    }
}

void Partie::tick(Minuterie m) {
    switch (m) {
    case Minuterie::Basse:
    case Minuterie::Haute: {
        if (!horloges_.en_marche(m)) return;
        bool finished = horloges_.tick_compte_a_rebours(m);
        env_.vue.horloges_modifiees();
        if (!finished) return;
        annuler_recherche();
        if (etat_ == EtatPlateau::PieceLevee) remettre_piece();
        Colour perdant =
            m == Minuterie::Basse ? pos_.PlayerColour : opposite(pos_.PlayerColour);
        finish(perdant == Colour::White ? "0-1" : "1-0", {}, {});
        std::string message =
            text(TextKey::TimeIsUp) + " " +
            text(perdant == Colour::White ? TextKey::WhiteLoses : TextKey::BlackLoses);
        env_.dialogs.message(text(TextKey::GameOver), message, DialogIcon::Exclamation);
        commenter(message);
        return;
    }
    case Minuterie::Duration:
        horloges_.tick_duree();
        env_.vue.horloges_modifiees();
        return;
    case Minuterie::Defilement: {
        const int n = static_cast<int>(s_.lines.size());
        if (s_.ligneSelectionnee + 1 < n) naviguer(2);
        if (s_.ligneSelectionnee + 1 < n) return;
        horloges_.regler(Minuterie::Defilement, 0);
        env_.vue.bouton_lecture("Go", text(TextKey::StartScrolling));
        return;
    }
    case Minuterie::Auto:
        if (reflexion_ || s_.PlayMode != ModeJeu::Auto) return;
        if (s_.partie_finie() || !s_.plateauOuvert) {
            horloges_.regler(Minuterie::Auto, 0);
            env_.vue.bouton_lecture("Go", text(TextKey::StartAutomaticPlay));
            return;
        }
        joue_coup_machine();
        return;
    }
}

void Partie::recommencer_depuis(const Position& depart, bool positionDeDepart) {
    pos_ = depart;
    s_.FenDepart = positionDeDepart ? writeFen(pos_) : std::string();
    s_.lines.clear();
    s_.textesCourts.clear();
    s_.notes.clear();
    s_.ScoreHistory.clear();
    s_.GameMoveText.clear();
    s_.LongMoveText.clear();
    s_.LastLongMove.clear();
    s_.GameResult.assign(1, '*'); // assign: GCC 12 warns wrongly on = "*"
    s_.PositionIndex = 0;
    s_.PositionHistory.clear();
    s_.PositionStates.clear();
    s_.ligneSelectionnee = -1;
    etat_ = EtatPlateau::Attente;
    ecrire_plateau(pos_);
    enregistrer_position(s_, pos_);
    entreeAffichee_ = 0;
    env_.vue.result(s_.GameResult);
}

std::string Partie::copier_position(int entry) const {
    return entry == 1 ? positionKey(pos_) : writeFen(pos_);
}

} // namespace quarvelin
