// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The openings that continue the game (`liste_coup`): code, name and line of every row of the
// opening base that continues the game text, read from the base as the list is scrolled.
// Choosing a row shows its line and the move it plays next; the play button hands that move to
// the board when the mode and colour allow.
#include "rules/Position.h"
#include "session/GameSession.h"

#include <QDialog>

#include <string>

class OpeningLinesModel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace quarvelin {
class OpeningBase;
class TextCatalogue;
} // namespace quarvelin

class OpeningListWindow : public QDialog {
    Q_OBJECT

public:
    OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent = nullptr);

    // Who may play from the list: everyone at one board, the user's side against the machine.
    void setGame(quarvelin::GameMode mode, quarvelin::Colour playerColour);
    // Lists the lines of the base that continue the game text (none without a base); the
    // number of lines goes in front of the title. The base must outlive the window.
    void fill(const quarvelin::OpeningBase* base, const std::string& gameMoveText);
    QTreeView* list() const { return list_; }
    OpeningLinesModel* lines() const { return model_; }

signals:
    // The next move of the chosen line ("2.Nf3"), to be played; the window then closes.
    void playMove(const QString& move);

private:
    void choose();

    const quarvelin::TextCatalogue& catalogue_;
    std::string gameMoveText_;
    quarvelin::GameMode mode_ = quarvelin::GameMode::Machine;
    quarvelin::Colour playerColour_ = quarvelin::Colour::White;
    QTreeView* list_ = nullptr;
    OpeningLinesModel* model_ = nullptr;
    QLineEdit* line_ = nullptr; // Text2
    QLineEdit* next_ = nullptr; // Text1
    QPushButton* play_ = nullptr;
};
