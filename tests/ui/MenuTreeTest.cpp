// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuTree.h"
#include "localisation/Catalogue.h"
#include "ui/MenuBuilder.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QString>

#include <map>
#include <set>
#include <string>
#include <utility>

using quarvelin::Catalogue;
using quarvelin::ElementMenu;
using quarvelin::GameState;
using quarvelin::menuItem;
using quarvelin::MenuKind;
using quarvelin::menuTree;

namespace {

using Key = std::pair<std::string, int>;

std::string keyText(const ElementMenu& e) {
    std::string text = e.name;
    if (e.index >= 0) text.append(1, '[').append(std::to_string(e.index)).append(1, ']');
    return text;
}

// Named items once, parents before children, kinds that agree with their states, shortcuts
// readable and distinct, captions distinct.
TEST(MenuTree, TreeIsWellFormed) {
    std::set<Key> named;
    std::set<std::string> menus;
    std::map<QKeySequence, std::string> shortcuts;
    std::set<quarvelin::TextKey> captions = {quarvelin::TextKey::ComingSoon};
    for (const ElementMenu& e : menuTree()) {
        SCOPED_TRACE(keyText(e));
        if (*e.name) {
            EXPECT_TRUE(named.insert({e.name, e.index}).second) << "twice";
        }
        if (e.parent)
            EXPECT_TRUE(menus.count(e.parent)) << "parent not a menu above: " << e.parent;
        else
            EXPECT_EQ(e.kind, MenuKind::Menu) << "only menus sit on the bar";
        if (e.kind == MenuKind::Menu) {
            EXPECT_EQ(e.index, -1);
            EXPECT_FALSE(e.comingSoon) << "a menu opens; its items wait";
            EXPECT_FALSE(e.shortcut[0]);
            menus.insert(e.name);
        }
        if (e.kind == MenuKind::Separator) {
            EXPECT_FALSE(e.text);
            EXPECT_FALSE(e.comingSoon || e.inGame || e.duringPlay || e.outOfGame || e.closing ||
                         e.ticked);
        } else if (!e.text) {
            EXPECT_STREQ(e.name, "mnuRecentFile") << "only recent files are captioned later";
        }
        if (e.ticked || e.group) {
            EXPECT_EQ(e.kind, MenuKind::Tick);
        }
        if (e.text) {
            EXPECT_TRUE(captions.insert(*e.text).second)
                << "reuses " << quarvelin::offsetOf(*e.text);
        }
        for (const QKeySequence& keys : quarvelin::MenuBuilder::shortcutsOf(e)) {
            ASSERT_EQ(keys.count(), 1) << e.shortcut;
            EXPECT_NE(keys[0].key(), Qt::Key_unknown);
            const auto [it, fresh] = shortcuts.emplace(keys, keyText(e));
            EXPECT_TRUE(fresh) << e.shortcut << " also on " << it->second;
        }
    }
}

TEST(MenuTree, ExclusiveGroupsOneTickedInOneMenu) {
    std::map<std::string, int> tickedCount;
    std::map<std::string, std::string> parents;
    for (const ElementMenu& e : menuTree()) {
        if (!e.group) continue;
        tickedCount[e.group] += e.ticked;
        const auto [it, fresh] = parents.emplace(e.group, e.parent);
        if (!fresh) {
            EXPECT_EQ(it->second, e.parent) << e.group << " spans two menus";
        }
    }
    EXPECT_FALSE(tickedCount.empty());
    for (const auto& [group, n] : tickedCount) EXPECT_EQ(n, 1) << group;
}

// The position of the one access-key marker, -1 without one, -2 for a malformed caption.
int accessKey(const std::string& caption) {
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

TEST(MenuTree, AccessKeyInEveryLanguage) {
    const struct {
        const char* caption;
        int position;
    } cases[] = {{"&Fichier", 0}, {"No&tation", 2}, {"Copier au format F.E.N.", -1},
                 {"A && B", -1},  {"&A &B", -2},    {"fin&", -2},
                 {"& x", -2},     {"&?", 0}};
    for (const auto& c : cases) EXPECT_EQ(accessKey(c.caption), c.position) << c.caption;

    const Catalogue catalogue;
    for (const ElementMenu& e : menuTree()) {
        if (!e.text) continue;
        const int offset = quarvelin::offsetOf(*e.text);
        const bool inFrench =
            accessKey(catalogue.texte_catalogue(Catalogue::textBase(1) + offset)) >= 0;
        for (int key = 1; key <= quarvelin::LanguageCount; ++key) {
            const std::string t = catalogue.texte_catalogue(Catalogue::textBase(key) + offset);
            const int position = accessKey(t);
            EXPECT_NE(position, -2) << Catalogue::fileName(key) << " " << offset << " " << t;
            EXPECT_EQ(position >= 0, inFrench)
                << Catalogue::fileName(key) << " " << offset << " " << t;
        }
    }
}

// What each state of the game does to an item, by the states it declares.
TEST(MenuTree, GameStates) {
    using R = std::optional<bool>;
    constexpr R no = std::nullopt;
    const struct {
        const char* item;
        bool inGame, duringPlay, outOfGame, closing, comingSoon;
        R playing, over, noBoard;
    } cases[] = {
        {"resign", false, true, false, true, false, true, false, false},
        {"mode", false, false, true, false, false, false, true, true},
        {"paste: the clipboard says", false, false, false, true, false, no, no, false},
        {"save, even once the board is closed", true, false, false, false, false, true, true, no},
        {"copy", true, false, false, true, false, true, true, false},
        {"not offered yet", true, false, false, true, true, no, no, no},
        {"left alone", false, false, false, false, false, no, no, no},
    };
    for (const auto& c : cases) {
        const ElementMenu e{.inGame = c.inGame,
                            .duringPlay = c.duringPlay,
                            .outOfGame = c.outOfGame,
                            .closing = c.closing,
                            .comingSoon = c.comingSoon};
        SCOPED_TRACE(c.item);
        EXPECT_EQ(quarvelin::enabledByGameState(e, GameState::InProgress), c.playing);
        EXPECT_EQ(quarvelin::enabledByGameState(e, GameState::Over), c.over);
        EXPECT_EQ(quarvelin::enabledByGameState(e, GameState::NoBoard), c.noBoard);
    }
}

// The keys every desktop program gives these commands.
TEST(MenuTree, DesktopKeys) {
    const struct {
        const char* name;
        int index;
        const char* key;
    } cases[] = {{"menu_charge", -1, "Ctrl+O"},
                 {"menu_copie_position", 2, "Ctrl+C"},
                 {"menu_coller_position", -1, "Ctrl+V"},
                 {"menu_edt_encours", 1, "Ctrl+P"},
                 {"menu_pref", -1, "Ctrl+,"},
                 {"menu_sommaire", -1, "F1"}};
    for (const auto& c : cases) {
        const ElementMenu* e = menuItem(c.name, c.index);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_TRUE(quarvelin::MenuBuilder::shortcutsOf(*e).contains(
            QKeySequence(QString::fromUtf8(c.key))))
            << c.name << " " << e->shortcut;
    }
}

TEST(MenuTree, LookupByName) {
    EXPECT_EQ(menuItem("menu_niv"), nullptr) << "an array needs its index";
    EXPECT_EQ(menuItem("menu_niv", 4), nullptr);
    EXPECT_EQ(menuItem("nothing"), nullptr);
    EXPECT_EQ(menuItem(""), nullptr) << "unnamed separators are not found";
    ASSERT_NE(menuItem("menu_niv", 3), nullptr);
    EXPECT_EQ(menuItem("menu_niv", 3)->index, 3);
}

} // namespace
