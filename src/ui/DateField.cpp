// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DateField.h"

#include "correspondence/CorrespondenceRules.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <QKeyEvent>

DateField::DateField(const quarvelin::TextCatalogue& catalogue, quarvelin::Dialogs& dialogs,
                     QWidget* parent)
    : QLineEdit(parent), catalogue_(catalogue), dialogs_(dialogs) {
    setMaxLength(10);
    setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
}

QDate DateField::date() const { return quarvelin::readDayMonthYear(text()); }

void DateField::setDate(const QDate& d) { setText(quarvelin::dayMonthYear(d)); }

void DateField::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool editing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                         event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                         event->key() == Qt::Key_Home || event->key() == Qt::Key_End ||
                         event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
                         typed.isEmpty() || (event->modifiers() & Qt::ControlModifier);
    if (editing) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString t = text();
    if (typed.size() == 1 && typed[0].isDigit()) {
        if (t.size() >= 10) return;
        t += typed;
        if (t.size() == 2 || t.size() == 5) t += QLatin1Char('/');
    } else {
        t.chop(1);
    }
    setText(t);
    event->accept();
}

void DateField::focusOutEvent(QFocusEvent* event) {
    settle();
    QLineEdit::focusOutEvent(event);
}

void DateField::settle() {
    if (text().trimmed().isEmpty()) return;
    const QDate d = date();
    if (!d.isValid()) {
        setDate(QDate::currentDate()); // before the box, which takes the focus away again
        dialogs_.message("Attention", catalogue_.text(quarvelin::TextKey::DateFormatRequired),
                         quarvelin::DialogIcon::Exclamation);
        return;
    }
    setDate(d);
}
