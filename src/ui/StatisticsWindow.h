// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics window `stats`: the evaluation of the game move by move, as a chart from -3000
// to +3000 and as a list with each move's change. "Refresh" reads the game again.
#include "rules/Position.h"

#include <QDialog>
#include <QPixmap>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;
class ScoreChart;

namespace quarvelin {
class TextCatalogue;
}

class StatisticsWindow : public QDialog {
    Q_OBJECT

public:
    struct Game {
        Game() = default;
        Game(std::vector<float> history, int moves, quarvelin::Colour last)
            : scoreHistory(std::move(history)), moveCount(moves), lastMover(last) {}
        std::vector<float> scoreHistory;
        int moveCount = 0;
        quarvelin::Colour lastMover = quarvelin::Colour::Black;
        // An analysed game's scores of White's and Black's moves by move number; both empty
        // for a game not analysed.
        std::vector<float> whiteAnalysis, blackAnalysis;
    };
    // `read` gives the game as it stands, on opening and on each refresh; the kings are the
    // legend's pictures.
    StatisticsWindow(const quarvelin::TextCatalogue& catalogue, std::function<Game()> read,
                     const QPixmap& whiteKing, const QPixmap& blackKing, QWidget* parent = nullptr);

    void refresh();
    QTreeWidget* list() const { return list_; }
    ScoreChart* chart() const { return chart_; }

private:
    const quarvelin::TextCatalogue& catalogue_;
    std::function<Game()> read_;
    QPixmap whiteKing_, blackKing_;
    QTreeWidget* list_ = nullptr;
    ScoreChart* chart_ = nullptr;
    QLabel* topKing_ = nullptr;
    QLabel* bottomKing_ = nullptr;
};

// `Picture1`: the score scale, a grid line every 500 units and at every move, the red curve.
class ScoreChart : public QWidget {
    Q_OBJECT

public:
    explicit ScoreChart(QWidget* parent = nullptr);
    void show(std::vector<std::pair<int, float>> points, int moveCount);
    const std::vector<std::pair<int, float>>& points() const { return points_; }
    // The analysis curves and the legend's captions (machine, White, Black); no curves, no
    // legend.
    struct Analysis {
        std::vector<std::pair<int, float>> white, black;
        QStringList legend;
    };
    void showAnalysis(Analysis analysis);
    const Analysis& analysis() const { return analysis_; }
    // Where a score of a move is drawn, in the widget.
    QPointF place(int move, float score) const;
    QSize sizeHint() const override { return {560, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::pair<int, float>> points_;
    Analysis analysis_;
    int moveCount_ = 0;
};
