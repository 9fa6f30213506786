// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SMTP passwords from the desktop's keyring; where there is none, asked once per run and kept
// in memory only. Never written to the settings file.
#include "correspondence/MailService.h"

#include <QMap>

class QWidget;

namespace quarvelin {
class TextCatalogue;
}

class KeyringPasswords : public quarvelin::PasswordSource {
public:
    KeyringPasswords(const quarvelin::TextCatalogue& catalogue, QWidget* parent)
        : catalogue_(catalogue), parent_(parent) {}
    std::optional<QString> password(const QString& user, const QString& server) override;

private:
    const quarvelin::TextCatalogue& catalogue_;
    QWidget* parent_;
    QMap<QString, QString> asked_;
};
