// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The correspondence window (`corres`): the games of the correspondence base with whose turn it
// is, the details of the selected game, and the commands on it: new, save, delete, print the
// list, open on the board, send a move, enter the move received.
#include "correspondence/CorrespondenceStore.h"
#include "correspondence/MailService.h"
#include "correspondence/MoveMail.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class DateField;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace quarvelin {
class Catalogue;
class Dialogs;
struct Settings;
} // namespace quarvelin

// What the correspondence windows need from the rest of the program.
struct CorrespondenceLinks {
    quarvelin::Settings& settings;
    const quarvelin::Catalogue& catalogue;
    quarvelin::Dialogs& dialogs;
    QString settingsFile; // named in the missing-base message
    std::function<std::unique_ptr<quarvelin::MailService>()> mailService;
    std::function<void(const quarvelin::CorrespondenceGame&)> openOnBoard;
    std::function<std::string()> boardMoves; // the moves on the board, in SAN
};

class CorrespondenceWindow : public QDialog {
    Q_OBJECT

public:
    CorrespondenceWindow(CorrespondenceLinks links, QWidget* parent = nullptr);
    ~CorrespondenceWindow() override;

    void appliquer_textes();
    // Fills the list from the base; false (said to the user) when the base is missing.
    bool charger_liste_corres();
    // The game selected in the list, read again from the base.
    std::optional<quarvelin::CorrespondenceGame> selectedGame();
    void select(int cle);

    void newGame();
    void save();
    void deleteGame();
    void printList();
    void openOnBoard();
    void sendMove();
    void enterMove();
    // A message to the opponent of the selected game.
    void writeMessage();

    QTreeWidget* list() const { return list_; }
    quarvelin::CorrespondenceStore& store() { return store_; }
    // Item data: the list's key ("ref" and Cle) and the game's state.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int StateRole = Qt::UserRole + 1;

private:
    void showGame(const quarvelin::CorrespondenceGame& g);
    void clearDetails();
    quarvelin::CorrespondenceGame detailsGame() const;
    void setButtons();
    std::string text(quarvelin::TextKey key) const;

    CorrespondenceLinks links_;
    quarvelin::CorrespondenceStore store_;
    bool adding_ = false;
    int shownCle_ = 0;
    std::optional<quarvelin::CorrespondenceGame> shown_;

    QTreeWidget* list_;
    QGroupBox* details_;
    QLabel* cle_;
    QLineEdit* cleAdverse_;
    QCheckBox* jaiBlanc_;
    QLineEdit *blanc_, *noir_, *melBlanc_, *melNoir_, *eloBlanc_, *eloNoir_, *resultat_;
    DateField *dateDebut_, *dateFin_;
    QCheckBox* avertir_;
    QRadioButton *french_, *pgn_;
    QPlainTextEdit* moves_;
    QLabel *lastSent_, *lastReceived_, *length_, *sinceSent_, *sinceReceived_;
    QPushButton *newButton_, *saveButton_, *deleteButton_, *printButton_, *boardButton_,
        *sendButton_, *enterButton_, *closeButton_;
    std::vector<std::pair<QLabel*, quarvelin::TextKey>> labels_;
};
