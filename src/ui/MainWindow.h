#pragma once
// The program's main window: the game windows live in an MDI area under the menus.
#include <QMainWindow>

class BoardView;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdiArea_; }
    QMdiSubWindow* boardWindow() const { return boardWindow_; }
    BoardView* boardView() const { return boardView_; }

private:
    void createMenus();

    QMdiArea* mdiArea_ = nullptr;
    QMdiSubWindow* boardWindow_ = nullptr;
    BoardView* boardView_ = nullptr;
    QLabel* status_ = nullptr;
};
