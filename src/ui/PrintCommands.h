// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print commands: the game in play in one of its three layouts (imprimer_partie), the save
// window's text, and a list window's rows (imprimer_liste). Each shows a print preview the user
// prints from, and says so (text 220) once the pages have gone to the printer.
#include "config/Settings.h"
#include "localisation/Catalogue.h"
#include "localisation/Dialogs.h"
#include "records/BaseReports.h"
#include "records/PrintedTable.h"
#include "session/GameSession.h"
#include "ui/DocumentPainter.h"

#include <QPageLayout>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QPrintPreviewDialog;
class QPrinter;
class QTreeView;
class QWidget;

namespace quarvelin {
class OpeningBase;
}

class PrintCommands {
public:
    static constexpr const char* Title = "quarvelin";

    // disposition: 0 the record as text, 1 the move list, 2 the moves with a board after each.
    // base, when there is one, names the opening of a game played here.
    static void imprimer_partie(QWidget* parent, const quarvelin::GameSession& session,
                                const quarvelin::Settings& settings, quarvelin::Colour bottom,
                                const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs,
                                int layout, const quarvelin::OpeningBase* base = nullptr);
    static void printText(QWidget* parent, const QString& text,
                          const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs);
    // An empty list prints nothing and says so at once.
    static void imprimer_liste(QWidget* parent, const QTreeView& list, const QString& title,
                               const QString& subtitle, const QString& fontName, int fontSize,
                               const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs);

    // A base report, in a preview when `preview` (the setting IMP at 0), else through the print
    // dialog. A report without rows prints nothing and says so at once.
    static void printReport(QWidget* parent, const quarvelin::ReportTable& report, bool preview,
                            const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs);
    static QFont reportFont();

    // The rows of a list as it shows them: visible columns at their widths, top-level rows.
    static quarvelin::PrintedTable table(const QTreeView& list);
    // The head and foot of every page in the catalogue's language.
    static PageFrame frame(const quarvelin::Catalogue& catalogue);
    // The preview the commands show. `paint` returns false when the printer would not start;
    // `failed` then reads true.
    static std::unique_ptr<QPrintPreviewDialog> preview(QWidget* parent, const QString& title,
                                                        std::function<bool(QPrinter&)> paint,
                                                        std::shared_ptr<bool> failed = {});

private:
    // The lines of a game or a text, previewed and printed with the page frame.
    static void printLines(QWidget* parent, std::vector<quarvelin::PrintedLine> lines,
                           std::chrono::year_month_day today, const quarvelin::Catalogue& catalogue,
                           quarvelin::Dialogs& dialogs);
    static void run(QWidget* parent, const QString& title, std::function<bool(QPrinter&)> paint,
                    const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs,
                    QPageLayout::Orientation orientation = QPageLayout::Portrait);
    static void tell(bool printed, const quarvelin::Catalogue& catalogue,
                     quarvelin::Dialogs& dialogs);
};
