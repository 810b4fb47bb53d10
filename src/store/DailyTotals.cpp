// SPDX-License-Identifier: GPL-3.0-or-later
#include "DailyTotals.h"

#include "ModelStore.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace {

qint64 dateOf(const LedgerEntry &entry)
{
    return entry.date.toMSecsSinceEpoch();
}

std::size_t kindIndex(EntryKind kind)
{
    return static_cast<std::size_t>(kind);
}

// The first of the newest-first entries dated before the instant.
template <class Entries> std::size_t firstBefore(const Entries &entries, qint64 at)
{
    std::size_t low = 0;
    std::size_t high = entries.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (dateOf(entries[middle]) >= at)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

} // namespace

void DailyTotals::Sum::add(double amount)
{
    ++count;
    // Below 2^53 cents every whole number of cents is exact, and the amount is one when the
    // cents read back as the very same double.
    if (std::isfinite(amount) && std::abs(amount) < 9.0e13) {
        const qint64 whole = std::llround(amount * 100);
        if (static_cast<double>(whole) / 100 == amount) {
            cents += whole;
            return;
        }
    }
    finer += amount;
}

void DailyTotals::Sum::add(const Sum &other)
{
    cents += other.cents;
    finer += other.finer;
    count += other.count;
}

DailyTotals::Sum DailyTotals::Figures::of(const QString &category, EntryKind kind) const
{
    for (const CategorySum &c : categories) {
        if (c.kind == kind && c.category == category)
            return c.sum;
    }
    return {};
}

CategoryTotals::Ranking DailyTotals::Figures::ranked(EntryKind kind) const
{
    CategoryTotals::Ranking ranking;
    ranking.kindSum = of(kind).value();
    ranking.kindCount = of(kind).count;
    ranking.otherSum = of(kind == EntryKind::income ? EntryKind::expense : EntryKind::income).value();
    for (const CategorySum &c : categories) {
        if (c.kind == kind)
            ranking.totals.push_back({c.category, c.sum.value()});
    }
    std::ranges::stable_sort(ranking.totals, std::ranges::greater{}, &CategoryTotal::amount);
    return ranking;
}

DailyTotals::DailyTotals(ModelStore &store) : m_store(store)
{
    forget();
}

void DailyTotals::forget()
{
    m_days.clear();
    m_numbers = {};
    m_categories.clear();
    m_from = m_to = 0;
    m_zone = QTimeZone::systemTimeZoneId();
    m_changes = m_store.changeCount<LedgerEntry>();
}

void DailyTotals::bringInStep()
{
    // Days are cut in the zone they were summed in; in another one every day moves.
    if (QTimeZone::systemTimeZoneId() != m_zone) {
        forget();
        return;
    }
    const quint64 changes = m_store.changeCount<LedgerEntry>();
    if (changes == m_changes)
        return;
    const ModelStore::Unchanged unchanged = m_store.unchangedSince<LedgerEntry>(m_changes);
    if (unchanged.front == 0 && unchanged.back == 0) {
        forget();
        return;
    }
    m_changes = changes;
    if (m_from == m_to)
        return;
    // The entries are ordered by date and the records at both ends are the ones held before,
    // so every record a change added or took away is dated between the last unchanged one at
    // the front and the first unchanged one at the back: only their days are summed anew.
    const auto &entries = m_store.entries();
    const std::size_t size = entries.size();
    const qint64 newest = unchanged.front == 0 ? after : dateOf(entries[unchanged.front - 1]);
    const qint64 oldest = unchanged.back == 0 ? before : dateOf(entries[size - unchanged.back]);
    const qint64 from = std::max(m_from, oldest == before ? before : LocalCalendar::dayHolding(oldest).start);
    const qint64 to = std::min(m_to, newest == after ? after : LocalCalendar::dayHolding(newest).end);
    if (from < to)
        sumDays(from, to);
}

void DailyTotals::cover(qint64 from, qint64 to)
{
    if (m_from == m_to) {
        sumDays(from, to);
        m_from = from;
        m_to = to;
        return;
    }
    if (from < m_from) {
        sumDays(from, m_from);
        m_from = from;
    }
    if (to > m_to) {
        sumDays(m_to, to);
        m_to = to;
    }
}

bool DailyTotals::isDayStart(qint64 at)
{
    return LocalCalendar::dayHolding(at).start == at && at != after;
}

int DailyTotals::numberOf(const QString &category, EntryKind kind)
{
    for (const Known &k : m_known) {
        if (k.characters == category.constData() && k.size == category.size() && k.kind == kind)
            return k.number;
    }
    QHash<QString, int> &numbers = m_numbers[kindIndex(kind)];
    auto it = numbers.constFind(category);
    if (it == numbers.cend()) {
        it = numbers.insert(category, static_cast<int>(m_categories.size()));
        m_categories.emplace_back(category, kind);
    }
    if (m_known.size() < 32)
        m_known.push_back({category.constData(), category.size(), kind, *it});
    return *it;
}

void DailyTotals::sumDays(qint64 from, qint64 to)
{
    const auto &entries = m_store.entries();
    // The characters a known text points at belong to the entries of this pass alone.
    m_known.clear();
    std::vector<Day> summed;
    std::vector<int> slots;
    Day *day = nullptr;
    for (std::size_t i = to == after ? 0 : firstBefore(entries, to); i < entries.size(); ++i) {
        const LedgerEntry &entry = entries[i];
        const qint64 at = dateOf(entry);
        if (at < from)
            break;
        if (day == nullptr || at < day->start || at >= day->end) {
            const LocalCalendar::DayBounds bounds = LocalCalendar::dayHolding(at);
            day = &summed.emplace_back();
            day->start = bounds.start;
            day->end = bounds.end;
            std::ranges::fill(slots, -1);
        }
        const EntryKind kind = entry.kind();
        day->kinds[kindIndex(kind)].add(entry.amount);
        const int number = numberOf(entry.category, kind);
        if (static_cast<std::size_t>(number) >= slots.size())
            slots.resize(static_cast<std::size_t>(number) + 1, -1);
        int &slot = slots[static_cast<std::size_t>(number)];
        if (slot < 0) {
            slot = static_cast<int>(day->categories.size());
            day->categories.push_back({number, {}});
        }
        day->categories[static_cast<std::size_t>(slot)].second.add(entry.amount);
    }
    m_known.clear();
    // The held days within [from, to) give way to the ones just summed.
    const auto first =
        std::partition_point(m_days.begin(), m_days.end(), [to](const Day &d) { return d.start >= to; });
    const auto last =
        std::partition_point(first, m_days.end(), [from](const Day &d) { return d.start >= from; });
    const auto at = m_days.erase(first, last);
    m_days.insert(at, std::make_move_iterator(summed.begin()), std::make_move_iterator(summed.end()));
}

void DailyTotals::addInto(Figures &figures, std::vector<int> &slots, int number, const Sum &sum) const
{
    const auto index = static_cast<std::size_t>(number);
    if (index >= slots.size())
        slots.resize(index + 1, -1);
    if (slots[index] < 0) {
        slots[index] = static_cast<int>(figures.categories.size());
        const auto &[category, kind] = m_categories[index];
        figures.categories.push_back({category, kind, {}});
    }
    figures.categories[static_cast<std::size_t>(slots[index])].sum.add(sum);
}

DailyTotals::Figures DailyTotals::within(const DateInterval &interval, bool includesEnd)
{
    if (!interval.start.isValid() || !interval.end.isValid())
        return {};
    const qint64 start = interval.start.toMSecsSinceEpoch();
    const qint64 end = interval.end.toMSecsSinceEpoch();
    if (start > end || (start == end && !includesEnd))
        return {};
    if (!isDayStart(start) || !isDayStart(end))
        return scanned(interval, includesEnd);
    bringInStep();
    cover(start, end);

    Figures figures;
    // Numbers of the categories seen so far, keyed by the number of each in m_categories.
    std::vector<int> slots;
    // The entries at the end instant are the newest of the span.
    if (includesEnd) {
        m_known.clear();
        const auto &entries = m_store.entries();
        for (std::size_t i = firstBefore(entries, end + 1); i < entries.size() && dateOf(entries[i]) == end;
             ++i) {
            const LedgerEntry &entry = entries[i];
            const EntryKind kind = entry.kind();
            Sum one;
            one.add(entry.amount);
            figures.kinds[kindIndex(kind)].add(one);
            addInto(figures, slots, numberOf(entry.category, kind), one);
        }
        m_known.clear();
    }
    const auto first =
        std::partition_point(m_days.begin(), m_days.end(), [end](const Day &d) { return d.start >= end; });
    for (auto day = first; day != m_days.end() && day->start >= start; ++day) {
        for (std::size_t k = 0; k < day->kinds.size(); ++k)
            figures.kinds[k].add(day->kinds[k]);
        for (const auto &[number, sum] : day->categories)
            addInto(figures, slots, number, sum);
    }
    return figures;
}

std::vector<DailyTotals::DaySums> DailyTotals::days(const DateInterval &interval)
{
    std::vector<DaySums> found;
    if (!interval.start.isValid() || !interval.end.isValid())
        return found;
    const qint64 start = interval.start.toMSecsSinceEpoch();
    const qint64 end = interval.end.toMSecsSinceEpoch();
    if (start >= end)
        return found;
    if (!isDayStart(start) || !isDayStart(end)) {
        // Bounds inside a day: the entries themselves, grouped by their day.
        const auto &entries = m_store.entries();
        for (std::size_t i = firstBefore(entries, end); i < entries.size(); ++i) {
            const qint64 at = dateOf(entries[i]);
            if (at < start)
                break;
            const qint64 dayStart = std::max(start, LocalCalendar::dayHolding(at).start);
            if (found.empty() || found.back().start != dayStart)
                found.push_back({dayStart, {}});
            found.back().kinds[kindIndex(entries[i].kind())].add(entries[i].amount);
        }
        return found;
    }
    bringInStep();
    cover(start, end);
    const auto first =
        std::partition_point(m_days.begin(), m_days.end(), [end](const Day &d) { return d.start >= end; });
    for (auto day = first; day != m_days.end() && day->start >= start; ++day)
        found.push_back({day->start, day->kinds});
    return found;
}

DailyTotals::Figures DailyTotals::scanned(const DateInterval &interval, bool includesEnd) const
{
    if (!interval.start.isValid() || !interval.end.isValid())
        return {};
    const qint64 start = interval.start.toMSecsSinceEpoch();
    const qint64 end = interval.end.toMSecsSinceEpoch();
    if (start > end || (start == end && !includesEnd))
        return {};
    Figures figures;
    const auto &entries = m_store.entries();
    const qint64 stop = includesEnd && end != after ? end + 1 : end;
    for (std::size_t i = firstBefore(entries, stop); i < entries.size(); ++i) {
        const LedgerEntry &entry = entries[i];
        if (dateOf(entry) < start)
            break;
        const EntryKind kind = entry.kind();
        figures.kinds[kindIndex(kind)].add(entry.amount);
        auto it = std::ranges::find_if(figures.categories, [&](const CategorySum &c) {
            return c.kind == kind && c.category == entry.category;
        });
        if (it == figures.categories.end())
            it = figures.categories.insert(it, {entry.category, kind, {}});
        it->sum.add(entry.amount);
    }
    return figures;
}
