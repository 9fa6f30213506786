#include "ui/MenuTree.h"
#include "localisation/Catalogue.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QString>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>

using quarvelin::Catalogue;
using quarvelin::ElementMenu;
using quarvelin::menuItem;
using quarvelin::MenuKind;
using quarvelin::menuTree;

namespace {

using Key = std::pair<std::string, int>;

std::string keyText(const Key& c) {
    return c.second < 0 ? c.first : c.first + "[" + std::to_string(c.second) + "]";
}

std::string keyText(const ElementMenu& e) { return keyText(Key{e.name, e.index}); }

std::string french(quarvelin::TextKey key) {
    static const Catalogue catalogue;
    return catalogue.texte_catalogue(Catalogue::textBase(1) + quarvelin::offsetOf(key));
}

TEST(MenuTree, EachNamedItemOnce) {
    std::set<Key> presents;
    for (const ElementMenu& e : menuTree()) {
        if (*e.name == '\0') continue;
        EXPECT_TRUE(presents.insert({e.name, e.index}).second) << "twice: " << keyText(e);
    }
}

TEST(MenuTree, ParentsDeclaredBeforeTheirChildren) {
    std::set<std::string> menus;
    int topLevel = 0;
    for (const ElementMenu& e : menuTree()) {
        SCOPED_TRACE(keyText(e));
        if (e.parent)
            EXPECT_TRUE(menus.count(e.parent)) << "parent not a menu above: " << e.parent;
        else
            EXPECT_EQ(e.kind, MenuKind::Menu) << "only menus sit on the bar";
        if (e.kind == MenuKind::Menu) {
            EXPECT_EQ(e.index, -1);
            menus.insert(e.name);
            topLevel += e.parent == nullptr;
        }
    }
    EXPECT_EQ(topLevel, 5);
}

TEST(MenuTree, KindsAreConsistent) {
    for (const ElementMenu& e : menuTree()) {
        SCOPED_TRACE(keyText(e));
        if (e.kind == MenuKind::Separator) {
            EXPECT_FALSE(e.text);
            EXPECT_FALSE(e.comingSoon || e.inGame || e.outOfGame || e.closing || e.ticked);
        } else if (!e.text) {
            EXPECT_STREQ(e.name, "mnuRecentFile") << "only recent files are captioned later";
        }
        if (e.ticked || e.group) {
            EXPECT_EQ(e.kind, MenuKind::Tick);
        }
        if (e.shortcut[0]) {
            EXPECT_NE(e.kind, MenuKind::Menu);
        }
        if (e.kind == MenuKind::Menu) {
            EXPECT_FALSE(e.comingSoon) << "a menu opens; its items wait";
        }
    }
}

TEST(MenuTree, ExclusiveGroupsOneTickedInOneMenu) {
    std::map<std::string, int> tickedCount, members;
    std::map<std::string, std::string> parents;
    for (const ElementMenu& e : menuTree()) {
        if (!e.group) continue;
        ++members[e.group];
        tickedCount[e.group] += e.ticked;
        const auto [it, fresh] = parents.emplace(e.group, e.parent);
        if (!fresh) {
            EXPECT_EQ(it->second, e.parent) << e.group << " spans two menus";
        }
    }
    const std::map<std::string, int> expectedList = {
        {"couleur", 2}, {"langue", 8}, {"mode", 5}, {"niveau", 4}, {"notation", 3}};
    EXPECT_EQ(members, expectedList);
    for (const auto& [group, n] : tickedCount) EXPECT_EQ(n, 1) << group;
    EXPECT_TRUE(menuItem("mode_machine")->ticked);
    EXPECT_TRUE(menuItem("couleur_blanche")->ticked);
    EXPECT_TRUE(menuItem("notation_francaise")->ticked);
}

TEST(MenuTree, ShortcutsReadableAndDistinct) {
    std::map<QKeySequence, std::string> seen;
    for (const ElementMenu& e : menuTree()) {
        if (!e.shortcut[0]) continue;
        const QKeySequence keys(QString::fromUtf8(e.shortcut));
        ASSERT_EQ(keys.count(), 1) << keyText(e) << ": " << e.shortcut;
        EXPECT_NE(keys[0].key(), Qt::Key_unknown) << keyText(e);
        const auto [it, fresh] = seen.emplace(keys, keyText(e));
        EXPECT_TRUE(fresh) << e.shortcut << " on " << it->second << " and " << keyText(e);
    }
    EXPECT_EQ(seen.size(), 16u);
}

TEST(MenuTree, NoTwoItemsShareACaption) {
    const Catalogue catalogue;
    std::set<quarvelin::TextKey> seen = {quarvelin::TextKey::ComingSoon};
    for (const ElementMenu& e : menuTree()) {
        if (!e.text) continue;
        EXPECT_TRUE(seen.insert(*e.text).second)
            << keyText(e) << " reuses " << quarvelin::offsetOf(*e.text);
    }
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
        const bool inFrench = accessKey(french(*e.text)) >= 0;
        for (int key = 1; key <= quarvelin::LanguageCount; ++key) {
            const std::string t = catalogue.texte_catalogue(Catalogue::textBase(key) + offset);
            const int position = accessKey(t);
            EXPECT_NE(position, -2) << Catalogue::fileName(key) << " " << offset << " " << t;
            EXPECT_EQ(position >= 0, inFrench)
                << Catalogue::fileName(key) << " " << offset << " " << t;
        }
    }
}

// Starting a game enables exactly these and disables exactly those.
TEST(MenuTree, GameStates) {
    using R = std::optional<bool>;
    const struct {
        const char* name;
        int index;
        R beginning, end;
    } cases[] = {
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
    for (const auto& c : cases) {
        const ElementMenu* e = menuItem(c.name, c.index);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_EQ(quarvelin::enabledByGameState(*e, true), c.beginning)
            << keyText(Key{c.name, c.index});
        EXPECT_EQ(quarvelin::enabledByGameState(*e, false), c.end) << keyText(Key{c.name, c.index});
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
