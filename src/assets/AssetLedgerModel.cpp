// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetLedgerModel.h"

#include "store/ModelStore.h"

#include <algorithm>

using namespace Qt::StringLiterals;

const PeriodSelection::Rules &AssetLedgerModel::periodRules()
{
    static const PeriodSelection::Rules rules{{{PeriodChoice::day, u"按日"_s},
                                               {PeriodChoice::week, u"按周"_s},
                                               {PeriodChoice::month, u"按月"_s},
                                               {PeriodChoice::custom, u"自定义"_s}},
                                              PeriodSelection::DayEnd::excluded,
                                              PeriodSelection::EarlyEnd::emptiesSpan};
    return rules;
}

AssetLedgerModel::AssetLedgerModel(ModelStore &store, QObject *parent)
    : PeriodModel(periodRules(), PeriodChoice::month, parent), m_store(store)
{
    connect(&store, &ModelStore::assetAdjustmentsChanged, this, &AssetLedgerModel::recompute);
}

void AssetLedgerModel::setPeriod(PeriodChoice period)
{
    changeChoice(period);
}

RecordRange<AssetAdjustment> AssetLedgerModel::within(RecordRange<AssetAdjustment> newestFirst,
                                                      const PeriodSpan &range)
{
    const DateInterval &interval = range.interval;
    if (!range.isValid() || interval.end < interval.start)
        return {};
    const qint64 start = interval.start.toMSecsSinceEpoch();
    const qint64 end = interval.end.toMSecsSinceEpoch();
    const bool closed = range.includesEnd;
    // Descending dates: first the changes after the span, then the run we want.
    const auto first =
        std::partition_point(newestFirst.begin(), newestFirst.end(), [=](const AssetAdjustment &a) {
            const qint64 at = a.date.toMSecsSinceEpoch();
            return closed ? at > end : at >= end;
        });
    const auto last = std::partition_point(first, newestFirst.end(), [start](const AssetAdjustment &a) {
        return a.date.toMSecsSinceEpoch() >= start;
    });
    return {first, last};
}

void AssetLedgerModel::recompute()
{
    m_rows.clear();
    compute(range());
    Q_EMIT changed();
}
