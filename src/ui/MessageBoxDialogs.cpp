// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MessageBoxDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon qtIcon(quarvelin::DialogIcon icon) {
    switch (icon) {
    case quarvelin::DialogIcon::Information:
        return QMessageBox::Information;
    case quarvelin::DialogIcon::Exclamation:
        return QMessageBox::Warning;
    case quarvelin::DialogIcon::Critical:
        return QMessageBox::Critical;
    case quarvelin::DialogIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxDialogs::message(const std::string& title, const std::string& text,
                                quarvelin::DialogIcon icon) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

bool MessageBoxDialogs::question(const std::string& title, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

quarvelin::SaveChoice MessageBoxDialogs::saveDiscardCancel(const std::string& title,
                                                           const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                    QString::fromStdString(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return quarvelin::SaveChoice::Save;
    case QMessageBox::Discard:
        return quarvelin::SaveChoice::Discard;
    default:
        return quarvelin::SaveChoice::Cancel;
    }
}

std::string MessageBoxDialogs::input(const std::string& title, const std::string& prompt,
                                     const std::string& fallback) {
    bool ok = false;
    const QString typed = QInputDialog::getText(parent_, QString::fromStdString(title),
                                                QString::fromStdString(prompt), QLineEdit::Normal,
                                                QString::fromStdString(fallback), &ok);
    return ok ? typed.toStdString() : fallback;
}
