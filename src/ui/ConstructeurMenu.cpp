#include "ui/ConstructeurMenu.h"

#include "localisation/TextCatalogue.h"
#include "ui/ArbreMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace quarvelin {

namespace {

QString texte_qt(const TextCatalogue& texts, quarvelin::TextKey key) {
    return QString::fromStdString(texts.text(key));
}

} // namespace

QString ConstructeurMenu::nom_objet(const char* name, int index) {
    const QString base = QString::fromUtf8(name);
    return index < 0 ? base : base + u'_' + QString::number(index);
}

ConstructeurMenu::ConstructeurMenu(QMenuBar* barre, const TextCatalogue& texts) {
    for (const ElementMenu& e : arbre_menu()) {
        QMenu* parent = e.parent ? menus_.value(QString::fromUtf8(e.parent)) : nullptr;
        const QString name = nom_objet(e.name, e.index);
        QAction* action = nullptr;
        switch (e.kind) {
        case GenreMenu::Menu: {
            auto* menu = new QMenu(parent ? static_cast<QWidget*>(parent) : barre);
            menu->setObjectName(name);
            if (parent)
                parent->addMenu(menu);
            else
                barre->addMenu(menu);
            menus_.insert(name, menu);
            action = menu->menuAction();
            break;
        }
        case GenreMenu::Separateur:
            action = parent->addSeparator();
            break;
        case GenreMenu::Commande:
        case GenreMenu::Coche:
            action = parent->addAction(QString());
            action->setCheckable(e.kind == GenreMenu::Coche);
            action->setChecked(e.ticked);
            if (*e.raccourci) action->setShortcut(QKeySequence(QString::fromUtf8(e.raccourci)));
            // Captioned with a file name once the recent-files list is filled.
            if (!e.text) action->setVisible(false);
            break;
        }
        action->setObjectName(name);
        action->setEnabled(!e.desactive && !e.aVenir);
        if (e.aVenir) parent->setToolTipsVisible(true);
        if (e.groupe) {
            const QString key = QString::fromUtf8(e.groupe);
            QActionGroup*& groupe = groupes_[key];
            if (!groupe) {
                groupe = new QActionGroup(barre);
                groupe->setObjectName(key);
                groupe->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            groupe->addAction(action);
        }
        if (!name.isEmpty()) actions_.insert(name, action);
    }
    appliquer_textes(texts);
}

QAction* ConstructeurMenu::action(const QString& name, int index) const {
    return actions_.value(index < 0 ? name : name + u'_' + QString::number(index));
}

QMenu* ConstructeurMenu::menu(const QString& name) const { return menus_.value(name); }

QActionGroup* ConstructeurMenu::groupe(const QString& name) const { return groupes_.value(name); }

void ConstructeurMenu::appliquer_textes(const TextCatalogue& texts) {
    const QString aVenir = texte_qt(texts, TextKey::ComingSoon);
    for (const ElementMenu& e : arbre_menu()) {
        if (!e.text) continue;
        QAction* action = actions_.value(nom_objet(e.name, e.index));
        if (e.kind == GenreMenu::Menu)
            menus_.value(nom_objet(e.name, e.index))->setTitle(texte_qt(texts, *e.text));
        else
            action->setText(texte_qt(texts, *e.text));
        if (e.aVenir) {
            action->setToolTip(aVenir);
            action->setStatusTip(aVenir);
        }
    }
}

void ConstructeurMenu::etat_partie(bool enCours) {
    for (const ElementMenu& e : arbre_menu()) {
        if (const auto enabled = actif_selon_partie(e, enCours))
            actions_.value(nom_objet(e.name, e.index))->setEnabled(*enabled);
    }
}

} // namespace quarvelin
