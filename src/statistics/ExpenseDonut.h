// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"

#include <QWidget>

#include <vector>

class ChartLegend;
class QChartView;
class QPieSeries;

// The expenses of a span as a donut, one sector per category in ranking order, each in the
// chart hue its place was given, with the key below in the same colours, flowing from the
// leading edge.
class ExpenseDonut final : public QWidget {
    Q_OBJECT

public:
    static constexpr int chartHeight = 230;
    static constexpr qreal holeRatio = 0.58;
    // Points of angular gap between two sectors.
    static constexpr qreal sectorGap = 2;

    explicit ExpenseDonut(QWidget *parent = nullptr);

    // hues holds each total's index into Palette::chartHues().
    void setTotals(const std::vector<CategoryTotal> &totals, const std::vector<int> &hues);

    QPieSeries *series() const { return m_series; }
    ChartLegend *legend() const { return m_legend; }

private:
    QChartView *m_view;
    QPieSeries *m_series;
    ChartLegend *m_legend;
};
