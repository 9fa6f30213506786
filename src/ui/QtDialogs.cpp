#include "ui/QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

void QtDialogs::message(const std::string& title, const std::string& text,
                        quarvelin::DialogIcon icon) {
    QMessageBox::Icon i = QMessageBox::Information;
    switch (icon) {
    case quarvelin::DialogIcon::Exclamation:
        i = QMessageBox::Warning;
        break;
    case quarvelin::DialogIcon::Critical:
        i = QMessageBox::Critical;
        break;
    case quarvelin::DialogIcon::Question:
        i = QMessageBox::Question;
        break;
    case quarvelin::DialogIcon::Information:
        break;
    }
    QMessageBox box(i, q(title), q(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDialogs::question(const std::string& title, const std::string& text) {
    return QMessageBox::question(parent_, q(title), q(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::string QtDialogs::saisie(const std::string& title, const std::string& prompt,
                              const std::string& defaut) {
    bool ok = false;
    QString r =
        QInputDialog::getText(parent_, q(title), q(prompt), QLineEdit::Normal, q(defaut), &ok);
    return ok ? r.toStdString() : defaut;
}
