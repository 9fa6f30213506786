// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version window (`release`): a check of the published version, listed in `contenu`,
// started by `Command2` once per opening of the window; `Command1` closes it.
#include "records/VersionCheck.h"

#include <QDialog>

#include <memory>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace quarvelin {
class Catalogue;
}

class ReleaseWindow : public QDialog {
    Q_OBJECT

public:
    // dialogs: where questions and messages go; null for message boxes over this window.
    ReleaseWindow(const quarvelin::Catalogue& catalogue, std::string address,
                  quarvelin::Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~ReleaseWindow() override;

    void appliquer_textes(const quarvelin::Catalogue& catalogue);
    // What Command2 does.
    void startCheck();

    quarvelin::VersionCheck& check() { return check_; }

public slots:
    void reject() override;

private:
    void ended(bool verdict);

    std::unique_ptr<quarvelin::Dialogs> own_;
    quarvelin::Dialogs& dialogs_;
    quarvelin::VersionCheck check_;
    std::string address_;
    bool waiting_ = false; // the busy cursor is ours to take back

    QPlainTextEdit* contenu_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command1_ = nullptr;
};
