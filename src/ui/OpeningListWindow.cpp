// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OpeningListWindow.h"

#include "localisation/TextCatalogue.h"
#include "openings/OpeningBase.h"
#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using quarvelin::TextKey;

namespace {
constexpr int ProgressThreshold = 100; // short lists appear without the progress window
} // namespace

OpeningListWindow::OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName(QStringLiteral("liste_coup"));
    auto caption = [&](TextKey key) { return QString::fromStdString(catalogue.text(key)); };
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(
        {caption(TextKey::EcoCode), caption(TextKey::Opening), caption(TextKey::Line)});
    list_->header()->setStretchLastSection(true);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { choose(); });

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
}

void OpeningListWindow::setGame(quarvelin::GameMode mode, quarvelin::Colour playerColour) {
    mode_ = mode;
    playerColour_ = playerColour;
    choose();
}

void OpeningListWindow::choose() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item) {
        line_->clear();
        next_->clear();
        play_->setEnabled(false);
        return;
    }
    const std::string line = item->text(2).toStdString();
    line_->setText(item->text(2));
    const std::string move = quarvelin::listedMove(line, gameMoveText_);
    next_->setText(QString::fromStdString(move));
    // A White move carries its number: the user's side decides against the machine.
    const bool white = move.find('.') != std::string::npos;
    using quarvelin::GameMode;
    const bool mine = white == (playerColour_ == quarvelin::Colour::White);
    play_->setEnabled(!move.empty() &&
                      (mode_ == GameMode::Free || (mode_ == GameMode::Machine && mine)));
}

void OpeningListWindow::fill(const std::string& gameMoveText,
                             const std::vector<quarvelin::EcoLine>& lines) {
    const QString openings = QString::fromStdString(catalogue_.text(TextKey::Openings));
    setWindowTitle(openings + QStringLiteral(" - ") + QString::fromStdString(gameMoveText));
    gameMoveText_ = gameMoveText;
    list_->clear();
    const int n = static_cast<int>(lines.size());
    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::unique_ptr<ProgressWindow> progress;
    if (n > ProgressThreshold) {
        progress = std::make_unique<ProgressWindow>(this);
        progress->appliquer_textes(catalogue_);
        progress->setTitle(openings);
        progress->setText(QString::fromStdString(catalogue_.text(TextKey::LookingUpOpenings)));
        progress->show();
    }
    int i = 0;
    for (const quarvelin::EcoLine& l : lines) {
        QCoreApplication::processEvents(); // the cancel button must be heard
        if (progress && progress->cancelToken().cancelled()) break;
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(l.code),
                                                 QString::fromStdString(l.label),
                                                 QString::fromStdString(l.moves)});
        item->setData(0, Qt::UserRole, QStringLiteral("ref%1").arg(l.key));
        ++i;
        if (progress) {
            progress->setText(QStringLiteral("%1/%2 ").arg(i).arg(n) + openings);
            progress->afficher_progression(100 * i / n);
        }
    }
    QApplication::restoreOverrideCursor();
    if (progress) progress->close();
    list_->resizeColumnToContents(0);
    list_->setColumnWidth(1, 320);
    choose();
    setWindowTitle(QString::number(n) + QStringLiteral(" ") + windowTitle());
}
