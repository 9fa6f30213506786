#pragma once
// The game in play and everything the board window asks of it: new games and play modes, the
// human's clicks, the machine's moves, clocks, navigation, replay of a game text, pasted
// positions and the position editor. It reaches the user only through the interfaces in
// Environnement, so a whole game can be played in a test.
#include "config/Settings.h"
#include "engine/SearchCounters.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "rules/Move.h"
#include "rules/Position.h"
#include "session/BoardDisplay.h"
#include "session/Commentary.h"
#include "session/ExecuteurRecherche.h"
#include "session/GameSession.h"
#include "session/Horloges.h"
#include "session/SoundPlayer.h"
#include "session/VuePartie.h"

#include <functional>
#include <optional>
#include <string>

namespace quarvelin {

struct ParsedGame;

class OpeningBase;

struct Environnement {
    Settings& settings;
    const TextCatalogue& catalogue;
    Dialogs& dialogs;
    SoundPlayer& sons;
    Commentary& commentary;
    BoardDisplay& plateau;
    HorlogeSource& minuteries;
    VuePartie& vue;
    ExecuteurRecherche& moteur;
    const OpeningBase* base = nullptr; // null or closed: no book and no names
    std::string installation;             // the installation directory
    std::string title = "quarvelin";      // message boxes' title
    std::function<double()> random;    // uniform in [0, 1); a fixed generator when empty
    int threads = 2;
};

class Partie {
public:
    explicit Partie(Environnement env);
    ~Partie();
    Partie(const Partie&) = delete;
    Partie& operator=(const Partie&) = delete;

    const Position& position() const { return pos_; }
    const GameSession& session() const { return s_; }
    GameSession& session() { return s_; }
    const SearchCounters& counters() const { return compteurs_; }
    const Horloges& horloges() const { return horloges_; }
    EtatPlateau state() const { return etat_; }
    bool machine_reflechit() const { return reflexion_; }
    // The lifted piece and its origin while a piece is lifted.
    PieceCode piece_levee() const { return levee_; }
    Square origine() const { return origine_; }

    // Play modes, colour and new game.
    void changer_mode(ModeJeu mode);
    void couleur_blanche(); // the colour menu's two items
    void couleur_noire();
    void nouvelle_partie();
    // The board window closes: the game ends where it stands, a running search is dropped.
    void fermer_plateau();
    void resign();
    void proposer_nulle();
    // The mode-4 header of the game record, with today's date.
    std::string entete_auto() const;

    // The human's input: two clicks make a move; a drag is a press on the origin and a release
    // on the target. Editing places or removes pieces instead.
    void clic_case(int x, int y);
    void clic_palette(PieceCode piece);

    // One machine move for the side to move, now or when the worker thread hands it back.
    void joue_coup_machine();
    void conseil_coup();
    // The lines of the opening base that continue the game, for the opening list.
    void voir_ouvertures();

    // A timer of the board window fired.
    void tick(Minuterie m);

    // Navigation, notes and the last move.
    void naviguer(int bouton); // 0 first, 1 back, 2 forward, 3 last, 4 play/pause
    void selectionner_ligne(int line);
    void double_clic_ligne(int line);
    void noter_coup();
    void modifier_dernier_coup();
    void basculer_reperes();
    int entree_affichee() const { return entreeAffichee_; }

    // A game read from a file: its tags, moves and result, its comments as notes on the moves
    // and, in the comment window, its comments and variations. False when its start position
    // cannot be set up (said to the user; the game on the board stays).
    bool charger_partie(const ParsedGame& lue);

    // Rebuilds the game from GameMoveText, from the start or from `depart` ([FEN] games).
    void rejouer_partie(const std::optional<Position>& depart = std::nullopt);

    // Clipboard: the position key (entree 1) or the FEN (entree 2); a pasted text.
    std::string copier_position(int entry) const;
    void pastePosition(const std::string& text);

    // Position editor.
    void entrer_edition(bool demander);
    bool demarrer_edition();

    // The engine profile whose weights and book settings the machine uses now.
    int profile() const { return s_.EngineProfile; }

    void jouer_son(int index);
    void log(const std::string& line);
    std::string text(TextKey key) const { return env_.catalogue.text(key); }

private:
    struct CoupMachine {
        Move move;
        float score = 0;
        bool trouve = false;
        std::string text; // "MAT", "PAT", or the move's text
    };

    void ouvrir_plateau();
    // A game with no move yet from `depart`: texts, list, result and history start again, the
    // position is entry 0. positionDeDepart: it is not the initial position (saved with its FEN).
    void recommencer_depuis(const Position& depart, bool positionDeDepart);
    void afficher_position();
    void ecrire_plateau(const Position& p);
    void commenter(const std::string& line);
    void fin_reflexion();
    void annuler_recherche();

    // Human moves.
    void lever(int x, int y);
    void put(int x, int y);
    void remettre_piece();
    bool couper_partie();
    PieceCode demander_promotion(Colour c);

    // The game update shared by every move: board, texts, list, history; the move's long text.
    std::string jouer_sur_plateau(const Move& c, bool machine);
    // A move line; court is the SAN, numero the move's full-move number.
    void ajouter_ligne(const std::string& longText, const std::string& court, Colour mover,
                       int number);
    // A result line ("1-0", or the end-of-game line given), and the final position recorded
    // again so that line i keeps showing entry i + 1.
    void ajouter_resultat(const std::string& result, const std::string& line = {});
    void fin_de_partie_mat(Colour sansCoup, bool mate);
    // Every end of game: clocks stopped, result line, log; a message when there is one.
    void finish(const std::string& result, const std::string& line,
                  const std::string& message);
    void nommer_ouverture();
    void terminer_coup_machine(CoupMachine cm);
    void apres_coup_machine();
    void repetition_auto();

    EngineWeights weights() const;
    SearchRequest request(Colour side) const;
    double random();

    void montrer_entree(int entry);
    void reconstruire_textes();
    void couper_a(int entry);

    Environnement env_;
    Position pos_;
    GameSession s_;
    SearchCounters compteurs_;
    Horloges horloges_;
    EtatPlateau etat_ = EtatPlateau::Attente;
    PieceCode levee_ = PieceCode::Empty;
    Square origine_;
    PieceCode palette_ = PieceCode::Empty;
    bool paletteEnAttente_ = false;
    bool reflexion_ = false;
    unsigned generation_ = 0;
    int entreeAffichee_ = 0;
    unsigned graine_ = 12345;
};

} // namespace quarvelin
