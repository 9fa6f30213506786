#include "ui/ArbreMenu.h"

#include <cstring>

namespace quarvelin {

namespace {

constexpr GenreMenu Menu = GenreMenu::Menu;
constexpr GenreMenu Coche = GenreMenu::Coche;
constexpr GenreMenu Separateur = GenreMenu::Separateur;

// clang-format off
constexpr ElementMenu Arbre[] = {
    // File
    {.name = "menu_fichier", .text = TextKey::MenuFile, .kind = Menu},
    {.name = "menu_astuce", .parent = "menu_fichier", .text = TextKey::MenuTip, .aVenir = true},
    {.name = "menu_pref", .parent = "menu_fichier", .text = TextKey::MenuPreferences, .raccourci = "Ctrl+P"},
    {.parent = "menu_fichier", .kind = Separateur},
    {.name = "menu_con", .parent = "menu_fichier", .text = TextKey::MenuKnowledgeBase, .kind = Menu},
    {.name = "menu_ouverture", .parent = "menu_con", .text = TextKey::MenuOpenings, .kind = Menu},
    {.name = "menu_trans", .index = 1, .parent = "menu_ouverture", .text = TextKey::MenuImportOpenings, .aVenir = true},
    {.name = "menu_trans", .index = 2, .parent = "menu_ouverture", .text = TextKey::MenuExportOpenings, .aVenir = true},
    {.parent = "menu_ouverture", .kind = Separateur},
    {.name = "menu_grille", .parent = "menu_ouverture", .text = TextKey::MenuOpeningsGrid, .aVenir = true},
    {.parent = "menu_con", .kind = Separateur},
    {.name = "menu_enrichir_base", .parent = "menu_con", .text = TextKey::MenuEnrichBase, .kind = Menu},
    {.name = "menu_enrichir", .index = 0, .parent = "menu_enrichir_base", .text = TextKey::MenuEnrichToCursor,
     .aVenir = true},
    {.name = "menu_enrichir", .index = 1, .parent = "menu_enrichir_base", .text = TextKey::MenuEnrichWholeGame,
     .raccourci = "Ctrl+E", .aVenir = true},
    {.name = "menu_enrichir", .index = 2, .parent = "menu_enrichir_base", .text = TextKey::MenuEnrichFromPgn,
     .aVenir = true},
    {.name = "menu_imp", .parent = "menu_con", .text = TextKey::MenuBasePrint, .kind = Menu},
    {.name = "menu_edt_eco", .parent = "menu_imp", .text = TextKey::MenuPrintOpeningBase, .aVenir = true},
    {.name = "menu_edt_enrichie", .parent = "menu_imp", .text = TextKey::MenuPrintEnrichedBase, .aVenir = true},
    {.name = "menu_vider", .parent = "menu_con", .text = TextKey::MenuEmptyBase, .aVenir = true},
    {.parent = "menu_con", .kind = Separateur},
    {.name = "menu_repare", .parent = "menu_con", .text = TextKey::MenuRepairBase, .aVenir = true},
    {.name = "menu_reorg", .parent = "menu_con", .text = TextKey::MenuReorganiseBase, .aVenir = true},
    // Enabled by the correspondence play mode.
    {.name = "menu_part_pc", .parent = "menu_fichier", .text = TextKey::MenuCorrespondence, .kind = Menu,
     .desactive = true},
    {.name = "menu_pc_message", .parent = "menu_part_pc", .text = TextKey::MenuSendMail, .aVenir = true},
    {.name = "menu_pc_edition", .parent = "menu_part_pc", .text = TextKey::MenuCorrespondencePrint, .kind = Menu},
    {.name = "menu_pc_edt", .index = 0, .parent = "menu_pc_edition", .text = TextKey::MenuGamesByStartDate, .aVenir = true},
    {.name = "menu_pc_edt", .index = 1, .parent = "menu_pc_edition", .text = TextKey::MenuGamesBySendingDate, .aVenir = true},
    {.parent = "menu_part_pc", .kind = Separateur},
    {.name = "menu_pc_grille", .parent = "menu_part_pc", .text = TextKey::MenuCorrespondenceGrid, .aVenir = true},
    // The recent files: captions are file names, set when the list is filled.
    {.name = "mnuRecentFile", .index = 0, .parent = "menu_fichier", .kind = Separateur},
    {.name = "mnuRecentFile", .index = 1, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 2, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 3, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 4, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 5, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 6, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 7, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 8, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 9, .parent = "menu_fichier"},
    {.name = "mnuRecentFile", .index = 10, .parent = "menu_fichier"},
    {.parent = "menu_fichier", .kind = Separateur},
    // Ctrl+Q is what quits every Linux desktop program.
    {.name = "menu_quitter", .parent = "menu_fichier", .text = TextKey::MenuQuit, .raccourci = "Ctrl+Q"},

    // Game
    {.name = "menu_partie", .text = TextKey::MenuGame, .kind = Menu},
    {.name = "menu_nouvelle", .parent = "menu_partie", .text = TextKey::MenuNewGame, .raccourci = "Ctrl+N",
     .horsJeu = true},
    {.name = "menu_charge", .parent = "menu_partie", .text = TextKey::MenuLoadGame, .raccourci = "Ctrl+C"},
    // Once a game has been played it can be saved, even after its board is closed.
    {.name = "menu_sauve", .parent = "menu_partie", .text = TextKey::MenuSaveGame, .raccourci = "Ctrl+S",
     .desactive = true, .enJeu = true},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_charge_fichier", .parent = "menu_partie", .text = TextKey::MenuLoadGamesFile, .raccourci = "Ctrl+F"},
    {.name = "menu_sauve_fichier", .parent = "menu_partie", .text = TextKey::MenuExtractGames},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_charge_xml", .parent = "menu_partie", .text = TextKey::MenuLoadXml, .raccourci = "Ctrl+U"},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_copie_position", .index = 1, .parent = "menu_partie", .text = TextKey::MenuCopyPosition,
     .raccourci = "Ctrl+Ins", .desactive = true, .enJeu = true, .fermeture = true},
    {.name = "menu_copie_position", .index = 2, .parent = "menu_partie", .text = TextKey::MenuCopyFen,
     .desactive = true, .enJeu = true, .fermeture = true},
    // Enabled at the start of a game only when the clipboard holds a position.
    {.name = "menu_coller_position", .parent = "menu_partie", .text = TextKey::MenuPastePosition,
     .raccourci = "Shift+Ins", .desactive = true, .fermeture = true},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_envoi_position", .parent = "menu_partie", .text = TextKey::MenuSendPosition, .desactive = true,
     .enJeu = true, .fermeture = true, .aVenir = true},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_voir_ouvertures", .parent = "menu_partie", .text = TextKey::MenuViewOpenings, .raccourci = "Ctrl+O",
     .desactive = true, .enJeu = true, .fermeture = true},
    {.name = "menu_position", .parent = "menu_partie", .text = TextKey::MenuSetUpPieces},
    {.name = "menu_modif_coup", .parent = "menu_partie", .text = TextKey::MenuModifyLastMove, .desactive = true,
     .enJeu = true, .fermeture = true},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_abrege", .parent = "menu_partie", .text = TextKey::MenuShortNotation, .raccourci = "Ctrl+A",
     .enJeu = true, .fermeture = true},
    {.name = "menu_not_comp", .parent = "menu_partie", .text = TextKey::MenuFullNotation, .enJeu = true,
     .fermeture = true},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_chasse", .parent = "menu_partie", .text = TextKey::MenuCapturedPieces, .raccourci = "Ctrl+T",
     .desactive = true, .enJeu = true, .fermeture = true, .aVenir = true},
    {.name = "affiche_log", .parent = "menu_partie", .text = TextKey::MenuShowLog},
    {.name = "menu_stat", .parent = "menu_partie", .text = TextKey::MenuStatistics, .raccourci = "Ctrl+G",
     .aVenir = true},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_edition", .parent = "menu_partie", .text = TextKey::MenuPrint, .kind = Menu},
    {.name = "menu_edt_liste", .parent = "menu_edition", .text = TextKey::MenuPrintCurrentGame, .kind = Menu},
    {.name = "menu_edt_encours", .index = 0, .parent = "menu_edt_liste", .text = TextKey::MenuPrintSimplifiedPgn},
    {.name = "menu_edt_encours", .index = 1, .parent = "menu_edt_liste", .text = TextKey::MenuPrintMoveList,
     .raccourci = "Ctrl+I"},
    {.name = "menu_edt_encours", .index = 2, .parent = "menu_edt_liste", .text = TextKey::MenuPrintWithDiagrams},
    // Enabled while the board window lists games.
    {.name = "menu_edt_pc", .parent = "menu_edition", .text = TextKey::MenuPrintLoadedGames, .desactive = true},
    {.name = "menu_recherche", .parent = "menu_partie", .text = TextKey::MenuSearch},
    {.parent = "menu_partie", .kind = Separateur},
    {.name = "menu_propose_nul", .parent = "menu_partie", .text = TextKey::MenuOfferDraw, .desactive = true,
     .enJeu = true, .fermeture = true},
    {.name = "menu_abandon", .parent = "menu_partie", .text = TextKey::MenuResign, .desactive = true,
     .enJeu = true, .fermeture = true},

    // Options
    {.name = "menu_options", .text = TextKey::MenuOptions, .kind = Menu},
    {.name = "menu_mode", .parent = "menu_options", .text = TextKey::MenuMode, .kind = Menu, .horsJeu = true},
    {.name = "mode_machine", .parent = "menu_mode", .text = TextKey::MenuModeMachine, .kind = Coche, .groupe = "mode",
     .ticked = true},
    {.name = "mode_libre", .parent = "menu_mode", .text = TextKey::MenuModeFree, .kind = Coche, .groupe = "mode"},
    {.name = "mode_reseau", .parent = "menu_mode", .text = TextKey::MenuModeNetwork, .kind = Coche, .groupe = "mode"},
    {.name = "mode_auto", .parent = "menu_mode", .text = TextKey::MenuModeAutomatic, .kind = Coche, .groupe = "mode"},
    {.parent = "menu_mode", .kind = Separateur},
    {.name = "mode_corres", .parent = "menu_mode", .text = TextKey::MenuModeCorrespondence, .kind = Coche, .groupe = "mode"},
    // Ticked from the engine profile's depth, 0 until the settings are read.
    {.name = "menu_niveau", .parent = "menu_options", .text = TextKey::MenuLevel, .kind = Menu},
    {.name = "menu_niv", .index = 0, .parent = "menu_niveau", .text = TextKey::MenuLevelBeginner, .kind = Coche,
     .groupe = "niveau", .ticked = true},
    {.name = "menu_niv", .index = 1, .parent = "menu_niveau", .text = TextKey::MenuLevelNovice, .kind = Coche,
     .groupe = "niveau"},
    {.name = "menu_niv", .index = 2, .parent = "menu_niveau", .text = TextKey::MenuLevelAdvanced, .kind = Coche,
     .groupe = "niveau"},
    {.name = "menu_niv", .index = 3, .parent = "menu_niveau", .text = TextKey::MenuLevelExpert, .kind = Coche,
     .groupe = "niveau"},
    {.name = "menu_couleur", .parent = "menu_options", .text = TextKey::MenuSide, .kind = Menu, .horsJeu = true},
    {.name = "couleur_blanche", .parent = "menu_couleur", .text = TextKey::MenuPlayWhite, .kind = Coche,
     .groupe = "couleur", .ticked = true},
    {.name = "couleur_noire", .parent = "menu_couleur", .text = TextKey::MenuPlayBlack, .kind = Coche,
     .groupe = "couleur"},
    {.name = "menu_notation", .parent = "menu_options", .text = TextKey::MenuNotation, .kind = Menu,
     .horsJeu = true},
    {.name = "notation_francaise", .parent = "menu_notation", .text = TextKey::MenuNotationFrench, .kind = Coche,
     .groupe = "notation", .ticked = true},
    {.name = "notation_pgn", .parent = "menu_notation", .text = TextKey::MenuNotationPgn, .kind = Coche,
     .groupe = "notation"},
    {.name = "notation_internationale", .parent = "menu_notation", .text = TextKey::MenuNotationInternational, .kind = Coche,
     .groupe = "notation", .desactive = true},
    {.parent = "menu_options", .kind = Separateur},
    {.name = "menu_moteur", .parent = "menu_options", .text = TextKey::MenuLoadParameters, .horsJeu = true},
    {.name = "menu_analyse", .parent = "menu_options", .text = TextKey::MenuAnalysis, .kind = Menu},
    {.name = "analyser_ouverture", .parent = "menu_analyse", .text = TextKey::MenuAnalyseOpenings, .kind = Coche,
     .ticked = true},
    {.parent = "menu_options", .kind = Separateur},
    {.name = "menu_active_son", .parent = "menu_options", .text = TextKey::MenuSounds, .kind = Coche,
     .ticked = true},
    {.name = "menu_active_horloge", .parent = "menu_options", .text = TextKey::MenuClocks, .kind = Coche,
     .ticked = true, .horsJeu = true},
    {.name = "affiche_repere", .parent = "menu_options", .text = TextKey::MenuCoordinates, .raccourci = "Ctrl+R",
     .kind = Coche},
    {.name = "affiche_commentaire", .parent = "menu_options", .text = TextKey::MenuCommentWindow, .kind = Coche,
     .ticked = true},
    {.parent = "menu_options", .kind = Separateur},
    // Ticked from the language setting, French until the settings are read.
    {.name = "menu_choix_langue", .parent = "menu_options", .text = TextKey::MenuLanguage, .kind = Menu},
    {.name = "choix_langue", .index = 1, .parent = "menu_choix_langue", .text = TextKey::LanguageFrench,
     .kind = Coche, .groupe = "langue", .ticked = true},
    {.name = "choix_langue", .index = 2, .parent = "menu_choix_langue", .text = TextKey::LanguageEnglish,
     .kind = Coche, .groupe = "langue"},
    {.name = "choix_langue", .index = 3, .parent = "menu_choix_langue", .text = TextKey::LanguageItalian,
     .kind = Coche, .groupe = "langue"},
    {.name = "choix_langue", .index = 4, .parent = "menu_choix_langue", .text = TextKey::LanguageSpanish,
     .kind = Coche, .groupe = "langue"},
    {.name = "choix_langue", .index = 5, .parent = "menu_choix_langue", .text = TextKey::LanguageGerman,
     .kind = Coche, .groupe = "langue"},
    {.name = "choix_langue", .index = 6, .parent = "menu_choix_langue", .text = TextKey::LanguagePortuguese,
     .kind = Coche, .groupe = "langue"},
    {.name = "choix_langue", .index = 7, .parent = "menu_choix_langue", .text = TextKey::LanguageRussian,
     .kind = Coche, .groupe = "langue"},
    {.name = "choix_langue", .index = 8, .parent = "menu_choix_langue", .text = TextKey::LanguagePolish,
     .kind = Coche, .groupe = "langue"},
    {.parent = "menu_options", .kind = Separateur},
    {.name = "menu_sauve_option", .parent = "menu_options", .text = TextKey::MenuSaveOptions},

    // Window
    {.name = "menu_fenetre", .text = TextKey::MenuWindow, .kind = Menu},
    {.name = "wa", .index = 0, .parent = "menu_fenetre", .text = TextKey::MenuCascade},
    {.name = "wa", .index = 1, .parent = "menu_fenetre", .text = TextKey::MenuTileHorizontally},
    {.name = "wa", .index = 2, .parent = "menu_fenetre", .text = TextKey::MenuTileVertically},
    {.name = "wa", .index = 3, .parent = "menu_fenetre", .text = TextKey::MenuArrangeIcons},

    // Help
    {.name = "menu_aide", .text = TextKey::MenuHelp, .kind = Menu},
    {.name = "menu_sommaire", .parent = "menu_aide", .text = TextKey::MenuContents},
    {.name = "menu_aide_sur", .parent = "menu_aide", .text = TextKey::MenuHelpOn},
    {.parent = "menu_aide", .kind = Separateur},
    {.name = "menu_a_propos", .parent = "menu_aide", .text = TextKey::MenuAbout},
    {.name = "menu_release", .parent = "menu_aide", .text = TextKey::MenuWhatsNew, .aVenir = true},
};
// clang-format on

} // namespace

std::span<const ElementMenu> arbre_menu() { return Arbre; }

const ElementMenu* element_menu(const char* name, int index) {
    if (*name == '\0') return nullptr; // unnamed separators
    for (const ElementMenu& e : Arbre)
        if (e.index == index && std::strcmp(e.name, name) == 0) return &e;
    return nullptr;
}

std::optional<bool> actif_selon_partie(const ElementMenu& element, bool enCours) {
    if (element.aVenir) return std::nullopt;
    if (enCours) {
        if (element.enJeu) return true;
        if (element.horsJeu) return false;
    } else {
        if (element.fermeture) return false;
        if (element.horsJeu) return true;
    }
    return std::nullopt;
}

} // namespace quarvelin
