// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DataGridWindow.h"

#include "config/Version.h"
#include "records/BaseReports.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>

using quarvelin::TextKey;

// The table with a sort the user types: QSqlTableModel only sorts by one column.
class GridModel : public QSqlTableModel {
public:
    using QSqlTableModel::QSqlTableModel;

    QString order; // what follows ORDER BY; empty for the table's own order

    // A row is written when the user leaves it and has said yes, not each time an editor
    // closes; the window calls submitAll() then.
    bool submit() override { return true; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole && index.isValid()) {
            switch (record().field(index.column()).metaType().id()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::Double:
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            default:
                return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            }
        }
        return QSqlTableModel::data(index, role);
    }

protected:
    QString orderByClause() const override {
        return order.isEmpty() ? QString() : QStringLiteral("ORDER BY ") + order;
    }
};

namespace {

// Columns are fitted to what the first rows hold, within these bounds.
constexpr int NarrowestColumn = 64;
constexpr int WidestColumn = 380;

} // namespace

DataGridWindow::DataGridWindow(const QString& table, const QString& basePath, TextKey caption,
                               const quarvelin::Catalogue& catalogue, quarvelin::Dialogs& dialogs,
                               QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), dialogs_(dialogs), table_(table), caption_(caption) {
    static std::atomic<int> counter{0};
    setObjectName(QStringLiteral("frmDataGrid"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    resize(980, 600);

    // A connection of its own: the game keeps reading the base through its own meanwhile.
    connection_ = QStringLiteral("grid-%1-%2").arg(table).arg(counter.fetch_add(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(basePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        // SQLite would make an empty file of a missing base.
        if (!QFileInfo(basePath).isFile())
            error_ = catalogue_.text(TextKey::FileNotFound);
        else if (!db.open())
            error_ = db.lastError().text().toStdString();
    }
    model_ = new GridModel(this, QSqlDatabase::database(connection_, false));
    model_->setEditStrategy(QSqlTableModel::OnRowChange);
    if (error_.empty()) {
        model_->setTable(table_);
        if (model_->record().isEmpty() || !model_->select())
            error_ = model_->lastError().text().toStdString();
        if (model_->record().isEmpty() && error_.empty()) error_ = table_.toStdString();
    }

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grdDataGrid"));
    grid_->setModel(model_);
    grid_->setAlternatingRowColors(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideRight);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 10);
    QHeaderView* header = grid_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, &DataGridWindow::sortByColumn);
    connect(header, &QHeaderView::sectionResized, this,
            [this] { userWidths_ = userWidths_ || !fitting_; });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (previous.isValid() && rowChanged(previous.row())) settlePendingChanges();
                deleteRow_->setEnabled(current.isValid());
            });
    grid_->installEventFilter(this);

    auto button = [this](const char* name, void (DataGridWindow::*action)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    refresh_ = button("cmdRefresh", &DataGridWindow::refresh);
    filterButton_ = button("cmdFilter", &DataGridWindow::askFilter);
    sortButton_ = button("cmdSort", &DataGridWindow::askSort);
    newRow_ = button("newRow", &DataGridWindow::newRow);
    deleteRow_ = button("deleteRow", &DataGridWindow::deleteRow);
    deleteRow_->setEnabled(false);
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("cmdClose"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QPalette muted = status_->palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::PlaceholderText));
    status_->setPalette(muted);

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("picButtons"));
    auto* buttons = new QHBoxLayout(strip);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(status_, 1);
    for (QPushButton* b : {refresh_, filterButton_, sortButton_}) buttons->addWidget(b);
    buttons->addSpacing(14);
    buttons->addWidget(newRow_);
    buttons->addWidget(deleteRow_);
    buttons->addSpacing(14);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(grid_, 1);
    layout->addWidget(strip);

    for (QPushButton* b : {refresh_, filterButton_, sortButton_, newRow_, deleteRow_})
        b->setEnabled(b != deleteRow_ && error_.empty());
    count();
    fitColumns();
    appliquer_textes();
}

DataGridWindow::~DataGridWindow() {
    // The model's queries go before the connection they run on.
    grid_->setModel(nullptr);
    delete model_;
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QString DataGridWindow::text(TextKey key) const {
    return QString::fromStdString(catalogue_.text(key));
}

void DataGridWindow::appliquer_textes() {
    setWindowTitle(table_ + QStringLiteral(" - ") + text(caption_).remove(u'&'));
    refresh_->setText(text(TextKey::GridRefresh));
    filterButton_->setText(text(TextKey::GridFilter));
    sortButton_->setText(text(TextKey::GridSort));
    newRow_->setText(text(TextKey::GridNewRow));
    deleteRow_->setText(text(TextKey::GridDeleteRow));
    close_->setText(text(TextKey::GridClose));
    grid_->horizontalHeader()->setToolTip(text(TextKey::GridHeaderTip));
    showStatus();
}

QString DataGridWindow::filter() const { return model_->filter(); }

QSqlTableModel* DataGridWindow::model() const { return model_; }

void DataGridWindow::tell(TextKey key, const QString& value, quarvelin::DialogIcon icon) {
    dialogs_.message(quarvelin::ProgramName, catalogue_.text(key, {value.toStdString()}), icon);
}

bool DataGridWindow::settlePendingChanges() {
    if (!model_->isDirty()) return true;
    if (!dialogs_.question(quarvelin::ProgramName,
                           catalogue_.text(TextKey::GridSaveRecordQuestion))) {
        model_->revertAll();
        return true;
    }
    if (model_->submitAll()) {
        count();
        showStatus();
        return true;
    }
    // The row stays as the user typed it, to be corrected or dropped.
    tell(TextKey::GridSaveFailed, model_->lastError().text(), quarvelin::DialogIcon::Exclamation);
    return false;
}

QString DataGridWindow::refusal(const QString& clause) const {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery probe(db);
    // Prepared only: SQLite checks the names and the syntax without reading a row.
    const QString table = db.driver()->escapeIdentifier(table_, QSqlDriver::TableName);
    if (probe.prepare(QStringLiteral("SELECT * FROM %1 %2").arg(table, clause))) return {};
    return probe.lastError().text();
}

bool DataGridWindow::applyFilter(const QString& wanted) {
    if (!error_.empty() || !settlePendingChanges()) return false;
    const QString typed = wanted.trimmed();
    if (!typed.isEmpty()) {
        const QString why = refusal(QStringLiteral("WHERE ") + typed);
        if (!why.isEmpty()) {
            tell(TextKey::GridFilterRefused, why, quarvelin::DialogIcon::Exclamation);
            return false;
        }
    }
    const QString before = model_->filter();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    model_->setFilter(typed);
    const bool ok = model_->select();
    const QString why = model_->lastError().text();
    if (!ok) {
        model_->setFilter(before);
        model_->select();
    }
    QApplication::restoreOverrideCursor();
    count();
    showStatus();
    fitColumns();
    if (!ok) tell(TextKey::GridFilterRefused, why, quarvelin::DialogIcon::Exclamation);
    return ok;
}

bool DataGridWindow::applySort(const QString& wanted) {
    if (!error_.empty() || !settlePendingChanges()) return false;
    const QString typed = wanted.trimmed();
    if (!typed.isEmpty()) {
        const QString why = refusal(QStringLiteral("ORDER BY ") + typed);
        if (!why.isEmpty()) {
            tell(TextKey::GridSortRefused, why, quarvelin::DialogIcon::Exclamation);
            return false;
        }
    }
    const QString before = model_->order;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    model_->order = typed;
    const bool ok = model_->select();
    const QString why = model_->lastError().text();
    if (!ok) {
        model_->order = before;
        model_->select();
    }
    QApplication::restoreOverrideCursor();
    if (ok) sort_ = typed;
    showStatus();
    fitColumns();
    if (!ok) tell(TextKey::GridSortRefused, why, quarvelin::DialogIcon::Exclamation);
    return ok;
}

void DataGridWindow::askFilter() {
    const QString current = model_->filter();
    const QString typed =
        QString::fromStdString(dialogs_.input(quarvelin::ProgramName,
                                              catalogue_.text(TextKey::GridFilterPrompt),
                                              current.toStdString()))
            .trimmed();
    // Cancelled, or nothing to take away: the grid stays as it is.
    if (typed == current) return;
    applyFilter(typed);
}

void DataGridWindow::askSort() {
    const QString typed =
        QString::fromStdString(dialogs_.input(quarvelin::ProgramName,
                                              catalogue_.text(TextKey::GridSortPrompt),
                                              sort_.toStdString()))
            .trimmed();
    if (typed.isEmpty() || typed == sort_) return;
    if (!applySort(typed)) return;
    // A typed order belongs to no single column.
    sortColumn_ = -1;
    descending_ = false;
    grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

void DataGridWindow::sortByColumn(int column) {
    QHeaderView* header = grid_->horizontalHeader();
    const bool descending = column == sortColumn_ && !descending_;
    const QString field = model_->record().fieldName(column);
    if (field.isEmpty() || !applySort(QStringLiteral("[%1]%2").arg(
                               field, descending ? QStringLiteral(" desc") : QString()))) {
        // The header flips its arrow by itself on a click; it shows the order in force.
        header->setSortIndicator(sortColumn_,
                                 descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
        return;
    }
    sortColumn_ = column;
    descending_ = descending;
    header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void DataGridWindow::refresh() {
    if (!error_.empty() || !settlePendingChanges()) return;
    reselect(grid_->currentIndex().row());
}

void DataGridWindow::reselect(int row) {
    const int column = std::max(grid_->currentIndex().column(), 0);
    const int scrolled = grid_->verticalScrollBar()->value();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    model_->select();
    // Read as far as the row the user was on, and no further.
    while (model_->rowCount() <= row && model_->canFetchMore()) model_->fetchMore();
    QApplication::restoreOverrideCursor();
    count();
    showStatus();
    grid_->verticalScrollBar()->setValue(scrolled);
    if (row >= 0 && model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), column));
}

void DataGridWindow::newRow() {
    if (!error_.empty() || !settlePendingChanges()) return;
    if (!model_->insertRow(0)) return;
    // The key is the base's to give: editing starts past it.
    const QSqlIndex key = model_->primaryKey();
    int first = 0;
    while (first + 1 < model_->columnCount() && key.contains(model_->record().fieldName(first)))
        ++first;
    const QModelIndex cell = model_->index(0, first);
    grid_->scrollToTop();
    grid_->setCurrentIndex(cell);
    grid_->edit(cell);
}

void DataGridWindow::deleteRow() {
    const QModelIndex current = grid_->currentIndex();
    if (!error_.empty() || !current.isValid()) return;
    if (!dialogs_.question(quarvelin::ProgramName,
                           catalogue_.text(TextKey::GridDeleteRecordQuestion)))
        return;
    const int row = current.row();
    // A new row the base has not had yet is only taken away.
    const bool unwritten =
        model_->isDirty(current) && model_->headerData(row, Qt::Vertical).toString() == "*";
    if (!unwritten && !settlePendingChanges()) return;
    if (!model_->removeRow(row) || !model_->submitAll()) {
        const QString why = model_->lastError().text();
        model_->revertAll();
        tell(TextKey::GridDeleteFailed, why, quarvelin::DialogIcon::Exclamation);
        return;
    }
    reselect(row);
}

void DataGridWindow::count() {
    total_ = 0;
    if (!error_.empty()) return;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    const QString table = db.driver()->escapeIdentifier(table_, QSqlDriver::TableName);
    const QString filter = model_->filter();
    if (q.exec(
            QStringLiteral("SELECT count(*) FROM %1%2")
                .arg(table, filter.isEmpty() ? QString() : QStringLiteral(" WHERE ") + filter)) &&
        q.next())
        total_ = q.value(0).toLongLong();
}

void DataGridWindow::showStatus() {
    QString line = QString::fromStdString(quarvelin::rowCountText(total_, catalogue_));
    const QString dot = QStringLiteral("  \u00B7  ");
    if (!model_->filter().isEmpty())
        line += dot + QString::fromStdString(catalogue_.text(TextKey::GridFilterShown,
                                                             {model_->filter().toStdString()}));
    if (!sort_.isEmpty())
        line += dot + QString::fromStdString(
                          catalogue_.text(TextKey::GridSortShown, {sort_.toStdString()}));
    status_->setText(line);
    status_->setToolTip(line);
}

void DataGridWindow::fitColumns() {
    // Widths the user has set are kept.
    if (userWidths_) return;
    fitting_ = true;
    grid_->resizeColumnsToContents();
    QHeaderView* header = grid_->horizontalHeader();
    for (int c = 0; c < header->count(); ++c)
        header->resizeSection(
            c, std::clamp(header->sectionSize(c) + 12, NarrowestColumn, WidestColumn));
    fitting_ = false;
}

bool DataGridWindow::rowChanged(int row) const {
    for (int c = 0; c < model_->columnCount(); ++c)
        if (model_->isDirty(model_->index(row, c))) return true;
    return false;
}

bool DataGridWindow::eventFilter(QObject* watched, QEvent* event) {
    // Delete takes the row away, unless a cell is being edited: its editor has the key then.
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        deleteRow();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DataGridWindow::closeEvent(QCloseEvent* event) {
    if (!settlePendingChanges()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
