// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bills/BillsLedger.h"
#include "store/DailyTotals.h"

#include <QObject>

class ModelStore;

// What the window keeps derived from the store's entries, beside the store: the per-day totals
// the overview, the statistics and the receipt sum over, and the bills list's ledger. The
// window holds one for as long as it shows the store and hands it to each screen it makes, so
// a screen opened again reads what is kept instead of walking every entry.
class StoreIndexes final : public QObject {
    Q_OBJECT

public:
    explicit StoreIndexes(ModelStore &store, QObject *parent = nullptr);

    DailyTotals &totals() { return m_totals; }
    BillsLedger &ledger() { return m_ledger; }

private:
    DailyTotals m_totals;
    BillsLedger m_ledger;
};
