// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/SavingsDeposit.h"

#include <QHash>
#include <QObject>
#include <QUuid>

#include <vector>

class ModelStore;

// The store's deposits grouped by goal, with each goal's sum. Rebuilt in one pass whenever
// the deposits change, so a card reads its total and the detail its rows without walking
// every deposit of every goal. Readers follow changed(), which fires only once the index
// matches the store again.
class SavingsDepositIndex final : public QObject {
    Q_OBJECT

public:
    explicit SavingsDepositIndex(ModelStore &store, QObject *parent = nullptr);

    // The sum of the goal's deposits; 0 when it has none.
    double total(const QUuid &goalID) const;
    // The goal's deposits, newest date first (the store's order).
    int count(const QUuid &goalID) const;
    // The goal's deposit at a position of that order, or nullptr past its end.
    const SavingsDeposit *deposit(const QUuid &goalID, int position) const;
    // The ids of all the goal's deposits.
    std::vector<QUuid> depositIDs(const QUuid &goalID) const;

Q_SIGNALS:
    void changed();

private:
    struct Bucket {
        std::vector<int> positions; // into the store's deposits, ascending, so newest first
        double total = 0;
    };

    void rebuild();
    const Bucket *bucket(const QUuid &goalID) const;

    ModelStore &m_store;
    QHash<QUuid, Bucket> m_buckets;
};
