// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings record: one field per key of the settings file, named by the key. Per-profile
// fields hold one value per engine profile (slot 0 unused); per-piece weights are indexed
// [profile][PieceType code 2..7].
#include "engine/EngineWeights.h"

#include <array>
#include <cstdint>
#include <string>

namespace quarvelin {

template <typename T> using PerProfile = std::array<T, 3>;
using PieceWeights = std::array<std::array<float, 8>, 3>;

inline constexpr std::array<const char*, 4> EloLevels = {"1200", "1400", "1600", "1800"};

struct Settings {
    // [GENERAL]
    std::uint8_t FIRST_STARTUP = 0;
    std::uint8_t CLE_LANGUE = 1;
    PerProfile<std::string> NOM_JOUEUR{};
    PerProfile<std::string> NOM_MOTEUR{};
    std::uint8_t MODE_JEUX = 1;
    std::string LIEU_JEU;
    PerProfile<std::int16_t> NIVEAU_ELO{};
    std::string BASE_ECO;
    std::uint8_t TRI_ECO = 0;
    std::uint8_t DEB_BLANC = 0;
    std::string CURENT_ECHIQUIER = "echiquier.bmp";
    std::string CURENT_PIECE = "Quarvelin";
    std::uint8_t AFF_REPERE = 0;
    std::uint8_t ZIP_PARTIE = 0;
    std::uint8_t SAUVE_ABREGE = 0;
    std::uint8_t AFF_NOUVELLE = 0;
    std::uint8_t MACHINE_TRACE_COUP = 1;
    std::uint8_t ACTIVE_SON = 1;
    std::uint8_t IMP = 0;
    std::uint8_t BULLE_AIDE = 0;
    std::string PARTIE_FILTRE;
    std::int32_t MAX_SEUIL_PARTIE = 1000;
    std::int16_t MAX_COUP_OUVERTURE = 0;
    PerProfile<std::string> OUVERTURE_DEFAUT{"e4", "e4", "e4"};
    PerProfile<std::uint8_t> OUVERTURE_ALEATOIRE{1, 1, 1};
    std::string FILE_LOG;
    std::uint8_t GES_LOG = 0;
    std::uint8_t ACTIVE_HORLOGE = 1;
    std::string DELAI_PARTIE = "00:15:00";
    std::int16_t DELAI_ATTENTE = 1000;
    std::string VERSION_XML; // empty until the user names a version document

    // [TCP/IP]
    std::uint8_t IP_MODE_SERVEUR = 0;
    std::string IP_ADRESSE_HOST = "127.1.0.0";
    std::string IP_NUM_PORT = "5555";
    std::string IP_NOM_UTILISATEUR = "Joueur1";

    // [CALCUL]
    PerProfile<std::uint8_t> ACTIVE_BASE_CON{};
    PerProfile<std::int16_t> PROFONDEUR_MAX{};
    PieceWeights NOTE_MOBILITE{};
    PieceWeights MOBILITE_EVOLUTIVE{};
    PieceWeights NOTE_MATERIEL{};
    PerProfile<float> BONUS_ECHEC{200, 200, 200};
    PerProfile<std::int16_t> SEUIL_BONUS_ECHEC{10, 10, 10};
    PerProfile<float> NOTE_PROMOTION{900, 900, 900};
    PerProfile<float> NOTE_ROQUE{800, 800, 800};
    PerProfile<float> MALUS_DOUBLE{80, 80, 80};
    PerProfile<float> MALUS_ROI{100, 100, 100};
    PerProfile<float> NOTE_CENTRE{40, 40, 40};
    PerProfile<std::int16_t> SEUIL_CENTRE{15, 15, 15};
    PerProfile<float> INDICE_DEFENSE{3, 3, 3};
    PerProfile<float> INDICE_ATTAQUE{1, 1, 1};
    PerProfile<std::uint8_t> ALPHA_BETA{};
    float SEUIL_PARTIE_NULLE = -1000;

    // [FILTRE]
    std::string CRITERE_EVENT, CRITERE_SITE, CRITERE_BLANC, CRITERE_NOIR;
    std::uint8_t CRITERE_LESDEUX = 0;
    std::string CRITERE_ECO, CRITERE_RONDE, CRITERE_RESULTAT, CRITERE_DATE;

    // [MEL]
    std::string BASE_CORRES;
    std::string ADRESSE_MEL;
    std::int16_t NB_JOUR_MAX = 0;
    std::uint8_t MEL_ENVOI = 0; // 0 the desktop's mail client, 1 SMTP
    std::string SMTP_SERVEUR;
    std::int32_t SMTP_PORT = 587;
    std::uint8_t SMTP_SECURITE = 1; // 0 none, 1 STARTTLS, 2 TLS from the connection
    std::string SMTP_UTILISATEUR;

    // Read from older files, never written.
    std::string ACTUALITE_XML;

    // Held with the record, never in the file.
    float GoodMoveThreshold = 600;
    float BadMoveThreshold = -600;
    bool TwoProfiles = false; // two engine-profile files loaded for automatic play
    std::array<std::string, 3> ProfileFiles{};

    bool operator==(const Settings&) const = default;
};

// The values the record holds before any file is read, for an installation in installDir.
Settings builtInSettings(const std::string& installDir);
// The values a settings file gets when the program creates it.
void applyNewFile(Settings& s);
// The engine weights of one profile.
EngineWeights profileWeights(const Settings& s, int profile);
// What the preferences window's reset button puts in its fields.
Settings resetValues(const Settings& s, const std::string& installDir);

} // namespace quarvelin
