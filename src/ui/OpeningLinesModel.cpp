// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OpeningLinesModel.h"

#include "openings/OpeningBase.h"
#include "openings/OpeningNames.h"

#include <limits>

OpeningLinesModel::OpeningLinesModel(const quarvelin::OpeningBase* base, std::string gameMoveText,
                                     QObject* parent)
    : QAbstractTableModel(parent), base_(base), text_(std::move(gameMoveText)) {
    if (!base_ || !base_->isOpen()) {
        done_ = true;
        return;
    }
    total_ = base_->count(text_);
    // Walking the table in key order meets a page of lines soon when one line in eight or more
    // continues the game; rarer lines come quicker through the index.
    walkKeys_ = text_.empty() || total_ * 8 >= base_->lineCount();
    done_ = total_ == 0;
    fetchMore({});
}

int OpeningLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int OpeningLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OpeningLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const quarvelin::EcoLine& l = line(index.row());
    if (role == Qt::UserRole) return QStringLiteral("ref%1").arg(l.key);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0:
        return QString::fromStdString(l.code);
    case 1:
        return QString::fromStdString(l.label);
    case 2:
        return QString::fromStdString(l.moves);
    default:
        return {};
    }
}

QVariant OpeningLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= captions_.size())
        return {};
    return captions_[section];
}

bool OpeningLinesModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !done_;
}

void OpeningLinesModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    const long long after =
        rows_.empty() ? std::numeric_limits<long long>::min() : rows_.back().key;
    std::vector<quarvelin::EcoLine> page = base_->linesAfter(text_, after, PageSize, walkKeys_);
    if (const quarvelin::OpeningNames* names = base_->names()) page = names->named(std::move(page));
    done_ = page.size() < PageSize || static_cast<long long>(rows_.size() + page.size()) >= total_;
    if (page.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(page.begin()),
                 std::make_move_iterator(page.end()));
    endInsertRows();
}
