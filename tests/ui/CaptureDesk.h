// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window the screenshot tests start from: a settings file of its own in a temporary
// folder, no sound, the machine at depth 1 and the opening base the build made.
#include "config/SettingsFile.h"
#include "config/Startup.h"
#include "session/GameController.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"

#include <QAction>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Until the machine has played, 20 s at most.
inline void waitForTheMachine(quarvelin::GameController& game) {
    QElapsedTimer t;
    t.start();
    while (game.machineThinking() && t.elapsed() < 20000) QTest::qWait(5);
}

struct CaptureDesk {
    QTemporaryDir dir;
    quarvelin::Locations locations;
    quarvelin::Settings settings;
    quarvelin::Catalogue catalogue;
    std::unique_ptr<MainWindow> window;
    // `adjust` changes the settings before they are written.
    explicit CaptureDesk(const std::function<void(quarvelin::Settings&)>& adjust) {
        QStandardPaths::setTestModeEnabled(true);
        locations = {dir.path().toStdString(), dir.path().toStdString()};
        quarvelin::Settings s = quarvelin::builtInSettings(locations.data);
        quarvelin::applyNewFile(s);
        s.FIRST_STARTUP = 0;
        s.ACTIVE_SON = 0;
        for (auto& p : s.PROFONDEUR_MAX) p = 1;
        s.BASE_ECO = QUARVELIN_BIN_DIR "/base/eco.db";
        adjust(s);
        EXPECT_EQ(quarvelin::ecrire_reglages(s, quarvelin::settingsFile(locations)), "");
        EXPECT_FALSE(quarvelin::start(locations, settings, catalogue).end);
        window = std::make_unique<MainWindow>(settings, catalogue, locations);
        window->resize(1280, 840);
        window->show();
        QTest::qWait(50);
    }
    quarvelin::GameController& game() { return window->game(); }
    // Starts the program's first game, as the user's first step would.
    void newGame() {
        window->start();
        window->menus().action(QStringLiteral("menu_nouvelle"))->trigger();
    }
};
