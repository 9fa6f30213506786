#include "ui/MainWindow.h"

#include "rules/Position.h"
#include "ui/BoardView.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRect>
#include <QStatusBar>

// For the window icon; see BoardView.cpp for why this sits outside any namespace.
static void loadPieceResources() { Q_INIT_RESOURCE(pieces); }

namespace {

// Nothing could reopen the game window yet, so it has no close button and refuses to close
// by keyboard too.
class KeepOpen : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    loadPieceResources();
    setWindowTitle(QFileInfo(QCoreApplication::applicationFilePath()).fileName() + u' ' +
                   QCoreApplication::applicationVersion());
    setWindowIcon(QIcon(QStringLiteral(":/pieces/quarvelin/10.svg")));
    resize(1000, 760);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdi"));
    mdiArea_->setBackground(QColor(0xC8, 0xCC, 0xC4));
    setCentralWidget(mdiArea_);

    boardView_ = new BoardView;
    boardView_->setPosition(quarvelin::Position::initiale());
    boardWindow_ =
        mdiArea_->addSubWindow(boardView_, Qt::SubWindow | Qt::CustomizeWindowHint |
                                               Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    boardWindow_->setObjectName(QStringLiteral("plateau"));
    boardWindow_->setWindowTitle(QStringLiteral("Partie"));
    boardWindow_->installEventFilter(new KeepOpen(boardWindow_));
    // A square board filling the height of the area at the default window size, leaving room
    // on the right for the windows that will sit beside it.
    const QSize decoration = boardWindow_->sizeHint() - boardView_->sizeHint();
    boardWindow_->setGeometry(QRect(QPoint(8, 8), QSize(640, 640) + decoration));
    boardWindow_->show();

    createMenus();

    status_ = new QLabel(QStringLiteral("Prêt"), this);
    status_->setObjectName(QStringLiteral("etat"));
    // A permanent label, not a message: menu hints would wipe a message away.
    statusBar()->addWidget(status_, 1);
}

void MainWindow::createMenus() {
    QMenu* fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
    fichier->setObjectName(QStringLiteral("menu_fichier"));
    QAction* quitter = fichier->addAction(QStringLiteral("&Quitter"));
    quitter->setObjectName(QStringLiteral("menu_quitter"));
    quitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quitter->setMenuRole(QAction::QuitRole);
    connect(quitter, &QAction::triggered, this, &QWidget::close);

    QMenu* fenetre = menuBar()->addMenu(QStringLiteral("Fe&nêtre"));
    fenetre->setObjectName(QStringLiteral("menu_fenetre"));
    QAction* cascade = fenetre->addAction(QStringLiteral("&Cascade"));
    cascade->setObjectName(QStringLiteral("menu_cascade"));
    connect(cascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    QAction* mosaique = fenetre->addAction(QStringLiteral("&Mosaïque"));
    mosaique->setObjectName(QStringLiteral("menu_mosaique"));
    connect(mosaique, &QAction::triggered, mdiArea_, &QMdiArea::tileSubWindows);
}
