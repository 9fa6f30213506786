// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatisticsWindow.h"

#include "localisation/TextCatalogue.h"
#include "session/ScoreStatistics.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    if (points_.empty()) return;
    QPainterPath curve(place(points_.front().first, points_.front().second));
    for (const auto& [move, score] : points_) curve.lineTo(place(move, score));
    p.setPen(QPen(QColor(0xD0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(curve);
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    for (const auto& [move, score] : points_) p.drawEllipse(place(move, score), 3, 3);
}

StatisticsWindow::StatisticsWindow(const quarvelin::TextCatalogue& catalogue,
                                   std::function<Game()> read, const QPixmap& whiteKing,
                                   const QPixmap& blackKing, QWidget* parent)
    : QDialog(parent), read_(std::move(read)), whiteKing_(whiteKing), blackKing_(blackKing) {
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
    list_->clear();
    for (const quarvelin::ScoreRow& r : quarvelin::scoreRows(g.scoreHistory, g.moveCount)) {
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(r.number),
                                                 QString::fromStdString(r.score),
                                                 QString::fromStdString(r.variation)});
        for (int c = 0; c < 3; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c = 0; c < 3; ++c) list_->resizeColumnToContents(c);
}
