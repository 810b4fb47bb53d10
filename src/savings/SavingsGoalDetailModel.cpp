// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsGoalDetailModel.h"

#include "SavingsDepositIndex.h"
#include "SavingsModel.h"
#include "model/AmountText.h"
#include "model/Clock.h"
#include "model/DateText.h"
#include "model/LocalCalendar.h"
#include "model/Money.h"
#include "store/ModelStore.h"

#include <QSet>

using namespace Qt::StringLiterals;

SavingsGoalDetailModel::SavingsGoalDetailModel(ModelStore &store, const SavingsDepositIndex &index,
                                               const SavingsGoal &goal, QObject *parent)
    : QObject(parent), m_store(store), m_index(index), m_goal(goal), m_date(Clock::now())
{
    connect(&m_store, &ModelStore::savingsGoalsChanged, this, &SavingsGoalDetailModel::goalsChangedInStore);
    connect(&m_index, &SavingsDepositIndex::changed, this, &SavingsGoalDetailModel::changed);
}

int SavingsGoalDetailModel::depositCount() const
{
    return m_index.count(m_goal.id);
}

const SavingsDeposit *SavingsGoalDetailModel::deposit(int position) const
{
    return m_index.deposit(m_goal.id, position);
}

double SavingsGoalDetailModel::total() const
{
    return m_index.total(m_goal.id);
}

SavingsGoalFigures SavingsGoalDetailModel::figures() const
{
    return SavingsGoalFigures::of(m_goal, total());
}

QString SavingsGoalDetailModel::depositTitle() const
{
    return u"存入 "_s + m_goal.name;
}

QString SavingsGoalDetailModel::depositTitle(const SavingsDeposit &deposit)
{
    return deposit.note.isEmpty() ? u"存入"_s : deposit.note;
}

QString SavingsGoalDetailModel::accessibleText(const SavingsDeposit &deposit)
{
    return depositTitle(deposit) + u"，"_s + DateText::displayDate(deposit.date) + u"，"_s +
           Money::text(deposit.amount);
}

void SavingsGoalDetailModel::startDeposit()
{
    m_amount.clear();
    m_note.clear();
    m_date = Clock::now();
    Q_EMIT formChanged();
    setShowingDeposit(true);
}

void SavingsGoalDetailModel::cancelDeposit()
{
    setShowingDeposit(false);
}

void SavingsGoalDetailModel::setAmount(const QString &amount)
{
    if (m_amount == amount)
        return;
    m_amount = amount;
    Q_EMIT formChanged();
}

void SavingsGoalDetailModel::setDay(QDate day)
{
    if (!day.isValid())
        return;
    const QDateTime moved = LocalCalendar::onDay(m_date, day);
    if (!moved.isValid() || moved == m_date)
        return;
    m_date = moved;
    Q_EMIT formChanged();
}

void SavingsGoalDetailModel::setNote(const QString &note)
{
    if (m_note == note)
        return;
    m_note = note;
    Q_EMIT formChanged();
}

bool SavingsGoalDetailModel::canSaveDeposit() const
{
    return AmountText::isPositive(m_amount);
}

bool SavingsGoalDetailModel::saveDeposit()
{
    // Nothing is stored twice by a second Return, nor for a goal deleted meanwhile.
    if (!m_showingDeposit || !canSaveDeposit() || !m_store.find<SavingsGoal>(m_goal.id))
        return false;
    const std::optional<double> amount = AmountText::positive(m_amount);
    if (!m_store.insert(SavingsDeposit(m_goal.id, *amount, m_date, m_note)))
        return false;
    setShowingDeposit(false);
    return true;
}

bool SavingsGoalDetailModel::deleteDeposits(const std::vector<QUuid> &depositIDs)
{
    const QSet<QUuid> wanted(depositIDs.cbegin(), depositIDs.cend());
    ModelStore::Removal removal;
    for (const QUuid &id : m_index.depositIDs(m_goal.id)) {
        if (wanted.contains(id))
            removal.add<SavingsDeposit>(id);
    }
    return m_store.remove(removal);
}

void SavingsGoalDetailModel::requestGoalDeletion()
{
    setConfirmingDelete(true);
}

void SavingsGoalDetailModel::cancelGoalDeletion()
{
    setConfirmingDelete(false);
}

bool SavingsGoalDetailModel::deleteGoal()
{
    setConfirmingDelete(false);
    ModelStore::Removal removal;
    for (const QUuid &id : m_index.depositIDs(m_goal.id))
        removal.add<SavingsDeposit>(id);
    if (m_store.find<SavingsGoal>(m_goal.id))
        removal.add<SavingsGoal>(m_goal.id);
    // The goal's leaving the store closes the detail (see goalsChangedInStore).
    return m_store.remove(removal);
}

QString SavingsGoalDetailModel::deleteTitle()
{
    return u"删除这个存钱目标？"_s;
}

QString SavingsGoalDetailModel::deleteMessage()
{
    return u"目标及其存入明细都会被删除。"_s;
}

void SavingsGoalDetailModel::goalsChangedInStore()
{
    if (const SavingsGoal *current = m_store.find<SavingsGoal>(m_goal.id)) {
        m_goal = *current;
        Q_EMIT changed();
    } else {
        setShowingDeposit(false);
        Q_EMIT closeRequested();
    }
}

void SavingsGoalDetailModel::setShowingDeposit(bool showing)
{
    if (m_showingDeposit == showing)
        return;
    m_showingDeposit = showing;
    Q_EMIT showingDepositChanged(showing);
}

void SavingsGoalDetailModel::setConfirmingDelete(bool showing)
{
    if (m_confirmingDelete == showing)
        return;
    m_confirmingDelete = showing;
    Q_EMIT confirmingDeleteChanged(showing);
}
