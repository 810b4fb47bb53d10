// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QStackedWidget>

class DailyTotals;
class ModelStore;
class StatisticsView;
class TrendsView;

// The 统计 workspace's screen: the statistics, and over them 年度趋势 when asked for (by the
// statistics' header or the window's key). A month opened from the trend comes back to the
// statistics showing that month; the trends keep their state until the workspace is left.
class StatisticsStack final : public QStackedWidget {
    Q_OBJECT

public:
    StatisticsStack(ModelStore &store, DailyTotals &totals, QWidget *parent = nullptr);

    StatisticsView *statistics() const { return m_statistics; }
    // Made on first opening.
    TrendsView *trends() const { return m_trends; }

    void openTrends();
    void showStatistics();
    // The statistics of the month holding the day.
    void showMonth(QDate day);

private:
    ModelStore &m_store;
    DailyTotals &m_totals;
    StatisticsView *m_statistics;
    TrendsView *m_trends = nullptr;
};
