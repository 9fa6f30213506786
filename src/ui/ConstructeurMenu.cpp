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

QString texte_qt(const TextCatalogue& textes, quarvelin::TextKey key) {
    return QString::fromStdString(textes.text(key));
}

} // namespace

QString ConstructeurMenu::nom_objet(const char* nom, int index) {
    const QString base = QString::fromUtf8(nom);
    return index < 0 ? base : base + u'_' + QString::number(index);
}

ConstructeurMenu::ConstructeurMenu(QMenuBar* barre, const TextCatalogue& textes) {
    for (const ElementMenu& e : arbre_menu()) {
        QMenu* parent = e.parent ? menus_.value(QString::fromUtf8(e.parent)) : nullptr;
        const QString nom = nom_objet(e.nom, e.index);
        QAction* action = nullptr;
        switch (e.genre) {
        case GenreMenu::Menu: {
            auto* menu = new QMenu(parent ? static_cast<QWidget*>(parent) : barre);
            menu->setObjectName(nom);
            if (parent)
                parent->addMenu(menu);
            else
                barre->addMenu(menu);
            menus_.insert(nom, menu);
            action = menu->menuAction();
            break;
        }
        case GenreMenu::Separateur:
            action = parent->addSeparator();
            break;
        case GenreMenu::Commande:
        case GenreMenu::Coche:
            action = parent->addAction(QString());
            action->setCheckable(e.genre == GenreMenu::Coche);
            action->setChecked(e.coche);
            if (*e.raccourci) action->setShortcut(QKeySequence(QString::fromUtf8(e.raccourci)));
            // Captioned with a file name once the recent-files list is filled.
            if (!e.text) action->setVisible(false);
            break;
        }
        action->setObjectName(nom);
        action->setEnabled(!e.desactive && !e.aVenir);
        if (e.aVenir) parent->setToolTipsVisible(true);
        if (e.groupe) {
            const QString cle = QString::fromUtf8(e.groupe);
            QActionGroup*& groupe = groupes_[cle];
            if (!groupe) {
                groupe = new QActionGroup(barre);
                groupe->setObjectName(cle);
                groupe->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            groupe->addAction(action);
        }
        if (!nom.isEmpty()) actions_.insert(nom, action);
    }
    appliquer_textes(textes);
}

QAction* ConstructeurMenu::action(const QString& nom, int index) const {
    return actions_.value(index < 0 ? nom : nom + u'_' + QString::number(index));
}

QMenu* ConstructeurMenu::menu(const QString& nom) const { return menus_.value(nom); }

QActionGroup* ConstructeurMenu::groupe(const QString& nom) const { return groupes_.value(nom); }

void ConstructeurMenu::appliquer_textes(const TextCatalogue& textes) {
    const QString aVenir = texte_qt(textes, TextKey::ComingSoon);
    for (const ElementMenu& e : arbre_menu()) {
        if (!e.text) continue;
        QAction* action = actions_.value(nom_objet(e.nom, e.index));
        if (e.genre == GenreMenu::Menu)
            menus_.value(nom_objet(e.nom, e.index))->setTitle(texte_qt(textes, *e.text));
        else
            action->setText(texte_qt(textes, *e.text));
        if (e.aVenir) {
            action->setToolTip(aVenir);
            action->setStatusTip(aVenir);
        }
    }
}

void ConstructeurMenu::etat_partie(bool enCours) {
    for (const ElementMenu& e : arbre_menu()) {
        if (const auto actif = actif_selon_partie(e, enCours))
            actions_.value(nom_objet(e.nom, e.index))->setEnabled(*actif);
    }
}

} // namespace quarvelin
