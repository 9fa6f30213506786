// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The board window's game list (`List2`) as a model over a file's index: rows are made when the
// view asks for them, so a million listed games cost no more to show than ten.
#include "records/PgnIndex.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class GameListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Event, Site, Date, Round, White, Black, Result: the columns, in this order.
    static constexpr int ColumnCount = 7;
    // The byte position of the row's game in its file.
    static constexpr int PositionRole = Qt::UserRole + 1;

    explicit GameListModel(QObject* parent = nullptr);

    void setIndex(std::shared_ptr<const quarvelin::PgnIndex> index);
    void clear() { setIndex(nullptr); }
    const quarvelin::PgnIndex* list() const { return index_.get(); }
    void setCaptions(const QStringList& captions);

    // The game shown at a row, once sorted.
    std::uint64_t position(int row) const;
    std::size_t game(int row) const { return order_.empty() ? row : order_[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::shared_ptr<const quarvelin::PgnIndex> index_;
    std::vector<std::uint32_t> order_; // empty: file order
    QStringList captions_;
};
