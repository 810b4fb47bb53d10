// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetChangeRow.h"
#include "model/AssetAdjustment.h"
#include "model/PeriodModel.h"
#include "model/RecordRange.h"

#include <QDate>
#include <QDateTime>
#include <QObject>

#include <vector>

class ModelStore;

// The period choice both ledgers share, and their rows. Every change of the choice or of the
// store recomputes at once; switching the period keeps the dates last chosen.
class AssetLedgerModel : public PeriodModel {
    Q_OBJECT

public:
    // "按日", "按周", "按月" and "自定义".
    static const PeriodSelection::Rules &periodRules();
    PeriodChoice period() const { return selection().choice(); }
    void setPeriod(PeriodChoice period);

    // Day and custom spans are whole days, half-open; week and month spans include their end
    // instant.
    PeriodSpan range() const { return selection().span(); }
    const std::vector<AssetChangeRow> &rows() const { return m_rows; }

    void recompute();

Q_SIGNALS:
    void changed();

protected:
    explicit AssetLedgerModel(ModelStore &store, QObject *parent = nullptr);
    // Fills the rows and the sums for the range.
    virtual void compute(const PeriodSpan &range) = 0;
    // The adjustments in the span, from the store's list kept newest first: a binary search,
    // not a scan. Newest first.
    static RecordRange<AssetAdjustment> within(RecordRange<AssetAdjustment> newestFirst,
                                               const PeriodSpan &range);

    ModelStore &m_store;
    std::vector<AssetChangeRow> m_rows;

private:
    void periodChanged() override { recompute(); }
};
