// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's windows open, for one main window and the session. Its dialogs open whole
// on the screen, centred on the window they belong to; the windows of its MDI area open inside
// the area (centred when nothing placed them) and come back whole, however they were closed.
// Both come back where the user left them.
#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

class WindowPlacement : public QObject {
    Q_OBJECT

public:
    enum class Tiling { Rows, Columns, Grid };

    WindowPlacement(QWidget* mainWindow, QMdiArea* area);
    ~WindowPlacement() override;

    // The area shared among its visible windows. `main` gets twice the room of each other one,
    // and in a grid the whole left-hand side.
    void tile(Tiling tiling, QMdiSubWindow* main);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ours(const QWidget* dialog) const;
    void placeDialog(QWidget* dialog);
    void placeSubWindow(QMdiSubWindow* window);
    static QString key(const QWidget* window);

    QWidget* main_;
    QMdiArea* area_;
    QHash<QString, QRect> left_; // where each window was when it was last hidden
};
