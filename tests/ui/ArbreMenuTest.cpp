#include "ui/ArbreMenu.h"
#include "localisation/Catalogue.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QString>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>

using quarvelin::arbre_menu;
using quarvelin::Catalogue;
using quarvelin::element_menu;
using quarvelin::ElementMenu;
using quarvelin::GenreMenu;

namespace {

using Cle = std::pair<std::string, int>;

std::string cle_texte(const Cle& c) {
    return c.second < 0 ? c.first : c.first + "[" + std::to_string(c.second) + "]";
}

std::string cle_texte(const ElementMenu& e) { return cle_texte(Cle{e.nom, e.index}); }

// Every item the main window's menus must offer, by name and index.
std::set<Cle> noms_attendus() {
    std::set<Cle> noms;
    const char* const simples[] = {
        "menu_fichier",        "menu_astuce",
        "menu_pref",           "menu_con",
        "menu_ouverture",      "menu_grille",
        "menu_enrichir_base",  "menu_imp",
        "menu_edt_eco",        "menu_edt_enrichie",
        "menu_vider",          "menu_repare",
        "menu_reorg",          "menu_part_pc",
        "menu_pc_message",     "menu_pc_edition",
        "menu_pc_grille",      "menu_quitter",
        "menu_partie",         "menu_nouvelle",
        "menu_charge",         "menu_sauve",
        "menu_charge_fichier", "menu_sauve_fichier",
        "menu_charge_xml",     "menu_coller_position",
        "menu_envoi_position", "menu_voir_ouvertures",
        "menu_position",       "menu_modif_coup",
        "menu_abrege",         "menu_not_comp",
        "menu_chasse",         "affiche_log",
        "menu_stat",           "menu_edition",
        "menu_edt_liste",      "menu_edt_pc",
        "menu_recherche",      "menu_propose_nul",
        "menu_abandon",        "menu_options",
        "menu_mode",           "mode_machine",
        "mode_libre",          "mode_reseau",
        "mode_auto",           "mode_corres",
        "menu_niveau",         "menu_couleur",
        "couleur_blanche",     "couleur_noire",
        "menu_notation",       "notation_francaise",
        "notation_pgn",        "notation_internationale",
        "menu_moteur",         "menu_analyse",
        "analyser_ouverture",  "menu_active_son",
        "menu_active_horloge", "affiche_repere",
        "affiche_commentaire", "menu_choix_langue",
        "menu_sauve_option",   "menu_fenetre",
        "menu_aide",           "menu_sommaire",
        "menu_aide_sur",       "menu_a_propos",
        "menu_release",
    };
    for (const char* nom : simples) noms.insert({nom, -1});
    const struct {
        const char* nom;
        int premier, dernier;
    } tableaux[] = {
        {"menu_trans", 1, 2},     {"menu_enrichir", 0, 2},       {"menu_pc_edt", 0, 1},
        {"mnuRecentFile", 0, 10}, {"menu_copie_position", 1, 2}, {"menu_edt_encours", 0, 2},
        {"menu_niv", 0, 3},       {"choix_langue", 1, 8},        {"wa", 0, 3}};
    for (const auto& t : tableaux)
        for (int i = t.premier; i <= t.dernier; ++i) noms.insert({t.nom, i});
    return noms;
}

std::string francais(int offset) {
    static const Catalogue catalogue;
    return catalogue.texte_catalogue(Catalogue::base_texte(1) + offset);
}

TEST(ArbreMenu, ChaqueElementAttenduUneFoisEtRienDAutre) {
    std::set<Cle> presents;
    for (const ElementMenu& e : arbre_menu()) {
        if (*e.nom == '\0') continue;
        EXPECT_TRUE(presents.insert({e.nom, e.index}).second) << "twice: " << cle_texte(e);
    }
    const std::set<Cle> attendus = noms_attendus();
    for (const Cle& c : attendus) EXPECT_TRUE(presents.count(c)) << "missing: " << cle_texte(c);
    for (const Cle& c : presents) EXPECT_TRUE(attendus.count(c)) << "unknown: " << cle_texte(c);
}

TEST(ArbreMenu, ElementsRepresentatifs) {
    constexpr GenreMenu M = GenreMenu::Menu, C = GenreMenu::Commande, K = GenreMenu::Coche;
    const struct {
        const char* nom;
        int index;
        const char* parent;
        const char* legende;
        const char* raccourci;
        GenreMenu genre;
        const char* groupe;
        bool coche, desactive, enJeu, horsJeu, aVenir;
    } cas[] = {
        {"menu_fichier", -1, nullptr, "&Fichier", "", M, nullptr, 0, 0, 0, 0, 0},
        {"menu_pref", -1, "menu_fichier", "&Préférence", "Ctrl+P", C, nullptr, 0, 0, 0, 0, 0},
        {"menu_trans", 2, "menu_ouverture", "&Exporter les ouvertures (CSV)", "", C, nullptr, 0, 0,
         0, 0, 1},
        {"menu_enrichir", 1, "menu_enrichir_base", "&Toute la partie en cours", "Ctrl+E", C,
         nullptr, 0, 0, 0, 0, 1},
        {"menu_reorg", -1, "menu_con", "Ré&organiser la base de connaissance", "", C, nullptr, 0, 0,
         0, 0, 1},
        {"menu_part_pc", -1, "menu_fichier", "Parties par &correspondance (outils)", "", M, nullptr,
         0, 1, 0, 0, 0},
        {"menu_pc_edt", 1, "menu_pc_edition", "Liste des parties par date d'&envoi", "", C, nullptr,
         0, 0, 0, 0, 1},
        {"menu_quitter", -1, "menu_fichier", "&Quitter", "Ctrl+Q", C, nullptr, 0, 0, 0, 0, 0},
        {"menu_nouvelle", -1, "menu_partie", "&Nouvelle partie", "Ctrl+N", C, nullptr, 0, 0, 0, 1,
         0},
        {"menu_sauve", -1, "menu_partie", "&Sauver la partie en cours", "Ctrl+S", C, nullptr, 0, 1,
         1, 0, 0},
        {"menu_copie_position", 1, "menu_partie", "Copier une &position", "Ctrl+Ins", C, nullptr, 0,
         1, 1, 0, 0},
        {"menu_copie_position", 2, "menu_partie", "Copier au format F.E.N.", "", C, nullptr, 0, 1,
         1, 0, 0},
        {"menu_coller_position", -1, "menu_partie", "Co&ller une position", "Shift+Ins", C, nullptr,
         0, 1, 0, 0, 0},
        {"menu_voir_ouvertures", -1, "menu_partie", "&Voir les ouvertures possibles", "Ctrl+O", C,
         nullptr, 0, 1, 1, 0, 0},
        {"menu_abrege", -1, "menu_partie", "&Notation abrégée en cours", "Ctrl+A", C, nullptr, 0, 0,
         1, 0, 0},
        {"menu_edt_encours", 1, "menu_edt_liste", "&Liste des coups sans diagramme", "Ctrl+I", C,
         nullptr, 0, 0, 0, 0, 0},
        {"menu_abandon", -1, "menu_partie", "&Abandonner la partie", "", C, nullptr, 0, 1, 1, 0, 0},
        {"menu_mode", -1, "menu_options", "&Mode", "", M, nullptr, 0, 0, 0, 1, 0},
        {"mode_machine", -1, "menu_mode", "Partie - joueur contre la &Machine (Quarvelin V1.x)", "",
         K, "mode", 1, 0, 0, 0, 0},
        {"mode_corres", -1, "menu_mode", "Partie - par correspondance (&Mèl)", "", K, "mode", 0, 0,
         0, 0, 0},
        {"menu_niv", 2, "menu_niveau", "&2 - Confirmé", "", K, "niveau", 0, 0, 0, 0, 0},
        {"couleur_noire", -1, "menu_couleur", "Vous avez les &Noirs", "", K, "couleur", 0, 0, 0, 0,
         0},
        {"notation_internationale", -1, "menu_notation", "&Internationale (ex : 1.1223)", "", K,
         "notation", 0, 1, 0, 0, 0},
        {"menu_active_horloge", -1, "menu_options", "Activer les &horloges", "", K, nullptr, 1, 0,
         0, 1, 0},
        {"affiche_repere", -1, "menu_options", "&Repère sur l'Echiquier (a1-h8)", "Ctrl+R", K,
         nullptr, 0, 0, 0, 0, 0},
        {"choix_langue", 7, "menu_choix_langue", "Русский", "", K, "langue", 0, 0, 0, 0, 0},
        {"wa", 1, "menu_fenetre", "Mosaïque &Horizontale", "", C, nullptr, 0, 0, 0, 0, 0},
        {"menu_aide", -1, nullptr, "&?", "", M, nullptr, 0, 0, 0, 0, 0},
        {"menu_release", -1, "menu_aide", "&Nouveautés de la version", "", C, nullptr, 0, 0, 0, 0,
         1},
    };
    const auto egal = [](const char* a, const char* b) {
        return a == b || (a && b && std::strcmp(a, b) == 0);
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(cle_texte(Cle{c.nom, c.index}));
        const ElementMenu* e = element_menu(c.nom, c.index);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(egal(e->parent, c.parent)) << (e->parent ? e->parent : "(bar)");
        EXPECT_EQ(francais(e->texte), c.legende);
        EXPECT_STREQ(e->raccourci, c.raccourci);
        EXPECT_EQ(e->genre, c.genre);
        EXPECT_TRUE(egal(e->groupe, c.groupe));
        EXPECT_EQ(e->coche, c.coche);
        EXPECT_EQ(e->desactive, c.desactive);
        EXPECT_EQ(e->enJeu, c.enJeu);
        EXPECT_EQ(e->horsJeu, c.horsJeu);
        EXPECT_EQ(e->aVenir, c.aVenir);
    }
}

TEST(ArbreMenu, ParentsDeclaresAvantLeursEnfants) {
    std::set<std::string> menus;
    int premierNiveau = 0;
    for (const ElementMenu& e : arbre_menu()) {
        SCOPED_TRACE(cle_texte(e));
        if (e.parent)
            EXPECT_TRUE(menus.count(e.parent)) << "parent not a menu above: " << e.parent;
        else
            EXPECT_EQ(e.genre, GenreMenu::Menu) << "only menus sit on the bar";
        if (e.genre == GenreMenu::Menu) {
            EXPECT_EQ(e.index, -1);
            menus.insert(e.nom);
            premierNiveau += e.parent == nullptr;
        }
    }
    EXPECT_EQ(premierNiveau, 5);
}

TEST(ArbreMenu, GenresCoherents) {
    for (const ElementMenu& e : arbre_menu()) {
        SCOPED_TRACE(cle_texte(e));
        if (e.genre == GenreMenu::Separateur) {
            EXPECT_EQ(e.texte, 0);
            EXPECT_FALSE(e.aVenir || e.enJeu || e.horsJeu || e.fermeture || e.coche);
        } else if (e.texte == 0) {
            EXPECT_STREQ(e.nom, "mnuRecentFile") << "only recent files are captioned later";
        }
        if (e.coche || e.groupe) {
            EXPECT_EQ(e.genre, GenreMenu::Coche);
        }
        if (e.raccourci[0]) {
            EXPECT_NE(e.genre, GenreMenu::Menu);
        }
        if (e.genre == GenreMenu::Menu) {
            EXPECT_FALSE(e.aVenir) << "a menu opens; its items wait";
        }
    }
}

TEST(ArbreMenu, GroupesExclusifsUnSeulCocheDansUnMenu) {
    std::map<std::string, int> coches, membres;
    std::map<std::string, std::string> parents;
    for (const ElementMenu& e : arbre_menu()) {
        if (!e.groupe) continue;
        ++membres[e.groupe];
        coches[e.groupe] += e.coche;
        const auto [it, nouveau] = parents.emplace(e.groupe, e.parent);
        if (!nouveau) {
            EXPECT_EQ(it->second, e.parent) << e.groupe << " spans two menus";
        }
    }
    const std::map<std::string, int> attendus = {
        {"couleur", 2}, {"langue", 8}, {"mode", 5}, {"niveau", 4}, {"notation", 3}};
    EXPECT_EQ(membres, attendus);
    for (const auto& [groupe, n] : coches) EXPECT_EQ(n, 1) << groupe;
    EXPECT_TRUE(element_menu("mode_machine")->coche);
    EXPECT_TRUE(element_menu("couleur_blanche")->coche);
    EXPECT_TRUE(element_menu("notation_francaise")->coche);
}

TEST(ArbreMenu, RaccourcisLisiblesEtDistincts) {
    std::map<QKeySequence, std::string> vus;
    for (const ElementMenu& e : arbre_menu()) {
        if (!e.raccourci[0]) continue;
        const QKeySequence touches(QString::fromUtf8(e.raccourci));
        ASSERT_EQ(touches.count(), 1) << cle_texte(e) << ": " << e.raccourci;
        EXPECT_NE(touches[0].key(), Qt::Key_unknown) << cle_texte(e);
        const auto [it, nouveau] = vus.emplace(touches, cle_texte(e));
        EXPECT_TRUE(nouveau) << e.raccourci << " on " << it->second << " and " << cle_texte(e);
    }
    EXPECT_EQ(vus.size(), 16u);
}

TEST(ArbreMenu, DecalagesUniquesEtTraduitsPartout) {
    const Catalogue catalogue;
    std::set<int> vus = {quarvelin::TexteAVenir};
    for (const ElementMenu& e : arbre_menu()) {
        if (e.texte == 0) continue;
        EXPECT_TRUE(vus.insert(e.texte).second) << cle_texte(e) << " reuses " << e.texte;
    }
    for (int offset : vus)
        for (int cle = 1; cle <= quarvelin::NombreLangues; ++cle)
            EXPECT_NE(catalogue.texte_catalogue(Catalogue::base_texte(cle) + offset), "")
                << offset << " in " << Catalogue::nom_fichier(cle);
}

// The position of the one access-key marker, -1 without one, -2 for a malformed caption.
int touche_acces(const std::string& legende) {
    int position = -1;
    for (std::size_t i = 0; i < legende.size(); ++i) {
        if (legende[i] != '&') continue;
        if (i + 1 < legende.size() && legende[i + 1] == '&') {
            ++i; // a literal ampersand
            continue;
        }
        if (position >= 0 || i + 1 == legende.size() || legende[i + 1] == ' ') return -2;
        position = static_cast<int>(i);
    }
    return position;
}

TEST(ArbreMenu, ToucheAccesDansChaqueLangue) {
    const struct {
        const char* legende;
        int position;
    } cas[] = {{"&Fichier", 0}, {"No&tation", 2}, {"Copier au format F.E.N.", -1},
               {"A && B", -1},  {"&A &B", -2},    {"fin&", -2},
               {"& x", -2},     {"&?", 0}};
    for (const auto& c : cas) EXPECT_EQ(touche_acces(c.legende), c.position) << c.legende;

    const Catalogue catalogue;
    for (const ElementMenu& e : arbre_menu()) {
        if (e.texte == 0) continue;
        const bool enFrancais = touche_acces(francais(e.texte)) >= 0;
        for (int cle = 1; cle <= quarvelin::NombreLangues; ++cle) {
            const std::string t = catalogue.texte_catalogue(Catalogue::base_texte(cle) + e.texte);
            const int position = touche_acces(t);
            EXPECT_NE(position, -2) << Catalogue::nom_fichier(cle) << " " << e.texte << " " << t;
            EXPECT_EQ(position >= 0, enFrancais)
                << Catalogue::nom_fichier(cle) << " " << e.texte << " " << t;
        }
    }
}

// Starting a game enables exactly these and disables exactly those.
TEST(ArbreMenu, EtatsDePartie) {
    const std::set<Cle> enJeu = {
        {"menu_propose_nul", -1},    {"menu_abandon", -1},        {"menu_sauve", -1},
        {"menu_abrege", -1},         {"menu_not_comp", -1},       {"menu_chasse", -1},
        {"menu_modif_coup", -1},     {"menu_copie_position", 1},  {"menu_copie_position", 2},
        {"menu_envoi_position", -1}, {"menu_voir_ouvertures", -1}};
    const std::set<Cle> horsJeu = {{"menu_nouvelle", -1}, {"menu_mode", -1},
                                   {"menu_couleur", -1},  {"menu_notation", -1},
                                   {"menu_moteur", -1},   {"menu_active_horloge", -1}};
    std::set<Cle> lusEnJeu, lusHorsJeu;
    for (const ElementMenu& e : arbre_menu()) {
        if (e.enJeu) lusEnJeu.insert({e.nom, e.index});
        if (e.horsJeu) lusHorsJeu.insert({e.nom, e.index});
    }
    EXPECT_EQ(lusEnJeu, enJeu);
    EXPECT_EQ(lusHorsJeu, horsJeu);

    using R = std::optional<bool>;
    const struct {
        const char* nom;
        int index;
        R debut, fin;
    } cas[] = {
        {"menu_abandon", -1, true, false},
        {"menu_copie_position", 2, true, false},
        {"menu_abrege", -1, true, false},
        {"menu_nouvelle", -1, false, true},
        {"menu_couleur", -1, false, true},
        {"menu_active_horloge", -1, false, true},
        // Pasting depends on the clipboard when the game starts, and stops with the board.
        {"menu_coller_position", -1, std::nullopt, false},
        // A game once played can be saved, even after its board is closed.
        {"menu_sauve", -1, true, std::nullopt},
        // Not offered yet: stays disabled whatever the game does.
        {"menu_chasse", -1, std::nullopt, std::nullopt},
        {"menu_position", -1, std::nullopt, std::nullopt},
        {"mode_machine", -1, std::nullopt, std::nullopt},
    };
    for (const auto& c : cas) {
        const ElementMenu* e = element_menu(c.nom, c.index);
        ASSERT_NE(e, nullptr) << c.nom;
        EXPECT_EQ(quarvelin::actif_selon_partie(*e, true), c.debut)
            << cle_texte(Cle{c.nom, c.index});
        EXPECT_EQ(quarvelin::actif_selon_partie(*e, false), c.fin)
            << cle_texte(Cle{c.nom, c.index});
    }
}

TEST(ArbreMenu, RechercheParNom) {
    EXPECT_EQ(element_menu("menu_niv"), nullptr) << "an array needs its index";
    EXPECT_EQ(element_menu("menu_niv", 4), nullptr);
    EXPECT_EQ(element_menu("nothing"), nullptr);
    EXPECT_EQ(element_menu(""), nullptr) << "unnamed separators are not found";
    ASSERT_NE(element_menu("menu_niv", 3), nullptr);
    EXPECT_EQ(element_menu("menu_niv", 3)->index, 3);
}

} // namespace
