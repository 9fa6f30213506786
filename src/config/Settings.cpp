// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Settings.h"

namespace quarvelin {

namespace {

// Per-piece families are written PION, FOU, CAVALIER, TOUR, DAME, ROI: piece types 2, 5, 4, 3,
// 6, 7.
void weights(PieceWeights& table, std::array<float, 6> inOrder) {
    constexpr int types[6] = {2, 5, 4, 3, 6, 7};
    for (auto& profile : table)
        for (int i = 0; i < 6; ++i) profile[types[i]] = inOrder[i];
}

} // namespace

Settings builtInSettings(const std::string& installDir) {
    Settings s;
    s.BASE_ECO = installDir + "/base/eco.db";
    s.FILE_LOG = installDir + "/quarvelin.log";
    s.BASE_CORRES = installDir + "/base/corres.db";
    weights(s.NOTE_MOBILITE, {1, 3.5f, 3.5f, 2, 1, 3});
    weights(s.MOBILITE_EVOLUTIVE, {0.1f, 0, 0, 0.1f, 0, 0.2f});
    weights(s.NOTE_MATERIEL, {100, 300, 300, 500, 900, 300});
    return s;
}

void applyNewFile(Settings& s) {
    s.FIRST_STARTUP = 0;
    s.TRI_ECO = 0;
    s.DEB_BLANC = 1;
    s.AFF_REPERE = 1;
    s.ZIP_PARTIE = 0;
    s.SAUVE_ABREGE = 1;
    s.AFF_NOUVELLE = 1;
    s.ACTIVE_SON = 1;
    s.IMP = 0;
    s.BULLE_AIDE = 1;
    s.PARTIE_FILTRE = "*.PGN";
    s.MAX_SEUIL_PARTIE = 1000;
    s.MAX_COUP_OUVERTURE = 10;
    s.OUVERTURE_DEFAUT = {"e4", "e4", "e4"};
    s.GES_LOG = 0;
}

EngineWeights profileWeights(const Settings& s, int p) {
    EngineWeights w;
    w.NOTE_MATERIEL = s.NOTE_MATERIEL[static_cast<std::size_t>(p)];
    w.NOTE_MOBILITE = s.NOTE_MOBILITE[static_cast<std::size_t>(p)];
    w.MOBILITE_EVOLUTIVE = s.MOBILITE_EVOLUTIVE[static_cast<std::size_t>(p)];
    w.INDICE_DEFENSE = s.INDICE_DEFENSE[p];
    w.INDICE_ATTAQUE = s.INDICE_ATTAQUE[p];
    w.NOTE_CENTRE = s.NOTE_CENTRE[p];
    w.SEUIL_CENTRE = s.SEUIL_CENTRE[p];
    w.BONUS_ECHEC = s.BONUS_ECHEC[p];
    w.SEUIL_BONUS_ECHEC = s.SEUIL_BONUS_ECHEC[p];
    w.NOTE_ROQUE = s.NOTE_ROQUE[p];
    w.MALUS_ROI = s.MALUS_ROI[p];
    w.MALUS_DOUBLE = s.MALUS_DOUBLE[p];
    w.NOTE_PROMOTION = s.NOTE_PROMOTION[p];
    w.PROFONDEUR_MAX = s.PROFONDEUR_MAX[p];
    w.ALPHA_BETA = s.ALPHA_BETA[p];
    return w;
}

Settings resetValues(const Settings& current, const std::string& installDir) {
    Settings s = current;
    s.FIRST_STARTUP = 1;
    s.NOM_JOUEUR[1] = "Humanoïde";
    s.NOM_MOTEUR[1] = "QuarvelinV4";
    s.LIEU_JEU = "Chez moi";
    s.NIVEAU_ELO[1] = 1600;
    s.BASE_ECO = installDir + "/base/eco.db";
    s.IMP = 0;
    s.PARTIE_FILTRE = "*.PGN";
    s.MAX_SEUIL_PARTIE = 1000;
    s.MAX_COUP_OUVERTURE = 10;
    s.OUVERTURE_DEFAUT[1] = "e4";
    s.FILE_LOG = "quarvelin.log";
    s.GES_LOG = 0;
    s.DELAI_PARTIE = "00:15:00";
    s.DELAI_ATTENTE = 1000;
    s.IP_MODE_SERVEUR = 0;
    s.IP_ADRESSE_HOST = "127.1.0.1";
    s.IP_NUM_PORT = "5555";
    s.IP_NOM_UTILISATEUR = "Joueur";
    s.SEUIL_PARTIE_NULLE = -1000;
    s.BASE_CORRES = installDir + "/base/corres.db";
    s.NB_JOUR_MAX = 60;
    return s;
}

} // namespace quarvelin
