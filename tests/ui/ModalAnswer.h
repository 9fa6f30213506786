// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the next modal window of type T the code under test opens, from inside its event
// loop. The answer returns false to leave a window alone and wait for the next one.
#include <QApplication>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

template <typename T = QWidget> void whenModalOpens(std::function<bool(T*)> answer) {
    auto* poll = new QTimer;
    // A window that never opens must not leave the answer behind for the next test.
    auto tries = std::make_shared<int>(2000);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, answer = std::move(answer)] {
        T* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (--*tries > 0 && (!w || !answer(w))) return;
        poll->stop();
        poll->deleteLater();
    });
    poll->start(5);
}

// The promotion picker's button for a piece letter (Q, R, B, N), or "cancel".
inline void pickPromotion(const QString& choice) {
    whenModalOpens<QWidget>([choice](QWidget* w) {
        auto* b = w->findChild<QAbstractButton*>(QStringLiteral("promotion_") + choice);
        if (b) b->click();
        return b != nullptr;
    });
}
