// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's menus as data: every item, in menu order, with its caption's catalogue
// offset, shortcut and states. The builder turns it into Qt menus; the tests read it directly.
#include "localisation/TextKey.h"

#include <optional>
#include <span>

namespace quarvelin {

enum class MenuKind { Menu, Command, Tick, Separator };

struct ElementMenu {
    const char* name = "";         // object name; "" for unnamed separators
    int index = -1;                // index in an item array, -1 for a single item
    const char* parent = nullptr;  // the menu it sits in; nullptr for the menu bar
    std::optional<TextKey> text{}; // its caption; none: filled at run time
    const char* shortcut = "";     // QKeySequence portable text, "; " between alternatives
    MenuKind kind = MenuKind::Command;
    const char* group = nullptr; // exclusive group, nullptr for none
    bool ticked = false;         // initially checked
    bool disabled = false;       // initially disabled
    bool inGame = false;         // enabled when a game starts
    bool duringPlay = false;     // enabled only until the game has a result
    bool outOfGame = false;      // disabled while a game is under way
    bool closing = false;        // disabled when the board window closes
    bool comingSoon = false;     // a command this version does not offer yet
};

// The items in menu order: a menu comes before its children, children in their order.
std::span<const ElementMenu> menuTree();

// The item of that name and index, or nullptr.
const ElementMenu* menuItem(const char* name, int index = -1);

// Where the game on the board stands, as the menus see it.
enum class GameState { NoBoard, InProgress, Over };

// What a game's state does to an item's enabled state; nothing when the state leaves it alone.
// Commands this version does not offer stay disabled whatever the state.
std::optional<bool> enabledByGameState(const ElementMenu& element, GameState state);

// Catalogue offset of the tool tip of commands this version does not offer yet.

} // namespace quarvelin
