// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardView.h"
#include "ui/BoardWindow.h"
#include "ui/MainWindow.h"
#include "ui/MenuBuilder.h"

#include "config/SettingsFile.h"
#include "config/Tips.h"
#include "config/Version.h"
#include "correspondence/CorrespondenceRules.h"
#include "notation/Fen.h"
#include "notation/ParsedGame.h"
#include "records/PgnConversion.h"
#include "ui/AboutWindow.h"
#include "ui/CapturedPiecesWindow.h"
#include "ui/HelpWindow.h"
#include "ui/ReleaseWindow.h"
#include "ui/TipsWindow.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

using quarvelin::TextKey;

void MainWindow::showAbout() {
    AboutWindow w(catalogue_, this);
    w.exec();
}

void MainWindow::setTipsOption(std::unique_ptr<quarvelin::TipsOption> option) {
    tipsOption_ = std::move(option);
}

void MainWindow::openTips() {
    // The menu always opens the window; the check box only decides about the start-up.
    if (!tips_) {
        tips_ = new TipsWindow(
            catalogue_, *tipsOption_,
            quarvelin::Tips::fileFor(locations_.installation, settings_.CLE_LANGUE), this);
        tips_->setAttribute(Qt::WA_DeleteOnClose);
    }
    tips_->show();
    tips_->raise();
    tips_->activateWindow();
}

void MainWindow::showCapturedPieces() {
    if (!captured_) {
        captured_ = new CapturedPiecesWindow(catalogue_, *board_->board());
        capturedSub_ = mdiArea_->addSubWindow(captured_);
        capturedSub_->setAttribute(Qt::WA_DeleteOnClose, false);
        capturedSub_->setWindowIcon(captured_->windowIcon());
        const QRect board = boardSub_->geometry();
        capturedSub_->setGeometry(QRect(board.right() - 420, board.top() + 40, 400, 250));
    }
    captured_->refresh();
    capturedSub_->setWindowTitle(captured_->windowTitle());
    capturedSub_->show();
    capturedSub_->raise();
    mdiArea_->setActiveSubWindow(capturedSub_);
}

void MainWindow::openReleaseWindow() {
    ReleaseWindow w(catalogue_, settings_.VERSION_XML, nullptr, this);
    w.exec();
}

void MainWindow::listWindows() {
    QMenu* window = menus_->menu(QStringLiteral("menu_fenetre"));
    for (QAction* a : window->actions())
        if (a->property("fenetre").isValid()) delete a;
    bool first = true;
    for (QMdiSubWindow* s : mdiArea_->subWindowList()) {
        if (!s->isVisible()) continue;
        if (first) {
            window->addSeparator()->setProperty("fenetre", true);
            first = false;
        }
        QAction* a = window->addAction(s->windowTitle());
        a->setProperty("fenetre", true);
        a->setCheckable(true);
        a->setChecked(s == mdiArea_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, s] { mdiArea_->setActiveSubWindow(s); });
    }
}

void MainWindow::openHelp(bool search) {
    auto* help = new HelpWindow(catalogue_, settings_.CLE_LANGUE == 1 ? QStringLiteral("fr")
                                                                      : QStringLiteral("en"));
    QMdiSubWindow* s = mdiArea_->addSubWindow(help);
    s->setAttribute(Qt::WA_DeleteOnClose);
    s->resize(820, 600);
    s->show();
    if (search) help->search({});
}
