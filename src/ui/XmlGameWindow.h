// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The remote-game window (`xml`): an address typed or picked from an address list, and the
// game of the XML document found there handed to the main window for the replay.
#include "records/RemoteGame.h"

#include <QDialog>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace quarvelin {
class Catalogue;
}

class XmlGameWindow : public QDialog {
    Q_OBJECT

public:
    // dialogs: where messages go; null for message boxes over this window.
    XmlGameWindow(const quarvelin::Catalogue& catalogue, quarvelin::Commentary& commentary,
                  quarvelin::Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~XmlGameWindow() override;

    void appliquer_textes(const quarvelin::Catalogue& catalogue);

    // Fills the list from an address-list file; a missing file is reported.
    void loadList(const QString& path);
    // Loads the address in the field, as the load button does.
    void loadGame();

    quarvelin::RemoteGame& controller() { return controller_; }
    // The file dialog of the address-list button; tests put their own answer here.
    std::function<QString()> chooseFile;

signals:
    // The downloaded game, already shown to the user: tag lines, moves, result and start
    // position (empty: the initial one), for the game record and its replay.
    void receivedGame(const QString& gameText, const QString& gameMoveText,
                      const QString& gameResult, const QString& fenDepart);

public slots:
    void reject() override;

private:
    void chooseList();
    void takeAddress(int line);
    void showLoading(bool inProgress);
    void listTitle();

    const quarvelin::Catalogue& catalogue_;
    std::unique_ptr<quarvelin::Dialogs> own_;
    quarvelin::Dialogs& dialogs_;
    quarvelin::RemoteGame controller_;
    bool inProgress_ = false;

    QLabel* label1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QListWidget* list1_ = nullptr;
    QPushButton* command3_ = nullptr;
    QLabel* state_ = nullptr;
    QProgressBar* waiting_ = nullptr;
    QPushButton* command1_ = nullptr;
};
