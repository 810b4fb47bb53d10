// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetTrendCurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The share of the value span left free above the highest and below the lowest value.
constexpr double room = 0.08;
// About this many ticks over the axis.
constexpr double tickSpaces = 5;

// The tangent at a month between two secant slopes: zero at a peak, a trough or beside a flat
// month, else their harmonic mean. It is never more than twice the smaller slope, which keeps
// both pieces beside the month monotone (Fritsch and Carlson's condition).
double tangent(double before, double after)
{
    if (before == 0 || after == 0 || (before < 0) != (after < 0))
        return 0;
    return 2 / (1 / before + 1 / after);
}

// 1, 2, 2.5 or 5 times a power of ten, the least not below raw, and at least 1.
double niceStep(double raw)
{
    if (!(raw > 1))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

} // namespace

QList<QPointF> AssetTrendCurve::through(std::span<const double> values, int steps)
{
    const size_t n = values.size();
    QList<QPointF> curve;
    if (n == 0)
        return curve;
    steps = std::max(steps, 1);
    curve.reserve(qsizetype((n - 1) * size_t(steps) + 1));

    std::vector<double> tangents(n, 0);
    if (n > 1) {
        tangents.front() = values[1] - values[0];
        tangents.back() = values[n - 1] - values[n - 2];
    }
    for (size_t i = 1; i + 1 < n; ++i)
        tangents[i] = tangent(values[i] - values[i - 1], values[i + 1] - values[i]);

    for (size_t i = 0; i + 1 < n; ++i) {
        const double from = values[i];
        const double rise = values[i + 1] - from;
        for (int step = 0; step < steps; ++step) {
            const double t = double(step) / steps;
            const double t2 = t * t;
            const double t3 = t2 * t;
            // Cubic Hermite in a form that stays exactly on `from` when the piece is flat.
            const double value = from + rise * (3 * t2 - 2 * t3) + tangents[i] * (t3 - 2 * t2 + t) +
                                 tangents[i + 1] * (t3 - t2);
            curve.append(QPointF(double(i) + t, value));
        }
    }
    curve.append(QPointF(double(n - 1), values[n - 1]));
    return curve;
}

AssetTrendCurve::AxisRange AssetTrendCurve::axisRange(std::span<const double> values)
{
    // The curve keeps within the values, so they alone decide the range.
    double lowest = 0;
    double highest = 0;
    if (!values.empty()) {
        const auto [min, max] = std::ranges::minmax_element(values);
        lowest = *min;
        highest = *max;
    }
    double span = std::max(highest, 0.0) - std::min(lowest, 0.0);
    if (!(span > 0))
        span = 1;
    const double low = std::min(0.0, lowest - room * span);
    const double high = std::max(0.0, highest + room * span);
    return {low, high, niceStep((high - low) / tickSpaces)};
}
