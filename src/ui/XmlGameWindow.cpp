#include "ui/XmlGameWindow.h"

#include "localisation/Catalogue.h"
#include "records/AddressList.h"
#include "ui/Captions.h"
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

XmlGameWindow::XmlGameWindow(const Catalogue& catalogue, Commentary& commentary,
                             QString installation, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), installation_(std::move(installation)),
      propres_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *propres_), controleur_(catalogue, dialogs_, commentary) {
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
    auto* cadre = new QVBoxLayout(frame1_);
    cadre->addWidget(list1_, 1);
    auto* basCadre = new QHBoxLayout;
    basCadre->addStretch(1);
    basCadre->addWidget(command3_);
    cadre->addLayout(basCadre);

    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("etat"));
    attente_ = new QProgressBar(this);
    attente_->setRange(0, 0); // no length known: the bar just shows the wait goes on
    attente_->setTextVisible(false);
    attente_->setMaximumWidth(120);
    attente_->setMaximumHeight(14);

    command1_ = new QPushButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);

    auto* haut = new QHBoxLayout;
    haut->setSpacing(8);
    haut->addWidget(label1_);
    haut->addWidget(text1_, 1);
    haut->addWidget(command2_);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(attente_);
    bottom->addWidget(state_);
    bottom->addStretch(1);
    bottom->addWidget(command1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addLayout(haut);
    layout->addWidget(frame1_, 1);
    layout->addLayout(bottom);

    connect(text1_, &QLineEdit::textEdited, this, [this] { command2_->setEnabled(!enCours_); });
    connect(text1_, &QLineEdit::returnPressed, this, [this] {
        if (command2_->isEnabled()) loadGame();
    });
    connect(command2_, &QPushButton::clicked, this, &XmlGameWindow::loadGame);
    connect(list1_, &QListWidget::currentRowChanged, this, &XmlGameWindow::reprendre_adresse);
    connect(list1_, &QListWidget::itemActivated, this, [this] {
        if (command2_->isEnabled()) loadGame();
    });
    connect(command3_, &QPushButton::clicked, this, &XmlGameWindow::choisir_liste);
    connect(command1_, &QPushButton::clicked, this, &XmlGameWindow::reject);

    controleur_.finished = [this] { montrer_chargement(false); };
    controleur_.received = [this](const ReceivedGame& p) {
        emit partieRecue(q(p.GameText), q(p.GameMoveText), q(p.GameResult));
    };
    choisirFichier = [this] {
        return QFileDialog::getOpenFileName(
            this, q(catalogue_.text(TextKey::ChooseAddressList)), installation_,
            q(catalogue_.text(TextKey::Files)) + QStringLiteral(" TXT (*.txt)"));
    };

    montrer_chargement(false);
    appliquer_textes(catalogue);
    resize(640, 420);
}

XmlGameWindow::~XmlGameWindow() {
    controleur_.resign();
    if (enCours_) QApplication::restoreOverrideCursor();
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
    titre_liste();
}

void XmlGameWindow::titre_liste() {
    frame1_->setTitle(Captions::text(catalogue_, TextKey::GameAddresses) +
                      QString::number(list1_->count()));
}

void XmlGameWindow::loadGame() {
    if (enCours_) return;
    if (!controleur_.load(text1_->text().toStdString())) return;
    montrer_chargement(true);
}

void XmlGameWindow::montrer_chargement(bool enCours) {
    if (enCours != enCours_) {
        if (enCours)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        // The address just tried stays in the field, ready to be tried again.
        command2_->setEnabled(!enCours);
    }
    enCours_ = enCours;
    command3_->setEnabled(!enCours);
    attente_->setVisible(enCours);
    state_->setVisible(enCours);
}

void XmlGameWindow::choisir_liste() {
    const QString path = choisirFichier ? choisirFichier() : QString();
    if (path.isEmpty()) return;
    charger_liste(path);
}

void XmlGameWindow::charger_liste(const QString& path) {
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
    titre_liste();
}

void XmlGameWindow::reprendre_adresse(int line) {
    if (line < 0 || line >= list1_->count()) return;
    text1_->setText(q(addressOfLine(list1_->item(line)->text().toStdString())));
    command2_->setEnabled(!enCours_);
}

void XmlGameWindow::reject() {
    // Closing drops a load still running: its answer has nobody to go to.
    controleur_.resign();
    montrer_chargement(false);
    QDialog::reject();
}
