// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds the main window's menu bar from the menu tree and keeps it in step with the language
// and the game. The menus belong to the bar; the window connects their actions by name.
#include "ui/MenuTree.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace quarvelin {

class TextCatalogue;

class MenuBuilder {
public:
    // Fills the bar with every menu and item, captioned in the catalogue's current language.
    MenuBuilder(QMenuBar* bar, const TextCatalogue& texts);
    MenuBuilder(const MenuBuilder&) = delete;
    MenuBuilder& operator=(const MenuBuilder&) = delete;

    // An item by name, and index for item arrays ("menu_niv", 2); a menu's name gives the
    // action that opens it. nullptr for a name the tree does not hold.
    QAction* action(const QString& name, int index = -1) const;
    QMenu* menu(const QString& name) const;
    // The exclusive group "mode", "niveau", "couleur", "notation" or "langue".
    QActionGroup* group(const QString& name) const;

    // Captions of every item from the catalogue's current language; items captioned at run
    // time (the recent files) keep theirs.
    void appliquer_textes(const TextCatalogue& texts);
    // Enables and disables the items that depend on where the game stands.
    void gameState(GameState state);

    // The keys of an item, its alternatives in order; none for "".
    static QList<QKeySequence> shortcutsOf(const ElementMenu& e);

    // "menu_niv_2" for arrays, the bare name otherwise.
    static QString objectNameOf(const char* name, int index);

private:
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QActionGroup*> groups_;
};

} // namespace quarvelin
