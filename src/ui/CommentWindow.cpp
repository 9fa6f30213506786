// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommentWindow.h"

#include "localisation/TextCatalogue.h"
#include "localisation/TextKey.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

using namespace quarvelin;

using quarvelin::TextKey;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

CommentWindow::CommentWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("comment"));

    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    // Engine lines are columns of moves and scores: they only line up in a fixed-pitch font.
    text1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text1_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    showOpenings_ = new QPushButton(QStringLiteral("&Ouverture ?"), this);
    showOpenings_->setObjectName(QStringLiteral("voir_coup"));
    showOpenings_->setEnabled(false);
    connect(showOpenings_, &QPushButton::clicked, this, &CommentWindow::viewOpenings);

    command1_ = new QPushButton(QStringLiteral("&Effacer"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    connect(command1_, &QPushButton::clicked, this, &CommentWindow::clear);

    calculation_ = new QLabel(this);
    calculation_->setObjectName(QStringLiteral("calcul"));
    calculation_->setTextFormat(Qt::PlainText);
    calculation_->setMinimumWidth(0);
    calculation_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(showOpenings_);
    buttons->addWidget(calculation_, 1);
    buttons->addWidget(command1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(text1_, 1);
    layout->addLayout(buttons);
}

void CommentWindow::appliquer_textes(const TextCatalogue& catalogue) {
    setWindowTitle(q(catalogue.text(TextKey::CommentTitle)));
    showOpenings_->setText(q(catalogue.text(TextKey::CommentShowOpenings)));
    showOpenings_->setToolTip(q(catalogue.text(TextKey::CommentTipShowOpenings)));
    command1_->setText(q(catalogue.text(TextKey::CommentClear)));
    command1_->setToolTip(q(catalogue.text(TextKey::CommentTipClear)));
}

void CommentWindow::append(const std::string& text) {
    QTextCursor end(text1_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(q(text));
    text1_->setTextCursor(end);
    // All the way down, not just far enough for the caret: the newest lines fill the view.
    text1_->ensureCursorVisible();
    text1_->verticalScrollBar()->setValue(text1_->verticalScrollBar()->maximum());
}

void CommentWindow::prepend(const std::string& text) {
    QTextCursor beginning(text1_->document());
    beginning.insertText(q(text));
    // The newest thinking is at the top: keep it in view.
    beginning.movePosition(QTextCursor::Start);
    text1_->setTextCursor(beginning);
    text1_->ensureCursorVisible();
}

void CommentWindow::clear() { text1_->clear(); }

void CommentWindow::setShowOpeningsEnabled(bool enabled) { showOpenings_->setEnabled(enabled); }

void CommentWindow::setCalculation(const QString& text) { calculation_->setText(text); }

QString CommentWindow::text() const { return text1_->toPlainText(); }

QSize CommentWindow::sizeHint() const { return {330, 420}; }

void CommentWindow::closeEvent(QCloseEvent* event) {
    shown_ = false;
    text1_->clear();
    QWidget::closeEvent(event);
    emit closed();
}
