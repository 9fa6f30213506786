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
    {.nom = "menu_fichier", .texte = 658, .genre = Menu},
    {.nom = "menu_astuce", .parent = "menu_fichier", .texte = 659, .aVenir = true},
    {.nom = "menu_pref", .parent = "menu_fichier", .texte = 660, .raccourci = "Ctrl+P"},
    {.parent = "menu_fichier", .genre = Separateur},
    {.nom = "menu_con", .parent = "menu_fichier", .texte = 661, .genre = Menu},
    {.nom = "menu_ouverture", .parent = "menu_con", .texte = 662, .genre = Menu},
    {.nom = "menu_trans", .index = 1, .parent = "menu_ouverture", .texte = 663, .aVenir = true},
    {.nom = "menu_trans", .index = 2, .parent = "menu_ouverture", .texte = 664, .aVenir = true},
    {.parent = "menu_ouverture", .genre = Separateur},
    {.nom = "menu_grille", .parent = "menu_ouverture", .texte = 665, .aVenir = true},
    {.parent = "menu_con", .genre = Separateur},
    {.nom = "menu_enrichir_base", .parent = "menu_con", .texte = 666, .genre = Menu},
    {.nom = "menu_enrichir", .index = 0, .parent = "menu_enrichir_base", .texte = 667,
     .aVenir = true},
    {.nom = "menu_enrichir", .index = 1, .parent = "menu_enrichir_base", .texte = 668,
     .raccourci = "Ctrl+E", .aVenir = true},
    {.nom = "menu_enrichir", .index = 2, .parent = "menu_enrichir_base", .texte = 669,
     .aVenir = true},
    {.nom = "menu_imp", .parent = "menu_con", .texte = 670, .genre = Menu},
    {.nom = "menu_edt_eco", .parent = "menu_imp", .texte = 671, .aVenir = true},
    {.nom = "menu_edt_enrichie", .parent = "menu_imp", .texte = 672, .aVenir = true},
    {.nom = "menu_vider", .parent = "menu_con", .texte = 673, .aVenir = true},
    {.parent = "menu_con", .genre = Separateur},
    {.nom = "menu_repare", .parent = "menu_con", .texte = 674, .aVenir = true},
    {.nom = "menu_reorg", .parent = "menu_con", .texte = 675, .aVenir = true},
    // Enabled by the correspondence play mode.
    {.nom = "menu_part_pc", .parent = "menu_fichier", .texte = 676, .genre = Menu,
     .desactive = true},
    {.nom = "menu_pc_message", .parent = "menu_part_pc", .texte = 677, .aVenir = true},
    {.nom = "menu_pc_edition", .parent = "menu_part_pc", .texte = 678, .genre = Menu},
    {.nom = "menu_pc_edt", .index = 0, .parent = "menu_pc_edition", .texte = 679, .aVenir = true},
    {.nom = "menu_pc_edt", .index = 1, .parent = "menu_pc_edition", .texte = 680, .aVenir = true},
    {.parent = "menu_part_pc", .genre = Separateur},
    {.nom = "menu_pc_grille", .parent = "menu_part_pc", .texte = 681, .aVenir = true},
    // The recent files: captions are file names, set when the list is filled.
    {.nom = "mnuRecentFile", .index = 0, .parent = "menu_fichier", .genre = Separateur},
    {.nom = "mnuRecentFile", .index = 1, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 2, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 3, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 4, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 5, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 6, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 7, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 8, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 9, .parent = "menu_fichier"},
    {.nom = "mnuRecentFile", .index = 10, .parent = "menu_fichier"},
    {.parent = "menu_fichier", .genre = Separateur},
    // Ctrl+Q is what quits every Linux desktop program.
    {.nom = "menu_quitter", .parent = "menu_fichier", .texte = 682, .raccourci = "Ctrl+Q"},

    // Game
    {.nom = "menu_partie", .texte = 683, .genre = Menu},
    {.nom = "menu_nouvelle", .parent = "menu_partie", .texte = 684, .raccourci = "Ctrl+N",
     .horsJeu = true},
    {.nom = "menu_charge", .parent = "menu_partie", .texte = 685, .raccourci = "Ctrl+C"},
    // Once a game has been played it can be saved, even after its board is closed.
    {.nom = "menu_sauve", .parent = "menu_partie", .texte = 686, .raccourci = "Ctrl+S",
     .desactive = true, .enJeu = true},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_charge_fichier", .parent = "menu_partie", .texte = 687, .raccourci = "Ctrl+F"},
    {.nom = "menu_sauve_fichier", .parent = "menu_partie", .texte = 688},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_charge_xml", .parent = "menu_partie", .texte = 689, .raccourci = "Ctrl+U"},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_copie_position", .index = 1, .parent = "menu_partie", .texte = 690,
     .raccourci = "Ctrl+Ins", .desactive = true, .enJeu = true, .fermeture = true},
    {.nom = "menu_copie_position", .index = 2, .parent = "menu_partie", .texte = 691,
     .desactive = true, .enJeu = true, .fermeture = true},
    // Enabled at the start of a game only when the clipboard holds a position.
    {.nom = "menu_coller_position", .parent = "menu_partie", .texte = 692,
     .raccourci = "Shift+Ins", .desactive = true, .fermeture = true},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_envoi_position", .parent = "menu_partie", .texte = 693, .desactive = true,
     .enJeu = true, .fermeture = true, .aVenir = true},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_voir_ouvertures", .parent = "menu_partie", .texte = 694, .raccourci = "Ctrl+O",
     .desactive = true, .enJeu = true, .fermeture = true},
    {.nom = "menu_position", .parent = "menu_partie", .texte = 695},
    {.nom = "menu_modif_coup", .parent = "menu_partie", .texte = 696, .desactive = true,
     .enJeu = true, .fermeture = true},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_abrege", .parent = "menu_partie", .texte = 697, .raccourci = "Ctrl+A",
     .enJeu = true, .fermeture = true},
    {.nom = "menu_not_comp", .parent = "menu_partie", .texte = 698, .enJeu = true,
     .fermeture = true},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_chasse", .parent = "menu_partie", .texte = 699, .raccourci = "Ctrl+T",
     .desactive = true, .enJeu = true, .fermeture = true, .aVenir = true},
    {.nom = "affiche_log", .parent = "menu_partie", .texte = 820},
    {.nom = "menu_stat", .parent = "menu_partie", .texte = 821, .raccourci = "Ctrl+G",
     .aVenir = true},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_edition", .parent = "menu_partie", .texte = 822, .genre = Menu},
    {.nom = "menu_edt_liste", .parent = "menu_edition", .texte = 823, .genre = Menu},
    {.nom = "menu_edt_encours", .index = 0, .parent = "menu_edt_liste", .texte = 824},
    {.nom = "menu_edt_encours", .index = 1, .parent = "menu_edt_liste", .texte = 825,
     .raccourci = "Ctrl+I"},
    {.nom = "menu_edt_encours", .index = 2, .parent = "menu_edt_liste", .texte = 826},
    // Enabled while the board window lists games.
    {.nom = "menu_edt_pc", .parent = "menu_edition", .texte = 827, .desactive = true},
    {.nom = "menu_recherche", .parent = "menu_partie", .texte = 828},
    {.parent = "menu_partie", .genre = Separateur},
    {.nom = "menu_propose_nul", .parent = "menu_partie", .texte = 829, .desactive = true,
     .enJeu = true, .fermeture = true},
    {.nom = "menu_abandon", .parent = "menu_partie", .texte = 830, .desactive = true,
     .enJeu = true, .fermeture = true},

    // Options
    {.nom = "menu_options", .texte = 831, .genre = Menu},
    {.nom = "menu_mode", .parent = "menu_options", .texte = 832, .genre = Menu, .horsJeu = true},
    {.nom = "mode_machine", .parent = "menu_mode", .texte = 833, .genre = Coche, .groupe = "mode",
     .coche = true},
    {.nom = "mode_libre", .parent = "menu_mode", .texte = 834, .genre = Coche, .groupe = "mode"},
    {.nom = "mode_reseau", .parent = "menu_mode", .texte = 835, .genre = Coche, .groupe = "mode"},
    {.nom = "mode_auto", .parent = "menu_mode", .texte = 836, .genre = Coche, .groupe = "mode"},
    {.parent = "menu_mode", .genre = Separateur},
    {.nom = "mode_corres", .parent = "menu_mode", .texte = 837, .genre = Coche, .groupe = "mode"},
    // Ticked from the engine profile's depth, 0 until the settings are read.
    {.nom = "menu_niveau", .parent = "menu_options", .texte = 838, .genre = Menu},
    {.nom = "menu_niv", .index = 0, .parent = "menu_niveau", .texte = 839, .genre = Coche,
     .groupe = "niveau", .coche = true},
    {.nom = "menu_niv", .index = 1, .parent = "menu_niveau", .texte = 840, .genre = Coche,
     .groupe = "niveau"},
    {.nom = "menu_niv", .index = 2, .parent = "menu_niveau", .texte = 841, .genre = Coche,
     .groupe = "niveau"},
    {.nom = "menu_niv", .index = 3, .parent = "menu_niveau", .texte = 842, .genre = Coche,
     .groupe = "niveau"},
    {.nom = "menu_couleur", .parent = "menu_options", .texte = 843, .genre = Menu, .horsJeu = true},
    {.nom = "couleur_blanche", .parent = "menu_couleur", .texte = 844, .genre = Coche,
     .groupe = "couleur", .coche = true},
    {.nom = "couleur_noire", .parent = "menu_couleur", .texte = 845, .genre = Coche,
     .groupe = "couleur"},
    {.nom = "menu_notation", .parent = "menu_options", .texte = 846, .genre = Menu,
     .horsJeu = true},
    {.nom = "notation_francaise", .parent = "menu_notation", .texte = 847, .genre = Coche,
     .groupe = "notation", .coche = true},
    {.nom = "notation_pgn", .parent = "menu_notation", .texte = 848, .genre = Coche,
     .groupe = "notation"},
    {.nom = "notation_internationale", .parent = "menu_notation", .texte = 849, .genre = Coche,
     .groupe = "notation", .desactive = true},
    {.parent = "menu_options", .genre = Separateur},
    {.nom = "menu_moteur", .parent = "menu_options", .texte = 850, .horsJeu = true},
    {.nom = "menu_analyse", .parent = "menu_options", .texte = 851, .genre = Menu},
    {.nom = "analyser_ouverture", .parent = "menu_analyse", .texte = 852, .genre = Coche,
     .coche = true},
    {.parent = "menu_options", .genre = Separateur},
    {.nom = "menu_active_son", .parent = "menu_options", .texte = 853, .genre = Coche,
     .coche = true},
    {.nom = "menu_active_horloge", .parent = "menu_options", .texte = 854, .genre = Coche,
     .coche = true, .horsJeu = true},
    {.nom = "affiche_repere", .parent = "menu_options", .texte = 855, .raccourci = "Ctrl+R",
     .genre = Coche},
    {.nom = "affiche_commentaire", .parent = "menu_options", .texte = 856, .genre = Coche,
     .coche = true},
    {.parent = "menu_options", .genre = Separateur},
    // Ticked from the language setting, French until the settings are read.
    {.nom = "menu_choix_langue", .parent = "menu_options", .texte = 857, .genre = Menu},
    {.nom = "choix_langue", .index = 1, .parent = "menu_choix_langue", .texte = 858,
     .genre = Coche, .groupe = "langue", .coche = true},
    {.nom = "choix_langue", .index = 2, .parent = "menu_choix_langue", .texte = 859,
     .genre = Coche, .groupe = "langue"},
    {.nom = "choix_langue", .index = 3, .parent = "menu_choix_langue", .texte = 860,
     .genre = Coche, .groupe = "langue"},
    {.nom = "choix_langue", .index = 4, .parent = "menu_choix_langue", .texte = 861,
     .genre = Coche, .groupe = "langue"},
    {.nom = "choix_langue", .index = 5, .parent = "menu_choix_langue", .texte = 862,
     .genre = Coche, .groupe = "langue"},
    {.nom = "choix_langue", .index = 6, .parent = "menu_choix_langue", .texte = 863,
     .genre = Coche, .groupe = "langue"},
    {.nom = "choix_langue", .index = 7, .parent = "menu_choix_langue", .texte = 864,
     .genre = Coche, .groupe = "langue"},
    {.nom = "choix_langue", .index = 8, .parent = "menu_choix_langue", .texte = 865,
     .genre = Coche, .groupe = "langue"},
    {.parent = "menu_options", .genre = Separateur},
    {.nom = "menu_sauve_option", .parent = "menu_options", .texte = 866},

    // Window
    {.nom = "menu_fenetre", .texte = 867, .genre = Menu},
    {.nom = "wa", .index = 0, .parent = "menu_fenetre", .texte = 868},
    {.nom = "wa", .index = 1, .parent = "menu_fenetre", .texte = 869},
    {.nom = "wa", .index = 2, .parent = "menu_fenetre", .texte = 870},
    {.nom = "wa", .index = 3, .parent = "menu_fenetre", .texte = 871},

    // Help
    {.nom = "menu_aide", .texte = 872, .genre = Menu},
    {.nom = "menu_sommaire", .parent = "menu_aide", .texte = 873},
    {.nom = "menu_aide_sur", .parent = "menu_aide", .texte = 874},
    {.parent = "menu_aide", .genre = Separateur},
    {.nom = "menu_a_propos", .parent = "menu_aide", .texte = 875},
    {.nom = "menu_release", .parent = "menu_aide", .texte = 876, .aVenir = true},
};
// clang-format on

} // namespace

std::span<const ElementMenu> arbre_menu() { return Arbre; }

const ElementMenu* element_menu(const char* nom, int index) {
    if (*nom == '\0') return nullptr; // unnamed separators
    for (const ElementMenu& e : Arbre)
        if (e.index == index && std::strcmp(e.nom, nom) == 0) return &e;
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
