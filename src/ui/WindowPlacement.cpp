// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>

#include <algorithm>

namespace {

// r moved, and shrunk if need be, to lie wholly within `bounds`.
QRect within(QRect r, const QRect& bounds) {
    r.setSize(r.size().boundedTo(bounds.size()));
    r.moveLeft(std::clamp(r.left(), bounds.left(), bounds.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), bounds.top(), bounds.bottom() - r.height() + 1));
    return r;
}

// Where the user left a window, unless its title bar could no longer be reached there.
QRect leftOrWithin(const QRect& left, const QRect& bounds) {
    const QRect seen = bounds.intersected(left);
    const bool reachable = left.top() >= bounds.top() && seen.height() >= 20 && seen.width() >= 40;
    return reachable ? left : within(left, bounds);
}

} // namespace

WindowPlacement::WindowPlacement(QWidget* mainWindow, QMdiArea* area)
    : QObject(mainWindow), main_(mainWindow), area_(area) {
    qApp->installEventFilter(this);
}

WindowPlacement::~WindowPlacement() { qApp->removeEventFilter(this); }

QString WindowPlacement::key(const QWidget* window) {
    if (!window->objectName().isEmpty()) return window->objectName();
    if (const auto* sub = qobject_cast<const QMdiSubWindow*>(window); sub && sub->widget())
        return sub->widget()->objectName();
    return {};
}

// The program's own dialogs over this main window; Qt places its standard ones itself.
bool WindowPlacement::ours(const QWidget* dialog) const {
    if (!qobject_cast<const QDialog*>(dialog) || qobject_cast<const QMessageBox*>(dialog) ||
        qobject_cast<const QFileDialog*>(dialog) || qobject_cast<const QInputDialog*>(dialog) ||
        qobject_cast<const QProgressDialog*>(dialog))
        return false;
    const QWidget* root = dialog;
    while (root->parentWidget()) root = root->parentWidget();
    return root == main_;
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A smaller main window brings its windows inside it, as none may be cut off.
    if (type == QEvent::Resize && watched == area_->viewport()) {
        const QRect area = area_->viewport()->rect();
        for (QMdiSubWindow* s : area_->subWindowList())
            if (s->isVisible() && !s->isMaximized() && !s->isMinimized())
                s->setGeometry(within(s->geometry(), area));
        return false;
    }
    if ((type != QEvent::Show && type != QEvent::Hide) || event->spontaneous() ||
        !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    auto* sub = qobject_cast<QMdiSubWindow*>(widget);
    const bool managed = sub ? sub->mdiArea() == area_ : widget->isWindow() && ours(widget);
    if (!managed) return false;
    if (type == QEvent::Hide) {
        if (!key(widget).isEmpty() && !widget->isMinimized() && !widget->isMaximized())
            left_[key(widget)] = QRect(widget->pos(), widget->size());
    } else if (sub) {
        placeSubWindow(sub);
    } else {
        placeDialog(widget);
    }
    return false;
}

void WindowPlacement::placeDialog(QWidget* dialog) {
    const QWidget* over = dialog->parentWidget() ? dialog->parentWidget()->window() : main_;
    const QScreen* screen = over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    const auto left = left_.constFind(key(dialog));
    if (left != left_.constEnd()) {
        const QRect r = leftOrWithin(*left, room);
        dialog->resize(r.size());
        dialog->move(r.topLeft());
        return;
    }
    // Whole on the screen frame included, the frame as far as the system has told it.
    const QRect frame = dialog->frameGeometry(), client = dialog->geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(),
                           frame.right() - client.right(), frame.bottom() - client.bottom());
    dialog->resize(dialog->size().boundedTo(room.marginsRemoved(margins).size()));
    QRect r(QPoint(), dialog->size());
    r.moveCenter(over->geometry().center());
    dialog->move(within(r.marginsAdded(margins), room).topLeft());
}

void WindowPlacement::placeSubWindow(QMdiSubWindow* window) {
    // Closed by its title bar, the window hid what it holds.
    if (QWidget* inside = window->widget(); inside && inside->isHidden()) inside->show();
    if (window->isMaximized() || window->isMinimized()) return;
    const QRect area = area_->viewport()->rect();
    const auto left = left_.constFind(key(window));
    if (left != left_.constEnd()) {
        window->setGeometry(leftOrWithin(*left, area));
        return;
    }
    QRect r = within(window->geometry(), area);
    if (!window->testAttribute(Qt::WA_Moved)) r.moveCenter(area.center());
    window->setGeometry(r);
}

void WindowPlacement::tile(Tiling tiling, QMdiSubWindow* main) {
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* s : area_->subWindowList())
        if (s->isVisible() && !s->isMinimized()) shown << s;
    if (shown.isEmpty()) return;
    if (shown.removeOne(main)) shown.prepend(main);
    for (QMdiSubWindow* s : shown)
        if (s->isMaximized()) s->showNormal();
    const QRect r = area_->viewport()->rect();
    const int n = static_cast<int>(shown.size());
    const bool first = shown.first() == main;
    if (tiling == Tiling::Grid) {
        if (n == 1) {
            shown.first()->setGeometry(r);
            return;
        }
        const int split = first ? r.width() * 2 / 3 : r.width() / 2;
        shown.first()->setGeometry(QRect(0, 0, split, r.height()));
        for (int i = 1; i < n; ++i)
            shown[i]->setGeometry(QRect(split, r.height() * (i - 1) / (n - 1), r.width() - split,
                                        r.height() * i / (n - 1) - r.height() * (i - 1) / (n - 1)));
        return;
    }
    // Shares: two for the main window, one for each other.
    const int shares = n + (first ? 1 : 0);
    const int length = tiling == Tiling::Rows ? r.height() : r.width();
    int share = 0;
    for (int i = 0; i < n; ++i) {
        const int from = length * share / shares;
        share += (i == 0 && first) ? 2 : 1;
        const int to = length * share / shares;
        shown[i]->setGeometry(tiling == Tiling::Rows ? QRect(0, from, r.width(), to - from)
                                                     : QRect(from, 0, to - from, r.height()));
    }
}
