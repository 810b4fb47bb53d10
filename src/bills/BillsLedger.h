// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BillsEntryIndex.h"
#include "model/LedgerSlice.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>

#include <vector>

class ModelStore;

// What the bills list keeps of the store's entries between visits of the screen: the search
// index, and every entry grouped by day with each day's sums. It lives as long as the store,
// so opening the list again reads what is kept instead of walking a million entries, and it
// follows the store's changes a few rows at a time: a change redoes only the days it touched.
class BillsLedger final : public QObject {
    Q_OBJECT

public:
    // Follows the store for as long as both live; the one who holds the store keeps it.
    explicit BillsLedger(ModelStore &store);

    // One day holding entries: the index rows [row, row + count), oldest first.
    struct Day {
        qint64 start = 0;
        qint64 end = 0;
        QDateTime day; // start of the day, local time
        size_t row = 0;
        size_t count = 0;
        double expense = 0;
        double income = 0;
    };

    // Brings everything in step with the store and the system's time zone; cheap when nothing
    // changed. Every reader calls it first.
    void sync();
    // Changes whenever a sync changed anything, so a reader can tell its figures are still
    // those of the entries.
    quint64 version() const { return m_version; }

    const BillsEntryIndex &index() const { return m_index; }
    // Every day holding entries, oldest first.
    const std::vector<Day> &days() const { return m_days; }
    // The day holding an index row.
    size_t dayOfRow(size_t row) const;
    LedgerSlice::Totals totals() const { return m_totals; }

private:
    void entriesChanged();
    // Regroups the index rows [firstRow, endRow) into days, in place of the days [firstDay,
    // endDay), whose bounds are reused; the days after them move by `shift` rows.
    void regroup(size_t firstRow, size_t endRow, size_t firstDay, size_t endDay, std::ptrdiff_t shift);

    ModelStore &m_store;
    BillsEntryIndex m_index;
    std::vector<Day> m_days;
    LedgerSlice::Totals m_totals;
    QByteArray m_zone;
    quint64 m_changes = 0; // the store's change count of entries at the last sync
    quint64 m_version = 0;
    bool m_built = false;
};
