// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountDetailModel.h"

#include "AssetDimension.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

AssetAccountDetailModel::AssetAccountDetailModel(ModelStore &store, AssetAccount account, QObject *parent)
    : QObject(parent), m_store(store), m_account(std::move(account))
{
    connect(&store, &ModelStore::assetAdjustmentsChanged, this, &AssetAccountDetailModel::recompute);
    connect(&store, &ModelStore::assetAccountsChanged, this, &AssetAccountDetailModel::recompute);
    recompute();
}

bool AssetAccountDetailModel::isLiability() const
{
    return AssetDimensions::isLiability(m_account.dimension);
}

void AssetAccountDetailModel::recompute()
{
    if (const AssetAccount *held = m_store.find<AssetAccount>(m_account.id)) {
        m_account = *held;
    } else if (m_exists) {
        m_exists = false;
        Q_EMIT accountRemoved();
    }
    m_adjustments.clear();
    m_rows.clear();
    double sum = 0;
    const bool liability = isLiability();
    for (const AssetAdjustment &adjustment : m_store.assetAdjustments()) {
        if (adjustment.accountID != m_account.id)
            continue;
        m_adjustments.push_back(adjustment);
        m_rows.push_back(AssetChangeRow::forAccount(adjustment, liability));
        sum += adjustment.amount;
    }
    m_balance = m_account.openingBalance + sum;
    Q_EMIT changed();
}

void AssetAccountDetailModel::startOperation(AssetAmountOperation operation)
{
    if (m_operation || m_showingLedger || m_confirmingDelete)
        return;
    m_operation = operation;
    Q_EMIT sheetChanged();
}

void AssetAccountDetailModel::showLedger()
{
    if (m_operation || m_showingLedger || m_confirmingDelete)
        return;
    m_showingLedger = true;
    Q_EMIT sheetChanged();
}

void AssetAccountDetailModel::requestDelete()
{
    if (m_operation || m_showingLedger || m_confirmingDelete)
        return;
    m_confirmingDelete = true;
    Q_EMIT sheetChanged();
}

void AssetAccountDetailModel::closeSheet()
{
    if (!m_operation && !m_showingLedger && !m_confirmingDelete)
        return;
    m_operation.reset();
    m_showingLedger = false;
    m_confirmingDelete = false;
    Q_EMIT sheetChanged();
}

bool AssetAccountDetailModel::removeAdjustments(const QList<QUuid> &ids)
{
    ModelStore::Removal removal;
    for (const QUuid &id : ids) {
        const AssetAdjustment *held = m_store.find<AssetAdjustment>(id);
        if (held && held->accountID == m_account.id)
            removal.add<AssetAdjustment>(id);
    }
    return !removal.isEmpty() && m_store.remove(removal);
}

bool AssetAccountDetailModel::deleteAccount()
{
    ModelStore::Removal removal;
    for (const AssetAdjustment &adjustment : m_adjustments)
        removal.add<AssetAdjustment>(adjustment.id);
    removal.add<AssetAccount>(m_account.id);
    return m_store.remove(removal);
}

QString AssetAccountDetailModel::deleteTitle()
{
    return u"删除这个资产？"_s;
}

QString AssetAccountDetailModel::deleteMessage()
{
    return u"资产及所有金额变动明细都会被删除。"_s;
}
