// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LanguageWindow.h"

#include "config/LanguageChoice.h"
#include "localisation/TextCatalogue.h"
#include "localisation/TextKey.h"
#include "ui/WelcomeBanner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using quarvelin::LanguageChoice;

using quarvelin::TextKey;

namespace {

// Each language's own name where the fixed caption is not it.
constexpr const char* ProperNames[8] = {"", "", "", "", "", "Português", "Русский", "Polski"};

} // namespace

LanguageWindow::LanguageWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Language"));
    setWindowTitle(QString::fromStdString(LanguageChoice::windowTitle()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    banner_ = new WelcomeBanner(this);

    prompt_ = new QLabel(QStringLiteral("Choose the language of the program"), this);
    prompt_->setObjectName(QStringLiteral("invite"));
    prompt_->setAlignment(Qt::AlignCenter);
    QFont large = prompt_->font();
    large.setPointSizeF(large.pointSizeF() * 1.1);
    prompt_->setFont(large);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    for (int i = 0; i < 8; ++i) {
        const int key = i + 1;
        QString text = QString::fromUtf8(LanguageChoice::Captions[static_cast<std::size_t>(i)]);
        if (*ProperNames[i] != '\0')
            text += QStringLiteral("  ·  ") + QString::fromUtf8(ProperNames[i]);
        auto* b = new QPushButton(text, this);
        b->setObjectName(QStringLiteral("langue%1").arg(key));
        b->setMinimumHeight(40);
        b->setAutoDefault(false);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(b, &QPushButton::clicked, this, [this, key] {
            emit chosenLanguage(key);
            accept();
        });
        buttons_[static_cast<std::size_t>(i)] = b;
        grid->addWidget(b, i / 2, i % 2);
    }

    output_ = new QPushButton(QStringLiteral("E&xit"), this);
    output_->setObjectName(QStringLiteral("sortie"));
    output_->setAutoDefault(false);
    connect(output_, &QPushButton::clicked, this, [this] {
        emit quit();
        reject();
    });

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(output_);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(28, 18, 28, 16);
    body->setSpacing(14);
    body->addWidget(prompt_);
    body->addLayout(grid);
    body->addSpacing(4);
    body->addLayout(bottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner_);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LanguageWindow::appliquer_textes(const quarvelin::TextCatalogue& catalogue) {
    banner_->setSubtitle(QString::fromStdString(catalogue.text(quarvelin::TextKey::Welcome)));
    prompt_->setText(QString::fromStdString(catalogue.text(quarvelin::TextKey::ChooseLanguage)));
    output_->setToolTip(
        QString::fromStdString(catalogue.text(quarvelin::TextKey::TipQuitLanguage)));
}
