// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>

#include <span>

// How the trend is drawn, apart from any widget: the smooth line through the month values, one
// unit of x per month, and the value range of the axis beside it.
namespace AssetTrendCurve {

// Samples of a monotone cubic through (i, values[i]), `steps` per month, the first of each
// month's piece on its value, the last value closing the list. Each piece rises or falls
// with its two months and stays between their values, so equal months are joined by a flat
// line and the line never shows a balance that no month had.
QList<QPointF> through(std::span<const double> values, int steps = 16);

struct AxisRange {
    double low = 0;
    double high = 0;
    // The distance between two ticks, 1, 2, 2.5 or 5 times a power of ten and never below 1;
    // ticks are counted from zero.
    double step = 1;

    friend bool operator==(const AxisRange &, const AxisRange &) = default;
};

// Bounds that hold zero, where the shading ends, and every value with room around it, so the
// symbol of a month is never cut by the edge of the plot.
AxisRange axisRange(std::span<const double> values);

} // namespace AssetTrendCurve
