// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bills/BillsLedger.h"
#include "store/DailyTotals.h"

#include <QObject>

class ModelStore;
class QWidget;

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

    // Brings the ledger in step once window has painted for the first time, so the first visit
    // of the bills list finds it ready instead of building it while the user waits. It runs on
    // the window's thread between events, where every write to the store happens, and goes
    // through the ledger's own sync: whatever changes before or after is followed as usual.
    void prepareAfterFirstPaint(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepare();

    DailyTotals m_totals;
    BillsLedger m_ledger;
    QWidget *m_window = nullptr;
};
