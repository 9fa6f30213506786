// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ConnexionDialog.h"

#include "localisation/TextCatalogue.h"
#include "network/Protocol.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using quarvelin::TextKey;

ConnexionDialog::ConnexionDialog(const quarvelin::Settings& settings,
                                 const quarvelin::TextCatalogue& catalogue, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("connexion"));
    auto text = [&](TextKey key) { return QString::fromStdString(catalogue.text(key)); };
    setWindowTitle(text(TextKey::ConnexionTitle));
    setModal(true);

    server_ = new QRadioButton(text(TextKey::RoleServer), this);
    server_->setObjectName(QStringLiteral("IP_MODE_SERVEUR"));
    client_ = new QRadioButton(text(TextKey::RoleClient), this);
    client_->setObjectName(QStringLiteral("IP_MODE_CLIENT"));
    auto* roles = new QButtonGroup(this);
    roles->addButton(server_);
    roles->addButton(client_);
    (settings.IP_MODE_SERVEUR == 1 ? server_ : client_)->setChecked(true);

    host_ = new QLineEdit(QString::fromStdString(settings.IP_ADRESSE_HOST), this);
    host_->setObjectName(QStringLiteral("IP_ADRESSE_HOST"));
    port_ = new QLineEdit(QString::fromStdString(settings.IP_NUM_PORT), this);
    port_->setObjectName(QStringLiteral("IP_NUM_PORT"));
    port_->setValidator(new QIntValidator(1, 65535, port_));
    port_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    name_ = new QLineEdit(QString::fromStdString(settings.IP_NOM_UTILISATEUR), this);
    name_->setObjectName(QStringLiteral("IP_NOM_UTILISATEUR"));
    // Far below what one network line may hold.
    name_->setMaxLength(static_cast<int>(quarvelin::net::MaxNameChars));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(10);
    auto label = [&](TextKey key, QWidget* buddy) {
        auto* l = new QLabel(text(key), this);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(label(TextKey::NetworkRole, server_), server_);
    form->addRow(nullptr, client_);
    form->addRow(label(TextKey::OpponentAddress, host_), host_);
    form->addRow(label(TextKey::TcpPort, port_), port_);
    form->addRow(label(TextKey::NetworkName, name_), name_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text(TextKey::ButtonOk));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(TextKey::ButtonCancel));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(460);

    connect(server_, &QRadioButton::toggled, this, &ConnexionDialog::roleChanged);
    roleChanged();
}

// A server waits on its own addresses: the address field is the client's alone.
void ConnexionDialog::roleChanged() { host_->setEnabled(client_->isChecked()); }

void ConnexionDialog::store(quarvelin::Settings& settings) const {
    settings.IP_ADRESSE_HOST = host_->text().trimmed().toStdString();
    settings.IP_NUM_PORT = port_->text().trimmed().toStdString();
    settings.IP_NOM_UTILISATEUR = name_->text().trimmed().toStdString();
    settings.IP_MODE_SERVEUR = server_->isChecked() ? 1 : 0;
}
