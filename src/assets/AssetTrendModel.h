// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetTrendCalculator.h"
#include "AssetTrendCurve.h"

#include <QList>
#include <QObject>
#include <QPointF>

#include <vector>

class ModelStore;

// The figures of "月度资产走势": the summed balance of every account at each of the last six
// month ends, the smooth curve through them and the amount axis that holds it, and the current
// figure. Follows the store's accounts and amount changes; changed() after each recomputation.
class AssetTrendModel final : public QObject {
    Q_OBJECT

public:
    explicit AssetTrendModel(ModelStore &store, QObject *parent = nullptr);

    // No account at all: the sheet shows its notice instead of a chart.
    bool isEmpty() const { return m_empty; }
    const std::vector<AssetTrendPoint> &points() const { return m_points; }
    const QList<QPointF> &curve() const { return m_curve; }
    AssetTrendCurve::AxisRange axisRange() const { return m_range; }
    // The last month's figure, 0 without accounts.
    double current() const { return m_points.empty() ? 0 : m_points.back().amount; }

    void recompute();

Q_SIGNALS:
    void changed();

private:
    ModelStore &m_store;
    bool m_empty = true;
    std::vector<AssetTrendPoint> m_points;
    QList<QPointF> m_curve;
    AssetTrendCurve::AxisRange m_range;
};
