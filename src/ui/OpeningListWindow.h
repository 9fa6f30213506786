// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The openings that continue the game (`liste_coup`): code, name and line of every row of the
// opening base that continues the game text. Choosing a row shows its line and the move it
// plays next; the play button hands that move to the board when the mode and colour allow.
#include "openings/EcoLine.h"
#include "rules/Position.h"
#include "session/GameSession.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace quarvelin {
class TextCatalogue;
}

class OpeningListWindow : public QDialog {
    Q_OBJECT

public:
    OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent = nullptr);

    // Who may play from the list: everyone at one board, the user's side against the machine.
    void setGame(quarvelin::GameMode mode, quarvelin::Colour playerColour);
    // Fills the list, row by row, with the progress window over long lists; stops when it is
    // cancelled, keeping what was listed. The number of rows goes in front of the title.
    void fill(const std::string& gameMoveText, const std::vector<quarvelin::EcoLine>& lines);
    QTreeWidget* list() const { return list_; }

signals:
    // The next move of the chosen line ("2.Nf3"), to be played; the window then closes.
    void playMove(const QString& move);

private:
    void choose();

    const quarvelin::TextCatalogue& catalogue_;
    std::string gameMoveText_;
    quarvelin::GameMode mode_ = quarvelin::GameMode::Machine;
    quarvelin::Colour playerColour_ = quarvelin::Colour::White;
    QTreeWidget* list_ = nullptr;
    QLineEdit* line_ = nullptr; // Text2
    QLineEdit* next_ = nullptr; // Text1
    QPushButton* play_ = nullptr;
};
