// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DayLedgerHeader.h"
#include "model/LedgerEntry.h"

#include <QAbstractListModel>

#include <optional>

class BillsModel;

// The bills list as one flat list of rows for a list view: each day group of the BillsModel
// gives a header row followed by one row per shown entry. Every row reads its text through
// the display and accessible-text roles; the delegate paints from the other roles and from
// entryAt / headerAt. The list is reset whenever the BillsModel recomputes.
class BillsListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum class RowType { header, entry };
    enum Role {
        RowTypeRole = Qt::UserRole + 1, // int of RowType
        GroupRole,                      // index of the day group
        PositionInDayRole,              // the entry's position in its day's list; -1 for a header
        DayRole,                        // start of the row's day
        EntryIdRole,                    // the entry's id (entry rows)
    };
    // The text a screen reader says for an entry row.

    BillsListModel(BillsModel &bills, QObject *parent = nullptr);

    BillsModel &bills() const { return m_bills; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Where a row sits: its day group and, for an entry row, its position in the day's list.
    struct Place {
        int group = -1;
        int positionInDay = -1; // -1 for the header row
    };
    Place placeOf(int row) const;
    RowType rowType(const QModelIndex &index) const;
    // The entry of an entry row; nullptr for a header row or an invalid index.
    const LedgerEntry *entryAt(const QModelIndex &index) const;
    // The header of the day the row belongs to.
    std::optional<DayLedgerHeader> headerAt(const QModelIndex &index) const;
    // The row of a shown entry, or an invalid index.
    QModelIndex indexOfEntry(const QUuid &id) const;

private:
    BillsModel &m_bills;
};
