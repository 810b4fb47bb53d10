// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardModel.h"

#include "model/BudgetRowFigures.h"
#include "model/Clock.h"
#include "model/DateText.h"
#include "model/LedgerCategories.h"
#include "model/LedgerSlice.h"
#include "model/Money.h"
#include "model/ProgramLocale.h"
#include "store/DailyTotals.h"
#include "store/ModelStore.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString chineseDay(const QDateTime &instant)
{
    return ProgramLocale::chinese().toString(instant.toLocalTime().date(), u"M月d日"_s);
}

bool sameInterval(const DateInterval &a, const DateInterval &b)
{
    return a.start == b.start && a.end == b.end;
}

} // namespace

DashboardModel::DashboardModel(ModelStore &store, DailyTotals &totals, QObject *parent)
    : QObject(parent), m_store(store), m_totals(totals)
{
    connect(&m_store, &ModelStore::entriesChanged, this, &DashboardModel::recompute);
    connect(&m_store, &ModelStore::budgetsChanged, this, &DashboardModel::recompute);
    recompute();
}

void DashboardModel::recompute()
{
    m_now = Clock::now();
    const RecordRange<LedgerEntry> entries = m_store.entries();

    m_active = Budget::activeRecords(m_store.budgets(), m_now);
    m_customPeriod.reset();
    if (!m_active.empty() && m_active.front().hasPeriod()) {
        const Budget &first = m_active.front();
        m_customPeriod = std::make_pair(*first.periodStart, *first.periodEnd);
        // Every budget of the active period shares these whole days.
        m_interval = first.interval();
        m_periodTitle = customPeriodTitle(*first.periodStart, *first.periodEnd);
    } else {
        m_interval = LocalCalendar::monthInterval(m_now);
        m_periodTitle = DateText::displayMonth(m_now);
    }

    const RecordRange<LedgerEntry> period = LedgerSlice::within(entries, m_interval);
    m_periodOffset = period.empty() ? 0 : static_cast<std::size_t>(period.begin() - entries.begin());
    m_periodCount = period.size();

    DailyTotals &totals = m_totals;
    const DailyTotals::Figures figures = totals.within(m_interval);
    m_expense = figures.of(EntryKind::expense).value();
    m_income = figures.of(EntryKind::income).value();
    m_budget = 0;
    for (const Budget &budget : m_active)
        m_budget += budget.limit;

    m_assistant = assistantFor(m_expense, m_budget, isCustomPeriod());
    m_rows = computeRows(totals, figures);
    m_recent.assign(entries.begin(),
                    entries.begin() + static_cast<std::ptrdiff_t>(std::min(recentCount, entries.size())));

    Q_EMIT changed();
}

std::vector<DashboardModel::BudgetRow> DashboardModel::computeRows(DailyTotals &totals,
                                                                   const DailyTotals::Figures &period) const
{
    std::vector<BudgetRow> rows;
    rows.reserve(m_active.size());
    // A budget whose interval is not the period's (a month budget beside a period) has its
    // own days summed.
    for (const Budget &budget : m_active) {
        const DateInterval interval = budget.interval();
        double spent = 0;
        if (sameInterval(interval, m_interval))
            spent = period.of(budget.category, EntryKind::expense).value();
        else if (interval.start.isValid() && interval.end.isValid())
            spent = totals.within(interval).of(budget.category, EntryKind::expense).value();
        rows.push_back(budgetRowFor(budget, spent));
    }
    return rows;
}

RecordRange<LedgerEntry> DashboardModel::periodEntries() const
{
    return RecordRange<LedgerEntry>(m_store.entries()).subrange(m_periodOffset, m_periodCount);
}

QString DashboardModel::balanceCaption() const
{
    return isCustomPeriod() ? u"当前周期可支配余额"_s : u"本月可支配余额"_s;
}

DashboardModel::Assistant DashboardModel::assistantFor(double expense, double budget, bool isCustomPeriod)
{
    const double ratio = budget == 0 ? 0 : expense / budget;
    const QString prefix = isCustomPeriod ? u"当前周期"_s : u"本月"_s;
    const QString percent = BudgetRowFigures::wholePercent(expense, budget);

    Assistant assistant;
    if (budget <= 0)
        assistant.message = u"设置预算后，我会为你追踪花费与结余。"_s;
    else if (ratio >= 1)
        assistant.message = prefix + u"预算已经超支，建议暂停非必要消费。"_s;
    else if (ratio >= budgetWarningRatio)
        assistant.message = prefix + u"预算已使用 "_s + percent + u"%，余额需要精打细算。"_s;
    else
        assistant.message = prefix + u"预算使用 "_s + percent + u"%，目前节奏不错。"_s;

    assistant.symbol = ratio >= 1 ? u"exclamationmark.triangle.fill"_s : u"sparkles"_s;
    assistant.iconTone = ratio >= budgetWarningRatio ? BudgetTone::orange : BudgetTone::indigo;
    assistant.backgroundTone = ratio >= 1 ? BudgetTone::orange : BudgetTone::indigo;
    return assistant;
}

DashboardModel::BudgetRow DashboardModel::budgetRowFor(const Budget &budget, double spent)
{
    const BudgetRowFigures figures{spent, budget.limit};
    BudgetRow row;
    row.category = budget.category;
    row.symbol = LedgerCategories::icon(budget.category);
    row.spent = spent;
    row.limit = budget.limit;
    row.percentText = figures.percent() + u"%"_s;
    row.percentTone = figures.percentTone();
    row.amountText = Money::text(spent) + u" / "_s + Money::text(budget.limit);
    row.fraction = figures.barValue();
    row.barTone = figures.barTone();
    return row;
}

QString DashboardModel::customPeriodTitle(const QDateTime &start, const QDateTime &end)
{
    return u"预算周期 "_s + chineseDay(start) + u"—"_s + chineseDay(end);
}
