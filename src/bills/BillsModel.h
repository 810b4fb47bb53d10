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

#include <optional>
#include <vector>

class BillsLedger;
class ModelStore;

// The bills list as figures: every entry, narrowed by an optional range of whole days and a
// free-text search, grouped by day with the newest day first, with the totals of what is
// shown. The screen's transient state (search, dates, the entry being edited or awaiting
// deletion) lives here too.
//
// Without a search the shown entries are a run of the store's order, and their days and sums
// are those BillsLedger keeps for the store, so showing them builds nothing per entry. A search
// lists the positions it found; a keystroke that only adds to the text searches those again.
class BillsModel final : public PeriodModel {
    Q_OBJECT

public:
    // One day of the shown entries: its run among the shown entries and the sums of that run.
    struct DayGroup {
        QDateTime day; // start of the day, local time
        int first = 0; // index among the shown entries of the day's newest entry
        int count = 0;
        double expense = 0;
        double income = 0;
    };

    // The ledger is the store's, kept by whoever holds the store.
    BillsModel(ModelStore &store, BillsLedger &ledger, QObject *parent = nullptr);
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
    // The shown entries, those passing the date filter and the search, newest first. Valid
    // until the next recompute.
    int filteredCount() const;
    // The position in entries() of a shown entry.
    size_t filteredPosition(int index) const;
    const LedgerEntry &filteredEntry(int index) const;
    // The day groups of the shown entries, newest day first.
    int groupCount() const;
    DayGroup group(int index) const;
    // The shown entries of one group, newest first.
    QList<LedgerEntry> dayEntries(int group) const;
    // Sums over the shown entries.
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

    // Recomputes the shown entries, their groups and totals from the store and the filter
    // state.
    void recompute();

Q_SIGNALS:
    // The search text, the date mode or one of the two days changed.
    void filterChanged();
    // The shown entries, groups and totals are about to be replaced, and have been replaced.
    void aboutToRecompute();
    void recomputed();
    void pendingDeletionChanged();

private:
    // After a change of the mode or the range: the filter changed, and the list with it unless
    // only the range changed while every entry shows.
    void periodChanged() override;
    // The shown entries without a search: the kept days of the run.
    void showRun();
    // The shown entries with a search, narrowing the last result when it can.
    void search();
    // The ledger's day, cut to the index rows [rowFirst, rowEnd) of the run.
    DayGroup runGroup(size_t day, size_t rowFirst, size_t rowEnd) const;

    ModelStore &m_store;
    BillsLedger &m_ledger;
    QString m_searchText;
    PeriodChoice m_listedMode = PeriodChoice::all;
    std::optional<LedgerEntry> m_pendingDeletion;

    // Positions of entries() passing the date filter.
    LedgerSlice::Run m_run;
    LedgerSlice::Totals m_totals;
    bool m_searching = false;
    // Without a search: the ledger's days [m_dayFirst, m_dayEnd), oldest first, hold the run;
    // the newest and the oldest of them may hold entries outside it.
    size_t m_dayFirst = 0;
    size_t m_dayEnd = 0;
    std::optional<DayGroup> m_newestCut;
    std::optional<DayGroup> m_oldestCut;
    // With a search: the positions found, their groups, and what they were found for.
    std::vector<int> m_found;
    std::vector<DayGroup> m_foundGroups;
    QString m_foundText; // folded
    quint64 m_foundVersion = 0;
    LedgerSlice::Run m_foundRun;
    // What the texts searched before this one found, oldest first, while the entries and the
    // run are those they were searched in: a keystroke that takes a letter away finds its
    // answer here, and one that adds a letter narrows the longest text it extends.
    struct Found {
        QString text; // folded
        std::vector<int> positions;
        std::vector<DayGroup> groups;
        LedgerSlice::Totals totals;
    };
    std::vector<Found> m_recent;
};
