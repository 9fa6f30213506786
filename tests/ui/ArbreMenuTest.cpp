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

using Key = std::pair<std::string, int>;

std::string cle_texte(const Key& c) {
    return c.second < 0 ? c.first : c.first + "[" + std::to_string(c.second) + "]";
}

std::string cle_texte(const ElementMenu& e) { return cle_texte(Key{e.name, e.index}); }

std::string francais(quarvelin::TextKey key) {
    static const Catalogue catalogue;
    return catalogue.texte_catalogue(Catalogue::textBase(1) + quarvelin::offsetOf(key));
}

TEST(ArbreMenu, EachNamedItemOnce) {
    std::set<Key> presents;
    for (const ElementMenu& e : arbre_menu()) {
        if (*e.name == '\0') continue;
        EXPECT_TRUE(presents.insert({e.name, e.index}).second) << "twice: " << cle_texte(e);
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
            EXPECT_EQ(e.kind, GenreMenu::Menu) << "only menus sit on the bar";
        if (e.kind == GenreMenu::Menu) {
            EXPECT_EQ(e.index, -1);
            menus.insert(e.name);
            premierNiveau += e.parent == nullptr;
        }
    }
    EXPECT_EQ(premierNiveau, 5);
}

TEST(ArbreMenu, GenresCoherents) {
    for (const ElementMenu& e : arbre_menu()) {
        SCOPED_TRACE(cle_texte(e));
        if (e.kind == GenreMenu::Separateur) {
            EXPECT_FALSE(e.text);
            EXPECT_FALSE(e.aVenir || e.enJeu || e.horsJeu || e.fermeture || e.ticked);
        } else if (!e.text) {
            EXPECT_STREQ(e.name, "mnuRecentFile") << "only recent files are captioned later";
        }
        if (e.ticked || e.groupe) {
            EXPECT_EQ(e.kind, GenreMenu::Coche);
        }
        if (e.raccourci[0]) {
            EXPECT_NE(e.kind, GenreMenu::Menu);
        }
        if (e.kind == GenreMenu::Menu) {
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
        coches[e.groupe] += e.ticked;
        const auto [it, nouveau] = parents.emplace(e.groupe, e.parent);
        if (!nouveau) {
            EXPECT_EQ(it->second, e.parent) << e.groupe << " spans two menus";
        }
    }
    const std::map<std::string, int> attendus = {
        {"couleur", 2}, {"langue", 8}, {"mode", 5}, {"niveau", 4}, {"notation", 3}};
    EXPECT_EQ(membres, attendus);
    for (const auto& [groupe, n] : coches) EXPECT_EQ(n, 1) << groupe;
    EXPECT_TRUE(element_menu("mode_machine")->ticked);
    EXPECT_TRUE(element_menu("couleur_blanche")->ticked);
    EXPECT_TRUE(element_menu("notation_francaise")->ticked);
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

TEST(ArbreMenu, NoTwoItemsShareACaption) {
    const Catalogue catalogue;
    std::set<quarvelin::TextKey> vus = {quarvelin::TextKey::ComingSoon};
    for (const ElementMenu& e : arbre_menu()) {
        if (!e.text) continue;
        EXPECT_TRUE(vus.insert(*e.text).second)
            << cle_texte(e) << " reuses " << quarvelin::offsetOf(*e.text);
    }
}

// The position of the one access-key marker, -1 without one, -2 for a malformed caption.
int touche_acces(const std::string& caption) {
    int position = -1;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            ++i; // a literal ampersand
            continue;
        }
        if (position >= 0 || i + 1 == caption.size() || caption[i + 1] == ' ') return -2;
        position = static_cast<int>(i);
    }
    return position;
}

TEST(ArbreMenu, ToucheAccesDansChaqueLangue) {
    const struct {
        const char* caption;
        int position;
    } cas[] = {{"&Fichier", 0}, {"No&tation", 2}, {"Copier au format F.E.N.", -1},
               {"A && B", -1},  {"&A &B", -2},    {"fin&", -2},
               {"& x", -2},     {"&?", 0}};
    for (const auto& c : cas) EXPECT_EQ(touche_acces(c.caption), c.position) << c.caption;

    const Catalogue catalogue;
    for (const ElementMenu& e : arbre_menu()) {
        if (!e.text) continue;
        const int offset = quarvelin::offsetOf(*e.text);
        const bool enFrancais = touche_acces(francais(*e.text)) >= 0;
        for (int key = 1; key <= quarvelin::LanguageCount; ++key) {
            const std::string t = catalogue.texte_catalogue(Catalogue::textBase(key) + offset);
            const int position = touche_acces(t);
            EXPECT_NE(position, -2) << Catalogue::fileName(key) << " " << offset << " " << t;
            EXPECT_EQ(position >= 0, enFrancais)
                << Catalogue::fileName(key) << " " << offset << " " << t;
        }
    }
}

// Starting a game enables exactly these and disables exactly those.
TEST(ArbreMenu, EtatsDePartie) {
    using R = std::optional<bool>;
    const struct {
        const char* name;
        int index;
        R beginning, end;
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
        const ElementMenu* e = element_menu(c.name, c.index);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_EQ(quarvelin::actif_selon_partie(*e, true), c.beginning)
            << cle_texte(Key{c.name, c.index});
        EXPECT_EQ(quarvelin::actif_selon_partie(*e, false), c.end)
            << cle_texte(Key{c.name, c.index});
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
