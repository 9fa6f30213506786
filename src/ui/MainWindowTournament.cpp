// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's tournament command: one tournament window, kept while the program runs.
#include "ui/MainWindow.h"

#include "ui/TournamentWindow.h"

void MainWindow::openTournament() {
    if (!tournament_) {
        tournament_ =
            new TournamentWindow(catalogue_, locations_.installation, settings_.BASE_ECO, this);
    } else {
        tournament_->appliquer_textes(catalogue_);
    }
    tournament_->show();
    tournament_->raise();
    tournament_->activateWindow();
}
