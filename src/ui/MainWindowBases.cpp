// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands on the bases themselves: the quick entry grid of each base and the
// printed lists of their rows.
#include "ui/MainWindow.h"

#include "config/Version.h"
#include "ui/DataGridWindow.h"
#include "ui/MenuBuilder.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/PrintCommands.h"

#include <QAction>

using quarvelin::TextKey;

DataGridWindow* MainWindow::dataGrid(bool correspondence) const {
    return correspondence ? correspondenceGrid_.data() : openingsGrid_.data();
}

void MainWindow::openDataGrid(bool correspondence) {
    QPointer<DataGridWindow>& grid = correspondence ? correspondenceGrid_ : openingsGrid_;
    if (!grid) {
        const std::string path = correspondence ? settings_.BASE_CORRES : settings_.BASE_ECO;
        auto* w = new DataGridWindow(
            correspondence ? QStringLiteral("PARTIE") : QStringLiteral("ECO"),
            QString::fromStdString(path),
            correspondence ? TextKey::MenuCorrespondenceGrid : TextKey::MenuOpeningsGrid,
            catalogue_, *dialogs_, this);
        if (!w->error().empty()) {
            const std::string why = w->error();
            delete w;
            dialogs_->message(quarvelin::ProgramName,
                              catalogue_.text(TextKey::BaseUnavailable, {path, why}),
                              quarvelin::DialogIcon::Exclamation);
            return;
        }
        w->setAttribute(Qt::WA_DeleteOnClose);
        // Titled by its menu item, the grid is re-captioned when the item is, in a new language.
        if (QAction* item = menus_->action(correspondence ? QStringLiteral("menu_pc_grille")
                                                          : QStringLiteral("menu_grille")))
            connect(item, &QAction::changed, w, &DataGridWindow::appliquer_textes);
        grid = w;
    }
    grid->show();
    grid->raise();
    grid->activateWindow();
}

bool MainWindow::closeOpeningsGrid() { return !openingsGrid_ || openingsGrid_->close(); }

void MainWindow::printBaseReport(quarvelin::BaseReport report) {
    using quarvelin::BaseReport;
    const bool openings =
        report == BaseReport::ReferenceLines || report == BaseReport::LearnedLines;
    const std::string path = openings ? settings_.BASE_ECO : settings_.BASE_CORRES;
    const quarvelin::ReportTable table =
        quarvelin::baseReport(report, path, catalogue_, openings ? base_.names() : nullptr);
    if (!table.error.empty()) {
        dialogs_->message(quarvelin::ProgramName,
                          catalogue_.text(TextKey::BaseUnavailable, {path, table.error}),
                          quarvelin::DialogIcon::Exclamation);
        return;
    }
    // IMP at 0 asks for a preview; the preferences call it so.
    PrintCommands::printReport(this, table, settings_.IMP == 0, catalogue_, *dialogs_);
}
