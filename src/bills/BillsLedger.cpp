// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsLedger.h"

#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

#include <QTimeZone>

#include <algorithm>

namespace {

// The store remembers what its last 64 changes left alone; a ledger that falls further behind
// would have to compare every row, so it catches up before that.
constexpr quint64 catchUpAfter = 32;

} // namespace

BillsLedger::BillsLedger(ModelStore &store) : m_store(store)
{
    connect(&m_store, &ModelStore::entriesChanged, this, &BillsLedger::entriesChanged);
}

void BillsLedger::entriesChanged()
{
    // Read lazily, when the list asks; but never so late that the store forgot what changed.
    if (m_built && m_store.changeCount<LedgerEntry>() - m_changes >= catchUpAfter)
        sync();
}

size_t BillsLedger::dayOfRow(size_t row) const
{
    const auto after = std::upper_bound(m_days.begin(), m_days.end(), row,
                                        [](size_t r, const Day &day) { return r < day.row; });
    return static_cast<size_t>(std::max<std::ptrdiff_t>(after - m_days.begin() - 1, 0));
}

void BillsLedger::sync()
{
    const RecordRange<LedgerEntry> entries = m_store.entries();
    const quint64 changes = m_store.changeCount<LedgerEntry>();
    const QByteArray zone = QTimeZone::systemTimeZoneId();
    const bool sameZone = zone == m_zone;
    if (m_built && changes == m_changes && sameZone && m_index.size() == entries.size())
        return;

    const size_t oldSize = m_index.size();
    ModelStore::Unchanged unchanged;
    if (m_built && changes == m_changes && oldSize == entries.size())
        unchanged = {oldSize, 0}; // only the time zone changed
    else if (m_built)
        unchanged = m_store.unchangedSince<LedgerEntry>(m_changes);
    m_index.sync(entries, unchanged.front, unchanged.back);
    m_changes = changes;
    m_zone = zone;
    m_built = true;
    ++m_version;

    // The days are redone from what the store says it changed, not from what the index kept:
    // an edit of a date or an amount leaves an entry's index row as it was.
    const size_t newSize = entries.size();
    const size_t common = std::min(oldSize, newSize);
    const size_t front = std::min(unchanged.front, common);
    const size_t back = std::min(unchanged.back, common - front);
    if (!sameZone || m_days.empty() || (front == 0 && back == 0)) {
        // Day bounds hold for one time zone; in the same one they are reused.
        if (!sameZone)
            m_days.clear();
        regroup(0, newSize, 0, m_days.size(), 0);
    } else {
        // Index rows [back, oldSize - front) became [back, newSize - front). The days holding
        // the last row before them and the first row after them may gain or lose entries too.
        const size_t oldEnd = oldSize - front;
        const size_t firstDay = back == 0 ? 0 : dayOfRow(back - 1);
        const size_t lastDay = oldEnd < oldSize ? dayOfRow(oldEnd) : m_days.size() - 1;
        const std::ptrdiff_t shift =
            static_cast<std::ptrdiff_t>(newSize) - static_cast<std::ptrdiff_t>(oldSize);
        const Day &last = m_days[lastDay];
        regroup(m_days[firstDay].row,
                static_cast<size_t>(static_cast<std::ptrdiff_t>(last.row + last.count) + shift), firstDay,
                lastDay + 1, shift);
    }

    LedgerSlice::Totals totals;
    for (const Day &day : m_days) {
        totals.expense += day.expense;
        totals.income += day.income;
    }
    m_totals = totals;
}

void BillsLedger::regroup(size_t firstRow, size_t endRow, size_t firstDay, size_t endDay,
                          std::ptrdiff_t shift)
{
    const RecordRange<LedgerEntry> entries = m_store.entries();
    const std::vector<BillsEntryIndex::Facts> &facts = m_index.facts();
    std::vector<Day> days;
    size_t reused = firstDay; // the old days' bounds, asked of the calendar once per day
    for (size_t row = firstRow; row < endRow; ++row) {
        const LedgerEntry &entry = entries[m_index.position(row)];
        const qint64 at = entry.date.toMSecsSinceEpoch();
        if (days.empty() || at >= days.back().end) {
            while (reused < endDay && m_days[reused].end <= at)
                ++reused;
            Day day;
            if (reused < endDay && m_days[reused].start <= at) {
                day.start = m_days[reused].start;
                day.end = m_days[reused].end;
                day.day = m_days[reused].day;
            } else {
                LocalCalendar::DayBounds bounds = LocalCalendar::dayHolding(at);
                day.start = bounds.start;
                day.end = bounds.end;
                day.day = std::move(bounds.day);
            }
            day.row = row;
            days.push_back(std::move(day));
        }
        Day &day = days.back();
        ++day.count;
        if (m_index.isIncome(facts[row], entry))
            day.income += entry.amount;
        else
            day.expense += entry.amount;
    }
    for (size_t d = endDay; d < m_days.size(); ++d)
        m_days[d].row = static_cast<size_t>(static_cast<std::ptrdiff_t>(m_days[d].row) + shift);
    const auto first = m_days.begin() + static_cast<std::ptrdiff_t>(firstDay);
    const auto last = m_days.begin() + static_cast<std::ptrdiff_t>(endDay);
    if (static_cast<size_t>(last - first) == days.size()) {
        std::move(days.begin(), days.end(), first);
    } else {
        const auto at = m_days.erase(first, last);
        m_days.insert(at, std::make_move_iterator(days.begin()), std::make_move_iterator(days.end()));
    }
}
