#pragma once
// The game in play: mode, notation, texts, history of positions, result and the switches the
// board window shows. One value, owned by the application and passed to whoever needs it.
#include "notation/Notation.h"
#include "rules/Position.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarvelin {

enum class ModeJeu : std::uint8_t { Machine = 1, Libre = 2, Network = 3, Auto = 4, Corres = 5 };

// The board's input state: waiting for a piece, a piece lifted, or the position editor.
enum class EtatPlateau : std::uint8_t { Attente = 0, PieceLevee = 1, Edition = 99 };

// Sound cues by their index in SoundFiles.
enum Son : int {
    SonErreur = 0,
    SonMat = 1,
    SonLeve = 2,
    SonPose = 3,
    SonConnexion = 5,
    SonSonnerie = 6,
    SonEchecHumain = 8,
    SonBonCoup = 9,
    SonFaible = 10,
    SonCoupFaible = 11,
    SonDebut = 12,
    SonEchecMachine = 13,
};
inline constexpr int NombreSons = 15;
// File names of the cues under the installation's son/ folder; empty where there is none.
extern const std::array<const char*, NombreSons> FichiersSons;

inline constexpr const char* OuvertureInconnue = "inconnu";
inline constexpr const char* PrefixeNoir = "    .....";

struct GameSession {
    ModeJeu PlayMode = ModeJeu::Machine;
    quarvelin::NotationCode NotationCode = quarvelin::NotationCode::French;
    std::string GameText;     // PGN tag lines of the game record
    std::string GameMoveText; // "1.e4 e5 2.Nf3": the short text of the moves so far
    std::string LongMoveText; // the long texts of the moves, one space apart
    std::string LastLongMove;
    std::string OpeningCode = OuvertureInconnue;
    std::string OpeningName = OuvertureInconnue;
    std::string GameResult = "*";
    // The FEN the game started from when it was not the initial position (pasted, edited,
    // loaded with a [FEN] tag); empty otherwise.
    std::string FenDepart;
    // One key per position reached, entry 0 the start; the whole state beside each key, so
    // going back restores castling rights, en-passant values and the half-move clock.
    std::vector<std::string> PositionHistory;
    std::vector<Position> PositionStates;
    std::int16_t PositionIndex = 0;
    bool ClockOn = true;
    bool SoundOn = true;
    bool LogOn = false;
    std::array<std::string, NombreSons> SoundFiles{};
    int EngineProfile = 1;
    std::vector<float> ScoreHistory;

    // The move list: one line per half-move, a Black move behind PrefixeNoir; result lines
    // follow as lines of their own. SAN of each move line (empty for result lines) beside it.
    std::vector<std::string> lines;
    std::vector<std::string> textesCourts;
    int ligneSelectionnee = -1; // -1: none
    // By half-move number; index 0 holds a note on the game before its first move (a loaded
    // game's opening comment).
    std::vector<std::string> notes;

    bool couleurBlanche = true;    // the colour menu's check mark
    bool analyserOuverture = true; // name the opening after each move
    bool plateauOuvert = false;
    bool reperesVisibles = false;

    bool partie_finie() const { return GameResult != "*"; }
    int nombre_coups() const; // move lines, result lines left out
};

// Stores the key and state of p at PositionIndex and moves the index on.
void enregistrer_position(GameSession& s, const Position& p);
// How many earlier entries hold the key just stored.
int compter_repetitions(const GameSession& s);

bool ligne_noire(const std::string& line);
// The long text of a move line, without the Black prefix and trimmed.
std::string texte_de_ligne(const std::string& line);
std::string rogner(const std::string& s);

} // namespace quarvelin
