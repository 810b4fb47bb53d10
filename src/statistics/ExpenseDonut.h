#pragma once

#include "model/CategoryTotals.h"

#include <QWidget>

#include <vector>

class ChartLegend;
class QChartView;
class QPieSeries;

// The expenses of a span as a donut, one sector per category in ranking order, each in its
// category's colour, with the key below, flowing from the leading edge.
class ExpenseDonut final : public QWidget {
    Q_OBJECT

public:
    static constexpr int chartHeight = 230;
    static constexpr qreal holeRatio = 0.58;
    // Points of angular gap between two sectors.
    static constexpr qreal sectorGap = 2;

    explicit ExpenseDonut(QWidget *parent = nullptr);

    void setTotals(const std::vector<CategoryTotal> &totals);

    QPieSeries *series() const { return m_series; }
    ChartLegend *legend() const { return m_legend; }

private:
    QChartView *m_view;
    QPieSeries *m_series;
    ChartLegend *m_legend;
};
