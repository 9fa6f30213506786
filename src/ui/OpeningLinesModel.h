// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of the opening base that continue a game text, as a model read from the base a
// page at a time while the view is scrolled: a base of a million rows opens the list as fast
// as one of ten, and no statement stays open on the file between pages.
#include "openings/EcoLine.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <string>
#include <vector>

namespace quarvelin {
class OpeningBase;
}

class OpeningLinesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int PageSize = 256;
    static constexpr int ColumnCount = 3; // code, name, line

    // No base (or a closed one) gives an empty list. The first page is read at once.
    OpeningLinesModel(const quarvelin::OpeningBase* base, std::string gameMoveText,
                      QObject* parent = nullptr);

    // How many lines continue the game text, read or not.
    long long total() const { return total_; }
    const quarvelin::EcoLine& line(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    void setCaptions(const QStringList& captions) { captions_ = captions; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    const quarvelin::OpeningBase* base_;
    std::string text_;
    long long total_ = 0;
    bool walkKeys_ = true;
    bool done_ = false;
    std::vector<quarvelin::EcoLine> rows_;
    QStringList captions_;
};
