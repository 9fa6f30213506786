#pragma once
// The main window's menus as data: every item, in menu order, with its caption's catalogue
// offset, shortcut and states. The builder turns it into Qt menus; the tests read it directly.
#include "localisation/TextKey.h"

#include <optional>
#include <span>

namespace quarvelin {

enum class GenreMenu { Menu, Commande, Coche, Separateur };

struct ElementMenu {
    const char* name = "";         // object name; "" for unnamed separators
    int index = -1;               // index in an item array, -1 for a single item
    const char* parent = nullptr; // the menu it sits in; nullptr for the menu bar
    std::optional<TextKey> text; // its caption; none: filled at run time
    const char* raccourci = "";   // QKeySequence portable text, "" for none
    GenreMenu kind = GenreMenu::Commande;
    const char* groupe = nullptr; // exclusive group, nullptr for none
    bool ticked = false;           // initially checked
    bool desactive = false;       // initially disabled
    bool enJeu = false;           // enabled when a game starts
    bool horsJeu = false;         // disabled while a game is under way
    bool fermeture = false;       // disabled when the board window closes
    bool aVenir = false;          // a command this version does not offer yet
};

// The items in menu order: a menu comes before its children, children in their order.
std::span<const ElementMenu> arbre_menu();

// The item of that name and index, or nullptr.
const ElementMenu* element_menu(const char* name, int index = -1);

// What starting (enCours) or ending a game does to an item's enabled state; nothing when the
// game leaves it alone. Commands this version does not offer stay disabled either way.
std::optional<bool> actif_selon_partie(const ElementMenu& element, bool enCours);

// Catalogue offset of the tool tip of commands this version does not offer yet.

} // namespace quarvelin
