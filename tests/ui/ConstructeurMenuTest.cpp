#include "ui/ConstructeurMenu.h"
#include "localisation/Catalogue.h"
#include "ui/ArbreMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolTip>

#include <gtest/gtest.h>

#include <map>

using quarvelin::arbre_menu;
using quarvelin::Catalogue;
using quarvelin::ConstructeurMenu;
using quarvelin::ElementMenu;
using quarvelin::GenreMenu;

namespace {

QString nom_de(const ElementMenu& e) { return ConstructeurMenu::nom_objet(e.name, e.index); }

QString text(const Catalogue& catalogue, quarvelin::TextKey key) {
    return QString::fromStdString(catalogue.text(key));
}

struct Fenetre {
    explicit Fenetre(int langue = 1) {
        catalogue.appliquer_langue(langue);
        menus = std::make_unique<ConstructeurMenu>(barre, catalogue);
    }
    Catalogue catalogue;
    QMenuBar* barre = new QMenuBar;
    std::unique_ptr<ConstructeurMenu> menus;
    ~Fenetre() {
        menus.reset();
        delete barre;
    }
};

TEST(ConstructeurMenu, ChaqueMenuSuitLArbreDansLOrdre) {
    Fenetre f;
    std::map<QString, QStringList> attendus; // menu name -> its items ("-" for separators)
    QStringList barre;
    for (const ElementMenu& e : arbre_menu()) {
        const QString name = e.kind == GenreMenu::Separateur && !*e.name ? "-" : nom_de(e);
        if (e.parent)
            attendus[QString::fromUtf8(e.parent)] << name;
        else
            barre << name;
    }
    const auto noms = [](const QList<QAction*>& actions) {
        QStringList list;
        for (QAction* a : actions)
            list << (a->isSeparator() && a->objectName().isEmpty() ? "-" : a->objectName());
        return list;
    };
    EXPECT_EQ(noms(f.barre->actions()), barre);
    ASSERT_EQ(attendus.size(), 19u);
    for (const auto& [menu, enfants] : attendus) {
        QMenu* m = f.menus->menu(menu);
        ASSERT_NE(m, nullptr) << menu.toStdString();
        EXPECT_EQ(m->objectName(), menu);
        EXPECT_EQ(noms(m->actions()), enfants) << menu.toStdString();
        // A submenu's entry opens that very submenu.
        for (QAction* a : m->actions())
            if (a->menu()) {
                EXPECT_EQ(a->menu(), f.menus->menu(a->objectName()));
            }
    }
}

TEST(ConstructeurMenu, EtatsInitiauxDeChaqueElement) {
    Fenetre f;
    const QString aVenir = text(f.catalogue, quarvelin::TextKey::ComingSoon);
    int nommes = 0;
    for (const ElementMenu& e : arbre_menu()) {
        if (!*e.name) continue;
        ++nommes;
        SCOPED_TRACE(nom_de(e).toStdString());
        QAction* a = f.menus->action(e.name, e.index);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->objectName(), nom_de(e));
        EXPECT_EQ(f.barre->findChild<QAction*>(nom_de(e)), a);
        EXPECT_EQ(a->isCheckable(), e.kind == GenreMenu::Coche);
        EXPECT_EQ(a->isChecked(), e.ticked);
        const bool visible = e.text || e.kind == GenreMenu::Separateur;
        EXPECT_EQ(a->isVisible(), visible);
        EXPECT_EQ(a->isEnabled(), visible && !e.desactive && !e.aVenir);
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromUtf8(e.raccourci)));
        if (e.text) {
            EXPECT_EQ(a->text(), text(f.catalogue, *e.text));
        }
        EXPECT_EQ(a->toolTip() == aVenir, e.aVenir);
        if (e.aVenir) {
            EXPECT_TRUE(f.menus->menu(e.parent)->toolTipsVisible());
        }
    }
    EXPECT_EQ(nommes, 110);
    EXPECT_EQ(f.menus->action("menu_nouvelle")->text(), "&Nouvelle partie");
    EXPECT_EQ(f.menus->menu("menu_options")->title(), "&Options");
    EXPECT_TRUE(f.menus->action("menu_part_pc")->menu());
    EXPECT_FALSE(f.menus->action("menu_part_pc")->isEnabled());
}

TEST(ConstructeurMenu, RechercheParNom) {
    Fenetre f;
    EXPECT_EQ(f.menus->action("menu_niv", 2)->objectName(), "menu_niv_2");
    EXPECT_EQ(f.menus->action("choix_langue", 8)->text(), "Polski");
    EXPECT_EQ(f.menus->action("menu_niv"), nullptr);
    EXPECT_EQ(f.menus->action("menu_niv", 4), nullptr);
    EXPECT_EQ(f.menus->action("nothing"), nullptr);
    EXPECT_EQ(f.menus->menu("menu_nouvelle"), nullptr);
    EXPECT_EQ(f.menus->action("menu_mode"), f.menus->menu("menu_mode")->menuAction());
    EXPECT_EQ(f.menus->groupe("nothing"), nullptr);
}

TEST(ConstructeurMenu, GroupesExclusifs) {
    Fenetre f;
    const struct {
        const char* groupe;
        int membres;
        const char* ticked;
        int index;
    } cas[] = {{"mode", 5, "mode_machine", -1},
               {"niveau", 4, "menu_niv", 0},
               {"couleur", 2, "couleur_blanche", -1},
               {"notation", 3, "notation_francaise", -1},
               {"langue", 8, "choix_langue", 1}};
    for (const auto& c : cas) {
        QActionGroup* g = f.menus->groupe(c.groupe);
        ASSERT_NE(g, nullptr) << c.groupe;
        EXPECT_TRUE(g->isExclusive());
        EXPECT_EQ(g->actions().size(), c.membres) << c.groupe;
        EXPECT_EQ(g->checkedAction(), f.menus->action(c.ticked, c.index)) << c.groupe;
    }
    f.menus->action("mode_auto")->trigger();
    EXPECT_TRUE(f.menus->action("mode_auto")->isChecked());
    EXPECT_FALSE(f.menus->action("mode_machine")->isChecked());
    f.menus->action("choix_langue", 6)->trigger();
    EXPECT_EQ(f.menus->groupe("langue")->checkedAction(), f.menus->action("choix_langue", 6));
    // Toggles outside any group uncheck themselves.
    f.menus->action("menu_active_son")->trigger();
    EXPECT_FALSE(f.menus->action("menu_active_son")->isChecked());
}

TEST(ConstructeurMenu, AppliquerTextesChangeDeLangue) {
    Fenetre f;
    QAction* recent = f.menus->action("mnuRecentFile", 1);
    recent->setText("&1 /home/joueur/parties.pgn");
    recent->setVisible(true);
    EXPECT_TRUE(recent->isEnabled()) << "hidden until filled, then usable";
    f.catalogue.appliquer_langue(2);
    f.menus->appliquer_textes(f.catalogue);
    EXPECT_EQ(f.menus->action("menu_nouvelle")->text(), "&New game");
    EXPECT_EQ(f.menus->menu("menu_partie")->title(), "&Game");
    EXPECT_EQ(f.menus->action("menu_stat")->toolTip(), "Coming in a future version of Quarvelin");
    EXPECT_EQ(f.menus->action("choix_langue", 7)->text(), "Русский");
    EXPECT_EQ(recent->text(), "&1 /home/joueur/parties.pgn");

    // Every language captions every item, and the captions are that language's.
    for (int key = 1; key <= quarvelin::LanguageCount; ++key) {
        f.catalogue.appliquer_langue(key);
        f.menus->appliquer_textes(f.catalogue);
        for (const ElementMenu& e : arbre_menu()) {
            if (!e.text) continue;
            const QString attendu = QString::fromStdString(f.catalogue.texte_catalogue(
                Catalogue::textBase(key) + quarvelin::offsetOf(*e.text)));
            const QString lu = e.kind == GenreMenu::Menu ? f.menus->menu(e.name)->title()
                                                          : f.menus->action(e.name, e.index)->text();
            EXPECT_EQ(lu, attendu) << key << " " << nom_de(e).toStdString();
        }
    }
    f.catalogue.appliquer_langue(7);
    f.menus->appliquer_textes(f.catalogue);
    EXPECT_EQ(f.menus->action("menu_abandon")->text(), "Сд&аться");
}

TEST(ConstructeurMenu, EtatPartie) {
    Fenetre f;
    const auto enabled = [&](const char* name, int index = -1) {
        return f.menus->action(name, index)->isEnabled();
    };
    f.menus->etat_partie(true);
    EXPECT_TRUE(enabled("menu_abandon"));
    EXPECT_TRUE(enabled("menu_propose_nul"));
    EXPECT_TRUE(enabled("menu_copie_position", 2));
    EXPECT_FALSE(enabled("menu_nouvelle"));
    EXPECT_FALSE(enabled("menu_mode"));
    EXPECT_FALSE(enabled("menu_active_horloge"));
    EXPECT_TRUE(enabled("menu_sauve"));
    EXPECT_FALSE(enabled("menu_chasse")) << "not offered yet";
    EXPECT_TRUE(enabled("menu_position"));
    EXPECT_FALSE(enabled("menu_coller_position"));
    f.menus->action("menu_coller_position")->setEnabled(true); // a position on the clipboard

    f.menus->etat_partie(false);
    EXPECT_FALSE(enabled("menu_abandon"));
    EXPECT_FALSE(enabled("menu_copie_position", 2));
    EXPECT_FALSE(enabled("menu_coller_position"));
    EXPECT_TRUE(enabled("menu_nouvelle"));
    EXPECT_TRUE(enabled("menu_mode"));
    EXPECT_TRUE(enabled("menu_active_horloge"));
    EXPECT_TRUE(enabled("menu_position"));
    EXPECT_TRUE(enabled("menu_sauve")) << "the game just ended can still be saved";
}

TEST(ConstructeurMenu, AucunRaccourciPartage) {
    Fenetre f;
    std::map<QKeySequence, QString> vus;
    for (QAction* a : f.barre->findChildren<QAction*>()) {
        if (a->shortcut().isEmpty()) continue;
        const auto [it, nouveau] = vus.emplace(a->shortcut(), a->objectName());
        EXPECT_TRUE(nouveau) << it->second.toStdString() << " " << a->objectName().toStdString();
    }
    EXPECT_EQ(vus.size(), 16u);
}

// A command still to come says so when the pointer rests on it, greyed out as it is.
TEST(ConstructeurMenu, InfoBulleDesCommandesAVenir) {
    Fenetre f;
    QMenu* game = f.menus->menu("menu_partie");
    game->popup(QPoint(40, 40));
    QApplication::processEvents();
    for (const char* name : {"menu_nouvelle", "menu_stat"}) {
        QAction* a = f.menus->action(name);
        const QPoint centre = game->actionGeometry(a).center();
        QHelpEvent survol(QEvent::ToolTip, centre, game->mapToGlobal(centre));
        QApplication::sendEvent(game, &survol);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(),
                  a->isEnabled() ? QString() : text(f.catalogue, quarvelin::TextKey::ComingSoon))
            << name;
    }
    game->hide();
}

// The window with one menu, and optionally one of its submenus, open; popups are windows of
// their own, so they are painted over the window where they stand.
QImage apercu(int langue, const char* menu, const char* sousMenu, const QString& file) {
    Catalogue catalogue;
    catalogue.appliquer_langue(langue);
    QMainWindow fenetre;
    auto* zone = new QMdiArea;
    zone->setBackground(QColor(0xC8, 0xCC, 0xC4));
    fenetre.setCentralWidget(zone);
    fenetre.statusBar()->showMessage(" ");
    ConstructeurMenu menus(fenetre.menuBar(), catalogue);
    fenetre.resize(1000, 760);
    fenetre.move(0, 0);
    fenetre.show();
    QApplication::processEvents();
    fenetre.menuBar()->setActiveAction(menus.menu(menu)->menuAction());
    QApplication::processEvents();
    if (sousMenu) menus.menu(menu)->setActiveAction(menus.menu(sousMenu)->menuAction());
    QApplication::processEvents();

    QImage image = fenetre.grab().toImage();
    QPainter peintre(&image);
    const QPoint origin = fenetre.mapToGlobal(QPoint(0, 0));
    for (const char* name : {menu, sousMenu}) {
        if (!name) continue;
        QMenu* m = menus.menu(name);
        EXPECT_TRUE(m->isVisible()) << name;
        // Wide enough for its longest caption and shortcut: nothing cut off.
        EXPECT_GE(m->width(), m->sizeHint().width()) << name;
        EXPECT_GE(m->height(), m->sizeHint().height()) << name;
        peintre.drawPixmap(m->geometry().topLeft() - origin, m->grab());
    }
    peintre.end();
    fenetre.menuBar()->setActiveAction(nullptr);
    image.save(QApplication::applicationDirPath() + u'/' + file);
    return image;
}

TEST(ConstructeurMenu, Apercu) {
    const QImage game = apercu(1, "menu_partie", nullptr, "menus_partie_fr.png");
    EXPECT_EQ(game.size(), QSize(1000, 760) * game.devicePixelRatio());
    apercu(1, "menu_fichier", "menu_con", "menus_fichier_fr.png");
    apercu(7, "menu_options", "menu_mode", "menus_options_ru.png");
}

} // namespace
