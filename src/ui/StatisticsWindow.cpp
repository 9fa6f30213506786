// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatisticsWindow.h"

#include "localisation/TextCatalogue.h"
#include "session/ScoreStatistics.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using quarvelin::TextKey;

namespace {
constexpr int Margin = 12;
} // namespace

ScoreChart::ScoreChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setMinimumSize(320, 240);
}

void ScoreChart::show(std::vector<std::pair<int, float>> points, int moveCount) {
    points_ = std::move(points);
    moveCount_ = moveCount;
    update();
}

void ScoreChart::showAnalysis(Analysis analysis) {
    analysis_ = std::move(analysis);
    update();
}

QPointF ScoreChart::place(int move, float score) const {
    const QRectF area = QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin);
    const double x =
        moveCount_ <= 1 ? area.left() : area.left() + area.width() * (move - 1) / (moveCount_ - 1);
    const double y = area.center().y() - area.height() / 2 * score / quarvelin::ChartLimit;
    return {x, y};
}

void ScoreChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QRectF area = QRectF(rect()).adjusted(Margin, Margin, -Margin, -Margin);
    p.setPen(QPen(QColor(0xD4, 0xD8, 0xDE), 1));
    for (int s = -3000; s <= 3000; s += 500) {
        const double y = place(1, static_cast<float>(s)).y();
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    for (int move = 1; move <= moveCount_; ++move) {
        const double x = place(move, 0).x();
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(area);
    p.drawLine(QPointF(area.left(), area.center().y()), QPointF(area.right(), area.center().y()));
    const QColor machine(0xD0, 0x20, 0x20), white(0x2F, 0x7E, 0xD8), black(0x3A, 0x3F, 0x47);
    auto curve = [&](const std::vector<std::pair<int, float>>& points, const QColor& colour,
                     Qt::PenStyle style) {
        if (points.empty()) return;
        QPainterPath path(place(points.front().first, points.front().second));
        for (const auto& [move, score] : points) path.lineTo(place(move, score));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 2.5, style, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        for (const auto& [move, score] : points) p.drawEllipse(place(move, score), 3, 3);
    };
    // The machine's curve first: an analysis curve that follows it stays visible over it.
    curve(points_, machine, Qt::SolidLine);
    curve(analysis_.white, white, Qt::SolidLine);
    curve(analysis_.black, black, Qt::DashLine);
    if (analysis_.legend.size() < 3) return;
    // The legend sits in the top left corner, over the grid, on a white card.
    const QColor colours[3] = {machine, white, black};
    const QFontMetrics fm = fontMetrics();
    int width = 0;
    for (const QString& t : analysis_.legend) width = std::max(width, fm.horizontalAdvance(t));
    const int line = fm.height() + 4;
    const QRectF card(area.left() + 8, area.top() + 8, width + 44, 3 * line + 10);
    p.setPen(QPen(QColor(0xB8, 0xBE, 0xC6), 1));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(card, 4, 4);
    for (int i = 0; i < 3; ++i) {
        const double y = card.top() + 5 + line * i + line / 2.0;
        p.setPen(QPen(colours[i], 2.5, i == 2 ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(card.left() + 8, y), QPointF(card.left() + 30, y));
        p.setPen(Qt::black);
        p.drawText(QRectF(card.left() + 36, y - line / 2.0, width + 4, line),
                   Qt::AlignVCenter | Qt::AlignLeft, analysis_.legend[i]);
    }
}

StatisticsWindow::StatisticsWindow(const quarvelin::TextCatalogue& catalogue,
                                   std::function<Game()> read, const QPixmap& whiteKing,
                                   const QPixmap& blackKing, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), read_(std::move(read)), whiteKing_(whiteKing),
      blackKing_(blackKing) {
    setObjectName(QStringLiteral("stats"));
    auto caption = [&](TextKey key) { return QString::fromStdString(catalogue.text(key)); };
    setWindowTitle(caption(TextKey::StatisticsTitle));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("List2"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setHeaderLabels({caption(TextKey::ColumnMoveNumber), caption(TextKey::ColumnScore),
                            caption(TextKey::ColumnVariation)});
    list_->setMinimumWidth(230);
    chart_ = new ScoreChart(this);

    topKing_ = new QLabel(this);
    topKing_->setObjectName(QStringLiteral("roi_haut"));
    bottomKing_ = new QLabel(this);
    bottomKing_->setObjectName(QStringLiteral("roi_bas"));
    auto* topLegend = new QLabel(QStringLiteral("+3000"), this);
    topLegend->setObjectName(QStringLiteral("legende_haute"));
    auto* bottomLegend = new QLabel(QStringLiteral("+3000"), this);
    bottomLegend->setObjectName(QStringLiteral("legende_basse"));

    auto* legends = new QVBoxLayout;
    legends->addWidget(topKing_, 0, Qt::AlignHCenter);
    legends->addWidget(topLegend, 0, Qt::AlignHCenter);
    legends->addStretch(1);
    legends->addWidget(bottomLegend, 0, Qt::AlignHCenter);
    legends->addWidget(bottomKing_, 0, Qt::AlignHCenter);

    auto* redraw = new QPushButton(caption(TextKey::StatsRefresh), this);
    redraw->setObjectName(QStringLiteral("Command2"));
    auto* quit = new QPushButton(caption(TextKey::StatsQuit), this);
    quit->setObjectName(QStringLiteral("Command1"));
    connect(redraw, &QPushButton::clicked, this, &StatisticsWindow::refresh);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(redraw);
    buttons->addWidget(quit);

    auto* body = new QHBoxLayout;
    body->addLayout(legends);
    body->addWidget(chart_, 1);
    body->addWidget(list_);
    auto* l = new QVBoxLayout(this);
    l->addLayout(body, 1);
    l->addLayout(buttons);
    resize(900, 460);
    refresh();
}

void StatisticsWindow::refresh() {
    const Game g = read_();
    // The side that moved last is drawn at the bottom.
    const bool swap = g.lastMover == quarvelin::Colour::White;
    topKing_->setPixmap(swap ? blackKing_ : whiteKing_);
    bottomKing_->setPixmap(swap ? whiteKing_ : blackKing_);
    chart_->show(quarvelin::chartPoints(g.scoreHistory, g.moveCount), g.moveCount);
    ScoreChart::Analysis analysis;
    if (!g.whiteAnalysis.empty() || !g.blackAnalysis.empty()) {
        analysis.white = quarvelin::chartPoints(g.whiteAnalysis, g.moveCount);
        analysis.black = quarvelin::chartPoints(g.blackAnalysis, g.moveCount);
        for (TextKey key : {TextKey::AnalysisMachineCurve, TextKey::AnalysisWhiteCurve,
                            TextKey::AnalysisBlackCurve})
            analysis.legend << QString::fromStdString(catalogue_.text(key));
    }
    chart_->showAnalysis(std::move(analysis));
    list_->clear();
    for (const quarvelin::ScoreRow& r : quarvelin::scoreRows(g.scoreHistory, g.moveCount)) {
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(r.number),
                                                 QString::fromStdString(r.score),
                                                 QString::fromStdString(r.variation)});
        for (int c = 0; c < 3; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c = 0; c < 3; ++c) list_->resizeColumnToContents(c);
}
