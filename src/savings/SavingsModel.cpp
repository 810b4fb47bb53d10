// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsModel.h"

#include "model/AmountText.h"
#include "model/Clock.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

#include <algorithm>

SavingsModel::SavingsModel(ModelStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_index(store), m_expectedDate(initialExpectedDate(Clock::now()))
{
    connect(&m_store, &ModelStore::savingsGoalsChanged, this, &SavingsModel::goalsChangedInStore);
    connect(&m_index, &SavingsDepositIndex::changed, this, &SavingsModel::totalsChanged);
}

RecordRange<SavingsGoal> SavingsModel::goals() const
{
    return m_store.savingsGoals();
}

SavingsGoalFigures SavingsModel::figures(const SavingsGoal &goal) const
{
    return SavingsGoalFigures::of(goal, total(goal.id));
}

QDateTime SavingsModel::initialExpectedDate(const QDateTime &now)
{
    const QDateTime later = LocalCalendar::addMonths(now, 6);
    return later.isValid() ? later : now;
}

void SavingsModel::startAddGoal()
{
    m_name.clear();
    m_target.clear();
    m_expectedDate = initialExpectedDate(Clock::now());
    Q_EMIT formChanged();
    setShowingAddGoal(true);
}

void SavingsModel::cancelAddGoal()
{
    setShowingAddGoal(false);
}

void SavingsModel::setName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    Q_EMIT formChanged();
}

void SavingsModel::setTarget(const QString &target)
{
    if (m_target == target)
        return;
    m_target = target;
    Q_EMIT formChanged();
}

void SavingsModel::setExpectedDay(QDate day)
{
    if (!day.isValid())
        return;
    const QDateTime moved = LocalCalendar::onDay(m_expectedDate, day);
    if (!moved.isValid() || moved == m_expectedDate)
        return;
    m_expectedDate = moved;
    Q_EMIT formChanged();
}

bool SavingsModel::canSaveGoal() const
{
    return !m_name.trimmed().isEmpty() && AmountText::isPositive(m_target);
}

bool SavingsModel::saveGoal()
{
    // A second Return after the form closed must not store the goal twice.
    if (!m_showingAddGoal || !canSaveGoal())
        return false;
    const std::optional<double> target = AmountText::positive(m_target);
    if (!m_store.insert(SavingsGoal(m_name.trimmed(), *target, m_expectedDate)))
        return false;
    setShowingAddGoal(false);
    return true;
}

void SavingsModel::selectGoal(const QUuid &goalID)
{
    if (!m_store.find<SavingsGoal>(goalID) || m_selectedGoal == goalID)
        return;
    m_selectedGoal = goalID;
    Q_EMIT selectedGoalChanged();
}

void SavingsModel::closeGoal()
{
    if (!m_selectedGoal)
        return;
    m_selectedGoal.reset();
    Q_EMIT selectedGoalChanged();
}

void SavingsModel::goalsChangedInStore()
{
    if (m_selectedGoal && !m_store.find<SavingsGoal>(*m_selectedGoal))
        closeGoal();
    Q_EMIT goalsChanged();
}

void SavingsModel::setShowingAddGoal(bool showing)
{
    if (m_showingAddGoal == showing)
        return;
    m_showingAddGoal = showing;
    Q_EMIT showingAddGoalChanged(showing);
}
