// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/XmlGameWindow.h"

#include "localisation/Catalogue.h"
#include "records/AddressList.h"
#include "ui/Captions.h"
#include "ui/LastFolder.h"
#include "ui/MessageBoxDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace quarvelin;

using quarvelin::TextKey;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

XmlGameWindow::XmlGameWindow(const Catalogue& catalogue, Commentary& commentary, Dialogs* dialogs,
                             QWidget* parent)
    : QDialog(parent), catalogue_(catalogue),
      own_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *own_), controller_(catalogue, dialogs_, commentary) {
    setObjectName(QStringLiteral("xml"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    label1_ = new QLabel(this);
    text1_ = new QLineEdit(QStringLiteral("http://"), this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setClearButtonEnabled(true);
    text1_->setMinimumWidth(360);
    label1_->setBuddy(text1_);

    command2_ = new QPushButton(this);
    command2_->setObjectName(QStringLiteral("Command2"));
    command2_->setEnabled(false); // until an address is typed or picked
    command2_->setDefault(true);

    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setAlternatingRowColors(true);
    list1_->setUniformItemSizes(true);

    command3_ = new QPushButton(this);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setAutoDefault(false);

    frame1_ = new QGroupBox(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    auto* frame = new QVBoxLayout(frame1_);
    frame->addWidget(list1_, 1);
    auto* frameBottom = new QHBoxLayout;
    frameBottom->addStretch(1);
    frameBottom->addWidget(command3_);
    frame->addLayout(frameBottom);

    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("etat"));
    waiting_ = new QProgressBar(this);
    waiting_->setRange(0, 0); // no length known: the bar just shows the wait goes on
    waiting_->setTextVisible(false);
    waiting_->setMaximumWidth(120);
    waiting_->setMaximumHeight(14);

    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(label1_);
    top->addWidget(text1_, 1);
    top->addWidget(command2_);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(waiting_);
    bottom->addWidget(state_);
    bottom->addStretch(1);
    bottom->addWidget(command1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(frame1_, 1);
    layout->addLayout(bottom);

    connect(text1_, &QLineEdit::textEdited, this, [this] { command2_->setEnabled(!inProgress_); });
    connect(text1_, &QLineEdit::returnPressed, this, [this] {
        if (command2_->isEnabled()) loadGame();
    });
    connect(command2_, &QPushButton::clicked, this, &XmlGameWindow::loadGame);
    connect(list1_, &QListWidget::currentRowChanged, this, &XmlGameWindow::takeAddress);
    connect(list1_, &QListWidget::itemActivated, this, [this] {
        if (command2_->isEnabled()) loadGame();
    });
    connect(command3_, &QPushButton::clicked, this, &XmlGameWindow::chooseList);
    connect(command1_, &QPushButton::clicked, this, &XmlGameWindow::reject);

    controller_.finished = [this] { showLoading(false); };
    controller_.received = [this](const ReceivedGame& p) {
        emit receivedGame(q(p.GameText), q(p.GameMoveText), q(p.GameResult), q(p.FenDepart));
    };
    chooseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, q(catalogue_.text(TextKey::ChooseAddressList)), LastFolder::startIn(this),
            q(catalogue_.text(TextKey::Files)) + QStringLiteral(" TXT (*.txt)"));
    };

    showLoading(false);
    appliquer_textes(catalogue);
    resize(640, 420);
}

XmlGameWindow::~XmlGameWindow() {
    controller_.resign();
    if (inProgress_) QApplication::restoreOverrideCursor();
}

void XmlGameWindow::appliquer_textes(const Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::XmlTitle));
    label1_->setText(Captions::label(catalogue, TextKey::XmlAddress));
    text1_->setToolTip(Captions::text(catalogue, TextKey::XmlTipAddress));
    command2_->setText(Captions::text(catalogue, TextKey::XmlLoad));
    command2_->setToolTip(Captions::text(catalogue, TextKey::XmlTipLoad));
    command3_->setText(Captions::text(catalogue, TextKey::XmlLoadUrlFile));
    command3_->setToolTip(Captions::text(catalogue, TextKey::XmlTipLoadUrlFile));
    command1_->setText(Captions::text(catalogue, TextKey::XmlQuit));
    command1_->setToolTip(Captions::text(catalogue, TextKey::XmlTipQuit));
    list1_->setToolTip(Captions::text(catalogue, TextKey::XmlTipAddresses));
    state_->setText(Captions::text(catalogue, TextKey::XmlDownloading));
    listTitle();
}

void XmlGameWindow::listTitle() {
    frame1_->setTitle(Captions::text(catalogue_, TextKey::GameAddresses) +
                      QString::number(list1_->count()));
}

void XmlGameWindow::loadGame() {
    if (inProgress_) return;
    if (!controller_.load(text1_->text().toStdString())) return;
    showLoading(true);
}

void XmlGameWindow::showLoading(bool inProgress) {
    if (inProgress != inProgress_) {
        if (inProgress)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        // The address just tried stays in the field, ready to be tried again.
        command2_->setEnabled(!inProgress);
    }
    inProgress_ = inProgress;
    command3_->setEnabled(!inProgress);
    waiting_->setVisible(inProgress);
    state_->setVisible(inProgress);
}

void XmlGameWindow::chooseList() {
    const QString path = chooseFile ? chooseFile() : QString();
    if (path.isEmpty()) return;
    LastFolder::remember(this, path);
    loadList(path);
}

void XmlGameWindow::loadList(const QString& path) {
    const std::string title = "quarvelin";
    if (!QFileInfo::exists(path)) {
        dialogs_.message(title,
                         catalogue_.text(TextKey::FileNotFound) + " (" + path.toStdString() + ")",
                         DialogIcon::Exclamation);
        return;
    }
    std::vector<std::string> addresses;
    if (!readAddressList(path.toStdString(), addresses)) {
        dialogs_.message(title, catalogue_.text(TextKey::FileUnreadable) + path.toStdString(),
                         DialogIcon::Exclamation);
        return;
    }
    list1_->clear();
    for (const std::string& a : addresses) list1_->addItem(q(a));
    listTitle();
}

void XmlGameWindow::takeAddress(int line) {
    if (line < 0 || line >= list1_->count()) return;
    text1_->setText(q(addressOfLine(list1_->item(line)->text().toStdString())));
    command2_->setEnabled(!inProgress_);
}

void XmlGameWindow::reject() {
    // Closing drops a load still running: its answer has nobody to go to.
    controller_.resign();
    showLoading(false);
    QDialog::reject();
}
