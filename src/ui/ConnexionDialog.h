// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The connection window (`connexion`): the role, the server's address, the port and the name
// this player announces, filled from the [TCP/IP] settings and stored back on OK.
#include "config/Settings.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace quarvelin {
class TextCatalogue;
}

class ConnexionDialog : public QDialog {
    Q_OBJECT

public:
    ConnexionDialog(const quarvelin::Settings& settings, const quarvelin::TextCatalogue& catalogue,
                    QWidget* parent = nullptr);

    // The four fields into the settings record.
    void store(quarvelin::Settings& settings) const;

    QRadioButton* serverButton() const { return server_; }
    QRadioButton* clientButton() const { return client_; }
    QLineEdit* hostField() const { return host_; }
    QLineEdit* portField() const { return port_; }
    QLineEdit* nameField() const { return name_; }

private:
    void roleChanged();

    QRadioButton* server_ = nullptr;
    QRadioButton* client_ = nullptr;
    QLineEdit* host_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* name_ = nullptr;
};
