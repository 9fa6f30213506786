// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressWindow.h"

#include "localisation/TextCatalogue.h"
#include "localisation/TextKey.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using quarvelin::TextKey;

using namespace quarvelin;

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("patience"));
    setWindowTitle(QStringLiteral("Patience"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    label1_ = new QLabel(QStringLiteral("Traitement en cours, veuillez patienter..."), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setTextFormat(Qt::PlainText);

    picture1_ = new ProgressSurface(this);

    command1_ = new QPushButton(QStringLiteral("&Annuler"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, [this] { cancel_.cancel(); });

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(command1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(label1_);
    layout->addWidget(picture1_);
    layout->addLayout(bottom);
    setMinimumWidth(380);
}

void ProgressWindow::appliquer_textes(const TextCatalogue& catalogue) {
    setWindowTitle(QString::fromStdString(catalogue.text(TextKey::ProgressTitle)));
    label1_->setText(QString::fromStdString(catalogue.text(TextKey::ProgressLabel)));
    command1_->setText(QString::fromStdString(catalogue.text(TextKey::ProgressCancel)));
    command1_->setToolTip(QString::fromStdString(catalogue.text(TextKey::ProgressTipCancel)));
}

void ProgressWindow::setText(const QString& text) { label1_->setText(text); }

void ProgressWindow::afficher_progression(int p) { ::afficher_progression(*picture1_, p); }

void ProgressWindow::reject() { cancel_.cancel(); }

void ProgressWindow::closeEvent(QCloseEvent* event) {
    // The window manager's close button stops the work like the cancel button; the program's
    // own close() goes through. Not QDialog's handler: that would reject, which only asks.
    if (event->spontaneous()) {
        cancel_.cancel();
        event->ignore();
    } else {
        event->accept();
    }
}
