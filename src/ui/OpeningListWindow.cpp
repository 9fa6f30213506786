// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OpeningListWindow.h"

#include "localisation/TextCatalogue.h"
#include "openings/OpeningBase.h"
#include "ui/OpeningLinesModel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

using quarvelin::TextKey;

OpeningListWindow::OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName(QStringLiteral("liste_coup"));
    auto caption = [&](TextKey key) { return QString::fromStdString(catalogue.text(key)); };
    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true); // rows are laid out without being measured one by one
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->header()->setStretchLastSection(true);

    line_ = new QLineEdit(this);
    line_->setObjectName(QStringLiteral("Text2"));
    line_->setReadOnly(true);
    next_ = new QLineEdit(this);
    next_->setObjectName(QStringLiteral("Text1"));
    next_->setReadOnly(true);
    next_->setMaximumWidth(120);
    play_ = new QPushButton(caption(TextKey::PlayListedMove), this);
    play_->setObjectName(QStringLiteral("Command3"));
    play_->setEnabled(false);
    play_->setDefault(true);
    auto* cancel = new QPushButton(caption(TextKey::CloseListedMoves), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    connect(play_, &QPushButton::clicked, this, [this] {
        emit playMove(next_->text());
        close();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);

    auto* chosen = new QFormLayout;
    chosen->addRow(caption(TextKey::ChosenLine), line_);
    auto* move = new QHBoxLayout;
    move->addWidget(next_);
    move->addStretch(1);
    move->addWidget(play_);
    move->addWidget(cancel);
    chosen->addRow(caption(TextKey::NextMoveOfLine), move);
    auto* l = new QVBoxLayout(this);
    l->addWidget(list_, 1);
    l->addLayout(chosen);
    resize(820, 500);
    fill(nullptr, {});
}

void OpeningListWindow::setGame(quarvelin::GameMode mode, quarvelin::Colour playerColour) {
    mode_ = mode;
    playerColour_ = playerColour;
    choose();
}

void OpeningListWindow::choose() {
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid() || !model_) {
        line_->clear();
        next_->clear();
        play_->setEnabled(false);
        return;
    }
    const std::string& line = model_->line(current.row()).moves;
    line_->setText(QString::fromStdString(line));
    const std::string move = quarvelin::listedMove(line, gameMoveText_);
    next_->setText(QString::fromStdString(move));
    // A White move carries its number: the user's side decides against the machine.
    const bool white = move.find('.') != std::string::npos;
    using quarvelin::GameMode;
    const bool mine = white == (playerColour_ == quarvelin::Colour::White);
    play_->setEnabled(!move.empty() &&
                      (mode_ == GameMode::Free || (mode_ == GameMode::Machine && mine)));
}

void OpeningListWindow::fill(const quarvelin::OpeningBase* base, const std::string& gameMoveText) {
    gameMoveText_ = gameMoveText;
    auto caption = [&](TextKey key) { return QString::fromStdString(catalogue_.text(key)); };
    auto* model = new OpeningLinesModel(base, gameMoveText, this);
    model->setCaptions(
        {caption(TextKey::EcoCode), caption(TextKey::Opening), caption(TextKey::Line)});
    QItemSelectionModel* selection = list_->selectionModel();
    list_->setModel(model);
    delete selection; // the view made a new one, and leaves the old to its owner
    delete model_;
    model_ = model;
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { choose(); });
    list_->resizeColumnToContents(0);
    list_->setColumnWidth(1, 320);
    choose();
    setWindowTitle(QString::number(model_->total()) + QStringLiteral(" ") +
                   caption(TextKey::Openings) + QStringLiteral(" - ") +
                   QString::fromStdString(gameMoveText));
}
