// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's parts found by their object names, and the look every window's captions share.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

// The child of that name and type; a failure, and null, when there is none.
template <class T = QWidget> T* child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Every caption shown is there and whole, and no two controls answer the same Alt key.
inline void expectCaptionsWhole(const QWidget& window) {
    std::map<QChar, QString> keys;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        // The line edits' own clear buttons have no caption.
        if (!w->isVisible() || qobject_cast<QLineEdit*>(w->parentWidget())) continue;
        QString caption;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            caption = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w))
            caption = l->text();
        else if (!qobject_cast<QComboBox*>(w) && !qobject_cast<QGroupBox*>(w))
            continue;
        const std::string name = w->objectName().toStdString() + " " + caption.toStdString();
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << name;
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QGroupBox*>(w)) continue;
        EXPECT_FALSE(caption.isEmpty()) << name;
        const qsizetype at = caption.indexOf(QLatin1Char('&'));
        auto* label = qobject_cast<QLabel*>(w);
        if (at < 0 || at + 1 >= caption.size() || (label && !label->buddy())) continue;
        const QChar key = caption[at + 1].toLower();
        EXPECT_FALSE(keys.count(key)) << "Alt+" << QString(key).toStdString() << ": "
                                      << keys[key].toStdString() << " and " << name;
        keys[key] = caption;
    }
}
