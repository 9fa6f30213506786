// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A spin box for a numeric setting. The user may type anything: what was typed is handed to the
// preferences check when the field is left, before the spin box would put its last value back,
// so the check can say what was wrong. Numbers show as the settings file writes them.
#include <QDoubleSpinBox>

class NumberSpinBox : public QDoubleSpinBox {
    Q_OBJECT

public:
    // `sample` is the widest text the field should show in full.
    NumberSpinBox(bool whole, double minimum, double maximum, double step, const QString& sample,
                  QWidget* parent = nullptr);

    // Shows a value as the settings hold it; the range widens for a value read from a file
    // outside it, so nothing shown is ever cut back.
    void setFieldText(const QString& text);
    QString fieldText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Focus leaves, or Enter is pressed: the text is still what the user typed.
    void leaving();
    // An arrow or a page key changed the value.
    void stepped();

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void stepBy(int steps) override;

private:
    bool whole_;
    QString sample_;
};
