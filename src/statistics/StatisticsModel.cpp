#include "StatisticsModel.h"

#include "model/Clock.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

StatisticsModel::StatisticsModel(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    const QDateTime now = Clock::now();
    m_selectedDate = now;
    m_endDate = now;
    const QDateTime monthBefore = LocalCalendar::addMonths(now, -1);
    m_startDate = monthBefore.isValid() ? monthBefore : now;
    connect(&m_store, &ModelStore::entriesChanged, this, &StatisticsModel::recompute);
    recompute();
}

void StatisticsModel::setRange(StatisticsRange range)
{
    if (range == m_range)
        return;
    m_range = range;
    recompute();
}

void StatisticsModel::setSelectedDate(const QDateTime &date)
{
    if (date == m_selectedDate || !date.isValid())
        return;
    m_selectedDate = date;
    recompute();
}

void StatisticsModel::setStartDate(const QDateTime &date)
{
    if (date == m_startDate || !date.isValid())
        return;
    m_startDate = date;
    recompute();
}

void StatisticsModel::setEndDate(const QDateTime &date)
{
    if (date == m_endDate || !date.isValid())
        return;
    m_endDate = date;
    recompute();
}

void StatisticsModel::setSelectedDay(QDate day)
{
    if (day.isValid())
        setSelectedDate(LocalCalendar::onDay(m_selectedDate, day));
}

void StatisticsModel::setStartDay(QDate day)
{
    if (day.isValid())
        setStartDate(LocalCalendar::onDay(m_startDate, day));
}

void StatisticsModel::setEndDay(QDate day)
{
    if (day.isValid())
        setEndDate(LocalCalendar::onDay(m_endDate, day));
}

StatisticsModel::Span StatisticsModel::spanOf(StatisticsRange range, const QDateTime &selectedDate,
                                              const QDateTime &startDate, const QDateTime &endDate)
{
    switch (range) {
    case StatisticsRange::day:
        return {LocalCalendar::dayInterval(selectedDate), false};
    case StatisticsRange::week:
        return {LocalCalendar::weekInterval(selectedDate), true};
    case StatisticsRange::month:
        return {LocalCalendar::monthInterval(selectedDate), true};
    case StatisticsRange::custom:
        break;
    }
    const QDate first = startDate.toLocalTime().date();
    const QDate last = endDate.toLocalTime().date();
    if (last < first) {
        // An end before the start covers nothing, rather than the days in between.
        const QDateTime start = LocalCalendar::startOfDay(first);
        return {{start, start}, false};
    }
    return {LocalCalendar::wholeDays(first, last), false};
}

void StatisticsModel::recompute()
{
    const std::vector<LedgerEntry> &entries = m_store.entries();
    const Span span = spanOf(m_range, m_selectedDate, m_startDate, m_endDate);
    m_interval = span.interval;
    m_includesEnd = span.includesEnd;

    const std::span<const LedgerEntry> period = m_includesEnd ? LedgerSlice::withinClosed(entries, m_interval)
                                                              : LedgerSlice::within(entries, m_interval);
    m_period = LedgerSlice::Run::of(entries, period);

    CategoryTotals::Ranking ranking = CategoryTotals::ranked(period, EntryKind::expense);
    m_income = ranking.otherSum;
    m_expense = ranking.kindSum;
    m_categories = std::move(ranking.totals);
    Q_EMIT changed();
}

std::span<const LedgerEntry> StatisticsModel::periodEntries() const
{
    return m_period.in(m_store.entries());
}

std::array<StatisticsModel::Summary, 3> StatisticsModel::summaries() const
{
    return {{{u"收入"_s, m_income, Tone::income},
             {u"支出"_s, m_expense, Tone::expense},
             {u"结余"_s, balance(), Tone::primary}}};
}
