// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatisticsStack.h"

#include "statistics/StatisticsView.h"
#include "trends/TrendsView.h"
#include "ui/SegmentedControl.h"

using namespace Qt::StringLiterals;

StatisticsStack::StatisticsStack(ModelStore &store, DailyTotals &totals, QWidget *parent)
    : QStackedWidget(parent)
    , m_store(store)
    , m_totals(totals)
    , m_statistics(new StatisticsView(store, totals, this))
{
    addWidget(m_statistics);
    connect(m_statistics, &StatisticsView::trendsRequested, this, &StatisticsStack::openTrends);
}

void StatisticsStack::openTrends()
{
    if (!m_trends) {
        m_trends = new TrendsView(m_store, m_totals, this);
        m_trends->setObjectName(u"workspace:年度趋势"_s);
        addWidget(m_trends);
        connect(m_trends, &TrendsView::backRequested, this, &StatisticsStack::showStatistics);
        connect(m_trends, &TrendsView::monthRequested, this, &StatisticsStack::showMonth);
    } else {
        // Today may have moved on while the trends were hidden.
        m_trends->model().recompute();
    }
    setCurrentWidget(m_trends);
    m_trends->pagePicker()->setFocus(Qt::OtherFocusReason);
}

void StatisticsStack::showStatistics()
{
    setCurrentWidget(m_statistics);
}

void StatisticsStack::showMonth(QDate day)
{
    StatisticsModel &model = m_statistics->model();
    model.setRange(PeriodChoice::month);
    model.setSelectedDay(day);
    showStatistics();
    m_statistics->rangePicker()->setFocus(Qt::OtherFocusReason);
}
