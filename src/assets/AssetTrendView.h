// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetTrendModel.h"

#include "ui/Sheet.h"

#include <vector>

class EmptyState;
class ModelStore;
class PaintedItems;
class QBarCategoryAxis;
class QChart;
class QChartView;
class QLabel;
class QScatterSeries;
class QValueAxis;
class QWidget;

// "月度资产走势": the summed balance of every account at each of the last six month ends, as
// an area under a smoothed line, and the current figure; assistive technology reads each month's
// point. Recomputed on every store change.
class AssetTrendView final : public Sheet {
    Q_OBJECT

public:
    explicit AssetTrendView(ModelStore &store, QWidget *parent = nullptr);

    const AssetTrendModel &model() const { return m_model; }
    const std::vector<AssetTrendPoint> &points() const { return m_model.points(); }
    QChartView *chartView() const { return m_chartView; }
    QBarCategoryAxis *monthAxis() const { return m_months; }
    QValueAxis *amountAxis() const { return m_amounts; }
    EmptyState *emptyState() const { return m_empty; }
    QWidget *currentPanel() const { return m_panel; }
    QLabel *currentLabel() const { return m_current; }

private:
    void refresh();

    AssetTrendModel m_model;
    EmptyState *m_empty;
    QChart *m_chart;
    QChartView *m_chartView;
    QBarCategoryAxis *m_months;
    QValueAxis *m_amounts;
    QWidget *m_panel;
    QLabel *m_current;
    // The symbols of the month values, replaced on every refresh.
    QScatterSeries *m_symbols = nullptr;
    PaintedItems *m_accessiblePoints = nullptr;
};
