// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReleaseWindow.h"

#include "config/Version.h"
#include "localisation/Catalogue.h"
#include "ui/Captions.h"
#include "ui/MessageBoxDialogs.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using quarvelin::TextKey;

ReleaseWindow::ReleaseWindow(const quarvelin::Catalogue& catalogue, std::string address,
                             quarvelin::Dialogs* dialogs, QWidget* parent)
    : QDialog(parent), own_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *own_),
      check_(catalogue, dialogs_, quarvelin::ProgramName, quarvelin::ProgramVersion),
      address_(std::move(address)) {
    setObjectName(QStringLiteral("release"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    contenu_ = new QPlainTextEdit(this);
    contenu_->setObjectName(QStringLiteral("contenu"));
    contenu_->setReadOnly(true);
    contenu_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The separator lines are drawn with dashes: they line up only in a fixed-width font.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(std::max(8.0, fixed.pointSizeF() - 1));
    contenu_->setFont(fixed);

    command2_ = new QPushButton(this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setDefault(true);
    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(command2_);
    buttons->addWidget(command1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addWidget(contenu_, 1);
    layout->addLayout(buttons);

    connect(command2_, &QPushButton::clicked, this, &ReleaseWindow::startCheck);
    connect(command1_, &QPushButton::clicked, this, &ReleaseWindow::reject);
    check_.append = [this](const std::string& text) {
        contenu_->moveCursor(QTextCursor::End);
        contenu_->insertPlainText(QString::fromStdString(text));
        contenu_->verticalScrollBar()->setValue(contenu_->verticalScrollBar()->maximum());
    };
    check_.finished = [this](bool verdict) { ended(verdict); };

    appliquer_textes(catalogue);
    resize(contenu_->fontMetrics().horizontalAdvance(QString(86, u'-')) + 64, 400);
}

ReleaseWindow::~ReleaseWindow() {
    check_.resign();
    if (waiting_) QApplication::restoreOverrideCursor();
}

void ReleaseWindow::appliquer_textes(const quarvelin::Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::VersionWindowTitle));
    command2_->setText(Captions::text(catalogue, TextKey::VersionCheckButton));
    command1_->setText(Captions::text(catalogue, TextKey::VersionCloseButton));
}

void ReleaseWindow::startCheck() {
    if (check_.inProgress()) return;
    command2_->setEnabled(false);
    if (check_.check(address_) && check_.inProgress()) {
        waiting_ = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else if (check_.verdict() == quarvelin::VersionCheck::Verdict::None) {
        command2_->setEnabled(true);
    }
}

void ReleaseWindow::reject() {
    // A document still on its way has nobody to go to.
    check_.resign();
    ended(false);
    QDialog::reject();
}

void ReleaseWindow::ended(bool verdict) {
    if (waiting_) QApplication::restoreOverrideCursor();
    waiting_ = false;
    // One check per opening of the window; a document that could not be read may be tried again.
    command2_->setEnabled(!verdict && check_.verdict() == quarvelin::VersionCheck::Verdict::None);
}
