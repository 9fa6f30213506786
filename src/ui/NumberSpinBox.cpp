// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberSpinBox.h"

#include "config/SettingsFile.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <charconv>
#include <cmath>

NumberSpinBox::NumberSpinBox(bool whole, double minimum, double maximum, double step,
                             const QString& sample, QWidget* parent)
    : QDoubleSpinBox(parent), whole_(whole), sample_(sample) {
    // Enough places that a 32-bit real read from the settings file comes back unchanged.
    setDecimals(whole ? 0 : 12);
    setRange(minimum, maximum);
    setSingleStep(step);
    setKeyboardTracking(false);
    setAccelerated(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void NumberSpinBox::setFieldText(const QString& text) {
    if (const auto v = quarvelin::strictNumber(text.toStdString())) {
        if (*v < minimum()) setMinimum(*v);
        if (*v > maximum()) setMaximum(*v);
        const QSignalBlocker block(this);
        setValue(*v);
    }
    lineEdit()->setText(text);
}

QString NumberSpinBox::fieldText() const { return lineEdit()->text().trimmed(); }

QValidator::State NumberSpinBox::validate(QString& text, int&) const {
    // Never Invalid: the check on leaving judges what was typed and says why it is refused.
    const auto v = quarvelin::strictNumber(text.toStdString());
    return v && *v >= minimum() && *v <= maximum() ? QValidator::Acceptable
                                                   : QValidator::Intermediate;
}

void NumberSpinBox::fixup(QString&) const {}

double NumberSpinBox::valueFromText(const QString& text) const {
    return quarvelin::strictNumber(text.toStdString()).value_or(value());
}

QString NumberSpinBox::textFromValue(double value) const {
    if (whole_) return QString::number(static_cast<qlonglong>(std::llround(value)));
    char buffer[64];
    const auto outcome = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value),
                                       std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<int>(outcome.ptr - buffer));
}

void NumberSpinBox::focusOutEvent(QFocusEvent* event) {
    emit leaving();
    QDoubleSpinBox::focusOutEvent(event);
}

void NumberSpinBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) emit leaving();
    QDoubleSpinBox::keyPressEvent(event);
}

void NumberSpinBox::stepBy(int steps) {
    // Steps start from what the field shows, which may not be the value the box last accepted.
    if (const auto v = quarvelin::strictNumber(fieldText().toStdString())) {
        const QSignalBlocker block(this);
        setValue(*v);
    }
    QDoubleSpinBox::stepBy(steps);
    lineEdit()->setText(textFromValue(value()));
    emit stepped();
}

QSize NumberSpinBox::sizeHint() const {
    ensurePolished();
    const QFontMetrics fm(fontMetrics());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    // The width of the sample, not of the range: ranges reach far beyond what anyone types.
    const QSize content(fm.horizontalAdvance(sample_) + 8, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize NumberSpinBox::minimumSizeHint() const { return sizeHint(); }
