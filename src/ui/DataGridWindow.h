// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quick entry grid `frmDataGrid`: one table of a base (ECO of the opening base, PARTIE of
// the correspondence base) browsed and edited in place. It has a connection of its own that may
// write, filters and sorts by SQL expressions the user types, sorts by a click on a column
// heading, and asks before a row is deleted or a changed row is written. Rows are read as the
// user scrolls, so a base of a million rows opens at once.
#include "localisation/Catalogue.h"
#include "localisation/Dialogs.h"

#include <QDialog>
#include <QString>

#include <string>

class QLabel;
class QPushButton;
class QSqlTableModel;
class QTableView;
class GridModel;

class DataGridWindow : public QDialog {
    Q_OBJECT

public:
    // table: "ECO" or "PARTIE"; caption: the menu text that names the grid.
    DataGridWindow(const QString& table, const QString& basePath, quarvelin::TextKey caption,
                   const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs,
                   QWidget* parent = nullptr);
    ~DataGridWindow() override;

    // Empty once the table is shown; else why the base could not be opened.
    const std::string& error() const { return error_; }
    const QString& table() const { return table_; }
    QString connectionName() const { return connection_; }

    void appliquer_textes();

    // cmdRefresh, cmdFilter and cmdSort.
    void refresh();
    void askFilter();
    void askSort();
    // Applied when the base accepts them; false, with the grid as it was, when it refuses.
    bool applyFilter(const QString& filter);
    bool applySort(const QString& sort);
    // A click on the heading of a column: ascending, then descending on a second click.
    void sortByColumn(int column);
    void newRow();
    void deleteRow();

    QString filter() const;
    const QString& sortText() const { return sort_; }
    // Rows of the table under the filter, counted by the base; the view may hold fewer yet.
    long long rowTotal() const { return total_; }
    QTableView* grid() const { return grid_; }
    QSqlTableModel* model() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString text(quarvelin::TextKey key) const;
    // Changes not yet written are written after a yes, dropped after a no; false when the base
    // refused them.
    bool settlePendingChanges();
    bool rowChanged(int row) const;
    // Reads the table again and returns to the row the user was on.
    void reselect(int row);
    void count();
    void showStatus();
    void fitColumns();
    void tell(quarvelin::TextKey key, const QString& value, quarvelin::DialogIcon icon);
    // Whether the base takes this clause after the table's select, with its reason when not.
    QString refusal(const QString& clause) const;

    const quarvelin::Catalogue& catalogue_;
    quarvelin::Dialogs& dialogs_;
    QString table_;
    quarvelin::TextKey caption_;
    QString connection_;
    std::string error_;
    QString sort_;
    int sortColumn_ = -1;
    bool descending_ = false;
    bool userWidths_ = false;
    bool fitting_ = false;
    long long total_ = 0;
    GridModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* sortButton_ = nullptr;
    QPushButton* filterButton_ = nullptr;
    QPushButton* newRow_ = nullptr;
    QPushButton* deleteRow_ = nullptr;
    QPushButton* close_ = nullptr;
};
