// The machine's move: default opening, book or search, then the game update and the end of
// the game; and the hint, which asks the same search for the side to move.
#include "session/Partie.h"

#include "engine/Search.h"
#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"
#include "rules/SquareControl.h"

#include <algorithm>

namespace quarvelin {

namespace {
constexpr float TailleMarque = 0.5f;

// The piece on the first square a move text names (" 12.Cg1-f3", "O-O" names none: the king).
PieceCode piece_du_texte(const Position& p, const std::string& text) {
    if (text.find("O-O") != std::string::npos) return pieceOf(PieceType::King, p.side_to_move());
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        Square c = namedSquare(text[i], text[i + 1], p.PlayerColour);
        if (c.x != 0) return p.at(c.x, c.y);
    }
    return PieceCode::Empty;
}

std::optional<Move> legal_aux_cases(const Position& p, int fx, int fy, int tx, int ty) {
    for (const Move& c : legalMoves(p))
        if (c.fromX == fx && c.fromY == fy && c.toX == tx && c.toY == ty &&
            (c.promotion == PieceCode::Empty || type_piece(c.promotion) == PieceType::Queen))
            return c;
    return std::nullopt;
}
} // namespace

SearchRequest Partie::request(Colour side) const {
    SearchRequest d;
    d.position = pos_;
    // White's search sees the number of the move it is choosing, as its texts show.
    if (side == Colour::White) ++d.position.MoveCount;
    d.colour = side;
    d.weights = weights();
    d.notation = s_.NotationCode;
    d.threads = env_.threads;
    if (s_.LogOn)
        d.logHeader = text(TextKey::LogMoveNumber) + std::to_string(d.position.MoveCount) +
                      text(side == Colour::White ? TextKey::LogWhite : TextKey::LogBlack);
    return d;
}

void Partie::annuler_recherche() {
    ++generation_;
    if (reflexion_) {
        env_.moteur.annuler();
        fin_reflexion();
    }
}

void Partie::fin_reflexion() {
    reflexion_ = false;
    env_.vue.curseur_attente(false);
}

void Partie::joue_coup_machine() {
    if (!s_.plateauOuvert || s_.partie_finie() || reflexion_ || etat_ == EtatPlateau::Edition)
        return;
    if (entreeAffichee_ != s_.PositionIndex - 1) montrer_entree(s_.PositionIndex - 1);
    env_.plateau.effacer_marques();
    if (env_.commentary.visible()) env_.commentary.clear();
    compteurs_.reset();

    const Colour side = pos_.side_to_move();
    // The rules, not the search's text, say whether the machine has a move at all.
    if (GameEnd end = gameEnd(pos_); end != GameEnd::InProgress) {
        fin_de_partie_mat(side, end == GameEnd::Mate);
        apres_coup_machine();
        return;
    }

    const auto profile = static_cast<std::size_t>(s_.EngineProfile);
    const Settings& st = env_.settings;
    bool chercherLivre = true;
    if (side == Colour::White && !st.OUVERTURE_DEFAUT[profile].empty() && pos_.MoveCount == 0) {
        std::string jeton = st.OUVERTURE_DEFAUT[profile];
        ReadMove lu = lire_coup(pos_, Colour::White, NotationCode::Pgn, jeton);
        if (lu.fromX != 0 && lu.fromY != 0) {
            if (auto c = legal_aux_cases(pos_, lu.fromX, lu.fromY, lu.toX, lu.toY)) {
                terminer_coup_machine({*c, 0.0f, true, {}});
                return;
            }
        }
        chercherLivre = false; // an unreadable default opening goes straight to the search
    }
    if (chercherLivre && env_.base && env_.base->isOpen() && st.ACTIVE_BASE_CON[profile] == 1) {
        std::function<double()> hasard = [this] { return random(); };
        auto livre = env_.base->choisir_coup_livre(
            pos_, side, s_.GameMoveText, st.OUVERTURE_ALEATOIRE[profile] == 1 ? &hasard : nullptr);
        if (livre) {
            Move c = livre->move.move();
            if (isLegal(pos_, c)) {
                terminer_coup_machine({c, livre->note, true, {}});
                return;
            }
        }
    }

    reflexion_ = true;
    env_.vue.curseur_attente(true);
    EngineCallbacks callbacks;
    callbacks.best = [this](const std::string& t, float score) {
        env_.vue.reflexion("... " + t, piece_du_texte(pos_, t));
        if (env_.commentary.visible())
            env_.commentary.devant("..." + t + "(" + scoreText(score) + ")\n");
    };
    callbacks.progression = [this](const SearchCounters& c) {
        env_.vue.counters(c, c.BestAtDepth[0]);
    };
    if (s_.LogOn) callbacks.log = [this](const std::string& line) { log(line); };
    unsigned gen = generation_;
    env_.moteur.lancer(request(side), compteurs_, callbacks,
                       [this, gen](const SearchResult& r, const SearchCounters& c) {
                           if (gen != generation_) return;
                           compteurs_ = c;
                           fin_reflexion();
                           env_.vue.counters(c, r.score);
                           CoupMachine cm;
                           cm.score = r.score;
                           cm.text = r.text;
                           // The search may name a move the rules refuse when every move
                           // loses; any legal move then does as well.
                           auto c2 = legal_aux_cases(pos_, r.fromX, r.fromY, r.toX, r.toY);
                           if (!c2) c2 = legalMoves(pos_).front();
                           cm.move = *c2;
                           cm.trouve = true;
                           terminer_coup_machine(cm);
                       });
}

void Partie::terminer_coup_machine(CoupMachine cm) {
    const Colour mover = pos_.side_to_move();
    if (env_.settings.MACHINE_TRACE_COUP == 1) {
        env_.plateau.marquer_case(cm.move.fromX, cm.move.fromY, TailleMarque, MarqueJaune);
        env_.plateau.marquer_case(cm.move.toX, cm.move.toY, TailleMarque, MarqueJaune);
    }
    Position avant = pos_;
    std::string longText = jouer_sur_plateau(cm.move, true);
    int number = avant.MoveCount + 1;
    ajouter_ligne(longText, san(avant, cm.move), mover, number);
    enregistrer_position(s_, pos_);
    entreeAffichee_ = s_.PositionIndex - 1;
    env_.vue.liste_modifiee();

    if (compter_repetitions(s_) >= 2) {
        if (s_.PlayMode == ModeJeu::Auto)
            repetition_auto();
        else if (env_.dialogs.question(env_.title, text(TextKey::RepetitionDrawQuestion)))
            finish("1/2-1/2", {}, {});
    }
    if (s_.ScoreHistory.size() <= static_cast<std::size_t>(number))
        s_.ScoreHistory.resize(static_cast<std::size_t>(number) + 1, 0.0f);
    s_.ScoreHistory[static_cast<std::size_t>(number)] = cm.score;

    bool failure = longText.ends_with('+');
    jouer_son(failure && static_cast<int>(2 * random() + 1) == 1 ? SonEchecMachine : SonPose);
    if (!s_.partie_finie()) {
        horloges_.basculer_horloges(mover, pos_.PlayerColour, s_.ClockOn);
        env_.vue.horloges_modifiees();
    }
    nommer_ouverture();

    if (!s_.partie_finie()) {
        GameEnd end = gameEnd(pos_);
        if (end != GameEnd::InProgress)
            fin_de_partie_mat(pos_.side_to_move(), end == GameEnd::Mate);
    }
    apres_coup_machine();
}

void Partie::apres_coup_machine() {
    if (s_.PlayMode != ModeJeu::Auto) return;
    if (env_.settings.TwoProfiles)
        s_.EngineProfile = s_.EngineProfile == 1 ? 2 : 1;
    else
        s_.EngineProfile = 1;
    if (s_.partie_finie()) {
        horloges_.regler(Minuterie::Auto, 0);
        env_.vue.bouton_lecture("Go", text(TextKey::StartAutomaticPlay));
    }
}

void Partie::repetition_auto() {
    SearchCounters c;
    Search r(pos_, weights(), s_.NotationCode);
    float blancs = r.evalue_position(Colour::White, c);
    float noirs = r.evalue_position(Colour::Black, c);
    float seuil = env_.settings.SEUIL_PARTIE_NULLE;
    finish(blancs < seuil ? "0-1" : noirs < seuil ? "1-0" : "1/2-1/2", {}, {});
}

void Partie::finish(const std::string& result, const std::string& line,
                      const std::string& message) {
    horloges_.arreter_horloges();
    env_.vue.horloges_modifiees();
    ajouter_resultat(result, line);
    log(text(TextKey::Game) + " - " + result);
    if (!message.empty()) env_.dialogs.message(env_.title, message, DialogIcon::Information);
}

void Partie::fin_de_partie_mat(Colour sansCoup, bool mate) {
    if (!mate) {
        finish("1/2-1/2", text(TextKey::Draw) + " - PAT !! ", text(TextKey::Draw) + " PAT !! ");
        return;
    }
    bool blancsGagnent = sansCoup == Colour::Black;
    std::string gagnant = text(blancsGagnent ? TextKey::WhiteWins : TextKey::BlackWins);
    finish(blancsGagnent ? "1-0" : "0-1", text(TextKey::Checkmate) + " - " + gagnant + " !!! ",
             text(TextKey::Checkmate) + " " + gagnant + " !!! ");
}

void Partie::nommer_ouverture() {
    if (!s_.analyserOuverture || !env_.base || !env_.base->isOpen()) return;
    auto line = env_.base->nommer_ouverture(s_.GameMoveText);
    bool visible = env_.commentary.visible();
    if (!line) {
        if (visible) {
            env_.vue.ouvertures_disponibles(false);
            if (pos_.MoveCount < env_.settings.MAX_COUP_OUVERTURE)
                commenter(text(TextKey::OutOfBook));
        }
        return;
    }
    if (visible) env_.vue.ouvertures_disponibles(true);
    s_.OpeningCode = line->code;
    s_.OpeningName = line->label;
    commenter("[" + line->code + " - " + line->label + "]");
}

void Partie::voir_ouvertures() {
    if (!env_.base || !env_.base->isOpen()) {
        env_.vue.liste_ouvertures({});
        return;
    }
    env_.vue.liste_ouvertures(env_.base->linesStartingWith(s_.GameMoveText));
}

void Partie::conseil_coup() {
    if (!s_.plateauOuvert || reflexion_ || etat_ == EtatPlateau::Edition) return;
    env_.plateau.effacer_marques();
    compteurs_.reset();
    const Colour side = pos_.side_to_move();
    reflexion_ = true;
    env_.vue.curseur_attente(true);
    unsigned gen = generation_;
    env_.moteur.lancer(
        request(side), compteurs_, {},
        [this, gen, side](const SearchResult& r, const SearchCounters& c) {
            if (gen != generation_) return;
            compteurs_ = c;
            fin_reflexion();
            env_.vue.counters(c, r.score);
            if (r.fromX != 0) {
                env_.plateau.montrer_coup(r.fromX, r.fromY, r.toX, r.toY, TailleMarque,
                                          MarqueJaune);
                env_.plateau.marquer_case(r.toX, r.toY, TailleMarque, MarqueJaune);
            }
            marque_pieces_non_defendues(pos_, side, [this](int x, int y, int colour) {
                env_.plateau.marquer_case(x, y, TailleMarque, static_cast<std::uint32_t>(colour));
            });
            env_.dialogs.message(env_.title,
                                 text(TextKey::HintMove) + r.text +
                                     text(TextKey::HintEvaluation) + scoreText(r.score) + ")",
                                 DialogIcon::Information);
        });
}

} // namespace quarvelin
