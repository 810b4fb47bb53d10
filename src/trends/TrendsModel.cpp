// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrendsModel.h"

#include "model/Clock.h"
#include "model/LedgerCategories.h"
#include "model/LocalCalendar.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

TrendsModel::TrendsModel(ModelStore &store, DailyTotals &totals, QObject *parent)
    : QObject(parent), m_store(store), m_totals(totals)
{
    m_today = Clock::now().toLocalTime().date();
    m_year = m_today.year();
    m_calendarMonth = m_today.month();
    connect(&m_store, &ModelStore::entriesChanged, this, &TrendsModel::recompute);
    recompute();
}

QStringList TrendsModel::pageTitles()
{
    return {u"趋势"_s, u"年度账单"_s, u"消费日历"_s};
}

void TrendsModel::setPage(Page page)
{
    if (page == m_page)
        return;
    m_page = page;
    recompute();
}

void TrendsModel::setYear(int year)
{
    if (!m_years.contains(year) || (year == m_year && !m_recent))
        return;
    m_year = year;
    m_recent = false;
    m_chosenDay = {};
    recompute();
}

void TrendsModel::setRecentMonths()
{
    if (m_recent)
        return;
    m_recent = true;
    recompute();
}

void TrendsModel::setCategory(const QString &category)
{
    if (category == m_category)
        return;
    m_category = category;
    recompute();
}

QStringList TrendsModel::categories() const
{
    QStringList names = LedgerCategories::expenses();
    // Categories outside the fixed list (from an import or an older file) that the trend's
    // span holds.
    const QDate first = m_recent ? m_today.addMonths(-11) : QDate(m_year, 1, 1);
    const QDate last = m_recent ? m_today : QDate(m_year, 12, 31);
    const DailyTotals::Figures figures =
        m_totals.within(LocalCalendar::wholeDays(QDate(first.year(), first.month(), 1), last));
    for (const DailyTotals::CategorySum &c : figures.categories) {
        if (c.kind == EntryKind::expense && !names.contains(c.category))
            names.append(c.category);
    }
    if (!m_category.isEmpty() && !names.contains(m_category))
        names.append(m_category);
    return names;
}

void TrendsModel::setCalendarMonth(int month)
{
    if (month < 0 || month > 12 || month == m_calendarMonth)
        return;
    m_calendarMonth = month;
    m_chosenDay = {};
    recompute();
}

void TrendsModel::chooseDay(QDate day)
{
    if (day == m_chosenDay)
        return;
    m_chosenDay = day;
    recompute();
}

RecordRange<LedgerEntry> TrendsModel::chosenDayEntries() const
{
    return m_chosenRun.in(m_store.entries());
}

void TrendsModel::findYears()
{
    const RecordRange<LedgerEntry> entries = m_store.entries();
    int newest = m_today.year();
    int oldest = m_today.year();
    if (!entries.empty()) {
        newest = std::max(newest, entries.front().date.toLocalTime().date().year());
        oldest = std::min(oldest, entries.back().date.toLocalTime().date().year());
    }
    m_years.clear();
    for (int y = newest; y >= oldest; --y)
        m_years.append(y);
    if (!m_years.contains(m_year))
        m_year = m_today.year();
}

void TrendsModel::recompute()
{
    m_today = Clock::now().toLocalTime().date();
    findYears();
    DailyTotals &totals = m_totals;
    switch (m_page) {
    case Page::trend:
        if (m_recent) {
            const QDate first = m_today.addMonths(-11);
            m_trend = MonthSeries::of(totals, first, 12, m_category, m_today);
        } else {
            m_trend = MonthSeries::of(totals, QDate(m_year, 1, 1), 12, m_category, m_today);
        }
        break;
    case Page::review:
        m_review = YearReview::of(totals, m_store.entries(), m_year, m_today);
        break;
    case Page::calendar:
        m_calendar = SpendingCalendar::of(totals, m_year, m_calendarMonth);
        break;
    }
    if (m_chosenDay.isValid() && m_chosenDay.year() == m_year) {
        const RecordRange<LedgerEntry> entries = m_store.entries();
        m_chosenRun = LedgerSlice::Run::of(
            entries, LedgerSlice::within(entries, LocalCalendar::wholeDays(m_chosenDay, m_chosenDay)));
    } else {
        m_chosenDay = {};
        m_chosenRun = {};
    }
    Q_EMIT changed();
}
