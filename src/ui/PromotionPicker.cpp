// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PromotionPicker.h"

#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using quarvelin::PieceType;

PromotionPicker::PromotionPicker(QWidget* parent, const QString& title, const QString& cancel,
                                 const std::function<QPixmap(quarvelin::PieceCode)>& image,
                                 quarvelin::Colour mover)
    : QDialog(parent) {
    setObjectName(QStringLiteral("promotion"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (PieceType t : Choices) {
        auto* b = new QToolButton(this);
        const quarvelin::PieceCode piece = quarvelin::pieceOf(t, mover);
        b->setObjectName(
            QStringLiteral("promotion_%1")
                .arg(QChar::fromLatin1(quarvelin::EnglishLetters[quarvelin::code(piece) - 1])));
        b->setIcon(QIcon(image(piece)));
        b->setIconSize(QSize(64, 64));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, t] {
            chosen_ = t;
            accept();
        });
        row->addWidget(b);
    }
    layout->addLayout(row);
    auto* no = new QPushButton(cancel, this);
    no->setObjectName(QStringLiteral("promotion_cancel"));
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(no, 0, Qt::AlignRight);
}
