#pragma once
// Answers the next modal window the code under test opens, from inside its event loop.
#include <QApplication>
#include <QTimer>
#include <QToolButton>

#include <functional>

inline void whenModalOpens(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer)] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        poll->stop();
        poll->deleteLater();
        answer(w);
    });
    poll->start(5);
}

// The promotion picker's button for a piece letter (Q, R, B, N), or "cancel".
inline void pickPromotion(const QString& choice) {
    whenModalOpens([choice](QWidget* w) {
        if (auto* b = w->findChild<QAbstractButton*>(QStringLiteral("promotion_") + choice))
            b->click();
    });
}
