// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MonthSeries.h"
#include "SpendingCalendar.h"
#include "YearReview.h"

#include "model/LedgerEntry.h"
#include "model/LedgerSlice.h"
#include "model/RecordRange.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

class DailyTotals;
class ModelStore;

// The figures of 看年度 over the years of the books: the monthly trend (last twelve months or
// one year, all expense or one category), the year in review and the spending calendar. Only
// the page shown is computed, when it is shown and whenever the store's entries, the year, the
// category or the month change; every figure comes from the store's totals per day.
class TrendsModel final : public QObject {
    Q_OBJECT

public:
    enum class Page { trend, review, calendar };

    TrendsModel(ModelStore &store, DailyTotals &totals, QObject *parent = nullptr);

    // "趋势", "年度账单" and "消费日历".
    static QStringList pageTitles();
    Page page() const { return m_page; }
    void setPage(Page page);

    // The years the books reach, newest first: from the oldest entry's to the newest entry's or
    // today's, whichever is later. Today's year alone for empty books.
    const QList<int> &years() const { return m_years; }
    int year() const { return m_year; }
    // The trend's span: the last twelve months up to today's, or the chosen year.
    bool recentMonths() const { return m_recent; }
    void setYear(int year);
    void setRecentMonths();

    // The expense category the trend shows; empty for all expense.
    QString category() const { return m_category; }
    void setCategory(const QString &category);
    // The fixed expense categories, then any other the books use.
    QStringList categories() const;

    // The calendar's month, 1 to 12, or 0 for the whole year.
    int calendarMonth() const { return m_calendarMonth; }
    void setCalendarMonth(int month);
    // The day whose entries are listed under the calendar; invalid for none.
    QDate chosenDay() const { return m_chosenDay; }
    void chooseDay(QDate day);
    // The chosen day's entries, newest first.
    RecordRange<LedgerEntry> chosenDayEntries() const;

    const MonthSeries &trend() const { return m_trend; }
    const YearReview &review() const { return m_review; }
    const SpendingCalendar &calendar() const { return m_calendar; }

    // Reads "now" again: after midnight the last twelve months move on.
    void recompute();

Q_SIGNALS:
    void changed();

private:
    void findYears();

    ModelStore &m_store;
    DailyTotals &m_totals;
    Page m_page = Page::trend;
    QDate m_today;
    QList<int> m_years;
    int m_year = 0;
    bool m_recent = true;
    QString m_category;
    int m_calendarMonth = 0;
    QDate m_chosenDay;
    LedgerSlice::Run m_chosenRun;
    MonthSeries m_trend;
    YearReview m_review;
    SpendingCalendar m_calendar;
};
