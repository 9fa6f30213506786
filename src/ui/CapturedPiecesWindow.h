// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captured-pieces window (`prises`): the pieces each side has lost in the position the
// board shows, drawn with the board's piece set, and the material balance. It follows every
// move and every step back or forward through the game.
#include <QWidget>

class BoardView;
class QLabel;

namespace quarvelin {
class Catalogue;
}

class CapturedPiecesWindow : public QWidget {
    Q_OBJECT

public:
    CapturedPiecesWindow(const quarvelin::Catalogue& catalogue, BoardView& board,
                         QWidget* parent = nullptr);

    void appliquer_textes(const quarvelin::Catalogue& catalogue);
    // Redraws from the board's position now, rather than once the events are done.
    void refresh();

    QString balanceText() const;

private:
    void scheduleRefresh();

    const quarvelin::Catalogue& catalogue_;
    BoardView& board_;
    bool pending_ = false;

    QLabel* whiteTitle_ = nullptr;
    QLabel* whitePieces_ = nullptr;
    QLabel* blackTitle_ = nullptr;
    QLabel* blackPieces_ = nullptr;
    QLabel* balance_ = nullptr;
};
