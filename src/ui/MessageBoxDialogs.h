// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Dialogs of the logic, shown as Qt message boxes and input boxes over a window.
#include "localisation/Dialogs.h"

#include <QPointer>
#include <QWidget>

class MessageBoxDialogs : public quarvelin::Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void message(const std::string& title, const std::string& text,
                 quarvelin::DialogIcon icon) override;
    bool question(const std::string& title, const std::string& text) override;
    std::string input(const std::string& title, const std::string& prompt,
                      const std::string& fallback) override;
    quarvelin::SaveChoice saveDiscardCancel(const std::string& title,
                                            const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};
