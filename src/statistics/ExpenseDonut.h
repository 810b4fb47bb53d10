// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"

#include <QColor>
#include <QList>
#include <QWidget>

#include <vector>

class ChartLegend;
class DonutRing;

// The expenses of a span as a donut, one sector per category in ranking order, each in the
// chart hue its place was given, with the key below in the same colours, flowing from the
// leading edge.
class ExpenseDonut final : public QWidget {
    Q_OBJECT

public:
    static constexpr int chartHeight = 230;
    // The hole's diameter against the ring's.
    static constexpr qreal holeRatio = 0.58;
    // Points of angular gap between two sectors.
    static constexpr qreal sectorGap = 2;

    struct Sector {
        QString name;
        double amount = 0;
        QColor colour;
    };

    explicit ExpenseDonut(QWidget *parent = nullptr);

    // hues holds each total's index into Palette::chartHues().
    void setTotals(const std::vector<CategoryTotal> &totals, const std::vector<int> &hues);

    const QList<Sector> &sectors() const { return m_sectors; }
    // The ring itself, without the key.
    QWidget *ring() const;
    ChartLegend *legend() const { return m_legend; }

private:
    QList<Sector> m_sectors;
    DonutRing *m_ring;
    ChartLegend *m_legend;
};
