// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuTree.h"

#include <cstring>

namespace quarvelin {

namespace {

constexpr MenuKind Menu = MenuKind::Menu;
constexpr MenuKind Tick = MenuKind::Tick;
constexpr MenuKind Separator = MenuKind::Separator;

// clang-format off
constexpr ElementMenu Tree[] = {
    // File
    {.name = "menu_fichier", .text = TextKey::MenuFile, .kind = Menu},
    {.name = "menu_astuce", .parent = "menu_fichier", .text = TextKey::MenuTip},
    {.name = "menu_pref", .parent = "menu_fichier", .text = TextKey::MenuPreferences, .shortcut = "Ctrl+,"},
    {.parent = "menu_fichier", .kind = Separator},
    {.name = "menu_con", .parent = "menu_fichier", .text = TextKey::MenuKnowledgeBase, .kind = Menu},
    {.name = "menu_ouverture", .parent = "menu_con", .text = TextKey::MenuOpenings, .kind = Menu},
    {.name = "menu_trans", .index = 1, .parent = "menu_ouverture", .text = TextKey::MenuImportOpenings},
    {.name = "menu_trans", .index = 2, .parent = "menu_ouverture", .text = TextKey::MenuExportOpenings},
    {.parent = "menu_ouverture", .kind = Separator},
    {.name = "menu_grille", .parent = "menu_ouverture", .text = TextKey::MenuOpeningsGrid},
    {.parent = "menu_con", .kind = Separator},
    {.name = "menu_enrichir_base", .parent = "menu_con", .text = TextKey::MenuEnrichBase, .kind = Menu},
    {.name = "menu_enrichir", .index = 0, .parent = "menu_enrichir_base", .text = TextKey::MenuEnrichToCursor},
    {.name = "menu_enrichir", .index = 1, .parent = "menu_enrichir_base", .text = TextKey::MenuEnrichWholeGame,
     .shortcut = "Ctrl+E"},
    {.name = "menu_enrichir", .index = 2, .parent = "menu_enrichir_base", .text = TextKey::MenuEnrichFromPgn},
    {.name = "menu_imp", .parent = "menu_con", .text = TextKey::MenuBasePrint, .kind = Menu},
    {.name = "menu_edt_eco", .parent = "menu_imp", .text = TextKey::MenuPrintOpeningBase},
    {.name = "menu_edt_enrichie", .parent = "menu_imp", .text = TextKey::MenuPrintEnrichedBase},
    {.name = "menu_vider", .parent = "menu_con", .text = TextKey::MenuEmptyBase},
    {.parent = "menu_con", .kind = Separator},
    {.name = "menu_repare", .parent = "menu_con", .text = TextKey::MenuRepairBase},
    {.name = "menu_reorg", .parent = "menu_con", .text = TextKey::MenuReorganiseBase},
    // Enabled by the correspondence play mode.
    {.name = "menu_part_pc", .parent = "menu_fichier", .text = TextKey::MenuCorrespondence, .kind = Menu,
     .disabled = true},
    {.name = "menu_pc_message", .parent = "menu_part_pc", .text = TextKey::MenuSendMail},
    {.name = "sendCorrespondenceMove", .parent = "menu_part_pc", .text = TextKey::ButtonSendMove},
    {.name = "enterCorrespondenceMove", .parent = "menu_part_pc", .text = TextKey::ButtonEnterMove},
    {.name = "menu_pc_edition", .parent = "menu_part_pc", .text = TextKey::MenuCorrespondencePrint, .kind = Menu},
    {.name = "menu_pc_edt", .index = 0, .parent = "menu_pc_edition", .text = TextKey::MenuGamesByStartDate},
    {.name = "menu_pc_edt", .index = 1, .parent = "menu_pc_edition", .text = TextKey::MenuGamesBySendingDate},
    {.parent = "menu_part_pc", .kind = Separator},
    {.name = "menu_pc_grille", .parent = "menu_part_pc", .text = TextKey::MenuCorrespondenceGrid},
    // The recent files: captions are file names, set when the list is filled.
    {.name = "mnuRecentFile", .index = 0, .parent = "menu_fichier", .kind = Separator},
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
    {.parent = "menu_fichier", .kind = Separator},
    // Ctrl+Q is what quits every Linux desktop program.
    {.name = "menu_quitter", .parent = "menu_fichier", .text = TextKey::MenuQuit, .shortcut = "Ctrl+Q"},

    // Game
    {.name = "menu_partie", .text = TextKey::MenuGame, .kind = Menu},
    // New game is there during a game too: it asks before abandoning it.
    {.name = "menu_nouvelle", .parent = "menu_partie", .text = TextKey::MenuNewGame, .shortcut = "Ctrl+N"},
    // The desktop's keys where they would clash: Ctrl+O opens, Ctrl+C/Ctrl+V copy and paste.
    {.name = "menu_charge", .parent = "menu_partie", .text = TextKey::MenuLoadGame, .shortcut = "Ctrl+O"},
    // Once a game has been played it can be saved, even after its board is closed.
    {.name = "menu_sauve", .parent = "menu_partie", .text = TextKey::MenuSaveGame, .shortcut = "Ctrl+S",
     .disabled = true, .inGame = true},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_charge_fichier", .parent = "menu_partie", .text = TextKey::MenuLoadGamesFile, .shortcut = "Ctrl+F"},
    {.name = "menu_sauve_fichier", .parent = "menu_partie", .text = TextKey::MenuExtractGames},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_charge_xml", .parent = "menu_partie", .text = TextKey::MenuLoadXml, .shortcut = "Ctrl+U"},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_copie_position", .index = 1, .parent = "menu_partie", .text = TextKey::MenuCopyPosition,
     .shortcut = "Ctrl+Ins", .disabled = true, .inGame = true, .closing = true},
    {.name = "menu_copie_position", .index = 2, .parent = "menu_partie", .text = TextKey::MenuCopyFen,
     .shortcut = "Ctrl+C", .disabled = true, .inGame = true, .closing = true},
    // Enabled at the start of a game only when the clipboard holds a position.
    {.name = "menu_coller_position", .parent = "menu_partie", .text = TextKey::MenuPastePosition,
     .shortcut = "Ctrl+V; Shift+Ins", .disabled = true, .closing = true},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_envoi_position", .parent = "menu_partie", .text = TextKey::MenuSendPosition, .disabled = true,
     .inGame = true, .closing = true},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_voir_ouvertures", .parent = "menu_partie", .text = TextKey::MenuViewOpenings,
     .shortcut = "Ctrl+Shift+O",
     .disabled = true, .inGame = true, .closing = true},
    {.name = "menu_position", .parent = "menu_partie", .text = TextKey::MenuSetUpPieces},
    {.name = "menu_modif_coup", .parent = "menu_partie", .text = TextKey::MenuModifyLastMove, .disabled = true,
     .inGame = true, .closing = true},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_abrege", .parent = "menu_partie", .text = TextKey::MenuShortNotation, .shortcut = "Ctrl+A",
     .inGame = true, .closing = true},
    {.name = "menu_not_comp", .parent = "menu_partie", .text = TextKey::MenuFullNotation, .inGame = true,
     .closing = true},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_chasse", .parent = "menu_partie", .text = TextKey::MenuCapturedPieces, .shortcut = "Ctrl+T",
     .disabled = true, .inGame = true, .closing = true},
    {.name = "affiche_log", .parent = "menu_partie", .text = TextKey::MenuShowLog},
    {.name = "menu_stat", .parent = "menu_partie", .text = TextKey::MenuStatistics, .shortcut = "Ctrl+G"},
    {.name = "analyseGame", .parent = "menu_partie", .text = TextKey::MenuAnalyseGame, .shortcut = "Ctrl+Shift+A",
     .disabled = true, .inGame = true, .closing = true},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_edition", .parent = "menu_partie", .text = TextKey::MenuPrint, .kind = Menu},
    {.name = "menu_edt_liste", .parent = "menu_edition", .text = TextKey::MenuPrintCurrentGame, .kind = Menu},
    {.name = "menu_edt_encours", .index = 0, .parent = "menu_edt_liste", .text = TextKey::MenuPrintSimplifiedPgn},
    {.name = "menu_edt_encours", .index = 1, .parent = "menu_edt_liste", .text = TextKey::MenuPrintMoveList,
     .shortcut = "Ctrl+P; Ctrl+I"},
    {.name = "menu_edt_encours", .index = 2, .parent = "menu_edt_liste", .text = TextKey::MenuPrintWithDiagrams},
    // Enabled while the board window lists games.
    {.name = "menu_edt_pc", .parent = "menu_edition", .text = TextKey::MenuPrintLoadedGames, .disabled = true},
    {.name = "menu_recherche", .parent = "menu_partie", .text = TextKey::MenuSearch},
    {.parent = "menu_partie", .kind = Separator},
    {.name = "menu_propose_nul", .parent = "menu_partie", .text = TextKey::MenuOfferDraw, .disabled = true,
     .duringPlay = true, .closing = true},
    {.name = "menu_abandon", .parent = "menu_partie", .text = TextKey::MenuResign, .disabled = true,
     .duringPlay = true, .closing = true},

    // Options
    {.name = "menu_options", .text = TextKey::MenuOptions, .kind = Menu},
    {.name = "menu_mode", .parent = "menu_options", .text = TextKey::MenuMode, .kind = Menu, .outOfGame = true},
    {.name = "mode_machine", .parent = "menu_mode", .text = TextKey::MenuModeMachine, .kind = Tick, .group = "mode",
     .ticked = true},
    {.name = "mode_libre", .parent = "menu_mode", .text = TextKey::MenuModeFree, .kind = Tick, .group = "mode"},
    {.name = "mode_reseau", .parent = "menu_mode", .text = TextKey::MenuModeNetwork, .kind = Tick, .group = "mode"},
    {.name = "mode_auto", .parent = "menu_mode", .text = TextKey::MenuModeAutomatic, .kind = Tick, .group = "mode"},
    {.parent = "menu_mode", .kind = Separator},
    {.name = "mode_corres", .parent = "menu_mode", .text = TextKey::MenuModeCorrespondence, .kind = Tick, .group = "mode"},
    // Ticked from the engine profile's depth, 0 until the settings are read.
    {.name = "menu_niveau", .parent = "menu_options", .text = TextKey::MenuLevel, .kind = Menu},
    {.name = "menu_niv", .index = 0, .parent = "menu_niveau", .text = TextKey::MenuLevelBeginner, .kind = Tick,
     .group = "niveau", .ticked = true},
    {.name = "menu_niv", .index = 1, .parent = "menu_niveau", .text = TextKey::MenuLevelNovice, .kind = Tick,
     .group = "niveau"},
    {.name = "menu_niv", .index = 2, .parent = "menu_niveau", .text = TextKey::MenuLevelAdvanced, .kind = Tick,
     .group = "niveau"},
    {.name = "menu_niv", .index = 3, .parent = "menu_niveau", .text = TextKey::MenuLevelExpert, .kind = Tick,
     .group = "niveau"},
    {.name = "menu_couleur", .parent = "menu_options", .text = TextKey::MenuSide, .kind = Menu, .outOfGame = true},
    {.name = "couleur_blanche", .parent = "menu_couleur", .text = TextKey::MenuPlayWhite, .kind = Tick,
     .group = "couleur", .ticked = true},
    {.name = "couleur_noire", .parent = "menu_couleur", .text = TextKey::MenuPlayBlack, .kind = Tick,
     .group = "couleur"},
    {.name = "menu_notation", .parent = "menu_options", .text = TextKey::MenuNotation, .kind = Menu,
     .outOfGame = true},
    {.name = "notation_francaise", .parent = "menu_notation", .text = TextKey::MenuNotationFrench, .kind = Tick,
     .group = "notation", .ticked = true},
    {.name = "notation_pgn", .parent = "menu_notation", .text = TextKey::MenuNotationPgn, .kind = Tick,
     .group = "notation"},
    {.name = "notation_internationale", .parent = "menu_notation", .text = TextKey::MenuNotationInternational, .kind = Tick,
     .group = "notation", .disabled = true},
    {.parent = "menu_options", .kind = Separator},
    {.name = "menu_moteur", .parent = "menu_options", .text = TextKey::MenuLoadParameters, .outOfGame = true},
    {.name = "menu_analyse", .parent = "menu_options", .text = TextKey::MenuAnalysis, .kind = Menu},
    {.name = "analyser_ouverture", .parent = "menu_analyse", .text = TextKey::MenuAnalyseOpenings, .kind = Tick,
     .ticked = true},
    {.name = "tournament", .parent = "menu_options", .text = TextKey::MenuTournament},
    {.parent = "menu_options", .kind = Separator},
    {.name = "menu_active_son", .parent = "menu_options", .text = TextKey::MenuSounds, .kind = Tick,
     .ticked = true},
    {.name = "menu_active_horloge", .parent = "menu_options", .text = TextKey::MenuClocks, .kind = Tick,
     .ticked = true, .outOfGame = true},
    {.name = "affiche_repere", .parent = "menu_options", .text = TextKey::MenuCoordinates, .shortcut = "Ctrl+R",
     .kind = Tick},
    {.name = "affiche_commentaire", .parent = "menu_options", .text = TextKey::MenuCommentWindow, .kind = Tick,
     .ticked = true},
    {.parent = "menu_options", .kind = Separator},
    // Ticked from the language setting, French until the settings are read.
    {.name = "menu_choix_langue", .parent = "menu_options", .text = TextKey::MenuLanguage, .kind = Menu},
    {.name = "choix_langue", .index = 1, .parent = "menu_choix_langue", .text = TextKey::LanguageFrench,
     .kind = Tick, .group = "langue", .ticked = true},
    {.name = "choix_langue", .index = 2, .parent = "menu_choix_langue", .text = TextKey::LanguageEnglish,
     .kind = Tick, .group = "langue"},
    {.name = "choix_langue", .index = 3, .parent = "menu_choix_langue", .text = TextKey::LanguageItalian,
     .kind = Tick, .group = "langue"},
    {.name = "choix_langue", .index = 4, .parent = "menu_choix_langue", .text = TextKey::LanguageSpanish,
     .kind = Tick, .group = "langue"},
    {.name = "choix_langue", .index = 5, .parent = "menu_choix_langue", .text = TextKey::LanguageGerman,
     .kind = Tick, .group = "langue"},
    {.name = "choix_langue", .index = 6, .parent = "menu_choix_langue", .text = TextKey::LanguagePortuguese,
     .kind = Tick, .group = "langue"},
    {.name = "choix_langue", .index = 7, .parent = "menu_choix_langue", .text = TextKey::LanguageRussian,
     .kind = Tick, .group = "langue"},
    {.name = "choix_langue", .index = 8, .parent = "menu_choix_langue", .text = TextKey::LanguagePolish,
     .kind = Tick, .group = "langue"},
    {.parent = "menu_options", .kind = Separator},
    {.name = "menu_sauve_option", .parent = "menu_options", .text = TextKey::MenuSaveOptions},

    // Window
    {.name = "menu_fenetre", .text = TextKey::MenuWindow, .kind = Menu},
    {.name = "wa", .index = 0, .parent = "menu_fenetre", .text = TextKey::MenuCascade},
    {.name = "wa", .index = 1, .parent = "menu_fenetre", .text = TextKey::MenuTileHorizontally},
    {.name = "wa", .index = 2, .parent = "menu_fenetre", .text = TextKey::MenuTileVertically},
    {.name = "wa", .index = 3, .parent = "menu_fenetre", .text = TextKey::MenuArrangeIcons},

    // Help
    {.name = "menu_aide", .text = TextKey::MenuHelp, .kind = Menu},
    {.name = "menu_sommaire", .parent = "menu_aide", .text = TextKey::MenuContents, .shortcut = "F1"},
    {.name = "menu_aide_sur", .parent = "menu_aide", .text = TextKey::MenuHelpOn},
    {.parent = "menu_aide", .kind = Separator},
    {.name = "menu_a_propos", .parent = "menu_aide", .text = TextKey::MenuAbout},
    {.name = "menu_release", .parent = "menu_aide", .text = TextKey::MenuWhatsNew},
};
// clang-format on

} // namespace

std::span<const ElementMenu> menuTree() { return Tree; }

const ElementMenu* menuItem(const char* name, int index) {
    if (*name == '\0') return nullptr; // unnamed separators
    for (const ElementMenu& e : Tree)
        if (e.index == index && std::strcmp(e.name, name) == 0) return &e;
    return nullptr;
}

std::optional<bool> enabledByGameState(const ElementMenu& element, GameState state) {
    if (element.comingSoon) return std::nullopt;
    switch (state) {
    case GameState::InProgress:
        if (element.inGame || element.duringPlay) return true;
        if (element.outOfGame) return false;
        break;
    case GameState::Over:
        if (element.duringPlay) return false;
        if (element.inGame || element.outOfGame) return true;
        break;
    case GameState::NoBoard:
        if (element.closing) return false;
        if (element.outOfGame) return true;
        break;
    }
    return std::nullopt;
}

} // namespace quarvelin
