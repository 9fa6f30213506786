// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PrintCommands.h"

#include "records/GamePrinting.h"
#include "records/GameRecordText.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTreeView>

#include <algorithm>

using quarvelin::TextKey;

namespace {

// CLE_LANGUE of the language the catalogue speaks; French before any is applied.
int languageKey(const quarvelin::Catalogue& catalogue) {
    const int base = catalogue.BaseTexte();
    return base < quarvelin::Catalogue::textBase(1) ? 1 : (base - 10) / 1000 + 1;
}

} // namespace

PageFrame PrintCommands::frame(const quarvelin::Catalogue& catalogue) {
    return {
        QString::fromStdString(quarvelin::nameAndVersion()),
        QString::fromStdString(quarvelin::headerDate(languageKey(catalogue), quarvelin::today())),
        QString::fromStdString(catalogue.text(TextKey::Page))};
}

std::unique_ptr<QPrintPreviewDialog> PrintCommands::preview(QWidget* parent, const QString& title,
                                                            std::function<bool(QPrinter&)> paint,
                                                            std::shared_ptr<bool> failed) {
    auto dialog = std::make_unique<QPrintPreviewDialog>(parent);
    dialog->setWindowTitle(title);
    QPrinter* printer = dialog->printer();
    printer->setDocName(title);
    printer->setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [paint = std::move(paint), failed](QPrinter* p) {
                         const bool ok = paint(*p);
                         if (failed) *failed = !ok;
                     });
    dialog->resize(900, 760);
    return dialog;
}

void PrintCommands::run(QWidget* parent, const QString& title, std::function<bool(QPrinter&)> paint,
                        const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs,
                        QPageLayout::Orientation orientation) {
    auto failed = std::make_shared<bool>(false);
    auto dialog = preview(parent, title, std::move(paint), failed);
    dialog->printer()->setPageOrientation(orientation);
    // Accepted only once the pages went to the printer.
    if (dialog->exec() != QDialog::Accepted) return;
    tell(!*failed, catalogue, dialogs);
}

void PrintCommands::tell(bool printed, const quarvelin::Catalogue& catalogue,
                         quarvelin::Dialogs& dialogs) {
    if (!printed)
        dialogs.message(Title, catalogue.text(TextKey::PrintingFailed),
                        quarvelin::DialogIcon::Critical);
    else
        dialogs.message(Title, catalogue.text(quarvelin::TextKey::PrintingFinished),
                        quarvelin::DialogIcon::Information);
}

void PrintCommands::printLines(QWidget* parent, std::vector<quarvelin::PrintedLine> lines,
                               std::chrono::year_month_day today,
                               const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs) {
    const PageFrame f = frame(catalogue);
    run(
        parent,
        QString::fromStdString(quarvelin::printTitle(catalogue, today, languageKey(catalogue))),
        [lines = std::move(lines), f](QPrinter& p) {
            return DocumentPainter::paintGame(p, lines, f);
        },
        catalogue, dialogs);
}

void PrintCommands::imprimer_partie(QWidget* parent, const quarvelin::GameSession& session,
                                    const quarvelin::Settings& settings, quarvelin::Colour bottom,
                                    const quarvelin::Catalogue& catalogue,
                                    quarvelin::Dialogs& dialogs, int layout,
                                    const quarvelin::OpeningBase* base) {
    const auto today = quarvelin::today();
    const int language = languageKey(catalogue);
    auto lines = quarvelin::gamePrint(session, settings, bottom, today, language, catalogue,
                                      static_cast<quarvelin::GameLayout>(std::clamp(layout, 0, 2)),
                                      DocumentPainter::DiagramsPerRow,
                                      quarvelin::gameOpening(session, base));
    printLines(parent, std::move(lines), today, catalogue, dialogs);
}

void PrintCommands::printText(QWidget* parent, const QString& text,
                              const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs) {
    const auto today = quarvelin::today();
    const int language = languageKey(catalogue);
    auto lines = quarvelin::textPrint(text.toStdString(), today, language, catalogue);
    printLines(parent, std::move(lines), today, catalogue, dialogs);
}

quarvelin::PrintedTable PrintCommands::table(const QTreeView& list) {
    quarvelin::PrintedTable t;
    const QAbstractItemModel* model = list.model();
    if (!model) return t;
    const int columns = model->columnCount();
    for (int c = 0; c < columns; ++c) {
        t.columns.push_back(model->headerData(c, Qt::Horizontal).toString().toStdString());
        t.widths.push_back(list.isColumnHidden(c) ? 0 : list.columnWidth(c));
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < columns; ++c)
            row.push_back(model->index(r, c).data(Qt::DisplayRole).toString().toStdString());
        t.lines.push_back(std::move(row));
    }
    return t;
}

void PrintCommands::imprimer_liste(QWidget* parent, const QTreeView& list, const QString& title,
                                   const QString& subtitle, const QString& fontName, int fontSize,
                                   const quarvelin::Catalogue& catalogue,
                                   quarvelin::Dialogs& dialogs) {
    quarvelin::PrintedTable t = table(list);
    if (t.lines.empty()) {
        dialogs.message(Title, catalogue.text(quarvelin::TextKey::PrintingFinished),
                        quarvelin::DialogIcon::Information);
        return;
    }
    QFont font(fontName, fontSize > 0 ? fontSize : 10);
    font.setStyleHint(QFont::SansSerif);
    const PageFrame f = frame(catalogue);
    run(
        parent, title,
        [t = std::move(t), title, subtitle, font, f](QPrinter& p) {
            return DocumentPainter::paintTable(p, t, title, subtitle, font, f);
        },
        catalogue, dialogs);
}

QFont PrintCommands::reportFont() {
    QFont font(QStringLiteral("Arial"), 9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void PrintCommands::printReport(QWidget* parent, const quarvelin::ReportTable& report, bool preview,
                                const quarvelin::Catalogue& catalogue,
                                quarvelin::Dialogs& dialogs) {
    if (report.table.lines.empty()) {
        dialogs.message(Title, catalogue.text(TextKey::ReportNothingToPrint),
                        quarvelin::DialogIcon::Information);
        return;
    }
    const QString title = QString::fromStdString(report.title);
    auto paint = [t = report.table, title, subtitle = QString::fromStdString(report.subtitle),
                  f = frame(catalogue)](QPrinter& p) {
        return DocumentPainter::paintTable(p, t, title, subtitle, reportFont(), f);
    };
    // Nine columns of games, or lines of many moves: across the sheet.
    if (preview) {
        run(parent, title, std::move(paint), catalogue, dialogs, QPageLayout::Landscape);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) return;
    tell(paint(printer), catalogue, dialogs);
}
