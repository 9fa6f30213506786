// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GameListModel.h"

#include <algorithm>
#include <cctype>
#include <numeric>

using quarvelin::PgnIndex;

namespace {

constexpr PgnIndex::Field Columns[GameListModel::ColumnCount] = {
    PgnIndex::Event, PgnIndex::Site,  PgnIndex::Date,  PgnIndex::Round,
    PgnIndex::White, PgnIndex::Black, PgnIndex::Result};

// Site, Date and Result are shown in capitals, so "?" dates and "1/2-1/2" read the same
// however the file wrote them.
bool inCapitals(PgnIndex::Field c) {
    return c == PgnIndex::Site || c == PgnIndex::Date || c == PgnIndex::Result;
}

// Rounds sort by their number ("2" before "10"), then by what follows ("3.1" before "3.2").
std::uint64_t roundNumber(std::string_view r) {
    std::uint64_t n = 0;
    std::size_t i = 0;
    for (; i < r.size() && i < 12 && std::isdigit(static_cast<unsigned char>(r[i])); ++i)
        n = n * 10 + static_cast<std::uint64_t>(r[i] - '0');
    return i == 0 ? UINT64_MAX : n;
}

int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i]));
        int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

GameListModel::GameListModel(QObject* parent) : QAbstractTableModel(parent) {}

void GameListModel::setIndex(std::shared_ptr<const PgnIndex> index) {
    beginResetModel();
    index_ = std::move(index);
    order_.clear();
    endResetModel();
}

void GameListModel::setCaptions(const QStringList& captions) {
    captions_ = captions;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

std::uint64_t GameListModel::position(int row) const { return index_->position(game(row)); }

int GameListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !index_) return 0;
    return static_cast<int>(index_->size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GameListModel::data(const QModelIndex& i, int role) const {
    if (!i.isValid() || !index_ || i.row() >= rowCount()) return {};
    const std::size_t g = game(i.row());
    if (role == PositionRole) return QVariant::fromValue<qulonglong>(index_->position(g));
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const PgnIndex::Field c = Columns[i.column()];
    std::string_view v = index_->value(g, c);
    QString text = QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
    if (inCapitals(c)) text = text.toUpper();
    if (role == Qt::ToolTipRole) {
        // The whole game at a glance, wherever the pointer rests on its row.
        auto val = [&](PgnIndex::Field ch) {
            std::string_view s = index_->value(g, ch);
            return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
        };
        return QStringLiteral("%1 – %2   %3\n%4, %5  %6")
            .arg(val(PgnIndex::White), val(PgnIndex::Black), val(PgnIndex::Result),
                 val(PgnIndex::Event), val(PgnIndex::Site), val(PgnIndex::Date));
    }
    return text;
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= captions_.size()) return {};
    return captions_[section];
}

void GameListModel::sort(int column, Qt::SortOrder order) {
    if (!index_ || column < 0 || column >= ColumnCount) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection follows its games to their new rows.
    const QModelIndexList beforeSort = persistentIndexList();
    std::vector<std::size_t> gameList;
    gameList.reserve(static_cast<std::size_t>(beforeSort.size()));
    for (const QModelIndex& i : beforeSort) gameList.push_back(game(i.row()));
    order_.resize(index_->size());
    std::iota(order_.begin(), order_.end(), 0u);
    const PgnIndex& ix = *index_;
    const PgnIndex::Field c = Columns[column];
    auto before = [&](std::uint32_t a, std::uint32_t b) {
        if (c == PgnIndex::Round) {
            auto na = roundNumber(ix.value(a, c)), nb = roundNumber(ix.value(b, c));
            if (na != nb) return na < nb;
        }
        return compareIgnoringCase(ix.value(a, c), ix.value(b, c)) < 0;
    };
    // Stable, so equal values keep the file's order, both ways round.
    if (order == Qt::AscendingOrder)
        std::stable_sort(order_.begin(), order_.end(), before);
    else
        std::stable_sort(order_.begin(), order_.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return before(b, a); });
    if (!beforeSort.isEmpty()) {
        std::vector<std::uint32_t> rank(order_.size());
        for (std::size_t r = 0; r < order_.size(); ++r)
            rank[order_[r]] = static_cast<std::uint32_t>(r);
        QModelIndexList afterSort;
        afterSort.reserve(beforeSort.size());
        for (qsizetype k = 0; k < beforeSort.size(); ++k)
            afterSort.push_back(
                createIndex(static_cast<int>(rank[gameList[static_cast<std::size_t>(k)]]),
                            beforeSort[k].column()));
        changePersistentIndexList(beforeSort, afterSort);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
