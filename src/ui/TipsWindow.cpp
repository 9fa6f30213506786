// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TipsWindow.h"

#include "localisation/Catalogue.h"
#include "ui/Captions.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyle>
#include <QVBoxLayout>

using quarvelin::TextKey;

TipsWindow::TipsWindow(const quarvelin::Catalogue& catalogue, quarvelin::TipsOption& option,
                       const std::string& tipsFile, QWidget* parent)
    : QDialog(parent), option_(option) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("cadre"));
    panel->setStyleSheet(QStringLiteral("#cadre { background: #FFFDF4; border: 1px solid #D8D2B8;"
                                        " border-radius: 6px; }"));
    auto* icon = new QLabel(panel);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    heading_ = new QLabel(panel);
    QFont big = heading_->font();
    big.setPointSizeF(big.pointSizeF() * 1.35);
    big.setBold(true);
    heading_->setFont(big);
    lblTipText_ = new QLabel(panel);
    lblTipText_->setObjectName(QStringLiteral("lblTipText"));
    lblTipText_->setWordWrap(true);
    lblTipText_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblTipText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblTipText_->setMinimumHeight(110);

    auto* text = new QVBoxLayout;
    text->setSpacing(10);
    text->addWidget(heading_);
    text->addWidget(lblTipText_, 1);
    auto* inside = new QHBoxLayout(panel);
    inside->setContentsMargins(16, 16, 18, 16);
    inside->setSpacing(14);
    inside->addWidget(icon);
    inside->addLayout(text, 1);

    chkLoadTipsAtStartup_ = new QCheckBox(this);
    chkLoadTipsAtStartup_->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    cmdNextTip_ = new QPushButton(this);
    cmdNextTip_->setObjectName(QStringLiteral("cmdNextTip"));
    cmdNextTip_->setAutoDefault(false);
    cmdOK_ = new QPushButton(this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkLoadTipsAtStartup_);
    bottom->addStretch(1);
    bottom->addWidget(cmdNextTip_);
    bottom->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addWidget(panel, 1);
    layout->addLayout(bottom);

    random = [] { return QRandomGenerator::global()->generateDouble(); };
    connect(cmdNextTip_, &QPushButton::clicked, this, &TipsWindow::nextTip);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    appliquer_textes(catalogue);
    chkLoadTipsAtStartup_->setChecked(option_.showAtStartup());
    connect(chkLoadTipsAtStartup_, &QCheckBox::toggled, this,
            [this](bool on) { option_.setShowAtStartup(on); });
    if (tips_.load(tipsFile))
        nextTip();
    else
        lblTipText_->setText(
            QString::fromStdString(quarvelin::Tips::missingFileText(catalogue, tipsFile)));
    cmdNextTip_->setEnabled(tips_.tips().size() > 1);
    resize(520, 260);
}

void TipsWindow::appliquer_textes(const quarvelin::Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::TipsTitle));
    heading_->setText(Captions::text(catalogue, TextKey::TipsDidYouKnow));
    chkLoadTipsAtStartup_->setText(Captions::text(catalogue, TextKey::TipsShowAtStartup));
    cmdNextTip_->setText(Captions::text(catalogue, TextKey::TipsNext));
    cmdOK_->setText(Captions::text(catalogue, TextKey::ButtonOk));
}

void TipsWindow::nextTip() {
    if (const std::string* tip = tips_.pick(random()))
        lblTipText_->setText(QString::fromStdString(*tip));
}
