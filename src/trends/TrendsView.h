// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrendsModel.h"

#include <QDate>
#include <QWidget>

#include <array>

class CalendarGrid;
class DayEntriesList;
class MonthBarsChart;
class QComboBox;
class QPushButton;
class SegmentedControl;
class YearReviewPanel;

// 年度趋势, opened from 统计: the monthly trend, the year in review and the spending calendar,
// one at a time, with the year (and the category or the month) to show. "返回统计" goes back;
// a month opened from the trend shows in 统计.
class TrendsView final : public QWidget {
    Q_OBJECT

public:
    TrendsView(ModelStore &store, DailyTotals &totals, QWidget *parent = nullptr);

    TrendsModel &model() { return m_model; }
    QPushButton *backButton() const { return m_back; }
    SegmentedControl *pagePicker() const { return m_pages; }
    QComboBox *yearPicker() const { return m_year; }
    QComboBox *categoryPicker() const { return m_category; }
    QComboBox *monthPicker() const { return m_month; }
    MonthBarsChart *chart() const { return m_chart; }
    YearReviewPanel *reviewPanel() const { return m_review; }
    CalendarGrid *calendarGrid() const { return m_calendar; }
    DayEntriesList *dayEntries() const { return m_dayEntries; }

Q_SIGNALS:
    void backRequested();
    // The statistics of the month whose first day this is.
    void monthRequested(QDate first);

private:
    void refresh();
    void fillYears();
    void fillCategories();

    TrendsModel m_model;
    QPushButton *m_back;
    SegmentedControl *m_pages;
    QWidget *m_yearRow;
    QComboBox *m_year;
    QWidget *m_categoryRow;
    QComboBox *m_category;
    QWidget *m_monthRow;
    QComboBox *m_month;
    // The three pages, in page order; only the shown one takes room.
    std::array<QWidget *, 3> m_pageWidgets{};
    MonthBarsChart *m_chart;
    YearReviewPanel *m_review;
    CalendarGrid *m_calendar;
    DayEntriesList *m_dayEntries;
};
