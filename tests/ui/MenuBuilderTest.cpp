// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuBuilder.h"
#include "localisation/Catalogue.h"
#include "ui/MenuTree.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <map>

using quarvelin::Catalogue;
using quarvelin::ElementMenu;
using quarvelin::MenuBuilder;
using quarvelin::MenuKind;
using quarvelin::menuTree;

namespace {

QString nameOf(const ElementMenu& e) { return MenuBuilder::objectNameOf(e.name, e.index); }

QString text(const Catalogue& catalogue, quarvelin::TextKey key) {
    return QString::fromStdString(catalogue.text(key));
}

struct Window {
    explicit Window(int language = 1) {
        catalogue.appliquer_langue(language);
        menus = std::make_unique<MenuBuilder>(bar, catalogue);
    }
    Catalogue catalogue;
    QMenuBar* bar = new QMenuBar;
    std::unique_ptr<MenuBuilder> menus;
    ~Window() {
        menus.reset();
        delete bar;
    }
};

TEST(MenuBuilder, EachMenuFollowsTheTreeInOrder) {
    Window f;
    std::map<QString, QStringList> expectedList; // menu name -> its items ("-" for separators)
    QStringList bar;
    for (const ElementMenu& e : menuTree()) {
        const QString name = e.kind == MenuKind::Separator && !*e.name ? "-" : nameOf(e);
        if (e.parent)
            expectedList[QString::fromUtf8(e.parent)] << name;
        else
            bar << name;
    }
    const auto names = [](const QList<QAction*>& actions) {
        QStringList list;
        for (QAction* a : actions)
            list << (a->isSeparator() && a->objectName().isEmpty() ? "-" : a->objectName());
        return list;
    };
    EXPECT_EQ(names(f.bar->actions()), bar);
    for (const auto& [menu, children] : expectedList) {
        QMenu* m = f.menus->menu(menu);
        ASSERT_NE(m, nullptr) << menu.toStdString();
        EXPECT_EQ(m->objectName(), menu);
        EXPECT_EQ(names(m->actions()), children) << menu.toStdString();
        // A submenu's entry opens that very submenu.
        for (QAction* a : m->actions())
            if (a->menu()) {
                EXPECT_EQ(a->menu(), f.menus->menu(a->objectName()));
            }
    }
}

TEST(MenuBuilder, InitialStateOfEachItem) {
    Window f;
    const QString comingSoon = text(f.catalogue, quarvelin::TextKey::ComingSoon);
    int named = 0;
    for (const ElementMenu& e : menuTree()) {
        if (!*e.name) continue;
        ++named;
        SCOPED_TRACE(nameOf(e).toStdString());
        QAction* a = f.menus->action(e.name, e.index);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->objectName(), nameOf(e));
        EXPECT_EQ(f.bar->findChild<QAction*>(nameOf(e)), a);
        EXPECT_EQ(a->isCheckable(), e.kind == MenuKind::Tick);
        EXPECT_EQ(a->isChecked(), e.ticked);
        const bool visible = e.text || e.kind == MenuKind::Separator;
        EXPECT_EQ(a->isVisible(), visible);
        EXPECT_EQ(a->isEnabled(), visible && !e.disabled && !e.comingSoon);
        EXPECT_EQ(bool(a->menu()), e.kind == MenuKind::Menu);
        EXPECT_EQ(a->shortcuts(), quarvelin::MenuBuilder::shortcutsOf(e));
        if (e.text) {
            EXPECT_EQ(a->text(), text(f.catalogue, *e.text));
        }
        EXPECT_EQ(a->toolTip() == comingSoon, e.comingSoon);
        if (e.comingSoon) {
            EXPECT_TRUE(f.menus->menu(e.parent)->toolTipsVisible());
        }
    }
    EXPECT_GT(named, 0);
}

TEST(MenuBuilder, LookupByName) {
    Window f;
    EXPECT_EQ(f.menus->action("menu_niv", 2)->objectName(), "menu_niv_2");
    EXPECT_EQ(f.menus->action("choix_langue", 8)->text(), "Polski");
    EXPECT_EQ(f.menus->action("menu_niv"), nullptr);
    EXPECT_EQ(f.menus->action("menu_niv", 4), nullptr);
    EXPECT_EQ(f.menus->action("nothing"), nullptr);
    EXPECT_EQ(f.menus->menu("menu_nouvelle"), nullptr);
    EXPECT_EQ(f.menus->action("menu_mode"), f.menus->menu("menu_mode")->menuAction());
    EXPECT_EQ(f.menus->group("nothing"), nullptr);
}

TEST(MenuBuilder, ExclusiveGroupsAsTheTreeHasThem) {
    Window f;
    std::map<std::string, QList<QAction*>> members;
    std::map<std::string, QAction*> ticked;
    for (const ElementMenu& e : menuTree()) {
        if (!e.group) continue;
        members[e.group] << f.menus->action(e.name, e.index);
        if (e.ticked) ticked[e.group] = f.menus->action(e.name, e.index);
    }
    ASSERT_FALSE(members.empty());
    for (const auto& [name, actions] : members) {
        QActionGroup* g = f.menus->group(QString::fromStdString(name));
        ASSERT_NE(g, nullptr) << name;
        EXPECT_TRUE(g->isExclusive());
        EXPECT_EQ(g->actions(), actions) << name;
        EXPECT_EQ(g->checkedAction(), ticked[name]) << name;
    }
    f.menus->action("mode_auto")->trigger();
    EXPECT_TRUE(f.menus->action("mode_auto")->isChecked());
    EXPECT_FALSE(f.menus->action("mode_machine")->isChecked());
    // Toggles outside any group uncheck themselves.
    f.menus->action("menu_active_son")->trigger();
    EXPECT_FALSE(f.menus->action("menu_active_son")->isChecked());
}

TEST(MenuBuilder, ApplyTextsChangesLanguage) {
    Window f;
    QAction* recent = f.menus->action("mnuRecentFile", 1);
    recent->setText("&1 /home/joueur/parties.pgn");
    recent->setVisible(true);
    EXPECT_TRUE(recent->isEnabled()) << "hidden until filled, then usable";
    // Every language captions every item, and the captions are that language's.
    for (int key : {2, 7, 1, 3, 4, 5, 6, 8}) {
        SCOPED_TRACE(key);
        f.catalogue.appliquer_langue(key);
        f.menus->appliquer_textes(f.catalogue);
        for (const ElementMenu& e : menuTree()) {
            if (!e.text) continue;
            const QString expected = QString::fromStdString(f.catalogue.text(*e.text));
            const QString shown = e.kind == MenuKind::Menu
                                      ? f.menus->menu(e.name)->title()
                                      : f.menus->action(e.name, e.index)->text();
            EXPECT_EQ(shown, expected) << nameOf(e).toStdString();
        }
        EXPECT_EQ(recent->text(), "&1 /home/joueur/parties.pgn");
    }
}

// Starting and ending a game change what the tree says, and leave the rest as it was.
TEST(MenuBuilder, GameState) {
    Window f;
    QAction* paste = f.menus->action("menu_coller_position");
    using quarvelin::GameState;
    for (GameState state : {GameState::InProgress, GameState::Over, GameState::NoBoard,
                            GameState::InProgress, GameState::NoBoard}) {
        SCOPED_TRACE(static_cast<int>(state));
        std::map<QAction*, bool> before;
        for (const ElementMenu& e : menuTree())
            if (QAction* a = *e.name ? f.menus->action(e.name, e.index) : nullptr)
                before[a] = a->isEnabled();
        f.menus->gameState(state);
        for (const ElementMenu& e : menuTree()) {
            if (!*e.name) continue;
            QAction* a = f.menus->action(e.name, e.index);
            EXPECT_EQ(a->isEnabled(), quarvelin::enabledByGameState(e, state).value_or(before[a]))
                << nameOf(e).toStdString();
        }
        if (state != GameState::NoBoard) paste->setEnabled(true); // a position on the clipboard
    }
    EXPECT_FALSE(paste->isEnabled());
}

// A command still to come says so when the pointer rests on it, greyed out as it is.
TEST(MenuBuilder, TooltipOfCommandsComingSoon) {
    Window f;
    QMenu* game = f.menus->menu("menu_partie");
    game->popup(QPoint(40, 40));
    QApplication::processEvents();
    for (const char* name : {"menu_nouvelle", "menu_stat"}) {
        QAction* a = f.menus->action(name);
        const QPoint centre = game->actionGeometry(a).center();
        QHelpEvent hover(QEvent::ToolTip, centre, game->mapToGlobal(centre));
        QApplication::sendEvent(game, &hover);
        EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(),
                  a->isEnabled() ? QString() : text(f.catalogue, quarvelin::TextKey::ComingSoon))
            << name;
    }
    game->hide();
}

// The window with one menu, and optionally one of its submenus, open; popups are windows of
// their own, so they are painted over the window where they stand.
QImage preview(int language, const char* menu, const char* subMenu, const QString& file) {
    Catalogue catalogue;
    catalogue.appliquer_langue(language);
    QMainWindow window;
    auto* zone = new QMdiArea;
    zone->setBackground(QColor(0xC8, 0xCC, 0xC4));
    window.setCentralWidget(zone);
    window.statusBar()->showMessage(" ");
    MenuBuilder menus(window.menuBar(), catalogue);
    window.resize(1000, 760);
    window.move(0, 0);
    window.show();
    QApplication::processEvents();
    window.menuBar()->setActiveAction(menus.menu(menu)->menuAction());
    QApplication::processEvents();
    if (subMenu) menus.menu(menu)->setActiveAction(menus.menu(subMenu)->menuAction());
    QApplication::processEvents();

    QImage image = window.grab().toImage();
    QPainter painter(&image);
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    for (const char* name : {menu, subMenu}) {
        if (!name) continue;
        QMenu* m = menus.menu(name);
        EXPECT_TRUE(m->isVisible()) << name;
        // Wide enough for its longest caption and shortcut: nothing cut off.
        EXPECT_GE(m->width(), m->sizeHint().width()) << name;
        EXPECT_GE(m->height(), m->sizeHint().height()) << name;
        painter.drawPixmap(m->geometry().topLeft() - origin, m->grab());
    }
    painter.end();
    window.menuBar()->setActiveAction(nullptr);
    image.save(QApplication::applicationDirPath() + u'/' + file);
    return image;
}

TEST(MenuBuilder, Preview) {
    const QImage game = preview(1, "menu_partie", nullptr, "menus_partie_fr.png");
    EXPECT_EQ(game.size(), QSize(1000, 760) * game.devicePixelRatio());
    preview(1, "menu_fichier", "menu_con", "menus_fichier_fr.png");
    preview(7, "menu_options", "menu_mode", "menus_options_ru.png");
}

} // namespace
