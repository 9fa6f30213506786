// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuBuilder.h"

#include "localisation/TextCatalogue.h"
#include "ui/MenuTree.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace quarvelin {

namespace {

QString qtText(const TextCatalogue& texts, quarvelin::TextKey key) {
    return QString::fromStdString(texts.text(key));
}

} // namespace

QString MenuBuilder::objectNameOf(const char* name, int index) {
    const QString base = QString::fromUtf8(name);
    return index < 0 ? base : base + u'_' + QString::number(index);
}

MenuBuilder::MenuBuilder(QMenuBar* bar, const TextCatalogue& texts) {
    for (const ElementMenu& e : menuTree()) {
        QMenu* parent = e.parent ? menus_.value(QString::fromUtf8(e.parent)) : nullptr;
        const QString name = objectNameOf(e.name, e.index);
        QAction* action = nullptr;
        switch (e.kind) {
        case MenuKind::Menu: {
            auto* menu = new QMenu(parent ? static_cast<QWidget*>(parent) : bar);
            menu->setObjectName(name);
            if (parent)
                parent->addMenu(menu);
            else
                bar->addMenu(menu);
            menus_.insert(name, menu);
            action = menu->menuAction();
            break;
        }
        case MenuKind::Separator:
            action = parent->addSeparator();
            break;
        case MenuKind::Command:
        case MenuKind::Tick:
            action = parent->addAction(QString());
            action->setCheckable(e.kind == MenuKind::Tick);
            action->setChecked(e.ticked);
            action->setShortcuts(shortcutsOf(e));
            // Captioned with a file name once the recent-files list is filled.
            if (!e.text) action->setVisible(false);
            break;
        }
        action->setObjectName(name);
        action->setEnabled(!e.disabled && !e.comingSoon);
        if (e.comingSoon) parent->setToolTipsVisible(true);
        if (e.group) {
            const QString key = QString::fromUtf8(e.group);
            QActionGroup*& group = groups_[key];
            if (!group) {
                group = new QActionGroup(bar);
                group->setObjectName(key);
                group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            group->addAction(action);
        }
        if (!name.isEmpty()) actions_.insert(name, action);
    }
    appliquer_textes(texts);
}

QAction* MenuBuilder::action(const QString& name, int index) const {
    return actions_.value(index < 0 ? name : name + u'_' + QString::number(index));
}

QMenu* MenuBuilder::menu(const QString& name) const { return menus_.value(name); }

QActionGroup* MenuBuilder::group(const QString& name) const { return groups_.value(name); }

void MenuBuilder::appliquer_textes(const TextCatalogue& texts) {
    const QString comingSoon = qtText(texts, TextKey::ComingSoon);
    for (const ElementMenu& e : menuTree()) {
        if (!e.text) continue;
        QAction* action = actions_.value(objectNameOf(e.name, e.index));
        if (e.kind == MenuKind::Menu)
            menus_.value(objectNameOf(e.name, e.index))->setTitle(qtText(texts, *e.text));
        else
            action->setText(qtText(texts, *e.text));
        if (e.comingSoon) {
            action->setToolTip(comingSoon);
            action->setStatusTip(comingSoon);
        }
    }
}

QList<QKeySequence> MenuBuilder::shortcutsOf(const ElementMenu& e) {
    if (!*e.shortcut) return {};
    return QKeySequence::listFromString(QString::fromUtf8(e.shortcut));
}

void MenuBuilder::gameState(GameState state) {
    for (const ElementMenu& e : menuTree()) {
        if (const auto enabled = enabledByGameState(e, state))
            actions_.value(objectNameOf(e.name, e.index))->setEnabled(*enabled);
    }
}

} // namespace quarvelin
