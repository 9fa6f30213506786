#pragma once
// Catalogue offsets of the captions of the preferences window (`pref`) and the engine-parameter
// window (`parametre`), and the older texts those windows reuse.

namespace quarvelin {

inline constexpr int TextePartie = 169;
inline constexpr int TexteEvaluation = 170;
inline constexpr int TexteJeuAutomatique = 54;
inline constexpr int TexteOuvertures = 274;
inline constexpr int TexteRoque = 166;
inline constexpr int TexteChoisirFichier = 214;
// The four search depths follow from here.
inline constexpr int TexteNiveauProfondeur0 = 84;

inline constexpr int TextePreferences = 700;
inline constexpr int TexteParametresMoteur = 701;

// Tabs
inline constexpr int TexteOngletGeneral = 702;
inline constexpr int TexteOngletEchiquier = 703;
inline constexpr int TexteOngletReseau = 704;
inline constexpr int TexteOngletCorrespondance = 705;
inline constexpr int TexteOngletMoteur = 706;

// Buttons
inline constexpr int TexteBoutonOk = 707;
inline constexpr int TexteBoutonAnnuler = 708;
inline constexpr int TexteBoutonReinitialiser = 709;
inline constexpr int TexteBoutonParcourir = 710;
inline constexpr int TexteBoutonVoir = 711;

// General tab
inline constexpr int TexteGroupeJoueurs = 712;
inline constexpr int TexteNomJoueur = 713;
inline constexpr int TexteNomMoteur = 714;
inline constexpr int TexteNiveauElo = 715;
inline constexpr int TexteLieuJeu = 716;
inline constexpr int TexteLangue = 717;
inline constexpr int TexteCouleur = 718;
inline constexpr int TexteBlancs = 719;
inline constexpr int TexteNoirs = 720;
inline constexpr int TexteAffNouvelle = 721;
inline constexpr int TexteAffRepere = 722;
inline constexpr int TexteActiveSon = 723;
inline constexpr int TexteBulleAide = 724;
inline constexpr int TexteActiveHorloge = 725;
inline constexpr int TexteDelaiPartie = 726;
inline constexpr int TexteDelaiAttente = 727;

// Board tab
inline constexpr int TexteImageEchiquier = 728;
inline constexpr int TexteJeuPieces = 729;
inline constexpr int TexteTraceCoup = 730;

// Files tab
inline constexpr int TexteGroupeBases = 731;
inline constexpr int TexteBaseEco = 732;
inline constexpr int TexteBaseCorres = 733;
inline constexpr int TexteFichierLog = 734;
inline constexpr int TexteGesLog = 735;
inline constexpr int TexteTriEco = 736;
inline constexpr int TexteGroupeParties = 737;
inline constexpr int TextePartieFiltre = 738;
inline constexpr int TexteMaxSeuilPartie = 739;
inline constexpr int TexteZipPartie = 740;
inline constexpr int TexteSauveAbrege = 741;
inline constexpr int TexteApercuImpression = 742;
inline constexpr int TexteVersionXml = 743;

// Network and correspondence tabs
inline constexpr int TexteRole = 744;
inline constexpr int TexteServeur = 745;
inline constexpr int TexteClient = 746;
inline constexpr int TexteAdresseHote = 747;
inline constexpr int TextePort = 748;
inline constexpr int TexteNomReseau = 749;
inline constexpr int TexteAdresseMel = 750;
inline constexpr int TexteNbJourMax = 751;

// Engine tab
inline constexpr int TexteGroupeRecherche = 752;
inline constexpr int TexteProfondeur = 753;
inline constexpr int TexteAlphaBeta = 754;
inline constexpr int TexteActiveBaseCon = 755;
inline constexpr int TexteOuvertureAleatoire = 756;
inline constexpr int TexteOuvertureDefaut = 757;
inline constexpr int TexteMaxCoupOuverture = 758;
inline constexpr int TexteSeuilPartieNulle = 759;

// Evaluation tab
inline constexpr int TexteGroupePoidsPieces = 760;
inline constexpr int TexteNoteMateriel = 761;
inline constexpr int TexteNoteMobilite = 762;
inline constexpr int TexteMobiliteEvolutive = 763;
inline constexpr int TexteGroupeAutresPoids = 764;
inline constexpr int TexteBonusEchec = 765;
inline constexpr int TexteSeuilBonusEchec = 766;
inline constexpr int TexteNoteCentre = 767;
inline constexpr int TexteSeuilCentre = 768;
inline constexpr int TexteIndiceDefense = 769;
inline constexpr int TexteIndiceAttaque = 770;
inline constexpr int TexteNotePromotion = 771;
inline constexpr int TexteMalusDouble = 772;
inline constexpr int TexteMalusRoi = 773;

// Engine-parameter window
// Followed by the profile's number.
inline constexpr int TexteProfilMoteur = 774;
inline constexpr int TexteExplicationProfils = 775;

// Followed by the lowest and the highest value allowed.
inline constexpr int TexteHorsLimites = 776;

// Tooltips
inline constexpr int TexteBulleApercuImpression = 777;
inline constexpr int TexteBulleSeuilPartieNulle = 778;
inline constexpr int TexteBulleMobiliteEvolutive = 779;

} // namespace quarvelin
