// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetModel.h"

#include "model/AmountText.h"
#include "model/Clock.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A period of chosen days only; an end before the start is held on the start's day.
const PeriodSelection::Rules &formRules()
{
    static const PeriodSelection::Rules rules{{{PeriodChoice::custom, QString()}},
                                              PeriodSelection::DayEnd::excluded,
                                              PeriodSelection::EarlyEnd::heldAtStart};
    return rules;
}

// An empty bound stands for the distant past or future, which no chosen day matches.
bool sameDay(const std::optional<QDateTime> &stored, const QDateTime &chosen)
{
    return stored && LocalCalendar::localDate(*stored) == LocalCalendar::localDate(chosen);
}

} // namespace

BudgetModel::BudgetModel(ModelStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_category(u"餐饮"_s)
    , m_period(formRules(), PeriodChoice::custom, Clock::now())
{
    const QDateTime now = m_period.date();
    m_period.setRange(now, initialPeriodEnd(now));
    connect(&m_store, &ModelStore::budgetsChanged, this, &BudgetModel::refresh);
    connect(&m_store, &ModelStore::entriesChanged, this, &BudgetModel::refresh);
    refresh();
}

bool BudgetModel::canAddToCurrentPeriod() const
{
    return !m_active.empty() && m_active.front().hasPeriod();
}

QDateTime BudgetModel::initialPeriodEnd(const QDateTime &now)
{
    QDateTime end = LocalCalendar::addMonths(now, 1);
    if (!end.isValid())
        end = now;
    end = LocalCalendar::addDays(end, -1);
    return end.isValid() ? end : now;
}

void BudgetModel::refresh()
{
    const RecordRange<Budget> budgets = m_store.budgets();
    m_active = Budget::activeRecords(budgets, Clock::now());

    QSet<QUuid> activeIds;
    for (const Budget &budget : m_active)
        activeIds.insert(budget.id);
    std::vector<Budget> historical;
    for (const Budget &budget : budgets) {
        if (!activeIds.contains(budget.id))
            historical.push_back(budget);
    }
    m_current = BudgetPeriodGroup::grouped(m_active);
    m_past = BudgetPeriodGroup::grouped(historical);
    for (std::vector<BudgetPeriodGroup> *groups : {&m_current, &m_past}) {
        for (BudgetPeriodGroup &group : *groups)
            group.measure(m_store.entries());
    }
    Q_EMIT changed();
}

void BudgetModel::setCategory(const QString &category)
{
    if (m_category == category)
        return;
    m_category = category;
    Q_EMIT formChanged();
}

void BudgetModel::setAmount(const QString &amount)
{
    if (m_amount == amount)
        return;
    m_amount = amount;
    Q_EMIT formChanged();
}

void BudgetModel::setStartDay(QDate day)
{
    if (m_period.setStartDay(day))
        Q_EMIT formChanged();
}

void BudgetModel::setEndDay(QDate day)
{
    if (m_period.setEndDay(day))
        Q_EMIT formChanged();
}

bool BudgetModel::canSave() const
{
    return AmountText::isPositive(m_amount) &&
           LocalCalendar::localDate(periodStart()) <= LocalCalendar::localDate(periodEnd());
}

QString BudgetModel::deleteConfirmationTitle() const
{
    return u"删除“"_s + m_titlePendingDeletion + u"”预算？"_s;
}

QString BudgetModel::deleteConfirmationMessage()
{
    return u"将删除这个周期内的全部预算分类与额度，不会删除任何账单。"_s;
}

void BudgetModel::prepareNewPeriod()
{
    const QDateTime now = Clock::now();
    m_amount.clear();
    m_period.setRange(now, initialPeriodEnd(now));
    Q_EMIT formChanged();
}

void BudgetModel::startNewPeriod()
{
    prepareNewPeriod();
    setShowingAdd(true);
}

void BudgetModel::addToCurrentPeriod()
{
    if (!canAddToCurrentPeriod())
        return;
    const Budget &first = m_active.front();
    m_amount.clear();
    m_period.setRange(*first.periodStart, *first.periodEnd);
    Q_EMIT formChanged();
    setShowingAdd(true);
}

void BudgetModel::cancelAdd()
{
    setShowingAdd(false);
}

bool BudgetModel::saveBudget()
{
    const std::optional<double> value = AmountText::positive(m_amount);
    if (!value || !canSave())
        return false;

    const RecordRange<Budget> budgets = m_store.budgets();
    const auto same = std::ranges::find_if(budgets, [this](const Budget &budget) {
        return budget.category == m_category && sameDay(budget.periodStart, periodStart()) &&
               sameDay(budget.periodEnd, periodEnd());
    });
    bool stored = false;
    if (same != budgets.end()) {
        Budget replaced = *same;
        replaced.limit = *value;
        stored = m_store.update(replaced);
    } else {
        stored = m_store.insert(Budget(m_category, *value, Clock::now(), periodStart(), periodEnd()));
    }
    if (stored)
        setShowingAdd(false);
    return stored;
}

void BudgetModel::requestPeriodDeletion(const QString &title, const std::vector<Budget> &budgets)
{
    m_titlePendingDeletion = title;
    m_idsPendingDeletion.clear();
    for (const Budget &budget : budgets)
        m_idsPendingDeletion.append(budget.id);
    setShowingDeleteConfirmation(true);
}

void BudgetModel::cancelPeriodDeletion()
{
    setShowingDeleteConfirmation(false);
}

bool BudgetModel::deleteRequestedPeriod()
{
    const QSet<QUuid> pending(m_idsPendingDeletion.cbegin(), m_idsPendingDeletion.cend());
    ModelStore::Removal removal;
    for (const Budget &budget : m_store.budgets()) {
        if (pending.contains(budget.id))
            removal.add<Budget>(budget.id);
    }
    const bool removed = removal.isEmpty() || m_store.remove(removal);
    m_idsPendingDeletion.clear();
    setShowingDeleteConfirmation(false);
    return removed;
}

void BudgetModel::setShowingAdd(bool showing)
{
    if (m_showingAdd == showing)
        return;
    m_showingAdd = showing;
    Q_EMIT showingAddChanged(showing);
}

void BudgetModel::setShowingDeleteConfirmation(bool showing)
{
    if (m_showingDeleteConfirmation == showing)
        return;
    m_showingDeleteConfirmation = showing;
    Q_EMIT showingPeriodDeleteConfirmationChanged(showing);
}
