// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsDepositIndex.h"

#include "store/ModelStore.h"

SavingsDepositIndex::SavingsDepositIndex(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&m_store, &ModelStore::savingsDepositsChanged, this, &SavingsDepositIndex::rebuild);
    rebuild();
}

void SavingsDepositIndex::rebuild()
{
    m_buckets.clear();
    const RecordRange<SavingsDeposit> deposits = m_store.savingsDeposits();
    for (size_t i = 0; i < deposits.size(); ++i) {
        Bucket &bucket = m_buckets[deposits[i].goalID];
        bucket.positions.push_back(static_cast<int>(i));
        bucket.total += deposits[i].amount;
    }
    Q_EMIT changed();
}

const SavingsDepositIndex::Bucket *SavingsDepositIndex::bucket(const QUuid &goalID) const
{
    const auto it = m_buckets.constFind(goalID);
    return it == m_buckets.cend() ? nullptr : &it.value();
}

double SavingsDepositIndex::total(const QUuid &goalID) const
{
    const Bucket *found = bucket(goalID);
    return found ? found->total : 0.0;
}

int SavingsDepositIndex::count(const QUuid &goalID) const
{
    const Bucket *found = bucket(goalID);
    return found ? static_cast<int>(found->positions.size()) : 0;
}

const SavingsDeposit *SavingsDepositIndex::deposit(const QUuid &goalID, int position) const
{
    const Bucket *found = bucket(goalID);
    if (!found || position < 0 || position >= static_cast<int>(found->positions.size()))
        return nullptr;
    const size_t at = static_cast<size_t>(found->positions[static_cast<size_t>(position)]);
    const RecordRange<SavingsDeposit> deposits = m_store.savingsDeposits();
    // Read only while the positions still describe the store's deposits.
    return at < deposits.size() ? &deposits[at] : nullptr;
}

std::vector<QUuid> SavingsDepositIndex::depositIDs(const QUuid &goalID) const
{
    std::vector<QUuid> ids;
    const int n = count(goalID);
    ids.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (const SavingsDeposit *found = deposit(goalID, i))
            ids.push_back(found->id);
    }
    return ids;
}
