// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A date typed as dd/mm/yyyy with help: only digits are taken and the slashes come by
// themselves; on leaving, a two-digit year is completed and a text that is no date is replaced
// by today's date, after a message.
#include <QLineEdit>

namespace quarvelin {
class Dialogs;
class TextCatalogue;
} // namespace quarvelin

class DateField : public QLineEdit {
    Q_OBJECT

public:
    DateField(const quarvelin::TextCatalogue& catalogue, quarvelin::Dialogs& dialogs,
              QWidget* parent = nullptr);

    // The date shown; null when the field is empty or holds no date.
    QDate date() const;
    void setDate(const QDate& d);
    // What leaving the field does: the year completed, or today's date after a message.
    void settle();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const quarvelin::TextCatalogue& catalogue_;
    quarvelin::Dialogs& dialogs_;
};
