// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"
#include "model/LedgerSlice.h"
#include "model/PeriodModel.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class BillsEntryIndex;
class DayBoundaries;
class ModelStore;

// The bills list as figures: every entry, narrowed by an optional range of whole days and a
// free-text search, grouped by day with the newest day first, with the totals of what is
// shown. The screen's transient state (search, dates, the entry being edited or awaiting
// deletion) lives here too. A change of the store's entries recomputes everything at once.
class BillsModel final : public PeriodModel {
    Q_OBJECT

public:
    // One day of the shown entries: its run inside filtered() and the sums of that run.
    struct DayGroup {
        QDateTime day; // start of the day, local time
        int first = 0; // index into filtered() of the day's newest entry
        int count = 0;
        double expense = 0;
        double income = 0;
    };

    explicit BillsModel(ModelStore &store, QObject *parent = nullptr);
    ~BillsModel() override;

    ModelStore &store() const { return m_store; }
    // All entries, newest first: the store's own collection.
    RecordRange<LedgerEntry> entries() const;

    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    // "全部账单" and "自定义日期": every entry, or the whole days of a range.
    static const PeriodSelection::Rules &dateRules();
    PeriodChoice dateMode() const { return selection().choice(); }
    void setDateMode(PeriodChoice mode);

    // The entries passing the date filter, newest first: a run of entries().
    RecordRange<LedgerEntry> dateFiltered() const;
    // Positions in entries() of the entries passing the date filter and the search, newest
    // first. Valid until the next recompute.
    const std::vector<int> &filtered() const { return m_filtered; }
    const LedgerEntry &filteredEntry(int index) const;
    // The day groups of filtered(), newest day first.
    const std::vector<DayGroup> &groups() const { return m_groups; }
    // The shown entries of one group, newest first.
    QList<LedgerEntry> dayEntries(int group) const;
    // Sums over filtered().
    LedgerSlice::Totals totals() const { return m_totals; }

    const std::optional<LedgerEntry> &pendingDeletion() const { return m_pendingDeletion; }
    void setPendingDeletion(const std::optional<LedgerEntry> &entry);
    // Deletes the pending entry, if there is one, and clears it. False when nothing was
    // deleted.
    bool confirmDeletion();
    // Clears the pending entry; nothing is deleted.
    void cancelDeletion();
    // Deletes the entries at the given positions of one day's list from the store, all in
    // one transaction. Positions outside the list are ignored. False when nothing was deleted.
    bool deleteEntries(const QSet<int> &positions, const QList<LedgerEntry> &dayEntries);

    // Recomputes filtered(), groups() and totals() from the store and the filter state.
    void recompute();

Q_SIGNALS:
    // The search text, the date mode or one of the two days changed.
    void filterChanged();
    // filtered(), groups() and totals() are about to be replaced, and have been replaced.
    void aboutToRecompute();
    void recomputed();
    void pendingDeletionChanged();

private:
    void entriesChanged();
    // After a change of the mode or the range: the filter changed, and the list with it unless
    // only the range changed while every entry shows.
    void periodChanged() override;

    ModelStore &m_store;
    QString m_searchText;
    PeriodChoice m_listedMode = PeriodChoice::all;
    std::optional<LedgerEntry> m_pendingDeletion;

    std::vector<int> m_filtered;
    std::vector<DayGroup> m_groups;
    LedgerSlice::Totals m_totals;

    // Per-entry facts kept in step with the store, and the day boundaries met so far.
    std::unique_ptr<BillsEntryIndex> m_index;
    quint64 m_indexChanges = 0; // the store's change count of entries at the index's last sync
    std::unique_ptr<DayBoundaries> m_days;
};
