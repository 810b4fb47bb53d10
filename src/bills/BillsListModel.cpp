// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsListModel.h"

#include "BillsModel.h"
#include "model/EntryText.h"

#include <algorithm>

BillsListModel::BillsListModel(BillsModel &bills, QObject *parent)
    : QAbstractListModel(parent), m_bills(bills)
{
    connect(&m_bills, &BillsModel::aboutToRecompute, this, &BillsListModel::beginResetModel);
    connect(&m_bills, &BillsModel::recomputed, this, &BillsListModel::endResetModel);
}

int BillsListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_bills.groupCount() + m_bills.filteredCount();
}

BillsListModel::Place BillsListModel::placeOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    // Group g's header is row g + first: the last group whose header is not after the row.
    int low = 0;
    int high = m_bills.groupCount();
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        if (middle + m_bills.group(middle).first <= row)
            low = middle;
        else
            high = middle;
    }
    const int header = low + m_bills.group(low).first;
    return {low, row - header - 1};
}

BillsListModel::RowType BillsListModel::rowType(const QModelIndex &index) const
{
    return placeOf(index.row()).positionInDay < 0 ? RowType::header : RowType::entry;
}

const LedgerEntry *BillsListModel::entryAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const Place place = placeOf(index.row());
    if (place.group < 0 || place.positionInDay < 0)
        return nullptr;
    const size_t position = m_bills.filteredPosition(m_bills.group(place.group).first + place.positionInDay);
    // Read only while the positions still describe the store's entries.
    return position < m_bills.entries().size() ? &m_bills.entries()[position] : nullptr;
}

std::optional<DayLedgerHeader> BillsListModel::headerAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return std::nullopt;
    const Place place = placeOf(index.row());
    if (place.group < 0)
        return std::nullopt;
    const BillsModel::DayGroup group = m_bills.group(place.group);
    return DayLedgerHeader(group.day, group.expense, group.income);
}

QModelIndex BillsListModel::indexOfEntry(const QUuid &id) const
{
    for (int g = 0; g < m_bills.groupCount(); ++g) {
        const BillsModel::DayGroup group = m_bills.group(g);
        for (int i = 0; i < group.count; ++i) {
            if (m_bills.filteredEntry(group.first + i).id == id)
                return index(g + group.first + i + 1);
        }
    }
    return {};
}

QVariant BillsListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index))
        return {};
    const Place place = placeOf(index.row());
    if (place.group < 0)
        return {};
    const bool header = place.positionInDay < 0;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (header)
            return headerAt(index)->accessibleText();
        if (const LedgerEntry *entry = entryAt(index))
            return EntryText::accessible(*entry);
        return {};
    case RowTypeRole:
        return static_cast<int>(header ? RowType::header : RowType::entry);
    case GroupRole:
        return place.group;
    case PositionInDayRole:
        return place.positionInDay;
    case DayRole:
        return m_bills.group(place.group).day;
    case EntryIdRole:
        if (const LedgerEntry *entry = header ? nullptr : entryAt(index))
            return entry->id;
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags BillsListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index))
        return Qt::NoItemFlags;
    if (rowType(index) == RowType::header)
        return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
